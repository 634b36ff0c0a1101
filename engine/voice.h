// One voice for one sample: gate and envelopes, LFOs, modulation matrix, pitch with glide, bend
// and spread, the two overtone oscillators with noise, and the filter chain.
#pragma once

#include "engine/block_values.h"
#include "engine/engine_record.h"

namespace Engine {

// Values shared by all voices within one sample.
struct SampleValues {
  double spread[kVoiceCount];  // pitch-value offset of each voice
  double oscOffset[2];         // pitch-value offsets of Osc1Pitch and Osc2Pitch
};

// Smooths the eight continuous parameters and derives the per-sample shared values; `sample`
// carries over from the previous sample of the block (prepare it with SampleSetupStart).
// Audio thread; no allocation.
void SampleSetup(EngineRecord& record, const BlockValues& values, SampleValues& sample);
void SampleSetupStart(EngineRecord& record, const BlockValues& values, SampleValues& sample);

// What the first half of a voice's sample hands to its filter stage.
struct VoiceFrame {
  bool sounding;
  double mix;        // oscillators and noise, before the filters
  double cutoff;     // low-pass cutoff in pitch value, limited to [0, 1]
  double amplitude;  // amplitude factor, limited to [0, 1]
};

// First half of a sounding voice's sample: gate, envelopes, LFOs, matrix, pitch, noise and
// oscillators. Audio thread; no allocation.
void SoundingVoiceStep(EngineRecord& record, const BlockValues& values, const SampleValues& sample,
                       int index, double gate, VoiceFrame& frame);

// First half of voice `index`'s sample. A voice is computed while its gate is up or its
// amplitude has not yet fallen to 0; a silent voice only lets its glide follow its note. The
// voices must run in voice order (they share the noise generator). Audio thread; no allocation.
inline void VoiceSourceStep(EngineRecord& record, const BlockValues& values,
                            const SampleValues& sample, int index, double gate, VoiceFrame& frame) {
  VoiceState& voice = record.history.voices[index];
  frame.sounding = gate > 0 || voice.activeLevel > 0;
  if (frame.sounding) {
    SoundingVoiceStep(record, values, sample, index, gate, frame);
    return;
  }
  voice.glidePitch = Dsp::FixDenormal(values.notePitch[index]);
  voice.rateCarry1 = 0.0;
  voice.rateCarry2 = 0.0;
  voice.saturationPreviousInput = 0.0;
  voice.saturationPreviousEdge = 0.0;
  voice.saturationPreviousMid = 0.0;
  voice.activeLevel = 0.0;
}

// Second half: filters, saturation and the amplitude factor; returns the voice's output.
// Independent of the other voices, so the four filter chains can overlap in the processor.
// Audio thread; no allocation.
double FilteredVoiceOutput(EngineRecord& record, const BlockValues& values, int index,
                           const VoiceFrame& frame);

inline double VoiceOutputStep(EngineRecord& record, const BlockValues& values, int index,
                              const VoiceFrame& frame) {
  return frame.sounding ? FilteredVoiceOutput(record, values, index, frame) : 0.0;
}

}  // namespace Engine
