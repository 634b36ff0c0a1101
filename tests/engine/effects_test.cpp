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

// The first slot adds 0.01 before truncating its selector, the second does not: 1.995 picks the
// chorus in the first slot and no effect in the second.
TEST(EffectSlots, SelectorsJustBelowTwo) {
  struct Case {
    int selector;
    std::pair<int, double> effectOn;
    int sameAs;
  };
  for (const Case& c : {Case{P::FXSlot1Selector, {P::FXSlot1ChorusOffOn, 1}, 2},
                        Case{P::FXSlot2Selector, {P::FXSlot2DelayOffOn, 1}, 1}}) {
    EngineFixture a, b;
    for (EngineFixture* fx : {&a, &b}) {
      fx->Set(c.effectOn.first, c.effectOn.second);
      fx->NoteOn(0, 60);
    }
    a.Set(c.selector, 1.995);
    b.Set(c.selector, c.sameAs);
    EXPECT_EQ(a.Render(4096).right, b.Render(4096).right) << c.selector;
  }
}

// Echoes at the beat of the tempo (a division switch at 1: three quarters of it), at full level
// with the cutoff at its top, also at a low sample rate; a delay switched off for a moment keeps
// what it already holds, so its echo still comes on time.
TEST(EffectSlots, DelayEchoFollowsTheTempo) {
  struct Case {
    double rate, tempo;
    int32_t offAt;  // switched off for 1000 samples from here (0: never)
    double beatSamples;
  };
  for (const Case& c :
       {Case{44100, 120, 0, 22050}, Case{22050, 240, 0, 5512.5}, Case{44100, 120, 10000, 22050}}) {
    SCOPED_TRACE(c.rate);
    const int32_t frames = static_cast<int32_t>(c.beatSamples) + 8192;
    const Stereo dry = ShortNote(c.rate, {{P::HostTempoBpm, c.tempo}}, 4096);
    EngineFixture fx(c.rate);
    fx.Set({{P::NoiseLevel, 0.0},
            {P::EnvAmpRelease, 0.0},
            {P::HostTempoBpm, c.tempo},
            {P::FXSlot2Selector, 2},
            {P::FXSlot2DelayOffOn, 1},
            {P::FXSlot2DelayDryWet, 1.0},
            {P::FXSlot2DelayCutoff, 1.0},
            {P::FXSlot2DelayTimeDivR, 1.0},
            {P::FXSlot2DelayFeedback, 0.0}});
    fx.NoteOn(0, 69);
    Stereo out = fx.Render(4096);
    fx.NoteOff(0);
    if (c.offAt > 0) {
      fx.Render(c.offAt - 4096, out);
      fx.Set(P::FXSlot2DelayOffOn, 0);
      fx.Render(1000, out);
      fx.Set(P::FXSlot2DelayOffOn, 1);
    }
    fx.Render(frames - static_cast<int32_t>(out.left.size()), out);
    const long onset = FirstAbove(dry.left, 1e-4);
    EXPECT_NEAR(FirstAbove(out.left, 1e-4) - onset, c.beatSamples, 2);
    EXPECT_NEAR(FirstAbove(out.right, 1e-4) - onset, 0.75 * c.beatSamples, 2);
    const double dryPeak = PeakBetween(dry.left, 0, 4096);
    const size_t echo = static_cast<size_t>(c.beatSamples);
    EXPECT_NEAR(PeakBetween(out.left, echo, echo + 4150), dryPeak, 0.05 * dryPeak);
  }
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
