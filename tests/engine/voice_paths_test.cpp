// The wide (AVX2) and the baseline build of the voice path give the same bits: random sounds and
// note streams rendered through both, every sample compared exactly.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "engine/voice_paths.h"
#include "tests/engine/render_helper.h"

namespace {

using namespace EngineTest;
namespace P = EngineParam;

// One engine per build, created while that build is forced.
struct PathEngine {
  explicit PathEngine(Engine::VoicePath path, double sampleRate) {
    Engine::ForceVoicePath(path);
    engine = SynthEngine::Create(sampleRate);
    Engine::ForceVoicePath(Engine::VoicePath::Automatic);
  }
  ~PathEngine() { SynthEngine::Destroy(engine); }
  SynthEngineState* engine;
};

// Program k: random values for all 195 parameters (ends of the ranges now and then), then its
// effect pair (every slot-1 effect with every slot-2 effect, switched on) and voice mode, then
// random gates, notes, velocities and retriggers and now and then a parameter change, between
// blocks of random length.
void RenderProgram(int k, SynthEngineState* const engines[2], std::vector<double> out[2]) {
  std::mt19937_64 random(7000 + k);
  std::uniform_real_distribution<double> unit(0, 1);
  const EngineParamInfo* info = engines[0]->paramInfo;
  auto randomValue = [&](int index) {
    const double u = unit(random) < 0.15 ? std::round(unit(random)) : unit(random);
    return info[index].minimum + (info[index].maximum - info[index].minimum) * u;
  };
  std::vector<std::pair<int, double>> settings;
  for (int index = 0; index < P::kCount; ++index)
    settings.push_back({index, randomValue(index)});
  const int slot1 = 1 + k % 7, slot2 = 1 + k / 7 % 3;
  const int slot1Switch[] = {0,
                             P::FXSlot1ChorusOffOn,
                             P::FXSlot1FlangerOffOn,
                             P::FXSlot1TubeDistOffOn,
                             P::FXSlot1TransistorDistOffOn,
                             P::FXSlot1FoldbackDistOffOn,
                             P::FXSlot1BitcrushDistOffOn};
  settings.insert(settings.end(), {{P::FXSlot1Selector, slot1},
                                   {slot1Switch[slot1 - 1], slot1 > 1 ? 1.0 : 0.0},
                                   {P::FXSlot2Selector, slot2},
                                   {P::FXSlot2DelayOffOn, 1},
                                   {P::FXSlot2ReverbOffOn, 1},
                                   {P::VoiceModeMonoUniPoly, 0.5 * (k % 3)},
                                   {P::HostTempoBpm, 40 + 300 * unit(random)}});
  for (SynthEngineState* engine : {engines[0], engines[1]}) {
    for (const auto& [index, value] : settings)
      SynthEngine::SetParameter(engine, index, value);
  }
  std::vector<double> in(512), left(512), right(512);
  double* inputs[2] = {in.data(), in.data()};
  double* outputs[2] = {left.data(), right.data()};
  for (int32_t done = 0; done < 12000;) {
    std::vector<std::pair<int, double>> changes;
    for (int voice = 0; voice < 4; ++voice) {
      if (unit(random) < 0.8) continue;
      const double gate = unit(random) < 0.5 ? 0.0 : (unit(random) < 0.8 ? 1.0 : unit(random));
      changes.insert(changes.end(), {{P::VoiceParam(voice, P::NoteGate), gate},
                                     {P::VoiceParam(voice, P::NoteNumber), 127 * unit(random)},
                                     {P::VoiceParam(voice, P::NoteVelocity), 127 * unit(random)},
                                     {P::VoiceParam(voice, P::NoteRetrig), unit(random)}});
    }
    if (unit(random) < 0.1) {
      const int index = static_cast<int>(unit(random) * P::kCount);
      changes.push_back({index, randomValue(index)});
    }
    const int32_t frames = 1 + static_cast<int32_t>(unit(random) * 300);
    for (int path = 0; path < 2; ++path) {
      for (const auto& [index, value] : changes)
        SynthEngine::SetParameter(engines[path], index, value);
      SynthEngine::Perform(engines[path], inputs, 2, outputs, 2, frames);
      out[path].insert(out[path].end(), left.begin(), left.begin() + frames);
      out[path].insert(out[path].end(), right.begin(), right.begin() + frames);
    }
    done += frames;
  }
}

TEST(VoicePaths, WideAndBaselineBuildsGiveTheSameBits) {
  if (!Engine::WidePathAvailable()) GTEST_SKIP() << "this processor has no AVX2";
  const double rates[] = {44100, 48000, 96000, 8000};
  int sounding = 0;
  for (int k = 0; k < 21; ++k) {
    SCOPED_TRACE("program " + std::to_string(k));
    PathEngine wide(Engine::VoicePath::Wide, rates[k % 4]);
    PathEngine baseline(Engine::VoicePath::Baseline, rates[k % 4]);
    SynthEngineState* const engines[2] = {wide.engine, baseline.engine};
    std::vector<double> out[2];
    RenderProgram(k, engines, out);
    ASSERT_EQ(out[0].size(), out[1].size());
    size_t firstDifference = 0;
    while (firstDifference < out[0].size() &&
           std::memcmp(&out[0][firstDifference], &out[1][firstDifference], sizeof(double)) == 0)
      ++firstDifference;
    EXPECT_EQ(firstDifference, out[0].size()) << "first differing sample";
    double energy = 0;
    for (double x : out[0])
      energy += x * x;
    sounding += energy > 0;
  }
  EXPECT_GE(sounding, 15) << "programs that make sound";
}

}  // namespace
