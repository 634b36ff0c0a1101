#include "engine/block_values.h"

#include <cmath>

namespace Engine {
namespace {

using Dsp::Clamp;
using Dsp::SafeDiv;
using Dsp::SafePow;
namespace P = EngineParam;

// Glide and the delay's low-pass take sin(2 pi f / sr); past pi/2 the sine would fall again
// (and turn negative above pi at low sample rates), so the argument stops at pi/2.
constexpr double kHalfPi = Dsp::kPi / 2;
// The high-pass takes tan(pi f / sr), which must stay below its pole at pi/2.
constexpr double kHighPassArgumentLimit = Dsp::kPi * 0.49;

double AttackTime(double attack) {
  const double a = Clamp(attack, 0.00003, 1.0) * 0.99997 + 3e-5;
  return 10 * Clamp(a * a, 1e-5, 1.0);
}

double DecayTime(double decay) {
  const double d = Clamp(decay, 0.0001, 1.0) * 0.9999 + 1e-4;
  return 10 * Clamp(d * d, 1e-5, 1.0);
}

EnvelopeSettings Envelope(const double* params, double sr, int attack, int decay, int release,
                          int sustain, int retrig) {
  EnvelopeSettings settings;
  settings.attackTime = AttackTime(params[attack]);
  settings.decayTime = DecayTime(params[decay]);
  settings.releaseTime = DecayTime(params[release]);
  settings.sustain = params[sustain];
  // A decay without a positive duration does not advance.
  const double decaySamples = settings.decayTime * (1 - settings.sustain) * sr;
  settings.decayGrowth = decaySamples > 0 ? 1 / decaySamples : 0.0;
  settings.restartFromZero = params[retrig] == 1.0;
  return settings;
}

// Row of the overtone sets chosen by the coefficient control.
int OvertoneSet(double coeff) {
  return static_cast<int>(5 * Clamp(coeff, 0.0, 1.0));
}

// Division switch of the tempo delay: straight (1) or dotted-eighth-like 0.75 of a beat.
double DelayDivision(double value) {
  const double n = std::trunc(value + 1);
  if (n >= 2) return 0.75;
  if (n == 1) return 1.0;
  return 0.0;
}

void ComputeMatrix(const double* params, BlockValues& v) {
  static constexpr int kFirstEntry[kSourceCount] = {P::ModMatrixE1FC, P::ModMatrixE2FC,
                                                    P::ModMatrixL1FC, P::ModMatrixL2FC,
                                                    P::ModMatrixMWFC, P::ModMatrixVLFC};
  for (int source = 0; source < kSourceCount; ++source) {
    const bool isLfo = source == kSourceL1 || source == kSourceL2;
    for (int target = 0; target < kTargetCount; ++target) {
      if (isLfo && target >= kTargetR1) {
        v.matrixAmount[source][target] = 0.0;
        continue;
      }
      const double a = Clamp(params[kFirstEntry[source] + target], 0.0, 1.0);
      v.matrixAmount[source][target] = source == kSourceMW ? a : 2 * a - 1;
    }
  }
  v.modWheel = Clamp(params[P::ModWheel], -1.0, 1.0);
  // A term with amount 0 adds exactly nothing, so only the others are summed per sample.
  static constexpr int kSummed[] = {kSourceE1, kSourceE2, kSourceL1, kSourceL2, kSourceVL};
  v.matrixTargetCount = 0;
  for (int target = 0; target < kTargetCount; ++target) {
    int count = 0;
    for (int source : kSummed) {
      if (v.matrixAmount[source][target] != 0.0) v.matrixActiveSource[target][count++] = source;
    }
    v.matrixActiveCount[target] = count;
    if (count > 0) v.matrixTarget[v.matrixTargetCount++] = target;
    v.matrixWheelFactor[target] = 1 - v.matrixAmount[kSourceMW][target] * (1 - v.modWheel);
  }
  for (int lfo = 0; lfo < 2; ++lfo) {
    v.lfoUsed[lfo] = false;
    for (int target = 0; target < kTargetCount; ++target) {
      if (v.matrixAmount[kSourceL1 + lfo][target] != 0.0) v.lfoUsed[lfo] = true;
    }
  }
}

void ComputeVoices(const double* params, double sr, BlockValues& v) {
  const double keyTrack = 2 * Clamp(params[P::FilterLpKeyTrack], 0.0, 1.0) - 1;
  for (int voice = 0; voice < kVoiceCount; ++voice) {
    const double note = params[P::VoiceParam(voice, P::NoteNumber)];
    const double f = 440 * std::exp((note - 69) * 0.057762265);
    v.noteFrequency[voice] = f;
    v.notePitch[voice] =
        f > 0 ? (std::log10(f) - 1.13830269817) * 3.3219280949313 * 0.1 : -1111.1111 * 0.1;
    v.velocity[voice] = params[P::VoiceParam(voice, P::NoteVelocity)];
    v.noteGate[voice] = params[P::VoiceParam(voice, P::NoteGate)];
    v.noteRetrig[voice] = params[P::VoiceParam(voice, P::NoteRetrig)];
    const double track = Clamp(2 * keyTrack * (v.notePitch[voice] - 0.5), -1.0, 1.0);
    v.keyTrackTerm[voice] = Dsp::Sign(track) * track * track;
  }
  v.smoothingCoefficient = 1 / std::fmax(std::fabs(sr * 0.01), 1.0);
  v.spreadTarget = Clamp(params[P::VoiceSpreadAmt], 0.01, 1.0);
  v.unisonMode = P::VoiceModeOf(params[P::VoiceModeMonoUniPoly]) == P::VoiceMode::Unison;
  v.pitchBend = params[P::PitchBendRngAmt] * 0.1 * params[P::PitchBend];
  const double glideFrequency =
      13.75 * std::exp2((1 - 2 * std::sqrt(params[P::PitchGlideAmt])) * 10);
  const double glideArgument = sr == 0 ? 0.0 : 2 * Dsp::kPi * glideFrequency / sr;
  v.glideCoefficient = Clamp(std::sin(std::fmin(glideArgument, kHalfPi)), 1e-5, 0.99999);

  v.ampEnvelope = Envelope(params, sr, P::EnvAmpAttack, P::EnvAmpDecay, P::EnvAmpRelease,
                           P::EnvAmpSustain, P::EnvAmpRetrigOffOn);
  v.envelope1 = Envelope(params, sr, P::Env1Attack, P::Env1Decay, P::Env1Release, P::Env1Sustain,
                         P::Env1RetrigOffOn);
  v.envelope2 = Envelope(params, sr, P::Env2Attack, P::Env2Decay, P::Env2Release, P::Env2Sustain,
                         P::Env2RetrigOffOn);
  v.retrigArmed = params[P::EnvAmpRetrigOffOn] == 1.0;
  v.retrigSamples = std::trunc(0.001 * sr);
  v.envelopeFallCoefficient = 1 / std::fmax(std::fabs(0.001 * sr), 1.0);
  v.mainVolume = params[P::MainVolume];

  ComputeMatrix(params, v);

  const int coeff[2] = {P::Osc1OvertonesCoeff, P::Osc2OvertonesCoeff};
  const int math[2] = {P::Osc1OvertonesMath, P::Osc2OvertonesMath};
  for (int osc = 0; osc < 2; ++osc) {
    v.overtoneSet[osc] = OvertoneSet(params[coeff[osc]]);
    const double a = Clamp(params[math[osc]], 0.0, 1.0);
    v.overtoneAlternating[osc] = 1 - 2 * std::fmin(a, 0.5);
    v.overtoneAverage[osc] = 2 * (std::fmax(a, 0.5) - 0.5);
  }
  v.noiseLevel = Clamp(params[P::NoiseLevel], 0.0, 1.0);
  v.oscLevel[0] = Clamp(params[P::Osc1Level], 0.0, 1.0);
  v.oscLevel[1] = Clamp(params[P::Osc2Level], 0.0, 1.0);
  const double hp = Clamp(params[P::FilterHpCutoff], 0.0, 1.0);
  const double hpFrequency = hp * hp * hp * 1984 + 16;
  const double hpArgument = sr == 0 ? 0.0 : Dsp::kPi * hpFrequency / sr;
  v.highPassCoefficient = std::tan(std::fmin(hpArgument, kHighPassArgumentLimit));
  const double onePlusG = 1 + v.highPassCoefficient;
  v.highPassInverse = onePlusG == 0 ? 0.0 : 1 / onePlusG;
  v.resonance = 20 * Clamp(0.75 * params[P::FilterLpResonance], 0.0, 1.0);
}

void ComputeArpeggiator(const double* params, double sr, BlockValues& v) {
  v.arpDivider = params[P::ArpeggiatorBpmDivider] + 1;
  double sum = 0;
  for (int voice = 0; voice < kVoiceCount; ++voice)
    sum += v.noteGate[voice];
  v.gateSum = sum;
  v.anyGate = Clamp(sum, 0.0, 1.0);
  v.heldCount = Clamp(sum, 0.0, 4.0);
  const double m = (params[P::ArpeggiatorMode] + 0.02) * 4;
  v.arpOn = Clamp(m, 0.0, 1.0) >= 1.0;
  v.arpPattern = static_cast<ArpPattern>(static_cast<int>(Clamp(m - 1, 0.0, 3.0)));
  const double bpm = params[P::HostTempoBpm];
  const double clockTempo = bpm * 4;
  const double ticksPerSecond = clockTempo / 60;
  v.arpIncrement = SafeDiv(ticksPerSecond, sr);
  v.arpSamplesPerTick = SafeDiv(60 * sr, clockTempo);
  v.barStartPulse = params[P::HostBarStartPulse];
}

bool AtRest(const WaveshaperState& s) {
  return s.previousInput == 0 && s.previousShaped == 0 && s.previousShapedMid == 0 &&
         s.dcInput == 0 && s.dcOutput == 0;
}

void ComputeSlot1(const EngineRecord& record, const double* params, BlockValues& v) {
  const EngineHistory& h = record.history;
  v.slot1 = static_cast<int>(params[P::FXSlot1Selector] + 0.01);
  v.chorusOn = params[P::FXSlot1ChorusOffOn] != 0 && v.slot1 == 2;
  v.chorusWidth = params[P::FXSlot1ChorusBandwidth] * 19.9 + 0.1;
  v.chorusCentre = params[P::FXSlot1ChorusCenter] * 199 + 1;
  v.chorusFeedback = params[P::FXSlot1ChorusFeedback] * 0.7;
  v.chorusRate = params[P::FXSlot1ChorusRate] * 4.5 + 0.5;
  v.flangerOn = params[P::FXSlot1FlangerOffOn] != 0 && v.slot1 == 3;
  v.flangerWidth = params[P::FXSlot1FlangerBandwidth] * 399.9 + 0.1;
  v.flangerCentre = params[P::FXSlot1FlangerCenter] * 390 + 10;
  v.flangerFeedback = params[P::FXSlot1FlangerFeedback] * 0.7;
  v.flangerRate = params[P::FXSlot1FlangerRate] * 0.195 + 0.005;
  // The second LFO of each runs 1.31 times faster.
  v.chorusIncrement[0] = Dsp::LowWord(v.chorusRate * record.chorusLfoA.phaseScale);
  v.chorusIncrement[1] = Dsp::LowWord(v.chorusRate * 1.31 * record.chorusLfoB.phaseScale);
  v.flangerIncrement[0] = Dsp::LowWord(v.flangerRate * record.flangerLfoC.phaseScale);
  v.flangerIncrement[1] = Dsp::LowWord(v.flangerRate * 1.31 * record.flangerLfoD.phaseScale);
  v.tubeOn = params[P::FXSlot1TubeDistOffOn] != 0 && v.slot1 == 4;
  v.tubeShape = params[P::FXSlot1TubeDistLoad] * 5 + 4;
  v.tubePreGain = params[P::FXSlot1TubeDistPreGain] * 4 + 1;
  v.tubePostGain = params[P::FXSlot1TubeDistPostGain];
  v.solidStateOn = params[P::FXSlot1TransistorDistOffOn] != 0 && v.slot1 == 5;
  const double load = params[P::FXSlot1TransistorDistLoad];
  v.solidStateDrive = load * 7.846 + 1.154;
  v.solidStateNormal = std::tanh(v.solidStateDrive);
  v.solidStateLevel = SafePow(load, 0.45) * (-0.2) + 0.9;
  v.solidStatePreGain = params[P::FXSlot1TransistorDistPreGain] * 4 + 1;
  v.solidStatePostGain = params[P::FXSlot1TransistorDistPostGain];
  v.foldbackOn = params[P::FXSlot1FoldbackDistOffOn] != 0 && v.slot1 == 6;
  v.foldbackThreshold = params[P::FXSlot1FoldbackDistThreshold];
  v.foldbackPreGain = params[P::FXSlot1FoldbackDistPreGain] * 4 + 1;
  v.foldbackPostGain = params[P::FXSlot1FoldbackDistPostGain];
  v.bitcrusherOn = params[P::FXSlot1BitcrushDistOffOn] != 0 && v.slot1 >= 7;
  v.bitcrusherLevels = SafePow(2, SafePow(params[P::FXSlot1BitcrushDistBitDepth], 3) * 15 + 1);
  v.bitcrusherPreGain = params[P::FXSlot1BitcrushDistPreGain] * 4 + 1;
  v.bitcrusherPostGain = params[P::FXSlot1BitcrushDistPostGain];
  v.tubeRuns = v.slot1 == 4 || !AtRest(h.tube);
  v.solidStateRuns = v.slot1 == 5 || !AtRest(h.solidState);
  v.foldbackRuns = v.slot1 == 6 || !AtRest(h.foldback);
  v.bitcrusherRuns = v.slot1 >= 7 || !AtRest(h.bitcrusher);
}

void ComputeSlot2(const EngineRecord& record, const double* params, double sr, BlockValues& v) {
  v.slot2 = static_cast<int>(params[P::FXSlot2Selector]);
  v.delayOn = v.slot2 == 2 && params[P::FXSlot2DelayOffOn] != 0;
  const double cutoff = SafePow(2, params[P::FXSlot2DelayCutoff] * 10) * 13.75;
  const double cutoffArgument = sr == 0 ? 0.0 : cutoff * 2 * 3.1415926535898 / sr;
  v.delayCutoff = Clamp(std::sin(std::fmin(cutoffArgument, kHalfPi)), 0.00001, 0.99999);
  v.delayDryWet = params[P::FXSlot2DelayDryWet];
  v.delayFeedback = params[P::FXSlot2DelayFeedback];
  const double beat = SafeDiv(60, params[P::HostTempoBpm]);
  v.delayTime0 = DelayDivision(params[P::FXSlot2DelayTimeDivL]) * beat * sr;
  v.delayTime1 = DelayDivision(params[P::FXSlot2DelayTimeDivR]) * beat * sr;

  v.reverbOn = v.slot2 >= 3 && params[P::FXSlot2ReverbOffOn] != 0;
  v.reverbWidth = params[P::FXSlot2ReverbWidth] * 100;
  v.reverbDry = 1 - params[P::FXSlot2ReverbDryWet];
  v.reverbDecayTime = params[P::FXSlot2ReverbSize] * 19.9 + 0.1;
  v.reverbRoomSize = params[P::FXSlot2ReverbSize] * 50 + 50;
  // Full damping would freeze the damped feedback into a constant; stop just short of it.
  v.reverbDamp = std::fmin(params[P::FXSlot2ReverbDamp], 0.99);
  v.reverbMix = params[P::FXSlot2ReverbDryWet];

  const double decaySamples = v.reverbDecayTime * sr;
  const double g = SafePow(0.001, decaySamples == 0 ? 0.0 : 1 / decaySamples);
  const double room = v.reverbRoomSize * sr * 0.0029411764705882;
  const Dsp::DelayLine* lines = record.lines;
  const double feedbackScale[4] = {1.0, 0.7071, 0.81649, 0.63245};
  const double tapLength[4] = {room * 0.41 + 5, room * 0.155 + 5, room * 0.3 + 5, room + 5};
  for (int i = 0; i < 4; ++i) {
    const double length = i == 0 ? room : room * feedbackScale[i];
    v.reverbFeedbackGain[i] = SafePow(g, length);
    v.reverbFeedbackDelay[i] = Dsp::DelayLine::LimitedDelay(lines[kReverbA + i], length);
    v.reverbTapGain[i] = SafePow(g, tapLength[i]);
    v.reverbTapDelay[i] = Dsp::DelayLine::LimitedDelay(lines[kReverbInputTaps], tapLength[i]);
  }
  const double spread = std::trunc(room * 0.000527);
  const double w = v.reverbWidth;
  const double out0Length[3] = {(159 + 0.125541 * w) * spread,
                                ((931 + 0.376623 * w) - (369 + 0.125541 * w)) * spread,
                                (1341 - (931 + 0.376623 * w)) * spread};
  const double out1Length[3] = {(159 - 0.568366 * w) * spread,
                                ((931 - 0.380445 * w) - (369 - 0.568366 * w)) * spread,
                                (1341 - (931 - 0.380445 * w)) * spread};
  for (int i = 0; i < 3; ++i) {
    v.reverbOut0Delay[i] =
        Dsp::DelayLine::LimitedDelay(lines[kReverbOut0Diffuser1 + i], out0Length[i]);
    v.reverbOut1Delay[i] =
        Dsp::DelayLine::LimitedDelay(lines[kReverbOut1Diffuser1 + i], out1Length[i]);
  }
  v.reverbInputDiffuserDelay =
      Dsp::DelayLine::LimitedDelay(lines[kReverbInputDiffuser], room * 0.110732);
}

}  // namespace

void ComputeBlockValues(const EngineRecord& record, BlockValues& v) {
  const double* params = record.params;
  const double sr = record.workingSampleRate;
  v.sampleRate = sr;
  v.inverseSampleRate = record.inverseSampleRate;
  ComputeVoices(params, sr, v);
  ComputeArpeggiator(params, sr, v);
  ComputeSlot1(record, params, v);
  ComputeSlot2(record, params, sr, v);
}

}  // namespace Engine
