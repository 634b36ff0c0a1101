// Per-sample values the four voices share: parameter smoothing, spread and oscillator offsets.
#include "engine/voice.h"

namespace Engine {
namespace {

using Dsp::Clamp;
using Dsp::FixDenormal;
namespace P = EngineParam;

// Spread coefficients per voice (pitch value per unit of spread). Voice 3 mirrors the others so
// that the four offsets sum to zero and a unison stack stays centred on the note.
constexpr double kSpreadOther[kVoiceCount] = {8.3e-5, -4.17e-4, 9.45e-4, -6.11e-4};
constexpr double kSpreadUnison[kVoiceCount] = {8.3e-5, -4.17e-4, 0.003653, -0.003319};
constexpr double kSpreadUnisonWide[kVoiceCount] = {8.3e-5, -4.17e-4, 0.001345, -0.001011};
// Octave jump of voices 0 and 1 in unison at full spread.
constexpr double kSpreadUnisonWideOctave[kVoiceCount] = {0.1, -0.1, 0.0, 0.0};

// One step of a 10 ms one-pole; false when the value already sits on its target (the step
// would add exactly nothing).
bool Smooth(double& current, double target, double coefficient) {
  if (current == target) return false;
  current = FixDenormal(current + (target - current) * coefficient);
  return true;
}

// Square-law offset of +-1 octave around the centre 0.5.
double OscPitchOffset(double smoothedPitch) {
  const double v = 2 * Clamp(smoothedPitch, 0.0, 1.0) - 1;
  return Dsp::Sign(v) * v * v * 0.1;
}

void SpreadOffsets(const BlockValues& v, double spread, SampleOffsets& offsets) {
  for (int voice = 0; voice < kVoiceCount; ++voice) {
    if (!v.unisonMode) {
      offsets.spread[voice] = kSpreadOther[voice] * spread;
    } else if (spread <= 0.99) {
      offsets.spread[voice] = kSpreadUnison[voice] * spread;
    } else {
      offsets.spread[voice] = kSpreadUnisonWide[voice] * spread + kSpreadUnisonWideOctave[voice];
    }
  }
}

// Smooths the eight continuous parameters by one sample and fills the frame's shared values.
void SampleSetup(EngineRecord& record, const BlockValues& v, SampleOffsets& offsets,
                 SampleFrame& frame) {
  SmoothedParams& s = record.history.smoothed;
  const double* params = record.params;
  const double c = v.smoothingCoefficient;
  Smooth(s.lfo1Rate, params[P::Lfo1Rate], c);
  Smooth(s.lfo2Rate, params[P::Lfo2Rate], c);
  if (Smooth(s.osc1Pitch, params[P::Osc1Pitch], c))
    offsets.oscOffset[0] = OscPitchOffset(s.osc1Pitch);
  if (Smooth(s.osc2Pitch, params[P::Osc2Pitch], c))
    offsets.oscOffset[1] = OscPitchOffset(s.osc2Pitch);
  Smooth(s.osc1Morph, params[P::Osc1OvertonesMorph], c);
  Smooth(s.osc2Morph, params[P::Osc2OvertonesMorph], c);
  Smooth(s.lowPassCutoff, params[P::FilterLpCutoff], c);
  if (Smooth(s.spread, v.spreadTarget, c)) SpreadOffsets(v, s.spread, offsets);
  frame.offsets = offsets;
  frame.lfo1Rate = s.lfo1Rate;
  frame.lfo2Rate = s.lfo2Rate;
  frame.osc1Morph = s.osc1Morph;
  frame.osc2Morph = s.osc2Morph;
  frame.lowPassCutoff = s.lowPassCutoff;
}

}  // namespace

void SampleSetupStart(const EngineRecord& record, const BlockValues& v, SampleOffsets& offsets) {
  const SmoothedParams& s = record.history.smoothed;
  SpreadOffsets(v, s.spread, offsets);
  offsets.oscOffset[0] = OscPitchOffset(s.osc1Pitch);
  offsets.oscOffset[1] = OscPitchOffset(s.osc2Pitch);
}

bool FillSampleFrames(EngineRecord& record, const BlockValues& v, SampleOffsets& offsets,
                      SampleFrame* frames, int32_t count) {
  // A smoothed value on its target, or so close that a step no longer moves it, stays where it
  // is for the whole block.
  const SmoothedParams& s = record.history.smoothed;
  const double* params = record.params;
  const double c = v.smoothingCoefficient;
  auto still = [c](double current, double target) {
    return current == target || FixDenormal(current + (target - current) * c) == current;
  };
  const bool settled =
      still(s.lfo1Rate, params[P::Lfo1Rate]) && still(s.lfo2Rate, params[P::Lfo2Rate]) &&
      still(s.osc1Pitch, params[P::Osc1Pitch]) && still(s.osc2Pitch, params[P::Osc2Pitch]) &&
      still(s.osc1Morph, params[P::Osc1OvertonesMorph]) &&
      still(s.osc2Morph, params[P::Osc2OvertonesMorph]) &&
      still(s.lowPassCutoff, params[P::FilterLpCutoff]) && still(s.spread, v.spreadTarget);
  for (int32_t i = 0; i < count; ++i) {
    if (settled && i > 0) {
      frames[i] = frames[0];
    } else {
      SampleSetup(record, v, offsets, frames[i]);
    }
  }
  return settled;
}

}  // namespace Engine
