// The ADSR envelope shared by the amplitude envelope and the two modulation envelopes.
#pragma once

#include "engine/block_values.h"
#include "engine/engine_record.h"

namespace Engine {

// Runs one envelope for one sample on the effective gate and returns its raw output (before the
// output smoothing). Audio thread; no allocation.
double EnvelopeStageStep(EnvelopeState& envelope, const EnvelopeSettings& settings, double gate,
                         double sampleRate);

inline double EnvelopeStep(EnvelopeState& envelope, const EnvelopeSettings& settings, double gate,
                           double sampleRate) {
  // Settled at the sustain level with the gate unchanged (a decay to a full sustain has no
  // duration, so it never moves either): the output is the sustain value.
  const bool steadyGate =
      gate == envelope.previousGateForRise && gate == envelope.previousGateForFall;
  const bool settled =
      envelope.stage == Sustain || (envelope.stage == Decay && settings.sustain == 1.0);
  if (steadyGate && settled) {
    envelope.level = Dsp::FixDenormal(settings.sustain);
    return settings.sustain;
  }
  return EnvelopeStageStep(envelope, settings, gate, sampleRate);
}

// Output smoothing: rises at once, falls with a 1 ms one-pole; returns the floored smoothed
// value (0 below 1e-8). Audio thread; no allocation.
inline double SmoothEnvelope(EnvelopeState& envelope, double target, double fallCoefficient) {
  if (target != envelope.smoothed) {
    const double k = target > envelope.smoothed ? 1.0 : fallCoefficient;
    envelope.smoothed = Dsp::FixDenormal(envelope.smoothed + (target - envelope.smoothed) * k);
  }
  return envelope.smoothed < 1e-8 ? 0.0 : envelope.smoothed;
}

}  // namespace Engine
