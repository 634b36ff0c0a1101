// Unison detune, retriggering and the per-engine noise source.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/engine/render_helper.h"

namespace {

using namespace EngineTest;
namespace P = EngineParam;

TEST(VoiceSpread, UnisonVoicesAreDetunedAgainstEachOther) {
  EngineFixture fx;
  fx.Set({{P::VoiceModeMonoUniPoly, 0.5}, {P::VoiceSpreadAmt, 0.9}, {P::NoiseLevel, 0.0}});
  for (int v = 0; v < 4; ++v)
    fx.NoteOn(v, 69);
  EngineFixture single;
  single.Set({{P::VoiceModeMonoUniPoly, 0.5}, {P::VoiceSpreadAmt, 0.9}, {P::NoiseLevel, 0.0}});
  single.NoteOn(3, 69);
  const Stereo stack = fx.Render(44100);
  const Stereo alone = single.Render(44100);
  // Voice 3 alone sits a little flat; the four together beat rather than add up exactly.
  const double pitch = PitchFrequency(alone.left, 44100, 11025, 44100);
  EXPECT_LT(pitch, 439.5);
  EXPECT_GT(pitch, 425.0);
  EXPECT_LT(Rms(stack.left, 11025, 44100), 4 * Rms(alone.left, 11025, 44100) * 0.95);
}

// Three full-scale cutoff terms sum to 1 at most before the mod wheel halves them: the cutoff
// then sits at 0.5, exactly where the knob alone would put it.
TEST(ModulationMatrix, TargetSumIsLimitedBeforeTheWheel) {
  EngineFixture modulated, plain;
  for (EngineFixture* fx : {&modulated, &plain}) {
    fx->Set({{P::NoiseLevel, 0.0}, {P::FilterLpResonance, 0.5}});
    fx->NoteOn(0, 45, 127);
  }
  modulated.Set({{P::FilterLpCutoff, 0.0},
                 {P::ModMatrixE1FC, 1.0},
                 {P::ModMatrixE2FC, 1.0},
                 {P::ModMatrixVLFC, 1.0},
                 {P::ModMatrixMWFC, 1.0},
                 {P::ModWheel, 0.5}});
  plain.Set(P::FilterLpCutoff, 0.5);
  const Stereo a = modulated.Render(44100);
  const Stereo b = plain.Render(44100);
  double largest = 0.0;
  for (size_t i = 22050; i < 44100; ++i)
    largest = std::fmax(largest, std::fabs(a.left[i] - b.left[i]));
  EXPECT_LT(largest, 1e-3);
  EXPECT_GT(Rms(b.left, 22050, 44100), 0.01);
}

// A changed retrigger value under a held gate: legato without the switch; with it the gate drops
// for 1 ms (44 samples) and the amplitude envelope climbs again from 0 over its attack (about
// 4400 samples).
TEST(Retrigger, OnlyTheSwitchRestartsTheNote) {
  for (double retrigSwitch : {0.0, 1.0}) {
    SCOPED_TRACE(retrigSwitch);
    EngineFixture fx;
    fx.Set({{P::NoiseLevel, 0.0}, {P::EnvAmpRetrigOffOn, retrigSwitch}, {P::EnvAmpAttack, 0.1}});
    fx.NoteOn(0, 60);
    const Stereo before = fx.Render(8192);
    fx.Set(P::Voice00_NoteRetrig, 0.5);
    const Stereo after = fx.Render(8192);
    const double level = PeakBetween(before.left, 4096, 8192);
    if (retrigSwitch == 1.0) {
      EXPECT_LT(PeakBetween(after.left, 200, 300), 0.25 * level);
    } else {
      EXPECT_GT(PeakBetween(after.left, 0, 400), 0.8 * level);
    }
    EXPECT_GT(PeakBetween(after.left, 6000, 8192), 0.8 * level);
  }
}

TEST(Noise, EachEngineHasItsOwnNoiseSequence) {
  auto noiseOnly = [](EngineFixture& fx) {
    fx.Set({{P::NoiseLevel, 1.0}, {P::Osc1Level, 0.0}, {P::Osc2Level, 0.0}});
    fx.NoteOn(0, 60);
  };
  EngineFixture alone;
  noiseOnly(alone);
  const Stereo expected = alone.Render(4096);

  EngineFixture first, second;
  noiseOnly(first);
  noiseOnly(second);
  Stereo interleaved;
  for (int block = 0; block < 16; ++block) {
    first.Render(256, interleaved);
    second.Render(256);
  }
  EXPECT_EQ(expected.left, interleaved.left);
  EXPECT_GT(Rms(expected.left, 0, 4096), 0.01);
}

}  // namespace
