// Per-sample voice gates: each voice's own gate, or with the arpeggiator on a tempo-synchronised
// pulse stepping through a pattern over the held voices.
#pragma once

#include "engine/block_values.h"
#include "engine/engine_record.h"

namespace Engine {

// Runs the arpeggiator clock for one sample and writes the gate of every voice.
// Audio thread; no allocation.
void ArpeggiatorStep(EngineRecord& record, const BlockValues& values, double gates[kVoiceCount]);

}  // namespace Engine
