// First effect slot: the voice sum through no effect, chorus, flanger, tube, solid-state,
// foldback or bitcrusher, giving two channels.
#pragma once

#include "engine/block_values.h"
#include "engine/engine_record.h"

namespace Engine {

// Processes the voice sum x of one sample into channel0 and channel1.
// Audio thread; no allocation.
void EffectSlot1Step(EngineRecord& record, const BlockValues& values, double x, double& channel0,
                     double& channel1);

}  // namespace Engine
