// First effect slot: the voice sum through no effect, chorus, flanger, tube, solid-state,
// foldback or bitcrusher, giving two channels.
#pragma once

#include "engine/block_values.h"
#include "engine/engine_record.h"

namespace Engine {

// Shapes ahead, for the waveshaper that is active, both points of every sample of a pass (the
// shaping of one sample does not depend on the others); x holds the pass's voice sums.
// Audio thread; no allocation.
void EffectSlot1PassStart(EngineRecord& record, const BlockValues& values, const double* x,
                          int32_t count);

// Processes the voice sum x of sample `index` of the pass into channel0 and channel1.
// Audio thread; no allocation.
void EffectSlot1Step(EngineRecord& record, const BlockValues& values, int32_t index, double x,
                     double& channel0, double& channel1);

}  // namespace Engine
