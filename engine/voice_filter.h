// The voice's filter chain: one-pole high-pass, DC blocker, resonant four-state low-pass with a
// tanh inside its feedback loop, twice-oversampled saturation and a second DC blocker.
#pragma once

#include "engine/engine_record.h"

namespace Engine {

struct FilterInputs {
  double highPassCoefficient;  // G = tan(pi f / sr)
  double highPassInverse;      // 1 / (1 + G), or 0 when 1 + G is 0
  double cutoff;               // pitch value of the low-pass cutoff, already limited to [0, 1]
  double resonance;            // 0 .. 15
  double sampleRate;
};

// Filters one mixed sample of a voice; returns the signal before the amplitude factor.
// Audio thread; no allocation.
double VoiceFilterStep(VoiceState& voice, const FilterInputs& in, double x);

}  // namespace Engine
