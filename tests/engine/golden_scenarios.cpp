#include "tests/engine/golden_scenarios.h"

#include <algorithm>

namespace EngineTest {
namespace {

namespace P = EngineParam;

std::vector<ParamChange> Note(int32_t frame, int voice, double note, double velocity = 100) {
  return {{frame, P::VoiceParam(voice, P::NoteNumber), note},
          {frame, P::VoiceParam(voice, P::NoteVelocity), velocity},
          {frame, P::VoiceParam(voice, P::NoteGate), 1.0}};
}

ParamChange Off(int32_t frame, int voice) {
  return {frame, P::VoiceParam(voice, P::NoteGate), 0.0};
}

GoldenScenario Make(const char* name, int32_t frames, std::vector<ParamChange> settings,
                    std::vector<std::vector<ParamChange>> notes, double sampleRate = 44100,
                    int32_t blockSize = 64) {
  GoldenScenario scenario{name, sampleRate, frames, blockSize, std::move(settings)};
  for (auto& group : notes) {
    scenario.changes.insert(scenario.changes.end(), group.begin(), group.end());
  }
  std::stable_sort(scenario.changes.begin(), scenario.changes.end(),
                   [](const ParamChange& a, const ParamChange& b) { return a.frame < b.frame; });
  return scenario;
}

std::vector<GoldenScenario> BuildScenarios() {
  std::vector<GoldenScenario> list;
  list.push_back(Make("poly_default", 4096, {},
                      {Note(0, 0, 60),
                       Note(128, 1, 64),
                       Note(256, 2, 67),
                       {Off(2048, 0)},
                       {Off(2048, 1)},
                       {Off(3072, 2)}}));
  // Long enough for the reverb's feedback lines (the shortest about 4300 samples here) to come
  // round to the output several times.
  list.push_back(Make("chorus_reverb", 16384,
                      {{0, P::FXSlot1Selector, 2},
                       {0, P::FXSlot1ChorusOffOn, 1},
                       {0, P::FXSlot1ChorusRate, 0.8},
                       {0, P::FXSlot2Selector, 3},
                       {0, P::FXSlot2ReverbOffOn, 1},
                       {0, P::FXSlot2ReverbSize, 0.05},
                       {0, P::FXSlot2ReverbDryWet, 0.7},
                       {0, P::FXSlot2ReverbWidth, 0.8}},
                      {Note(0, 0, 57), Note(0, 1, 64), {Off(1024, 0)}, {Off(1024, 1)}}));
  list.push_back(Make("flanger_delay", 4096,
                      {{0, P::FXSlot1Selector, 3},
                       {0, P::FXSlot1FlangerOffOn, 1},
                       {0, P::FXSlot1FlangerFeedback, 0.9},
                       {0, P::FXSlot1FlangerCenter, 0.1},
                       {0, P::FXSlot2Selector, 2},
                       {0, P::FXSlot2DelayOffOn, 1},
                       {0, P::HostTempoBpm, 1000},
                       {0, P::FXSlot2DelayTimeDivR, 1},
                       {0, P::FXSlot2DelayFeedback, 0.8},
                       {0, P::FXSlot2DelayCutoff, 0.7}},
                      {Note(0, 0, 72), {Off(512, 0)}}));
  list.push_back(Make("tube_and_solid_state", 4096,
                      {{0, P::FXSlot1Selector, 4},
                       {0, P::FXSlot1TubeDistOffOn, 1},
                       {0, P::FXSlot1TubeDistLoad, 0.2},
                       {0, P::FXSlot1TubeDistPreGain, 0.9},
                       {0, P::FXSlot1TransistorDistOffOn, 1},
                       {2048, P::FXSlot1Selector, 5},
                       {2048, P::FXSlot1TransistorDistLoad, 0.7}},
                      {Note(0, 0, 48), Note(0, 1, 55)}));
  list.push_back(Make("foldback_and_bitcrusher", 4096,
                      {{0, P::FXSlot1Selector, 6},
                       {0, P::FXSlot1FoldbackDistOffOn, 1},
                       {0, P::FXSlot1FoldbackDistThreshold, 0.2},
                       {0, P::FXSlot1FoldbackDistPreGain, 1},
                       {0, P::FXSlot1BitcrushDistOffOn, 1},
                       {2048, P::FXSlot1Selector, 7},
                       {2048, P::FXSlot1BitcrushDistBitDepth, 0.3}},
                      {Note(0, 0, 50), Note(0, 2, 62)}));
  list.push_back(Make("arpeggiator_updown", 8192,
                      {{0, P::ArpeggiatorMode, 0.5},
                       {0, P::HostTempoBpm, 600},
                       {0, P::ArpeggiatorBpmDivider, 0.3},
                       {0, P::EnvAmpRelease, 0.05}},
                      {Note(0, 0, 60), Note(0, 1, 64), Note(0, 3, 67), {Off(6000, 1)}}));
  list.push_back(Make("matrix_and_overtones", 4096,
                      {{0, P::ModMatrixL1P1, 0.9},
                       {0, P::ModMatrixE2FC, 0.1},
                       {0, P::ModMatrixVLM1, 0.8},
                       {0, P::ModMatrixE1R1, 1.0},
                       {0, P::ModMatrixMWFC, 0.5},
                       {0, P::ModWheel, 0.4},
                       {0, P::ModMatrixL2M2, 0.2},
                       {0, P::ModMatrixVLR2, 0.7},
                       {0, P::Osc1OvertonesCoeff, 0.65},
                       {0, P::Osc1OvertonesMath, 0.1},
                       {0, P::Osc2OvertonesCoeff, 1.0},
                       {0, P::Osc2OvertonesMath, 0.9},
                       {0, P::Osc2OvertonesMorph, 0.6},
                       {0, P::Osc2Pitch, 0.8},
                       {0, P::Env2Decay, 0.2},
                       {0, P::Env2Sustain, 0.3},
                       {0, P::Lfo1Rate, 0.9}},
                      {Note(0, 0, 45, 90), Note(0, 1, 81, 30)}));
  list.push_back(Make("unison_spread_glide", 4096,
                      {{0, P::VoiceModeMonoUniPoly, 0.5},
                       {0, P::VoiceSpreadAmt, 1.0},
                       {0, P::PitchGlideAmt, 0.3},
                       {0, P::PitchBend, -0.5},
                       {1024, P::PitchBend, 0.25}},
                      {Note(0, 0, 52),
                       Note(0, 1, 52),
                       Note(0, 2, 52),
                       Note(0, 3, 52),
                       {{1536, P::Voice00_NoteNumber, 59},
                        {1536, P::Voice01_NoteNumber, 59},
                        {1536, P::Voice02_NoteNumber, 59},
                        {1536, P::Voice03_NoteNumber, 59}}}));
  list.push_back(Make("filters_and_noise", 4096,
                      {{0, P::FilterHpCutoff, 0.5},
                       {0, P::FilterLpResonance, 1.0},
                       {0, P::FilterLpCutoff, 0.4},
                       {0, P::FilterLpKeyTrack, 1.0},
                       {0, P::NoiseLevel, 1.0},
                       {0, P::Osc1Level, 0.3},
                       {0, P::MainVolume, 1.0}},
                      {Note(0, 0, 40), Note(0, 1, 76)}, 48000, 100));
  list.push_back(Make("retrigger_envelopes", 4096,
                      {{0, P::EnvAmpRetrigOffOn, 1},
                       {0, P::Env1RetrigOffOn, 1},
                       {0, P::EnvAmpAttack, 0.05},
                       {0, P::EnvAmpDecay, 0.1},
                       {0, P::EnvAmpSustain, 0.4},
                       {0, P::Env1Attack, 0.02},
                       {0, P::ModMatrixE1P1, 0.7},
                       {1000, P::Voice00_NoteRetrig, 0.01},
                       {2000, P::Voice00_NoteRetrig, 0.02}},
                      {Note(0, 0, 64)}, 22050, 50));
  return list;
}

}  // namespace

const std::vector<GoldenScenario>& GoldenScenarios() {
  static const std::vector<GoldenScenario> scenarios = BuildScenarios();
  return scenarios;
}

Stereo RenderScenario(const GoldenScenario& scenario) {
  EngineFixture fx(scenario.sampleRate);
  Stereo out;
  size_t next = 0;
  for (int32_t frame = 0; frame < scenario.frames; frame += scenario.blockSize) {
    while (next < scenario.changes.size() && scenario.changes[next].frame <= frame) {
      fx.Set(scenario.changes[next].index, scenario.changes[next].value);
      ++next;
    }
    fx.Render(std::min(scenario.blockSize, scenario.frames - frame), out, scenario.blockSize);
  }
  return out;
}

GoldenSums Sums(const std::vector<double>& signal) {
  GoldenSums sums{0, 0, 0};
  for (size_t i = 0; i < signal.size(); ++i) {
    sums.sum += signal[i];
    sums.sumOfSquares += signal[i] * signal[i];
    sums.weightedSum += static_cast<double>(i + 1) * signal[i];
  }
  return sums;
}

int32_t GoldenSampleIndex(int32_t frames, int k) {
  return static_cast<int32_t>((static_cast<int64_t>(frames) * k + frames / 2) / kGoldenSampleCount);
}

}  // namespace EngineTest
