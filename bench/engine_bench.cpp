// Speed of the synthesis engine: ten seconds at 44.1 kHz in 512-frame blocks per iteration,
// reported as a real-time factor (seconds of audio per second of CPU).
#include <benchmark/benchmark.h>

#include "bench/engine_scenarios.h"

namespace {

using namespace BenchScenario;
namespace P = EngineParam;

void BM_Idle(benchmark::State& state) {
  RenderBareEngine(state, 0, {});
}
void BM_OneVoice(benchmark::State& state) {
  RenderBareEngine(state, 1, {});
}
void BM_FourVoicesPoly(benchmark::State& state) {
  RenderBareEngine(state, 4, {{P::VoiceModeMonoUniPoly, 1.0}});
}
void BM_FourVoicesChorusReverb(benchmark::State& state) {
  RenderBareEngine(state, 4, kChorusReverb);
}
void BM_FourVoicesTubeDelay(benchmark::State& state) {
  RenderBareEngine(state, 4, kTubeDelay);
}
void BM_Arpeggiator(benchmark::State& state) {
  RenderBareEngine(state, 3, {{P::ArpeggiatorMode, 0.5}, {P::VoiceModeMonoUniPoly, 1.0}});
}
void BM_FourVoicesLfoToCutoff(benchmark::State& state) {
  RenderBareEngine(state, 4, kLfoToCutoff);
}
void BM_FourVoicesVibrato(benchmark::State& state) {
  RenderBareEngine(state, 4, kVibrato);
}
void BM_FourVoicesFullModulation(benchmark::State& state) {
  RenderBareEngine(state, 4, kFullModulation);
}
void BM_FourVoicesFullModulationTubeReverb(benchmark::State& state) {
  RenderBareEngine(state, 4, kFullModulation, kTubeReverb);
}

BENCHMARK(BM_Idle)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OneVoice)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FourVoicesPoly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FourVoicesChorusReverb)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FourVoicesTubeDelay)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Arpeggiator)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FourVoicesLfoToCutoff)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FourVoicesVibrato)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FourVoicesFullModulation)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FourVoicesFullModulationTubeReverb)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
