#include "engine/voice.h"

#include "engine/envelope.h"
#include "engine/overtone_osc.h"
#include "engine/voice_filter.h"

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

// Scales of the matrix entries, by source (E1, E2, L1, L2, MW, VL) and target.
constexpr double kMatrixScale[kSourceCount][kTargetCount] = {
    {1, 1, 1, 0.02, 0.02, 1, 1},     {1, 1, 1, 0.1, 0.1, 1, 1}, {1, 0.5, 0.5, 0.01, 0.01, 0, 0},
    {1, 0.5, 0.5, 0.01, 0.01, 0, 0}, {0, 0, 0, 0, 0, 0, 0},     {1, 1, 1, 0.05, 0.05, 1, 1},
};

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

// Advances an LFO by one sample; its value is read only when the matrix uses it this block.
double LfoStep(Dsp::CosineOsc& lfo, double rate, double phaseScale, const double* table,
               bool used) {
  const double r = Clamp(rate, 0.0, 1.0);
  const double frequency = r * r * r * 29.98 + 0.02;
  lfo.increment = Dsp::LowWord(frequency * phaseScale);
  if (!used) {
    lfo.phase += lfo.increment;
    return 0.0;
  }
  return Clamp(Dsp::CosineOsc::Next(lfo, table), -1.0, 1.0);
}

struct Modulation {
  double target[kTargetCount];
};

Modulation MatrixStep(const BlockValues& v, const double sources[kSourceCount]) {
  Modulation result;
  for (int target = 0; target < kTargetCount; ++target) {
    const int count = v.matrixActiveCount[target];
    if (count == 0) {
      result.target[target] = 0.0;
      continue;
    }
    double sum = 0.0;
    for (int i = 0; i < count; ++i) {
      const int source = v.matrixActiveSource[target][i];
      sum += v.matrixAmount[source][target] * sources[source] * kMatrixScale[source][target];
    }
    result.target[target] = Clamp(sum, -1.0, 1.0) * v.matrixWheelFactor[target];
  }
  return result;
}

void SpreadOffsets(const BlockValues& v, double spread, SampleValues& sample) {
  for (int voice = 0; voice < kVoiceCount; ++voice) {
    if (!v.unisonMode) {
      sample.spread[voice] = kSpreadOther[voice] * spread;
    } else if (spread <= 0.99) {
      sample.spread[voice] = kSpreadUnison[voice] * spread;
    } else {
      sample.spread[voice] = kSpreadUnisonWide[voice] * spread + kSpreadUnisonWideOctave[voice];
    }
  }
}

}  // namespace

void SampleSetupStart(EngineRecord& record, const BlockValues& v, SampleValues& sample) {
  const SmoothedParams& s = record.history.smoothed;
  SpreadOffsets(v, s.spread, sample);
  sample.oscOffset[0] = OscPitchOffset(s.osc1Pitch);
  sample.oscOffset[1] = OscPitchOffset(s.osc2Pitch);
}

void SampleSetup(EngineRecord& record, const BlockValues& v, SampleValues& sample) {
  SmoothedParams& s = record.history.smoothed;
  const double* params = record.params;
  const double c = v.smoothingCoefficient;
  Smooth(s.lfo1Rate, params[P::Lfo1Rate], c);
  Smooth(s.lfo2Rate, params[P::Lfo2Rate], c);
  if (Smooth(s.osc1Pitch, params[P::Osc1Pitch], c))
    sample.oscOffset[0] = OscPitchOffset(s.osc1Pitch);
  if (Smooth(s.osc2Pitch, params[P::Osc2Pitch], c))
    sample.oscOffset[1] = OscPitchOffset(s.osc2Pitch);
  Smooth(s.osc1Morph, params[P::Osc1OvertonesMorph], c);
  Smooth(s.osc2Morph, params[P::Osc2OvertonesMorph], c);
  Smooth(s.lowPassCutoff, params[P::FilterLpCutoff], c);
  if (Smooth(s.spread, v.spreadTarget, c)) SpreadOffsets(v, s.spread, sample);
}

void SoundingVoiceStep(EngineRecord& record, const BlockValues& v, const SampleValues& sample,
                       int index, double gate, VoiceFrame& frame) {
  VoiceState& voice = record.history.voices[index];
  const double sr = v.sampleRate;
  const SmoothedParams& smoothed = record.history.smoothed;
  const double* table = record.cosineTable.entries;

  // Effective gate: a changed retrigger value forces the gate off for one millisecond.
  const double retrig = v.noteRetrig[index];
  if (retrig != voice.previousRetrig && v.retrigArmed) voice.retrigCountdown = v.retrigSamples;
  voice.previousRetrig = retrig;
  const double effectiveGate = voice.retrigCountdown > 0 ? 0.0 : gate;
  if (voice.retrigCountdown > 0) voice.retrigCountdown -= 1;

  const double ampRaw = EnvelopeStep(voice.ampEnvelope, v.ampEnvelope, effectiveGate, sr);
  const double amplitude =
      SmoothEnvelope(voice.ampEnvelope, v.mainVolume * ampRaw, v.envelopeFallCoefficient);

  const double lfo1 = LfoStep(voice.lfo1, smoothed.lfo1Rate + voice.rateCarry1,
                              record.oscPhaseScale, table, v.lfoUsed[0]);
  const double lfo2 = LfoStep(voice.lfo2, smoothed.lfo2Rate + voice.rateCarry2,
                              record.oscPhaseScale, table, v.lfoUsed[1]);

  const double env1Raw = EnvelopeStep(voice.envelope1, v.envelope1, effectiveGate, sr);
  const double env1 = SmoothEnvelope(voice.envelope1, env1Raw, v.envelopeFallCoefficient);
  const double env2Raw = EnvelopeStep(voice.envelope2, v.envelope2, effectiveGate, sr);
  const double env2 = SmoothEnvelope(voice.envelope2, env2Raw, v.envelopeFallCoefficient);

  double sources[kSourceCount];
  sources[kSourceE1] = Clamp(env1, -1.0, 1.0);
  sources[kSourceE2] = Clamp(env2, -1.0, 1.0);
  sources[kSourceL1] = lfo1;
  sources[kSourceL2] = lfo2;
  sources[kSourceMW] = v.modWheel;
  sources[kSourceVL] = Clamp(v.velocity[index] * 0.00787, -1.0, 1.0);
  const Modulation mod = MatrixStep(v, sources);

  // Pitch: glide toward the note, then bend and spread; each oscillator adds its own offset.
  const double notePitch = v.notePitch[index];
  const double glide = voice.glidePitch + (notePitch - voice.glidePitch) * v.glideCoefficient;
  const double base = sample.spread[index] + v.pitchBend + glide;
  const double noise = Dsp::NextNoise(record.noiseSeed) * 0.3;

  OvertoneInputs osc1In{Clamp(base + mod.target[kTargetP1] + sample.oscOffset[0], 0.0, 1.0),
                        smoothed.osc1Morph + mod.target[kTargetM1], v.overtoneSet[0],
                        v.overtoneAlternating[0], v.overtoneAverage[0]};
  const double osc1 = OvertoneOscStep(voice.osc1, osc1In, table, sr, v.inverseSampleRate);
  OvertoneInputs osc2In{Clamp(base + mod.target[kTargetP2] + sample.oscOffset[1], 0.0, 1.0),
                        smoothed.osc2Morph + mod.target[kTargetM2], v.overtoneSet[1],
                        v.overtoneAlternating[1], v.overtoneAverage[1]};
  const double osc2 = OvertoneOscStep(voice.osc2, osc2In, table, sr, v.inverseSampleRate);

  frame.mix = v.noiseLevel * noise + v.oscLevel[1] * osc2 + v.oscLevel[0] * osc1;
  frame.cutoff =
      Clamp(smoothed.lowPassCutoff + v.keyTrackTerm[index] + mod.target[kTargetFC], 0.0, 1.0);
  // Velocity reaches loudness only through the matrix; here it only gates.
  const double velocityGate = v.velocity[index] > 0 ? 1.0 : v.velocity[index];
  frame.amplitude = Clamp(velocityGate * amplitude, 0.0, 1.0);

  voice.glidePitch = FixDenormal(glide);
  voice.rateCarry1 = FixDenormal(mod.target[kTargetR1]);
  voice.rateCarry2 = FixDenormal(mod.target[kTargetR2]);
  voice.activeLevel = amplitude;
}

double FilteredVoiceOutput(EngineRecord& record, const BlockValues& v, int index,
                           const VoiceFrame& frame) {
  const FilterInputs filterIn{v.highPassCoefficient, v.highPassInverse, frame.cutoff, v.resonance,
                              v.sampleRate};
  const double filtered = VoiceFilterStep(record.history.voices[index], filterIn, frame.mix);
  return frame.amplitude * filtered * 0.9 * 0.5;
}

}  // namespace Engine
