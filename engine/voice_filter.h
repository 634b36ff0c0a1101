// The voice's filter chain: one-pole high-pass, DC blocker, resonant four-state low-pass with a
// tanh inside its feedback loop, twice-oversampled saturation and a second DC blocker, run for a
// group of voices side by side.
#pragma once

#include "engine/engine_record.h"
#include "engine/lanes.h"

namespace Engine {
namespace TOVALUNE_LANES {

struct FilterInputs {
  double highPassCoefficient;  // G = tan(pi f / sr)
  double highPassInverse;      // 1 / (1 + G), or 0 when 1 + G is 0
  Lanes cutoff;                // pitch value of the low-pass cutoff, already limited to [0, 1]
  double resonance;            // 0 .. 15
  double sampleRate;
};

// High-pass, DC blocker and resonant low-pass for one mixed sample of the group's voices (Group
// is EveryLane or SomeLanes); returns the low-pass outputs. Audio thread; no allocation.
template <class Group>
Lanes VoiceLowPassStep(VoiceState& voices, const FilterInputs& in, Lanes x, const Group& group);

// Saturation and the second DC blocker for one low-pass output of the group's voices; returns
// the signals before the amplitude factor. Audio thread; no allocation.
template <class Group>
Lanes VoiceSaturationStep(VoiceState& voices, Lanes lowPassOutput, const Group& group);

}  // namespace TOVALUNE_LANES
}  // namespace Engine
