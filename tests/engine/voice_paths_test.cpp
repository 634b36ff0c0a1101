// The wide (AVX2) and the baseline build of the voice path give the same bits: random sounds and
// note streams rendered through both, every sample compared exactly. And the engine's passes over
// a block (held voices computed once, quiet groups skipped, effects ahead) change no bit: without
// parameter changes the block size makes no difference.
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

TEST(VoicePaths, TheBlockSizeChangesNoBit) {
  struct Sound {
    const char* name;
    std::vector<std::pair<int, double>> settings;
    int voices;
  };
  const Sound sounds[] = {
      {"held poly chord, chorus and reverb",
       {{P::VoiceModeMonoUniPoly, 1},
        {P::FXSlot1Selector, 2},
        {P::FXSlot1ChorusOffOn, 1},
        {P::FXSlot2Selector, 3},
        {P::FXSlot2ReverbOffOn, 1}},
       4},
      {"one voice, tube and delay",
       {{P::FXSlot1Selector, 4},
        {P::FXSlot1TubeDistOffOn, 1},
        {P::FXSlot2Selector, 2},
        {P::FXSlot2DelayOffOn, 1},
        {P::EnvAmpDecay, 0.2},
        {P::EnvAmpSustain, 0.5}},
       1},
      {"three voices arpeggiated", {{P::ArpeggiatorMode, 0.6}, {P::HostTempoBpm, 400}}, 3},
      {"modulated unison",
       {{P::VoiceModeMonoUniPoly, 0.5},
        {P::ModMatrixL1P1, 0.9},
        {P::ModMatrixE1R1, 0.8},
        {P::Osc1Pitch, 0.7},
        {P::Lfo1Rate, 0.8}},
       4},
  };
  for (Engine::VoicePath path : {Engine::VoicePath::Wide, Engine::VoicePath::Baseline}) {
    if (path == Engine::VoicePath::Wide && !Engine::WidePathAvailable()) continue;
    for (const Sound& sound : sounds) {
      SCOPED_TRACE(sound.name);
      Stereo reference;
      for (int32_t block : {1, 13, 64, 500}) {
        Engine::ForceVoicePath(path);
        EngineFixture fx;
        Engine::ForceVoicePath(Engine::VoicePath::Automatic);
        fx.Set(P::EnvAmpRelease, 0.01);  // voices fall silent within the gaps below
        for (const auto& [index, value] : sound.settings)
          fx.Set(index, value);
        for (int voice = 0; voice < sound.voices; ++voice)
          fx.NoteOn(voice, 48 + 5 * voice);
        Stereo out = fx.Render(24000, block);  // the spread's smoothing settles
        // Short notes whose ends fall anywhere within the passes, some silent for whole passes.
        for (int n = 0; n < 30; ++n) {
          for (int voice = 0; voice < sound.voices; ++voice)
            fx.NoteOff(voice);
          fx.Render(200 + 97 * n % 1500, out, block);
          fx.NoteOn(n % sound.voices, 50 + n);
          fx.Render(150 + 61 * n % 700, out, block);
        }
        if (block == 1) {
          reference = out;
          continue;
        }
        ASSERT_EQ(out.left.size(), reference.left.size());
        EXPECT_EQ(
            std::memcmp(out.left.data(), reference.left.data(), out.left.size() * sizeof(double)),
            0)
            << "block " << block;
      }
    }
  }
}

}  // namespace
