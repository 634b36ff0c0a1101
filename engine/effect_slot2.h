// Second effect slot: the two channels of the first slot straight through, through the tempo
// delay or through the reverb.
#pragma once

#include "engine/block_values.h"
#include "engine/engine_record.h"

namespace Engine {

// Processes the `count` samples of a pass of both channels in place (before the output limit),
// stepping the slot's delay lines. Audio thread; no allocation.
void EffectSlot2Pass(EngineRecord& record, const BlockValues& values, double* channel0,
                     double* channel1, int32_t count);

}  // namespace Engine
