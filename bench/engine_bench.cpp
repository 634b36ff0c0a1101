// Speed of the synthesis engine: ten seconds at 44.1 kHz in 512-frame blocks per iteration,
// reported as a real-time factor (seconds of audio per second of CPU). Every scenario runs on
// both builds of the voice path, /wide (AVX2) and /baseline, side by side.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/engine_scenarios.h"

namespace {

using namespace BenchScenario;
namespace P = EngineParam;

struct Scenario {
  const char* name;
  int voices;
  Settings settings;
  Settings more;
};

const Scenario kScenarios[] = {
    {"BM_Idle", 0, {}, {}},
    {"BM_OneVoice", 1, {}, {}},
    {"BM_FourVoicesPoly", 4, {{P::VoiceModeMonoUniPoly, 1.0}}, {}},
    {"BM_FourVoicesChorusReverb", 4, kChorusReverb, {}},
    {"BM_FourVoicesTubeDelay", 4, kTubeDelay, {}},
    {"BM_Arpeggiator", 3, {{P::ArpeggiatorMode, 0.5}, {P::VoiceModeMonoUniPoly, 1.0}}, {}},
    {"BM_FourVoicesLfoToCutoff", 4, kLfoToCutoff, {}},
    {"BM_FourVoicesVibrato", 4, kVibrato, {}},
    {"BM_FourVoicesFullModulation", 4, kFullModulation, {}},
    {"BM_FourVoicesFullModulationTubeReverb", 4, kFullModulation, kTubeReverb},
};

void RegisterScenarios() {
  for (const Scenario& scenario : kScenarios) {
    for (const auto& [suffix, path] : {std::pair{"/wide", Engine::VoicePath::Wide},
                                       std::pair{"/baseline", Engine::VoicePath::Baseline}}) {
      benchmark::RegisterBenchmark((std::string(scenario.name) + suffix).c_str(),
                                   [&scenario, path = path](benchmark::State& state) {
                                     RenderBareEngine(state, scenario.voices, scenario.settings,
                                                      scenario.more, path);
                                   })
          ->Unit(benchmark::kMillisecond);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RegisterScenarios();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
