// Speed of the VST3 module: the engine benchmark's four-voice scenarios with both effect slots,
// rendered through the component's process call in 512-frame blocks, next to the bare engine
// on the same scenario. Each reports a real-time factor (seconds of audio per second of CPU);
// the binding's and framework's overhead is the difference between the two.
#include <benchmark/benchmark.h>

#include <vector>

#include "bench/engine_scenarios.h"
#include "pluginterfaces/vst/ivstevents.h"
#include "vst3/plugin_vst3.h"
#include "vst3/tovalune_module.h"

namespace {

using namespace BenchScenario;
using namespace Steinberg;
using namespace Steinberg::Vst;

// The four note-ons of the first block.
class NoteList : public IEventList {
 public:
  NoteList() {
    for (int note : kNotes) {
      Event e{};
      e.type = Event::kNoteOnEvent;
      e.noteOn.pitch = static_cast<int16>(note);
      e.noteOn.velocity = (kVelocity + 0.5f) / 127.0f;  // the binding truncates v * 127
      e.noteOn.noteId = -1;
      events.push_back(e);
    }
  }
  tresult PLUGIN_API queryInterface(const TUID, void** obj) override {
    *obj = nullptr;
    return kNoInterface;
  }
  uint32 PLUGIN_API addRef() override { return 1; }
  uint32 PLUGIN_API release() override { return 1; }
  int32 PLUGIN_API getEventCount() override { return static_cast<int32>(events.size()); }
  tresult PLUGIN_API getEvent(int32 index, Event& e) override {
    if (index < 0 || index >= getEventCount()) return kResultFalse;
    e = events[index];
    return kResultOk;
  }
  tresult PLUGIN_API addEvent(Event&) override { return kResultFalse; }

 private:
  std::vector<Event> events;
};

template <class Sample>
void RenderThroughProcess(benchmark::State& state, Settings settings, int32 sampleSize) {
  IPluginVST3* plugin = CreateTovaluneInstance();
  if (!plugin) {
    state.SkipWithError("no instance");
    return;
  }
  IAudioProcessor* processor = plugin;
  IComponent* component = plugin;
  component->initialize(nullptr);
  SpeakerArrangement stereoIn = SpeakerArr::kStereo, stereoOut = SpeakerArr::kStereo;
  processor->setBusArrangements(&stereoIn, 1, &stereoOut, 1);
  ProcessSetup setup{kRealtime, sampleSize, kBlock, kSampleRate};
  processor->setupProcessing(setup);
  component->activateBus(kAudio, kInput, 0, true);
  component->activateBus(kAudio, kOutput, 0, true);
  component->activateBus(kEvent, kInput, 0, true);
  component->setActive(true);
  for (const auto& [index, value] : settings) {
    plugin->GetParam(index)->SetClamped(value);
    plugin->ParamChanged(index);
  }

  std::vector<Sample> in0(kBlock), in1(kBlock), out0(kBlock), out1(kBlock);
  Sample* inputs[2] = {in0.data(), in1.data()};
  Sample* outputs[2] = {out0.data(), out1.data()};
  AudioBusBuffers inputBus, outputBus;
  inputBus.numChannels = outputBus.numChannels = 2;
  if constexpr (sizeof(Sample) == 8) {
    inputBus.channelBuffers64 = inputs;
    outputBus.channelBuffers64 = outputs;
  } else {
    inputBus.channelBuffers32 = inputs;
    outputBus.channelBuffers32 = outputs;
  }
  ProcessData data;
  data.symbolicSampleSize = sampleSize;
  data.numInputs = data.numOutputs = 1;
  data.inputs = &inputBus;
  data.outputs = &outputBus;
  NoteList notes;
  data.inputEvents = &notes;
  data.numSamples = kBlock;
  processor->process(data);  // the notes start
  data.inputEvents = nullptr;

  for (auto _ : state) {
    for (int32 done = 0; done < TotalFrames(); done += kBlock) {
      data.numSamples = BlockFrames(done);
      processor->process(data);
      benchmark::DoNotOptimize(out0.data());
      benchmark::DoNotOptimize(out1.data());
    }
  }
  ReportRealtimeFactor(state);
  component->setActive(false);
  component->terminate();
  component->release();
}

void BM_BareEngineChorusReverb(benchmark::State& state) {
  RenderBareEngine(state, 4, kChorusReverb);
}
void BM_Vst3ChorusReverb32(benchmark::State& state) {
  RenderThroughProcess<float>(state, kChorusReverb, kSample32);
}
void BM_Vst3ChorusReverb64(benchmark::State& state) {
  RenderThroughProcess<double>(state, kChorusReverb, kSample64);
}
void BM_BareEngineTubeDelay(benchmark::State& state) {
  RenderBareEngine(state, 4, kTubeDelay);
}
void BM_Vst3TubeDelay32(benchmark::State& state) {
  RenderThroughProcess<float>(state, kTubeDelay, kSample32);
}

BENCHMARK(BM_BareEngineChorusReverb)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Vst3ChorusReverb32)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Vst3ChorusReverb64)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareEngineTubeDelay)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Vst3TubeDelay32)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
