// The engine's whole record: the public header followed by the state only the engine touches.
#pragma once

#include <cstdint>

#include "engine/dsp_primitives.h"
#include "engine/engine_params.h"
#include "engine/synth_engine.h"

namespace Engine {

constexpr int kVoiceCount = 4;
constexpr int kChainCount = 5;

// Voice state is laid out as structure of arrays: every field holds one value per voice (a lane),
// so the voice path loads and stores the four voices of a field at once.
typedef double VoiceLanes[kVoiceCount];

// Stage of an envelope; EnvelopeState keeps it as a double.
enum EnvelopeStage : int { Idle = 0, Attack = 1, Decay = 2, Sustain = 3, Release = 4 };

struct EnvelopeState {
  VoiceLanes elapsed;  // position within the stage, in units of the stage's duration
  VoiceLanes stage;    // EnvelopeStage held as a double
  VoiceLanes level;    // the envelope value of the previous sample
  VoiceLanes attackStart;
  VoiceLanes releaseStart;
  VoiceLanes previousGateForRise;
  VoiceLanes previousGateForFall;
  VoiceLanes smoothed;
};

struct HoldChain {
  VoiceLanes counter;
  VoiceLanes held;
};

// Values derived from the pitch alone, kept while the pitch and overtone set of every voice of a
// lane group stay exactly the same. Reset makes the keys NaN, which matches nothing.
struct OvertoneCache {
  VoiceLanes pitch;  // keys
  VoiceLanes set;
  VoiceLanes frequency;
  VoiceLanes fade;
  VoiceLanes period[kChainCount];
};

struct OvertoneOscState {
  VoiceLanes phase;
  HoldChain chains[kChainCount];
  OvertoneCache cache;
};

// Low-pass weights derived from the cutoff and the resonance, kept like OvertoneCache.
struct LowPassCache {
  VoiceLanes cutoff;  // keys
  VoiceLanes resonance;
  VoiceLanes inputWeight;   // of the filter input in the tanh's argument
  VoiceLanes feedback[4];   // of s1..s4, subtracted in the tanh's argument
  VoiceLanes change[4][4];  // of s1..s4 in the change of each state
  VoiceLanes slope[4];      // of the tanh's output u in the change of each state
  VoiceLanes output[4];     // of s1..s4 in the output
  VoiceLanes outputSlope;   // of u in the output
};

// The phase words of the voices' LFOs (the increment is set anew every sample).
typedef uint64_t VoiceWords[kVoiceCount];

// The VoiceState of the four voices.
struct VoiceState {
  VoiceLanes glidePitch;
  VoiceLanes activeLevel;  // floored amplitude level of the previous sample
  EnvelopeState ampEnvelope;
  EnvelopeState envelope1;
  EnvelopeState envelope2;
  VoiceWords lfo1Phase;
  VoiceWords lfo2Phase;
  VoiceLanes rateCarry1;
  VoiceLanes rateCarry2;
  OvertoneOscState osc1;
  OvertoneOscState osc2;
  VoiceLanes highPassState;
  VoiceLanes dcBlocker1Input;
  VoiceLanes dcBlocker1Output;
  VoiceLanes lowPass[4];  // s1, s2, s3, s4
  LowPassCache lowPassCache;
  VoiceLanes saturationPreviousInput;
  VoiceLanes saturationPreviousEdge;
  VoiceLanes saturationPreviousMid;
  VoiceLanes dcBlocker2Input;
  VoiceLanes dcBlocker2Output;
  VoiceLanes retrigCountdown;
  VoiceLanes previousRetrig;
};

struct SmoothedParams {
  double lfo1Rate;
  double lfo2Rate;
  double osc1Pitch;
  double osc2Pitch;
  double osc1Morph;
  double osc2Morph;
  double lowPassCutoff;
  double spread;
};

struct ArpeggiatorState {
  double clockPhase;
  double previousBarStart;
  double previousSquare;
  double previousDelayedSquare;
  double dividerCounter;
  double previousStepForCounter;
  double previousStepForTimer;
  double stepCounter;
  double gateTimer;
};

struct WaveshaperState {
  double previousInput;
  double previousShaped;
  double previousShapedMid;
  double dcInput;
  double dcOutput;
};

// Delay lines of one effect. Lines that hold nothing but zeros read the same wherever their heads
// stand, so such a group neither steps nor writes; `live` is set once it may hold signal and
// cleared after an inactive effect has written a whole line length of zeros.
struct LineGroup {
  bool live;
  int32_t zeroRun;
};

// Per-sample history of the whole engine; Reset sets all of it to zero.
struct EngineHistory {
  LineGroup chorusLines;
  LineGroup flangerLines;
  LineGroup tempoDelayLines;
  LineGroup reverbLines;
  VoiceState voices;
  SmoothedParams smoothed;
  ArpeggiatorState arpeggiator;
  WaveshaperState tube;
  WaveshaperState solidState;
  WaveshaperState foldback;
  WaveshaperState bitcrusher;
  double delayLowPass0;
  double delayLowPass1;
  double reverbDamping[4];  // hA, hB, hC, hD
};

// LFO of an effect: phase pair plus the constant 2^32 / working sample rate.
struct EffectLfo {
  Dsp::CosineOsc osc;
  double phaseScale;
};

enum DelayLineId : int {
  kChorus0,
  kChorus1,
  kFlanger0,
  kFlanger1,
  kTempoDelay0,
  kTempoDelay1,
  kArpeggiatorClock,
  kReverbA,
  kReverbB,
  kReverbC,
  kReverbD,
  kReverbInputTaps,
  kReverbInputDiffuser,
  kReverbOut0Diffuser1,
  kReverbOut0Diffuser2,
  kReverbOut0Diffuser3,
  kReverbOut1Diffuser1,
  kReverbOut1Diffuser2,
  kReverbOut1Diffuser3,
  kDelayLineCount
};

// The reverb reads its lines 15 times a sample and writes each of them once.
constexpr int kReverbReads = 15;
constexpr int kReverbLines = kReverbOut1Diffuser3 - kReverbA + 1;

// Pitch offsets that only change with their smoothed values; they carry over from sample to
// sample.
struct SampleOffsets {
  double spread[kVoiceCount];  // pitch-value offset of each voice
  double oscOffset[2];         // pitch-value offsets of Osc1Pitch and Osc2Pitch
};

// What the voices share within one sample: their gates (arpeggiator) and the smoothed values.
struct SampleFrame {
  double gate[kVoiceCount];
  SampleOffsets offsets;
  double lfo1Rate;
  double lfo2Rate;
  double osc1Morph;
  double osc2Morph;
  double lowPassCutoff;
};

// What the voice path's control stage hands on to the oscillators and filters for one sample.
struct VoiceTrack {
  VoiceWords sounding;  // all bits set for a voice being computed
  VoiceLanes oscPitch[2];
  VoiceLanes oscMorph[2];
  VoiceLanes noise;
  VoiceLanes cutoff;
  VoiceLanes amplitude;  // amplitude factor, limited to [0, 1]
  VoiceLanes mix;        // oscillators and noise, before the filters
  VoiceLanes lowPass;    // low-pass output, before the saturation
};

struct EngineRecord;
struct BlockValues;

// Renders the voices of `count` samples and writes the sum of the four voice outputs of each
// sample to `sums` (engine/voice.h).
typedef void (*VoiceRenderer)(EngineRecord& record, const BlockValues& values,
                              const SampleFrame* frames, int32_t count, double* sums);

enum class Shaper;

// Shapes `count` points with a waveshaper's curve (engine/waveshapes.h).
typedef void (*PointShaper)(const BlockValues& values, Shaper shaper, const double* points,
                            int32_t count, double* shaped);

// The functions of the build of the voice path an engine uses.
struct LanePath {
  VoiceRenderer renderVoices;
  PointShaper shapePoints;
};

// Samples rendered per pass of the block loop: the shared values of each, then the voices of
// all of them, then the effects of each.
constexpr int32_t kFramesPerPass = 64;

// Working memory of the second effect slot over one pass.
struct Slot2Memory {
  double delayOut[2][kFramesPerPass];  // the tempo delay's outputs
  double reverbIn[2][kFramesPerPass];  // the reverb's inputs, then its outputs
  double read[kReverbReads][kFramesPerPass];
  double feedback[4][kFramesPerPass];  // damped
  double write[kReverbLines][kFramesPerPass];
};

struct EngineRecord : SynthEngineState {
  int32_t errorCode;
  bool memoryMissing;
  int32_t workingBlockSize;
  double workingSampleRate;
  double params[EngineParam::kCount];
  EngineHistory history;
  Dsp::DelayLine lines[kDelayLineCount];
  EffectLfo chorusLfoA;
  EffectLfo chorusLfoB;
  EffectLfo flangerLfoC;
  EffectLfo flangerLfoD;
  double oscPhaseScale;  // 2^32 / working sample rate for the voices' LFOs
  Dsp::CosineTable cosineTable;
  double inverseSampleRate;
  uint32_t noiseSeed;
  LanePath path;  // the build of the voice path chosen at creation
  SampleFrame frames[kFramesPerPass];
  bool framesRepeat;  // every frame of the pass equals the first
  VoiceTrack tracks[kFramesPerPass];
  VoiceState silentVoices;  // the state of voices silent for a whole pass, kept aside during it
  double voiceSums[kFramesPerPass];        // scaled for the first effect slot
  double shaperPoints[kFramesPerPass][2];  // the active waveshaper's points of each sample
  double shapedPoints[kFramesPerPass][2];  // and the same shaped
  Slot2Memory slot2;
};

// The record behind a header handed out by Create. Any thread; no allocation.
inline EngineRecord* Record(SynthEngineState* state) {
  return static_cast<EngineRecord*>(state);
}

}  // namespace Engine
