// The effect slots: routing, tempo-synchronised echoes, the reverb and low sample rates.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/engine/render_helper.h"

namespace {

using namespace EngineTest;
namespace P = EngineParam;

// A short note (4096 samples) on voice 0 into the given settings.
Stereo ShortNote(double rate, std::initializer_list<std::pair<int, double>> settings,
                 int32_t frames, double note = 69) {
  EngineFixture fx(rate);
  fx.Set({{P::NoiseLevel, 0.0}, {P::EnvAmpRelease, 0.0}});
  fx.Set(settings);
  fx.NoteOn(0, note);
  Stereo out = fx.Render(4096);
  fx.NoteOff(0);
  fx.Render(frames - 4096, out);
  return out;
}

TEST(EffectSlots, SwitchedOffEffectsPassTheVoiceSumUnchanged) {
  const Stereo plain = ShortNote(44100, {}, 8192);
  const Stereo chorusOff = ShortNote(44100, {{P::FXSlot1Selector, 2}}, 8192);
  const Stereo reverbDry = ShortNote(
      44100, {{P::FXSlot2Selector, 3}, {P::FXSlot2ReverbOffOn, 1}, {P::FXSlot2ReverbDryWet, 0}},
      8192);
  const Stereo delayOff = ShortNote(44100, {{P::FXSlot2Selector, 2}}, 8192);
  EXPECT_EQ(plain.left, chorusOff.left);
  EXPECT_EQ(plain.left, reverbDry.left);
  EXPECT_EQ(plain.right, reverbDry.right);
  EXPECT_EQ(plain.left, delayOff.left);
}

TEST(EffectSlots, ChorusAndFlangerMakeTwoDifferentChannels) {
  for (double selector : {2.0, 3.0}) {
    const Stereo out = ShortNote(
        44100,
        {{P::FXSlot1Selector, selector}, {P::FXSlot1ChorusOffOn, 1}, {P::FXSlot1FlangerOffOn, 1}},
        8192);
    EXPECT_NE(out.left, out.right) << selector;
    EXPECT_GT(PeakBetween(out.left, 0, 8192), 0.05);
  }
}

TEST(EffectSlots, FirstSlotSelectorBelowTwoByOneHundredthPicksTheChorus) {
  const auto settings = {std::pair<int, double>{P::FXSlot1ChorusOffOn, 1}};
  EngineFixture a, b;
  a.Set(settings);
  b.Set(settings);
  a.Set(P::FXSlot1Selector, 1.995);
  b.Set(P::FXSlot1Selector, 2.0);
  a.NoteOn(0, 60);
  b.NoteOn(0, 60);
  EXPECT_EQ(a.Render(4096).right, b.Render(4096).right);
}

TEST(EffectSlots, DelayEchoFollowsTheTempo) {
  // 120 BPM: a beat is 22050 samples; a division switch at 1 gives three quarters of it.
  const Stereo dry = ShortNote(44100, {}, 30000);
  const Stereo out = ShortNote(44100,
                               {{P::FXSlot2Selector, 2},
                                {P::FXSlot2DelayOffOn, 1},
                                {P::FXSlot2DelayDryWet, 1.0},
                                {P::FXSlot2DelayCutoff, 1.0},
                                {P::FXSlot2DelayTimeDivR, 1.0},
                                {P::FXSlot2DelayFeedback, 0.0}},
                               30000);
  const long onset = FirstAbove(dry.left, 1e-4);
  EXPECT_NEAR(FirstAbove(out.left, 1e-4) - onset, 22050, 2);
  EXPECT_NEAR(FirstAbove(out.right, 1e-4) - onset, 16538, 2);
  const double dryPeak = PeakBetween(dry.left, 0, 4096);
  EXPECT_NEAR(PeakBetween(out.left, 22050, 26200), dryPeak, 0.05 * dryPeak);
}

TEST(EffectSlots, DelayAtALowSampleRateIsNotMuted) {
  const Stereo dry = ShortNote(22050, {{P::HostTempoBpm, 240}}, 12000);
  const Stereo out = ShortNote(22050,
                               {{P::FXSlot2Selector, 2},
                                {P::FXSlot2DelayOffOn, 1},
                                {P::FXSlot2DelayDryWet, 1.0},
                                {P::FXSlot2DelayCutoff, 1.0},
                                {P::FXSlot2DelayFeedback, 0.0},
                                {P::HostTempoBpm, 240}},
                               12000);
  // A beat at 240 BPM is 5512.5 samples at 22.05 kHz.
  EXPECT_NEAR(FirstAbove(out.left, 1e-4) - FirstAbove(dry.left, 1e-4), 5513, 2);
  EXPECT_GT(PeakBetween(out.left, 5500, 9600), 0.9 * PeakBetween(dry.left, 0, 4096));
}

TEST(EffectSlots, GlideOfZeroIsImmediateAtALowSampleRate) {
  EngineFixture fx(22050);
  fx.Set({{P::NoiseLevel, 0.0}, {P::Osc2Level, 0.0}});
  fx.NoteOn(0, 57);
  fx.Render(4096);
  fx.Set(P::Voice00_NoteNumber, 69);
  const Stereo out = fx.Render(11025);
  EXPECT_NEAR(PitchFrequency(out.left, 22050, 500, 11025), 440.0, 1.0);
}

TEST(EffectSlots, HighPassStaysStableAtLowSampleRates) {
  // At 3 kHz the highest high-pass cutoff (2 kHz) lies above the Nyquist frequency.
  for (double rate : {3000.0, 4000.0, 8000.0}) {
    EngineFixture fx(rate);
    fx.Set({{P::FilterHpCutoff, 1.0}, {P::NoiseLevel, 1.0}});
    fx.NoteOn(0, 60);
    const Stereo out = fx.Render(static_cast<int32_t>(rate));
    EXPECT_LT(PeakBetween(out.left, 0, out.left.size()), 1.0) << rate;
    EXPECT_GT(Rms(out.left, 0, out.left.size()), 1e-4) << rate;
  }
}

TEST(EffectSlots, ReverbAtFullDampingStillDecays) {
  EngineFixture fx;
  fx.Set({{P::NoiseLevel, 0.0},
          {P::EnvAmpRelease, 0.0},
          {P::FXSlot2Selector, 3},
          {P::FXSlot2ReverbOffOn, 1},
          {P::FXSlot2ReverbSize, 0.02},
          {P::FXSlot2ReverbDryWet, 1.0}});
  fx.NoteOn(0, 60);
  fx.Render(8192);
  // Turned to full damping while the reverb rings, then the note stops.
  fx.Set(P::FXSlot2ReverbDamp, 1.0);
  fx.NoteOff(0);
  const Stereo out = fx.Render(44100 * 6);
  EXPECT_GT(PeakBetween(out.left, 0, 4410), 1e-3);               // the tail sounds
  EXPECT_LT(PeakBetween(out.left, 44100 * 5, 44100 * 6), 1e-4);  // and dies away
}

TEST(EffectSlots, ResetAtAHigherRateGivesTheReverbItsFullLength) {
  const auto settings = {std::pair<int, double>{P::FXSlot2Selector, 3},
                         {P::FXSlot2ReverbOffOn, 1},
                         {P::FXSlot2ReverbSize, 1.0},
                         {P::FXSlot2ReverbDryWet, 1.0}};
  EngineFixture grown(44100);
  SynthEngine::Reset(grown.engine(), 192000, 1024);
  EngineFixture fresh(192000);
  for (EngineFixture* fx : {&grown, &fresh}) {
    fx->Set(settings);
    fx->NoteOn(0, 60);
  }
  EXPECT_EQ(grown.Render(80000).left, fresh.Render(80000).left);
}

TEST(EffectSlots, ASwitchedOffDelayForgetsItsEchoes) {
  EngineFixture fx;
  fx.Set({{P::NoiseLevel, 0.0},
          {P::EnvAmpRelease, 0.0},
          {P::FXSlot2Selector, 2},
          {P::FXSlot2DelayOffOn, 1},
          {P::FXSlot2DelayFeedback, 0.9},
          {P::HostTempoBpm, 1000}});
  fx.NoteOn(0, 60);
  fx.Render(2000);
  fx.NoteOff(0);
  const Stereo echoes = fx.Render(20000);
  EXPECT_GT(PeakBetween(echoes.left, 10000, 20000), 1e-3);
  fx.Set(P::FXSlot2DelayOffOn, 0);
  fx.Render(600000);
  fx.Set(P::FXSlot2DelayOffOn, 1);
  const Stereo after = fx.Render(20000);
  EXPECT_EQ(PeakBetween(after.left, 0, 20000), 0.0);
}

TEST(EffectSlots, WaveshapersStayBoundedAndSettleToSilence) {
  for (double selector : {4.0, 5.0, 6.0, 7.0}) {
    const Stereo out = ShortNote(44100,
                                 {{P::FXSlot1Selector, selector},
                                  {P::FXSlot1TubeDistOffOn, 1},
                                  {P::FXSlot1TransistorDistOffOn, 1},
                                  {P::FXSlot1FoldbackDistOffOn, 1},
                                  {P::FXSlot1BitcrushDistOffOn, 1},
                                  {P::FXSlot1TubeDistPostGain, 1},
                                  {P::FXSlot1TransistorDistPostGain, 1},
                                  {P::FXSlot1FoldbackDistPostGain, 1},
                                  {P::FXSlot1BitcrushDistPostGain, 1}},
                                 44100 * 4);
    EXPECT_LE(PeakBetween(out.left, 0, out.left.size()), 1.2) << selector;
    EXPECT_GT(PeakBetween(out.left, 0, 4096), 0.01) << selector;
    // A constant input (here the bitcrusher's offset at rest) decays through the DC blocker.
    EXPECT_LT(PeakBetween(out.left, 44100 * 3, 44100 * 4), 1e-3) << selector;
  }
}

}  // namespace
