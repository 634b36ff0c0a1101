// The four voices for one sample at a time: gate and envelopes, LFOs, modulation matrix, pitch
// with glide, bend and spread, the two overtone oscillators with noise, and the filter chain.
// The voices run side by side in lanes (engine/lanes.h); the engine builds this code once per
// lane width and chooses one build when it is created (engine/voice_paths.h).
#pragma once

#include <cstdint>

#include "engine/block_values.h"
#include "engine/engine_record.h"

namespace Engine {

// Offsets for the smoothed values as they stand (at the start of a block). Audio thread; no
// allocation.
void SampleSetupStart(const EngineRecord& record, const BlockValues& values,
                      SampleOffsets& offsets);

// Smooths the eight continuous parameters by one sample per frame and fills the shared values of
// `count` frames (the arpeggiator fills their gates). Returns true when the shared values are
// the same in every frame. Audio thread; no allocation.
bool FillSampleFrames(EngineRecord& record, const BlockValues& values, SampleOffsets& offsets,
                      SampleFrame* frames, int32_t count);

// The wide (AVX2) and the baseline build of the voice path: both render the voices of `count`
// samples and write the sum of the four voice outputs of each sample to `sums`. Audio thread; no
// allocation.
namespace Wide {
void RenderVoices(EngineRecord& record, const BlockValues& values, const SampleFrame* frames,
                  int32_t count, double* sums);
}
namespace Baseline {
void RenderVoices(EngineRecord& record, const BlockValues& values, const SampleFrame* frames,
                  int32_t count, double* sums);
}

}  // namespace Engine
