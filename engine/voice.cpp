#include "engine/voice.h"

#include "engine/envelope.h"
#include "engine/lane_math.h"
#include "engine/lanes.h"
#include "engine/overtone_osc.h"
#include "engine/voice_filter.h"

namespace Engine {
namespace TOVALUNE_LANES {
namespace {

// Scales of the matrix entries, by source (E1, E2, L1, L2, MW, VL) and target.
constexpr double kMatrixScale[kSourceCount][kTargetCount] = {
    {1, 1, 1, 0.02, 0.02, 1, 1},     {1, 1, 1, 0.1, 0.1, 1, 1}, {1, 0.5, 0.5, 0.01, 0.01, 0, 0},
    {1, 0.5, 0.5, 0.01, 0.01, 0, 0}, {0, 0, 0, 0, 0, 0, 0},     {1, 1, 1, 0.05, 0.05, 1, 1},
};

// Advances the LFOs of the group by one sample; their values are read only when the matrix uses
// them this block.
template <class Group>
Lanes LfoStep(uint64_t* phaseWords, Lanes rate, double phaseScale, const double* table, bool used,
              const Group& g) {
  const Lanes r = Clamp(rate, 0.0, 1.0);
  const Lanes frequency = r * r * r * 29.98 + 0.02;
  const LaneWords phase = g.GetWords(phaseWords);
  g.SetWords(phaseWords, (phase + LowWord(frequency * phaseScale)) & 0xFFFFFFFFu);
  if (!used) return Splat(0.0);
  return Clamp(CosineAt(phase, table), -1.0, 1.0);
}

struct Modulation {
  Lanes target[kTargetCount];
};

Modulation MatrixStep(const BlockValues& v, const Lanes sources[kSourceCount]) {
  Modulation result;
  for (Lanes& target : result.target)
    target = Splat(0.0);
  for (int t = 0; t < v.matrixTargetCount; ++t) {
    const int target = v.matrixTarget[t];
    const int count = v.matrixActiveCount[target];
    Lanes sum = Splat(0.0);
    for (int i = 0; i < count; ++i) {
      const int source = v.matrixActiveSource[target][i];
      sum += v.matrixAmount[source][target] * sources[source] * kMatrixScale[source][target];
    }
    result.target[target] = Clamp(sum, -1.0, 1.0) * v.matrixWheelFactor[target];
  }
  return result;
}

// The noise generator's seed n draws later is multiplier s + increment (modulo 2^32).
struct NoiseJump {
  uint64_t multiplier;
  uint64_t increment;
};

constexpr NoiseJump JumpAhead(int draws) {
  uint32_t multiplier = 1, increment = 0;
  for (int i = 0; i < draws; ++i) {
    multiplier *= 1664525u;
    increment = increment * 1664525u + 1013904223u;
  }
  return {multiplier, increment};
}

// For every set of sounding lanes (a mask), the jump from the group's first seed to the seed of
// each sounding lane's draw: the k-th sounding lane takes the k-th draw.
struct NoiseDraws {
  uint64_t multiplier[1 << kLaneCount][kLaneCount];
  uint64_t increment[1 << kLaneCount][kLaneCount];
  NoiseJump group[1 << kLaneCount];  // past the draws of all sounding lanes
};

constexpr NoiseDraws MakeNoiseDraws() {
  NoiseDraws draws{};
  for (int mask = 0; mask < 1 << kLaneCount; ++mask) {
    int drawn = 0;
    for (int lane = 0; lane < kLaneCount; ++lane) {
      if (!(mask >> lane & 1)) continue;
      ++drawn;
      draws.multiplier[mask][lane] = JumpAhead(drawn).multiplier;
      draws.increment[mask][lane] = JumpAhead(drawn).increment;
    }
    draws.group[mask] = JumpAhead(drawn);
  }
  return draws;
}

constexpr NoiseDraws kNoiseDraws = MakeNoiseDraws();

// The voices draw from the one noise generator in voice order, and only while they sound; every
// draw is NextNoise (engine/dsp_primitives.h) times 0.3, computed for all lanes at once. Lanes
// that do not sound get a value they never use.
template <class Group>
Lanes Noise(uint32_t& seed, const Group& g) {
  const int sounding = MaskBits(g.live);
  const LaneWords drawn =
      (MultiplyLow32(LoadLanes<LaneWords>(kNoiseDraws.multiplier[sounding]), seed) +
       LoadLanes<LaneWords>(kNoiseDraws.increment[sounding])) &
      0xFFFFFFFFu;
  const NoiseJump& jump = kNoiseDraws.group[sounding];
  seed = static_cast<uint32_t>(jump.multiplier * seed + jump.increment);
  // The float in [1, 2) with the seed's low 23 bits as its fraction, as a double; 2 x - 3 of it
  // is exact in single and in double precision alike.
  const Lanes unit = FromBits(((drawn & 0x7FFFFFu) << 29) | Bits(Splat(1.0)));
  return (unit * 2.0 - 3.0) * 0.3;
}

// The control stage of one sample for the sounding voices of a group (the others' states stay
// as they are): gate, envelopes, LFOs, matrix, pitch and noise. What the oscillators and filters
// need goes to the sample's track.
template <class Group>
void SoundingVoicesControl(EngineRecord& record, const BlockValues& v, const SampleFrame& frame,
                           Lanes gate, const Group& g, VoiceTrack& track) {
  VoiceState& voices = record.history.voices;
  const double sr = v.sampleRate;
  const double* table = record.cosineTable.entries;

  // Effective gate: a changed retrigger value forces the gate off for one millisecond.
  const Lanes retrig = g.Get(v.noteRetrig);
  Lanes countdown = g.Get(voices.retrigCountdown);
  if (v.retrigArmed) {
    countdown = Select(retrig != g.Get(voices.previousRetrig), Splat(v.retrigSamples), countdown);
  }
  g.Set(voices.previousRetrig, retrig);
  const LaneMask gap = countdown > 0.0;
  const Lanes effectiveGate = Select(gap, Splat(0.0), gate);
  g.Set(voices.retrigCountdown, Select(gap, countdown - 1.0, countdown));

  const Lanes ampRaw = EnvelopeStep(voices.ampEnvelope, v.ampEnvelope, effectiveGate, sr, g);
  const Lanes amplitude =
      SmoothEnvelope(voices.ampEnvelope, v.mainVolume * ampRaw, v.envelopeFallCoefficient, g);

  const Lanes lfo1 = LfoStep(voices.lfo1Phase, frame.lfo1Rate + g.Get(voices.rateCarry1),
                             record.oscPhaseScale, table, v.lfoUsed[0], g);
  const Lanes lfo2 = LfoStep(voices.lfo2Phase, frame.lfo2Rate + g.Get(voices.rateCarry2),
                             record.oscPhaseScale, table, v.lfoUsed[1], g);

  const Lanes env1Raw = EnvelopeStep(voices.envelope1, v.envelope1, effectiveGate, sr, g);
  const Lanes env1 = SmoothEnvelope(voices.envelope1, env1Raw, v.envelopeFallCoefficient, g);
  const Lanes env2Raw = EnvelopeStep(voices.envelope2, v.envelope2, effectiveGate, sr, g);
  const Lanes env2 = SmoothEnvelope(voices.envelope2, env2Raw, v.envelopeFallCoefficient, g);

  const Lanes velocity = g.Get(v.velocity);
  Lanes sources[kSourceCount];
  sources[kSourceE1] = Clamp(env1, -1.0, 1.0);
  sources[kSourceE2] = Clamp(env2, -1.0, 1.0);
  sources[kSourceL1] = lfo1;
  sources[kSourceL2] = lfo2;
  sources[kSourceMW] = Splat(v.modWheel);
  sources[kSourceVL] = Clamp(velocity * 0.00787, -1.0, 1.0);
  const Modulation mod = MatrixStep(v, sources);

  // Pitch: glide toward the note, then bend and spread; each oscillator adds its own offset.
  const Lanes glidePitch = g.Get(voices.glidePitch);
  const Lanes glide = glidePitch + (g.Get(v.notePitch) - glidePitch) * v.glideCoefficient;
  const Lanes base = g.Get(frame.offsets.spread) + v.pitchBend + glide;
  g.Put(track.noise, Noise(record.noiseSeed, g));
  for (int osc = 0; osc < 2; ++osc) {
    const Lanes offset = base + mod.target[kTargetP1 + osc] + frame.offsets.oscOffset[osc];
    g.Put(track.oscPitch[osc], Clamp(offset, 0.0, 1.0));
  }
  g.Put(track.oscMorph[0], frame.osc1Morph + mod.target[kTargetM1]);
  g.Put(track.oscMorph[1], frame.osc2Morph + mod.target[kTargetM2]);
  g.Put(track.cutoff,
        Clamp(frame.lowPassCutoff + g.Get(v.keyTrackTerm) + mod.target[kTargetFC], 0.0, 1.0));
  // Velocity reaches loudness only through the matrix; here it only gates.
  const Lanes velocityGate = Select(velocity > 0.0, Splat(1.0), velocity);
  g.Put(track.amplitude, Clamp(velocityGate * amplitude, 0.0, 1.0));

  g.Set(voices.glidePitch, FixDenormal(glide));
  g.Set(voices.rateCarry1, FixDenormal(mod.target[kTargetR1]));
  g.Set(voices.rateCarry2, FixDenormal(mod.target[kTargetR2]));
  g.Set(voices.activeLevel, amplitude);
}

// A silent voice only lets its glide follow its note; its rate carries and level are 0.
void ParkSilentVoices(VoiceState& voices, const BlockValues& v, const SomeLanes& silent) {
  silent.Set(voices.glidePitch, FixDenormal(silent.Get(v.notePitch)));
  double* const cleared[] = {voices.rateCarry1, voices.rateCarry2, voices.activeLevel};
  for (double* field : cleared)
    silent.Set(field, Splat(0.0));
}

// A silent voice forgets its saturation history.
void ClearSilentSaturation(VoiceState& voices, const SomeLanes& silent) {
  double* const cleared[] = {voices.saturationPreviousInput, voices.saturationPreviousEdge,
                             voices.saturationPreviousMid};
  for (double* field : cleared)
    silent.Set(field, Splat(0.0));
}

// The voices first .. first + kLaneCount - 1 in one pass. Voices silent for the whole pass are
// parked once at its start and get all their state back at its end, so in between their lanes
// are computed along with the others whenever the others all sound, and stored without a mask.
struct GroupPass {
  int first;
  LaneWords silentWords;  // MaskWords of the silent lanes

  LaneMask Silent() const { return MaskOf(silentWords); }
};

// Runs `step` on the group's voices that sound in a sample with the group type that fits;
// not at all when none sounds.
template <class Step>
void ForSoundingVoices(const GroupPass& pass, LaneMask sounding, Step step) {
  if (MaskBits(sounding) == 0) return;
  if (MaskBits(sounding | pass.Silent()) == kAllLanes) {
    step(EveryLane{pass.first, sounding});
  } else {
    step(SomeLanes{pass.first, sounding});
  }
}

// The voices that stopped sounding during the pass (the others sound or are silent throughout).
inline LaneMask Stopped(const GroupPass& pass, LaneMask sounding) {
  return ~sounding & ~pass.Silent();
}

// The control stage of one sample of the group. A voice is computed while its gate is up or its
// amplitude has not yet fallen to 0.
void VoiceGroupControl(EngineRecord& record, const BlockValues& v, const SampleFrame& frame,
                       const GroupPass& pass, VoiceTrack& track) {
  VoiceState& voices = record.history.voices;
  const Lanes gate = Load(frame.gate + pass.first);
  const LaneMask sounding =
      ((gate > 0.0) | (Load(voices.activeLevel + pass.first) > 0.0)) & ~pass.Silent();
  StoreLanes(track.sounding + pass.first, MaskWords(sounding));
  const LaneMask stopped = Stopped(pass, sounding);
  if (MaskBits(stopped) != 0) ParkSilentVoices(voices, v, SomeLanes{pass.first, stopped});
  ForSoundingVoices(pass, sounding, [&](const auto& g) {
    SoundingVoicesControl(record, v, frame, gate, g, track);
  });
}

// Everything the control stage keeps from sample to sample but the LFO phases.
constexpr int kControlFields = 6 + 3 * 8;

void ControlFields(VoiceState& voices, double* fields[kControlFields]) {
  double* const own[] = {voices.glidePitch, voices.activeLevel,     voices.rateCarry1,
                         voices.rateCarry2, voices.retrigCountdown, voices.previousRetrig};
  EnvelopeState* const envelopes[] = {&voices.ampEnvelope, &voices.envelope1, &voices.envelope2};
  int n = 0;
  for (double* field : own)
    fields[n++] = field;
  for (EnvelopeState* e : envelopes) {
    double* const envelopeFields[] = {e->elapsed,
                                      e->stage,
                                      e->level,
                                      e->attackStart,
                                      e->releaseStart,
                                      e->previousGateForRise,
                                      e->previousGateForFall,
                                      e->smoothed};
    for (double* field : envelopeFields)
      fields[n++] = field;
  }
}

// The control state of a group before a sample, to see whether the sample changed it.
struct ControlSnapshot {
  Lanes fields[kControlFields];
};

void TakeSnapshot(VoiceState& voices, int first, ControlSnapshot& snapshot) {
  double* fields[kControlFields];
  ControlFields(voices, fields);
  for (int i = 0; i < kControlFields; ++i)
    snapshot.fields[i] = Load(fields[i] + first);
}

// Compares the voices that are not silent for the whole pass.
bool SameAsSnapshot(VoiceState& voices, const GroupPass& pass, const ControlSnapshot& snapshot) {
  double* fields[kControlFields];
  ControlFields(voices, fields);
  LaneWords differ = {};
  for (int i = 0; i < kControlFields; ++i)
    differ |= Bits(Load(fields[i] + pass.first)) ^ Bits(snapshot.fields[i]);
  differ &= MaskWords(~pass.Silent());
  for (int lane = 0; lane < kLaneCount; ++lane) {
    if (differ[lane] != 0) return false;
  }
  return true;
}

// A later sample of a group whose control stage left its state as it found it, with the same
// inputs every sample and no LFO to read: it computes the values of the sample before, so they
// are copied; only the noise is drawn anew and the LFO phases of its sounding voices move on (its
// silent voices are parked already).
template <class Group>
void SteadyVoicesControl(EngineRecord& record, const SampleFrame& frame, const Group& g,
                         const VoiceTrack& before, VoiceTrack& track) {
  VoiceState& voices = record.history.voices;
  const double* table = record.cosineTable.entries;
  LfoStep(voices.lfo1Phase, frame.lfo1Rate + g.Get(voices.rateCarry1), record.oscPhaseScale, table,
          false, g);
  LfoStep(voices.lfo2Phase, frame.lfo2Rate + g.Get(voices.rateCarry2), record.oscPhaseScale, table,
          false, g);
  StoreLanes(track.sounding + g.first, LoadLanes<LaneWords>(before.sounding + g.first));
  for (int osc = 0; osc < 2; ++osc) {
    g.Put(track.oscPitch[osc], g.Get(before.oscPitch[osc]));
    g.Put(track.oscMorph[osc], g.Get(before.oscMorph[osc]));
  }
  g.Put(track.cutoff, g.Get(before.cutoff));
  g.Put(track.amplitude, g.Get(before.amplitude));
  g.Put(track.noise, Noise(record.noiseSeed, g));
}

// The lanes of the group whose voices sound nowhere in the pass: no gate up and no level left.
LaneMask SilentForThePass(const EngineRecord& record, const SampleFrame* frames, int32_t count,
                          int first) {
  LaneMask sounding = Load(record.history.voices.activeLevel + first) > 0.0;
  for (int32_t i = 0; i < count; ++i)
    sounding |= Load(frames[i].gate + first) > 0.0;
  return ~sounding;
}

// The voice state is nothing but fields of one value per voice.
static_assert(sizeof(VoiceState) % sizeof(VoiceLanes) == 0);
constexpr int kVoiceFields = sizeof(VoiceState) / sizeof(VoiceLanes);

// Copies the group's lanes of every voice field (SomeLanes copies only the live ones).
template <class Group>
void CopyVoiceLanes(const VoiceState& from, VoiceState& to, const Group& g) {
  const auto* source = reinterpret_cast<const unsigned char*>(&from);
  auto* target = reinterpret_cast<unsigned char*>(&to);
  for (int field = 0; field < kVoiceFields; ++field) {
    const size_t offset = field * sizeof(VoiceLanes);
    g.Set(reinterpret_cast<double*>(target + offset),
          g.Get(reinterpret_cast<const double*>(source + offset)));
  }
}

// The oscillator stage of one sample: both oscillators and the noise mixed.
void VoiceGroupOscillators(EngineRecord& record, const BlockValues& v, VoiceTrack& track,
                           const GroupPass& pass) {
  VoiceState& voices = record.history.voices;
  const double* table = record.cosineTable.entries;
  ForSoundingVoices(pass, LoadMask(track.sounding + pass.first), [&](const auto& g) {
    const OvertoneInputs osc1In{g.Get(track.oscPitch[0]), g.Get(track.oscMorph[0]),
                                v.overtoneSet[0], v.overtoneAlternating[0], v.overtoneAverage[0]};
    const Lanes osc1 =
        OvertoneOscStep(voices.osc1, osc1In, table, v.sampleRate, v.inverseSampleRate, g);
    const OvertoneInputs osc2In{g.Get(track.oscPitch[1]), g.Get(track.oscMorph[1]),
                                v.overtoneSet[1], v.overtoneAlternating[1], v.overtoneAverage[1]};
    const Lanes osc2 =
        OvertoneOscStep(voices.osc2, osc2In, table, v.sampleRate, v.inverseSampleRate, g);
    g.Put(track.mix,
          v.noiseLevel * g.Get(track.noise) + v.oscLevel[1] * osc2 + v.oscLevel[0] * osc1);
  });
}

// The low-pass stage of one sample: high-pass, DC blocker and the resonant low-pass.
void VoiceGroupLowPass(EngineRecord& record, const BlockValues& v, VoiceTrack& track,
                       const GroupPass& pass) {
  ForSoundingVoices(pass, LoadMask(track.sounding + pass.first), [&](const auto& g) {
    const FilterInputs in{v.highPassCoefficient, v.highPassInverse, g.Get(track.cutoff),
                          v.resonance, v.sampleRate};
    g.Put(track.lowPass, VoiceLowPassStep(record.history.voices, in, g.Get(track.mix), g));
  });
}

// The output stage of one sample: saturation, DC blocker and the amplitude factor. Adds the
// outputs of the group's voices, in voice order, to the sum (a silent voice adds 0).
void VoiceGroupOutput(EngineRecord& record, const VoiceTrack& track, const GroupPass& pass,
                      double& sum) {
  VoiceState& voices = record.history.voices;
  const LaneMask sounding = LoadMask(track.sounding + pass.first);
  const LaneMask stopped = Stopped(pass, sounding);
  if (MaskBits(stopped) != 0) ClearSilentSaturation(voices, SomeLanes{pass.first, stopped});
  Lanes out = Splat(0.0);
  ForSoundingVoices(pass, sounding, [&](const auto& g) {
    const Lanes shaped = VoiceSaturationStep(voices, g.Get(track.lowPass), g);
    out = Select(g.live, g.Get(track.amplitude) * shaped * 0.9 * 0.5, Splat(0.0));
  });
  for (int lane = 0; lane < kLaneCount; ++lane)
    sum += out[lane];
}

}  // namespace

// The voices run in three stages over all samples of the pass: control (sample by sample, the
// voices in order, as they share the noise generator), then the oscillators, then the filters of
// each group. Each stage carries only its own state from sample to sample, so the processor can
// work on several samples of a stage at once; the saturation fills the time the low-pass of the
// same loop waits for its tanh.
__attribute__((flatten)) void RenderVoices(EngineRecord& record, const BlockValues& values,
                                           const SampleFrame* frames, int32_t count, double* sums) {
  constexpr int kGroupCount = kVoiceCount / kLaneCount;
  VoiceState& voices = record.history.voices;
  VoiceTrack* tracks = record.tracks;
  // Voices silent for the whole pass are parked once (the same values every sample); a group
  // with some keeps their state aside, and a group of nothing but silent ones is quiet.
  GroupPass passes[kGroupCount];
  bool quiet[kGroupCount];
  for (int group = 0; group < kGroupCount; ++group) {
    GroupPass& pass = passes[group];
    pass.first = group * kLaneCount;
    pass.silentWords = MaskWords(SilentForThePass(record, frames, count, pass.first));
    const int silentLanes = MaskBits(pass.Silent());
    quiet[group] = silentLanes == kAllLanes;
    if (silentLanes == 0) continue;
    const SomeLanes silent{pass.first, pass.Silent()};
    ParkSilentVoices(voices, values, silent);
    ClearSilentSaturation(voices, silent);
    if (!quiet[group]) CopyVoiceLanes(voices, record.silentVoices, EveryLane{pass.first, {}});
  }
  // A group whose first sample leaves its control state unchanged, with repeating frames and no
  // LFO read, is steady for the rest of the pass: the same voices sound throughout.
  const bool mayBeSteady = !values.lfoUsed[0] && !values.lfoUsed[1] && record.framesRepeat;
  bool steady[kGroupCount] = {};
  for (int32_t i = 0; i < count; ++i) {
    sums[i] = 0.0;
    for (int group = 0; group < kGroupCount; ++group) {
      const GroupPass& pass = passes[group];
      if (quiet[group]) continue;
      if (steady[group]) {
        const LaneMask sounding = LoadMask(tracks[i - 1].sounding + pass.first);
        ForSoundingVoices(pass, sounding, [&](const auto& g) {
          SteadyVoicesControl(record, frames[i], g, tracks[i - 1], tracks[i]);
        });
        continue;
      }
      ControlSnapshot before;
      if (mayBeSteady && i == 0) TakeSnapshot(voices, pass.first, before);
      VoiceGroupControl(record, values, frames[i], pass, tracks[i]);
      steady[group] = mayBeSteady && i == 0 && SameAsSnapshot(voices, pass, before);
    }
  }
  for (int group = 0; group < kGroupCount; ++group) {
    if (quiet[group]) continue;
    for (int32_t i = 0; i < count; ++i)
      VoiceGroupOscillators(record, values, tracks[i], passes[group]);
  }
  for (int group = 0; group < kGroupCount; ++group) {
    for (int32_t i = 0; i < count; ++i) {
      if (quiet[group]) {
        for (int lane = 0; lane < kLaneCount; ++lane)
          sums[i] += 0.0;  // a silent voice adds 0
        continue;
      }
      VoiceGroupLowPass(record, values, tracks[i], passes[group]);
      VoiceGroupOutput(record, tracks[i], passes[group], sums[i]);
    }
    const GroupPass& pass = passes[group];
    if (!quiet[group] && MaskBits(pass.Silent()) != 0)
      CopyVoiceLanes(record.silentVoices, voices, SomeLanes{pass.first, pass.Silent()});
  }
}

}  // namespace TOVALUNE_LANES
}  // namespace Engine
