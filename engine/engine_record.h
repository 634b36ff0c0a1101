// The engine's whole record: the public header followed by the state only the engine touches.
#pragma once

#include <cstdint>

#include "engine/dsp_primitives.h"
#include "engine/engine_params.h"
#include "engine/synth_engine.h"

namespace Engine {

constexpr int kVoiceCount = 4;
constexpr int kChainCount = 5;

// Stage of an envelope; EnvelopeState keeps it as a double.
enum EnvelopeStage : int { Idle = 0, Attack = 1, Decay = 2, Sustain = 3, Release = 4 };

struct EnvelopeState {
  double elapsed;  // position within the stage, in units of the stage's duration
  double stage;    // EnvelopeStage held as a double
  double level;    // the envelope value of the previous sample
  double attackStart;
  double releaseStart;
  double previousGateForRise;
  double previousGateForFall;
  double smoothed;
};

struct HoldChain {
  double counter;
  double held;
};

// Values derived from the pitch alone, kept while the pitch and overtone set stay exactly the same.
struct OvertoneCache {
  bool valid;
  int set;
  double pitch;
  double frequency;
  double fade;
  double period[kChainCount];
  bool morphValid;
  double morph;
  int morphSegment;
  double morphFirst;
  double morphSecond;
};

struct OvertoneOscState {
  double phase;
  HoldChain chains[kChainCount];
  OvertoneCache cache;
};

// Low-pass coefficients derived from g and the resonance, kept while both stay exactly the same.
struct LowPassCache {
  bool valid;
  double cutoff;
  double resonance;
  double g;
  double inverseD;
  double G4;
  double inverseLoop;
  double b[4];   // weights of s1..s4 in B
  double n1[5];  // weights of u, s1..s4 in N1
  double n2[5];
  double n3[5];
};

struct VoiceState {
  double glidePitch;
  double activeLevel;  // floored amplitude level of the previous sample
  EnvelopeState ampEnvelope;
  EnvelopeState envelope1;
  EnvelopeState envelope2;
  Dsp::CosineOsc lfo1;
  Dsp::CosineOsc lfo2;
  double rateCarry1;
  double rateCarry2;
  OvertoneOscState osc1;
  OvertoneOscState osc2;
  double highPassState;
  double dcBlocker1Input;
  double dcBlocker1Output;
  double lowPass[4];  // s1, s2, s3, s4
  LowPassCache lowPassCache;
  double saturationPreviousInput;
  double saturationPreviousEdge;
  double saturationPreviousMid;
  double dcBlocker2Input;
  double dcBlocker2Output;
  double retrigCountdown;
  double previousRetrig;
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
  VoiceState voices[kVoiceCount];
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
};

// The record behind a header handed out by Create. Any thread; no allocation.
inline EngineRecord* Record(SynthEngineState* state) {
  return static_cast<EngineRecord*>(state);
}

}  // namespace Engine
