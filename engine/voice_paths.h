// The choice between the two builds of the voice path: the wide one (four voices in one 256-bit
// register) where the processor and operating system run AVX2, else the baseline one (two voices
// per 128-bit register). Both give the same bits; an engine keeps the build chosen when it was
// created.
#pragma once

#include "engine/engine_record.h"

namespace Engine {

enum class VoicePath { Automatic, Wide, Baseline };

// True when this processor and its operating system run the wide build. Any thread; no
// allocation.
bool WidePathAvailable();

// Test and benchmark hook: engines created after this call use `path`; Automatic restores the
// choice by processor. Wide where it is unavailable gives Baseline. Any thread; no allocation.
void ForceVoicePath(VoicePath path);

// The build a new engine uses. Any thread; no allocation.
LanePath ChooseLanePath();

}  // namespace Engine
