// Speed of the VST2 library: the engine benchmark's four-voice scenarios with both effect slots,
// rendered through processReplacing and processDoubleReplacing in 512-frame blocks, next to the
// bare engine on the same scenario. Each reports a real-time factor (seconds of audio per second
// of CPU); the binding's and framework's overhead is the difference between the two.
#include <benchmark/benchmark.h>

#include <vector>

#include "bench/engine_scenarios.h"
#include "vst2/plugin_vst2.h"
#include "vst2/tovalune_vst2.h"

namespace {

using namespace BenchScenario;

// The host answers nothing; the tempo stays at its start value.
intptr_t SilentHost(AEffect*, int32_t, int32_t, intptr_t, void*, float) {
  return 0;
}

// The four note-ons of the chord, as the host's event list.
void PlayChord(AEffect* effect) {
  VstMidiEvent notes[4] = {};
  struct {
    int32_t numEvents;
    intptr_t reserved;
    VstEvent* events[4];
  } list = {4, 0, {}};
  for (int i = 0; i < 4; ++i) {
    notes[i].type = kVstMidiType;
    notes[i].byteSize = sizeof(VstMidiEvent);
    notes[i].midiData[0] = static_cast<char>(0x90);
    notes[i].midiData[1] = static_cast<char>(kNotes[i]);
    notes[i].midiData[2] = static_cast<char>(kVelocity);
    list.events[i] = reinterpret_cast<VstEvent*>(&notes[i]);
  }
  effect->dispatcher(effect, effProcessEvents, 0, 0, &list, 0.0f);
}

template <class Sample>
void RenderThroughEntry(benchmark::State& state, Settings settings) {
  AEffect* effect = VSTPluginMain(SilentHost);
  if (!effect) {
    state.SkipWithError("no instance");
    return;
  }
  effect->dispatcher(effect, effOpen, 0, 0, nullptr, 0.0f);
  effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, static_cast<float>(kSampleRate));
  effect->dispatcher(effect, effSetBlockSize, 0, kBlock, nullptr, 0.0f);
  effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0.0f);
  auto* plug = static_cast<IPluginVST2*>(effect->object);
  for (const auto& [index, value] : settings) {
    plug->GetParam(index)->SetClamped(value);
    plug->ParamChanged(index);
  }
  PlayChord(effect);

  std::vector<Sample> in0(kBlock), in1(kBlock), out0(kBlock), out1(kBlock);
  Sample* inputs[2] = {in0.data(), in1.data()};
  Sample* outputs[2] = {out0.data(), out1.data()};
  for (auto _ : state) {
    for (int32_t done = 0; done < TotalFrames(); done += kBlock) {
      if constexpr (sizeof(Sample) == 8) {
        effect->processDoubleReplacing(effect, inputs, outputs, BlockFrames(done));
      } else {
        effect->processReplacing(effect, inputs, outputs, BlockFrames(done));
      }
      benchmark::DoNotOptimize(out0.data());
      benchmark::DoNotOptimize(out1.data());
    }
  }
  ReportRealtimeFactor(state);
  effect->dispatcher(effect, effMainsChanged, 0, 0, nullptr, 0.0f);
  effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
}

void BM_BareEngineChorusReverb(benchmark::State& state) {
  RenderBareEngine(state, 4, kChorusReverb);
}
void BM_Vst2ChorusReverb32(benchmark::State& state) {
  RenderThroughEntry<float>(state, kChorusReverb);
}
void BM_Vst2ChorusReverb64(benchmark::State& state) {
  RenderThroughEntry<double>(state, kChorusReverb);
}
void BM_BareEngineTubeDelay(benchmark::State& state) {
  RenderBareEngine(state, 4, kTubeDelay);
}
void BM_Vst2TubeDelay32(benchmark::State& state) {
  RenderThroughEntry<float>(state, kTubeDelay);
}
void BM_Vst2TubeDelay64(benchmark::State& state) {
  RenderThroughEntry<double>(state, kTubeDelay);
}

BENCHMARK(BM_BareEngineChorusReverb)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Vst2ChorusReverb32)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Vst2ChorusReverb64)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareEngineTubeDelay)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Vst2TubeDelay32)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Vst2TubeDelay64)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
