// What a played voice sounds like: pitch, silence, release, bounds and envelope edge cases.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "tests/engine/render_helper.h"

namespace {

using namespace EngineTest;
namespace P = EngineParam;

TEST(VoiceSound, DefaultEngineIsSilent) {
  EngineFixture fx;
  const Stereo out = fx.Render(8192);
  EXPECT_EQ(PeakBetween(out.left, 0, 8192), 0.0);
  EXPECT_EQ(PeakBetween(out.right, 0, 8192), 0.0);
}

struct PitchCase {
  const char* what;
  std::vector<std::pair<int, double>> settings;
  int voice;
  double note;
  double expectedHz;
  double toleranceHz;
  double sampleRate = 44100;
};

// Note numbers, bend, oscillator offsets and the spread of each voice, measured in the sound.
TEST(VoiceSound, PitchFollowsNoteBendOffsetAndSpread) {
  const std::pair<int, double> osc1Only = {P::Osc2Level, 0.0};
  const std::pair<int, double> unison = {P::VoiceModeMonoUniPoly, 0.5};
  // Full spread in unison: voice 0 an octave up and voice 1 an octave down, each keeping its
  // small detune (+8.3e-5 and -4.17e-4 in pitch value); at 0.99 there is no octave.
  const std::pair<int, double> fullSpread = {P::VoiceSpreadAmt, 1.0};
  const double detuned0 = 440 * std::exp2(10 * 8.3e-5);
  const double detuned1 = 440 * std::exp2(10 * -4.17e-4);
  const PitchCase cases[] = {
      {"note 69", {osc1Only}, 0, 69, 440.0, 0.5},
      {"note 69 at 96 kHz", {osc1Only}, 0, 69, 440.0, 0.5, 96000},
      {"note 57", {osc1Only}, 1, 57, 220.0, 0.3},
      {"note 64", {osc1Only}, 2, 64, 329.63, 0.4},
      {"full bend", {{P::PitchBend, 1.0}, {P::PitchBendRngAmt, 1.0}}, 0, 57, 440.0, 0.5},
      {"full oscillator pitch", {osc1Only, {P::Osc1Pitch, 1.0}}, 0, 57, 440.0, 0.5},
      {"unison spread 1, voice 0", {osc1Only, unison, fullSpread}, 0, 57, detuned0, 0.3},
      {"unison spread 1, voice 1", {osc1Only, unison, fullSpread}, 1, 81, detuned1, 0.3},
      {"unison spread 0.99", {osc1Only, unison, {P::VoiceSpreadAmt, 0.99}}, 0, 69, 440, 1.0},
      // Mode values between the three count as the nearest mode.
      {"mode 0.7 is unison",
       {osc1Only, {P::VoiceModeMonoUniPoly, 0.7}, fullSpread},
       0,
       57,
       detuned0,
       0.3},
      {"mode 0.75 is poly",
       {osc1Only, {P::VoiceModeMonoUniPoly, 0.75}, fullSpread},
       0,
       69,
       detuned0,
       0.3},
  };
  for (const PitchCase& c : cases) {
    EXPECT_NEAR(NotePitch(c.settings, c.voice, c.note, c.sampleRate), c.expectedHz, c.toleranceHz)
        << c.what;
  }
}

TEST(VoiceSound, BothChannelsEqualWithoutStereoEffects) {
  EngineFixture fx;
  fx.NoteOn(0, 60);
  fx.NoteOn(1, 64);
  const Stereo out = fx.Render(4096);
  EXPECT_EQ(out.left, out.right);
  EXPECT_GT(PeakBetween(out.left, 0, 4096), 0.05);
}

TEST(VoiceSound, ExactSilenceAfterRelease) {
  EngineFixture fx;
  fx.NoteOn(0, 60);
  fx.NoteOn(1, 67);
  Stereo out = fx.Render(4410);
  fx.NoteOff(0);
  fx.NoteOff(1);
  // Release 0.2 lasts 3 x 0.4 s x the start level; the DC blockers then hold a decaying tail
  // that the voice no longer produces once it stops being computed.
  fx.Render(44100 * 2, out);
  const Stereo tail = fx.Render(4096);
  EXPECT_EQ(PeakBetween(tail.left, 0, 4096), 0.0);
  EXPECT_EQ(PeakBetween(tail.right, 0, 4096), 0.0);
}

// Full-level echoes of 440 Hz every 0.1 s (44 whole periods) pile up far beyond full scale; the
// output stops at exactly +-1.2.
TEST(VoiceSound, OutputIsLimitedToExactlyOnePointTwo) {
  EngineFixture fx;
  fx.Set({{P::NoiseLevel, 0.0},
          {P::FilterLpResonance, 1.0},
          {P::MainVolume, 1.0},
          {P::FXSlot2Selector, 2},
          {P::FXSlot2DelayOffOn, 1},
          {P::FXSlot2DelayFeedback, 1},
          {P::FXSlot2DelayDryWet, 1},
          {P::FXSlot2DelayCutoff, 1},
          {P::HostTempoBpm, 600}});
  fx.NoteOn(0, 69, 127);
  const Stereo out = fx.Render(44100);
  for (const std::vector<double>* channel : {&out.left, &out.right}) {
    EXPECT_EQ(*std::max_element(channel->begin(), channel->end()), 1.2);
    EXPECT_EQ(*std::min_element(channel->begin(), channel->end()), -1.2);
  }
}

TEST(VoiceSound, VelocityZeroMutesTheVoice) {
  EngineFixture fx;
  fx.NoteOn(0, 60, 0.0);
  const Stereo out = fx.Render(4096);
  EXPECT_EQ(PeakBetween(out.left, 0, 4096), 0.0);
}

// A gate that falls near the end of a long attack (level above 1) and rises again at once
// starts an attack from above full level; it must go on to the decay and stay finite.
TEST(VoiceSound, AttackStartingAboveFullLevelGoesOnToTheDecay) {
  auto settings = [](EngineFixture& fx) {
    fx.Set({{P::EnvAmpAttack, 0.1},
            {P::EnvAmpSustain, 0.5},
            {P::EnvAmpDecay, 0.1},
            {P::NoiseLevel, 0.0}});
  };
  EngineFixture reference;
  settings(reference);
  reference.NoteOn(0, 60);
  const Stereo settled = reference.Render(44100);

  EngineFixture fx;
  settings(fx);
  fx.NoteOn(0, 60);
  Stereo out;
  // T_a = 10 (0.1 x 0.99997 + 3e-5)^2 s; the level passes 1 at 98 % of it.
  const double attackSamples = 10 * std::pow(0.1 * 0.99997 + 3e-5, 2) * 44100;
  fx.Render(static_cast<int32_t>(attackSamples * 0.99), out, 1);
  fx.NoteOff(0);
  fx.Render(1, out, 1);
  fx.NoteOn(0, 60);
  const Stereo held = fx.Render(44100);
  for (double x : held.left)
    ASSERT_TRUE(std::isfinite(x));
  // It settles at the sustain level, like a plain note.
  EXPECT_NEAR(Rms(held.left, 33075, 44100), Rms(settled.left, 33075, 44100),
              0.05 * Rms(settled.left, 33075, 44100));
  fx.NoteOff(0);
  fx.Render(44100 * 3);
  // After release the voice is silent again, and it still plays the next note.
  const Stereo tail = fx.Render(1024);
  EXPECT_EQ(PeakBetween(tail.left, 0, 1024), 0.0);
  fx.NoteOn(0, 60);
  const Stereo again = fx.Render(8192);
  EXPECT_GT(Rms(again.left, 4096, 8192), 0.01);
}

}  // namespace
