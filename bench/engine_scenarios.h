// Shared benchmark scenarios: ten seconds at 44.1 kHz in 512-frame blocks, a four-note chord and
// the effect settings that the engine and binding benchmarks both measure. Each run reports a
// real-time factor (seconds of audio per second of CPU).
#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

#include "engine/engine_params.h"
#include "engine/synth_engine.h"
#include "engine/voice_paths.h"

namespace BenchScenario {

constexpr double kSampleRate = 44100.0;
constexpr int32_t kBlock = 512;
constexpr double kSeconds = 10.0;
constexpr int kNotes[4] = {48, 55, 60, 64};
constexpr int kVelocity = 100;

using Settings = std::initializer_list<std::pair<int, double>>;

inline const Settings kChorusReverb = {{EngineParam::VoiceModeMonoUniPoly, 1.0},
                                       {EngineParam::FXSlot1Selector, 2},
                                       {EngineParam::FXSlot1ChorusOffOn, 1},
                                       {EngineParam::FXSlot2Selector, 3},
                                       {EngineParam::FXSlot2ReverbOffOn, 1}};
inline const Settings kTubeDelay = {{EngineParam::VoiceModeMonoUniPoly, 1.0},
                                    {EngineParam::FXSlot1Selector, 4},
                                    {EngineParam::FXSlot1TubeDistOffOn, 1},
                                    {EngineParam::FXSlot2Selector, 2},
                                    {EngineParam::FXSlot2DelayOffOn, 1}};

// Modulated voices: the engine recomputes the filter, oscillator and LFO coefficients that move
// with the modulation on every sample instead of reusing them.
inline const Settings kLfoToCutoff = {{EngineParam::VoiceModeMonoUniPoly, 1.0},
                                      {EngineParam::FilterLpCutoff, 0.5},
                                      {EngineParam::Lfo1Rate, 0.5},
                                      {EngineParam::ModMatrixL1FC, 1.0}};
inline const Settings kVibrato = {{EngineParam::VoiceModeMonoUniPoly, 1.0},
                                  {EngineParam::Lfo1Rate, 0.6},
                                  {EngineParam::ModMatrixL1P1, 0.75},
                                  {EngineParam::ModMatrixL1P2, 0.75}};
// LFO 1 to cutoff and pitch, LFO 2 to both morphs, envelope 1 to both LFO rates.
inline const Settings kFullModulation = {{EngineParam::VoiceModeMonoUniPoly, 1.0},
                                         {EngineParam::FilterLpCutoff, 0.5},
                                         {EngineParam::Lfo1Rate, 0.5},
                                         {EngineParam::Lfo2Rate, 0.3},
                                         {EngineParam::ModMatrixL1FC, 0.9},
                                         {EngineParam::ModMatrixL1P1, 0.7},
                                         {EngineParam::ModMatrixL1P2, 0.7},
                                         {EngineParam::ModMatrixL2M1, 0.9},
                                         {EngineParam::ModMatrixL2M2, 0.1},
                                         {EngineParam::Env1Sustain, 0.3},
                                         {EngineParam::ModMatrixE1R1, 0.8},
                                         {EngineParam::ModMatrixE1R2, 0.2}};
inline const Settings kTubeReverb = {{EngineParam::FXSlot1Selector, 4},
                                     {EngineParam::FXSlot1TubeDistOffOn, 1},
                                     {EngineParam::FXSlot2Selector, 3},
                                     {EngineParam::FXSlot2ReverbOffOn, 1}};

// Frames of the block that starts at `done` within ten seconds of audio.
inline int32_t TotalFrames() {
  return static_cast<int32_t>(kSampleRate * kSeconds);
}
inline int32_t BlockFrames(int32_t done) {
  return TotalFrames() - done < kBlock ? TotalFrames() - done : kBlock;
}

inline void ReportRealtimeFactor(benchmark::State& state) {
  state.counters["realtime_factor"] =
      benchmark::Counter(kSeconds, benchmark::Counter::kIsIterationInvariantRate);
}

// The bare engine with the first `voices` notes of the chord gated on, set up with settings and
// then more, on the given build of the voice path.
inline void RenderBareEngine(benchmark::State& state, int voices, Settings settings,
                             Settings more = {},
                             Engine::VoicePath path = Engine::VoicePath::Automatic) {
  namespace P = EngineParam;
  if (path == Engine::VoicePath::Wide && !Engine::WidePathAvailable()) {
    state.SkipWithError("this processor has no AVX2");
    return;
  }
  Engine::ForceVoicePath(path);
  SynthEngineState* engine = SynthEngine::Create(kSampleRate);
  Engine::ForceVoicePath(Engine::VoicePath::Automatic);
  for (Settings group : {settings, more}) {
    for (const auto& [index, value] : group)
      SynthEngine::SetParameter(engine, index, value);
  }
  for (int v = 0; v < voices; ++v) {
    SynthEngine::SetParameter(engine, P::VoiceParam(v, P::NoteNumber), kNotes[v]);
    SynthEngine::SetParameter(engine, P::VoiceParam(v, P::NoteVelocity), kVelocity);
    SynthEngine::SetParameter(engine, P::VoiceParam(v, P::NoteGate), 1);
  }
  std::vector<double> in0(kBlock), in1(kBlock), out0(kBlock), out1(kBlock);
  double* inputs[2] = {in0.data(), in1.data()};
  double* outputs[2] = {out0.data(), out1.data()};
  for (auto _ : state) {
    for (int32_t done = 0; done < TotalFrames(); done += kBlock) {
      SynthEngine::Perform(engine, inputs, 2, outputs, 2, BlockFrames(done));
      benchmark::DoNotOptimize(out0.data());
      benchmark::DoNotOptimize(out1.data());
    }
  }
  ReportRealtimeFactor(state);
  SynthEngine::Destroy(engine);
}

}  // namespace BenchScenario
