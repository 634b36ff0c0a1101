// Values fixed for one block: read from the parameters once per Perform call and used unchanged
// by every sample of the block.
#pragma once

#include "engine/engine_record.h"

namespace Engine {

struct EnvelopeSettings {
  double attackTime;   // seconds, for a full 0-to-1 attack
  double decayTime;    // seconds, for a full 1-to-0 decay
  double releaseTime;  // seconds, from level 1
  double sustain;
  double decayGrowth;    // growth of the decay's elapsed time per sample
  bool restartFromZero;  // the envelope's retrigger switch is on
};

enum MatrixSource : int { kSourceE1, kSourceE2, kSourceL1, kSourceL2, kSourceMW, kSourceVL };
enum MatrixTarget : int {
  kTargetFC,
  kTargetM1,
  kTargetM2,
  kTargetP1,
  kTargetP2,
  kTargetR1,
  kTargetR2
};
constexpr int kSourceCount = 6;
constexpr int kTargetCount = 7;

// Step pattern of the arpeggiator over the held voices.
enum ArpPattern : int { Up = 0, UpDown = 1, UpTwice = 2, UpDownTwice = 3 };

struct BlockValues {
  double sampleRate;
  double inverseSampleRate;

  // Voices.
  double noteFrequency[kVoiceCount];
  double notePitch[kVoiceCount];  // pitch value of the note, before glide
  double velocity[kVoiceCount];
  double noteGate[kVoiceCount];
  double noteRetrig[kVoiceCount];
  double smoothingCoefficient;
  double spreadTarget;
  bool unisonMode;
  double pitchBend;  // in pitch value
  double glideCoefficient;

  // Envelopes.
  EnvelopeSettings ampEnvelope;
  EnvelopeSettings envelope1;
  EnvelopeSettings envelope2;
  bool retrigArmed;
  double retrigSamples;
  double envelopeFallCoefficient;
  double mainVolume;

  // Modulation: signed amounts (0 for the missing LFO rate entries) and mod-wheel depths.
  double matrixAmount[kSourceCount][kTargetCount];
  double modWheel;
  // Per target, the summed sources whose amount is not 0, in summing order.
  int matrixActiveCount[kTargetCount];
  int matrixTargetCount;  // targets with a summed source, listed in matrixTarget
  int matrixTarget[kTargetCount];
  int matrixActiveSource[kTargetCount][kSourceCount];
  double matrixWheelFactor[kTargetCount];  // 1 - depth (1 - wheel)
  bool lfoUsed[2];                         // some target reads LFO 1 / LFO 2 this block

  // Oscillators and filters.
  int overtoneSet[2];
  double overtoneAlternating[2];
  double overtoneAverage[2];
  double noiseLevel;
  double oscLevel[2];
  double highPassCoefficient;  // G of the one-pole high-pass
  double highPassInverse;      // 1 / (1 + G)
  double keyTrackTerm[kVoiceCount];
  double resonance;

  // Arpeggiator.
  double arpDivider;
  double gateSum;
  double anyGate;
  double heldCount;
  bool arpOn;
  ArpPattern arpPattern;
  double arpIncrement;
  double arpSamplesPerTick;
  double barStartPulse;

  // First effect slot.
  int slot1;
  bool chorusOn;
  double chorusWidth, chorusCentre, chorusFeedback, chorusRate;
  uint32_t chorusIncrement[2];  // phase increments of the chorus LFOs A and B
  bool flangerOn;
  double flangerWidth, flangerCentre, flangerFeedback, flangerRate;
  uint32_t flangerIncrement[2];  // of the flanger LFOs C and D
  bool tubeOn;
  double tubeShape, tubePreGain, tubePostGain;
  bool solidStateOn;
  double solidStateDrive, solidStatePreGain, solidStatePostGain;
  double solidStateNormal;  // tanh of the drive
  double solidStateLevel;   // the load's output level
  bool foldbackOn;
  double foldbackThreshold, foldbackPreGain, foldbackPostGain;
  bool bitcrusherOn;
  double bitcrusherLevels, bitcrusherPreGain, bitcrusherPostGain;
  // A waveshaper runs while it is selected or its memories hold a tail; one that is neither
  // stays at rest for the whole block (its input is 0).
  bool tubeRuns, solidStateRuns, foldbackRuns, bitcrusherRuns;

  // Second effect slot.
  int slot2;
  bool delayOn;
  double delayCutoff, delayDryWet, delayFeedback, delayTime0, delayTime1;
  bool reverbOn;
  double reverbWidth, reverbDry, reverbDecayTime, reverbRoomSize, reverbDamp, reverbMix;
  // Reverb read delays (limited for their lines) and gains.
  double reverbFeedbackDelay[4];  // lines A, B, C, D
  double reverbFeedbackGain[4];
  double reverbTapDelay[4];
  double reverbTapGain[4];
  double reverbOut0Delay[3];  // diffusers E1, E2, E3
  double reverbOut1Delay[3];  // diffusers F1, F2, F3
  double reverbInputDiffuserDelay;
};

// Reads the block's values from the parameters. Audio thread; no allocation.
void ComputeBlockValues(const EngineRecord& record, BlockValues& values);

}  // namespace Engine
