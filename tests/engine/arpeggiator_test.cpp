// The arpeggiator's clock against the host tempo, its patterns and its gate handling.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/engine/render_helper.h"

namespace {

using namespace EngineTest;
namespace P = EngineParam;

// Short release, no noise: every step is a clean burst separated by exact silence.
void ArpSettings(EngineFixture& fx, double mode, double tempo) {
  fx.Set({{P::ArpeggiatorMode, mode},
          {P::HostTempoBpm, tempo},
          {P::EnvAmpRelease, 0.0},
          {P::NoiseLevel, 0.0}});
}

TEST(Arpeggiator, StepsEverySixteenthOfTheTempo) {
  EngineFixture fx;
  ArpSettings(fx, 0.3, 120);  // Up
  fx.NoteOn(0, 60);
  fx.NoteOn(1, 64);
  const Stereo out = fx.Render(44100 * 2);
  const std::vector<long> onsets = Onsets(out.left, 1e-6, 1000);
  ASSERT_GE(onsets.size(), 14u);
  EXPECT_LE(onsets[0], 8);  // the first step sounds at once
  // 120 BPM at 44.1 kHz: a sixteenth is 5512.5 samples (onsets found in the audio may shift by a
  // few samples with the waveform).
  for (size_t i = 1; i < onsets.size(); ++i)
    EXPECT_NEAR(onsets[i] - onsets[i - 1], 5512.5, 5);
  EXPECT_NEAR(static_cast<double>(onsets[14] - onsets[0]) / 14, 5512.5, 0.6);
}

TEST(Arpeggiator, EachStepSoundsForHalfASixteenth) {
  EngineFixture fx;
  ArpSettings(fx, 0.3, 120);
  fx.NoteOn(0, 60);
  const Stereo out = fx.Render(5000);
  const long start = FirstAbove(out.left, 1e-6);
  ASSERT_GE(start, 0);
  // The pulse lasts 2757 samples; the release and the 1 ms fall of the level smoothing (to
  // below 1e-8 in well under 1000 samples) follow it.
  EXPECT_GT(PeakBetween(out.left, start + 2700, start + 2750), 1e-3);
  EXPECT_EQ(PeakBetween(out.left, start + 2757 + 1000, 5500), 0.0);
}

// A rising bar-start pulse restarts the clock: a step sounds at once and the next a sixteenth
// later, although the pulse stays high.
TEST(Arpeggiator, RestartsAtABarStart) {
  EngineFixture fx;
  ArpSettings(fx, 0.3, 120);
  fx.NoteOn(0, 60);
  Stereo out = fx.Render(10000);  // steps at 0 and 5512.5; the next would come at 11025
  fx.Set(P::HostBarStartPulse, 1.0);
  fx.Render(12000, out);
  const long restart = FirstAbove(out.left, 1e-6, 9000);
  EXPECT_GE(restart, 10000);
  EXPECT_LE(restart, 10008);
  EXPECT_NEAR(FirstAbove(out.left, 1e-6, restart + 4000) - restart, 5512.5, 5);
}

// At 120 BPM a step every second sixteenth (11025 samples): by the divider at 1, or by the rest
// that follows a lone held voice in UpTwice.
TEST(Arpeggiator, EighthNoteSteps) {
  struct Case {
    double mode, divider;
    int voice;
  };
  for (const Case& c : {Case{0.3, 1.0, 0}, Case{0.8, 0.0, 2}}) {
    EngineFixture fx;
    ArpSettings(fx, c.mode, 120);
    fx.Set(P::ArpeggiatorBpmDivider, c.divider);
    fx.NoteOn(c.voice, 60);
    const Stereo out = fx.Render(44100);
    const std::vector<long> onsets = Onsets(out.left, 1e-6, 1000);
    ASSERT_GE(onsets.size(), 3u) << c.mode;
    EXPECT_NEAR(onsets[1] - onsets[0], 11025, 5) << c.mode;
    EXPECT_NEAR(onsets[2] - onsets[1], 11025, 5) << c.mode;
  }
}

TEST(Arpeggiator, PlaysHeldVoicesInVoiceOrderNotPitchOrder) {
  EngineFixture fx;
  ArpSettings(fx, 0.3, 60);  // a step every 11025 samples
  fx.Set({{P::Osc2Level, 0.0}});
  fx.NoteOn(2, 57);  // 220 Hz on the later voice
  fx.NoteOn(0, 69);  // 440 Hz on the earlier voice
  const Stereo out = fx.Render(22050);
  EXPECT_NEAR(PitchFrequency(out.left, 44100, 500, 5000), 440.0, 3.0);
  EXPECT_NEAR(PitchFrequency(out.left, 44100, 11025 + 500, 11025 + 5000), 220.0, 2.0);
}

TEST(Arpeggiator, NoTempoMeansNoSound) {
  EngineFixture fx;
  ArpSettings(fx, 0.3, 0);
  fx.NoteOn(0, 60);
  const Stereo out = fx.Render(22050);
  EXPECT_EQ(PeakBetween(out.left, 0, 22050), 0.0);
}

TEST(Arpeggiator, FractionalGatesOnlyIndexVoicesThatHoldAGate) {
  // Two half gates sum to one held note, but no voice holds a whole gate: every step is a rest.
  EngineFixture halves;
  ArpSettings(halves, 0.3, 240);
  halves.NoteOn(1, 60);
  halves.NoteOn(3, 64);
  halves.Set({{P::Voice01_NoteGate, 0.5}, {P::Voice03_NoteGate, 0.5}});
  const Stereo silent = halves.Render(22050);
  EXPECT_EQ(PeakBetween(silent.left, 0, 22050), 0.0);

  // A whole gate beside a half one plays the whole one.
  EngineFixture mixed;
  ArpSettings(mixed, 0.55, 240);  // UpDown
  mixed.NoteOn(0, 60);
  mixed.NoteOn(2, 64);
  mixed.Set(P::Voice02_NoteGate, 0.7);
  const Stereo out = mixed.Render(22050);
  for (double x : out.left)
    ASSERT_TRUE(std::isfinite(x));
  EXPECT_GE(Onsets(out.left, 1e-6, 300).size(), 7u);  // a step every 2756 samples
}

TEST(Arpeggiator, OffLetsEveryVoiceFollowItsOwnGate) {
  EngineFixture fx;
  fx.NoteOn(0, 60);
  fx.NoteOn(3, 67);
  const Stereo out = fx.Render(44100);
  EXPECT_EQ(Onsets(out.left, 1e-6, 1000).size(), 1u);
}

}  // namespace
