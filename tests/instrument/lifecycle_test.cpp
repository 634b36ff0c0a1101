#include <cmath>

#include "instrument_fixture.h"

using namespace EngineParam;

TEST_F(InstrumentTest, EveryParameterIsDefinedFromTheEngineTable) {
  for (int i = 0; i < kCount; ++i) {
    const IParameter* param = synth->GetParam(i);
    const EngineParamInfo& row = synth->Engine()->paramInfo[i];
    EXPECT_STREQ(param->Name(), row.name) << i;
    EXPECT_EQ(param->Type(), kTypeDouble) << i;
    EXPECT_EQ(param->Step(), 0.00001) << i;
    EXPECT_EQ(param->DisplayPrecision(), 5) << i;
    EXPECT_EQ(param->Shape(), 1.0) << i;
    EXPECT_EQ(param->Min(), row.minimum) << i;
    EXPECT_EQ(param->Max(), row.maximum) << i;
    EXPECT_EQ(param->Default(), row.defaultValue) << i;
    EXPECT_EQ(param->Value(), row.defaultValue) << i;
  }
}

TEST(InstrumentConstruction, StartsWithNoEffectShownAndAnInitPreset) {
  Tovalune synth;
  EXPECT_EQ(synth.GetParam(FXSlot1Selector)->Value(), 1.0);
  EXPECT_EQ(synth.GetParam(FXSlot2Selector)->Value(), 1.0);
  EXPECT_STREQ(synth.Editor().LabelText(EditorLabel::kFxSlot1), "FX Slot 1 : No Effect");
  EXPECT_STREQ(synth.Editor().LabelText(EditorLabel::kFxSlot2), "FX Slot 2 : No Effect");
  EXPECT_STREQ(synth.Editor().LabelText(EditorLabel::kPresetName), "< Presets Library >");
  for (int panel = 0; panel < EditorLink::kPanelCount; ++panel) {
    EXPECT_TRUE(synth.PanelHidden(panel)) << panel;
  }
  ASSERT_EQ(synth.NPresets(), 1);
  EXPECT_STREQ(synth.GetPresetName(0), "Init");
  EXPECT_EQ(synth.CurrentPreset(), 0.0);
  EXPECT_EQ(synth.Engine()->sampleRate, 44100.0);
}

TEST_F(InstrumentTest, ResetRestoresRestingStateButKeepsTheSound) {
  Set(MainVolume, 0.3);
  Set(VoiceModeMonoUniPoly, 0.0);
  Controller(64, 127);
  NoteOn(60);
  NoteOn(64);
  Render();
  ASSERT_EQ(Gate(0), 1.0);
  synth->GetParam(PresetSelector)->SetClamped(17);
  synth->SetSampleRate(48000.0);
  synth->Reset();
  EXPECT_EQ(EngineValue(MainVolume), 0.3);
  EXPECT_EQ(Record(PresetSelector), 0.0);
  EXPECT_EQ(EngineValue(PresetSelector), 0.0);
  for (int v = 0; v < 8; ++v) {
    EXPECT_EQ(EngineValue(VoiceParam(v, NoteGate)), 0.0) << v;
    EXPECT_EQ(Record(VoiceParam(v, NoteGate)), 0.0) << v;
  }
  EXPECT_EQ(synth->SustainPedal(), 0);
  EXPECT_TRUE(synth->MonoNoteStack().Empty());
}

TEST_F(InstrumentTest, ResetSizesTheMidiQueueForTheBlock) {
  synth->SetBlockSize(1000);
  synth->Reset();
  EXPECT_EQ(synth->MidiQueue().Capacity(), 1024);
}

TEST(InstrumentWithoutEngine, StaysSilentAndSafeUntilAResetCanCreateOne) {
  TestBinding::constructionSampleRate = 1e9;  // a rate the engine refuses
  Tovalune synth;
  TestBinding::constructionSampleRate = 44100.0;
  ASSERT_EQ(synth.Engine(), nullptr);
  EXPECT_STREQ(synth.GetParam(zInitParams)->Name(), "zInitParams");
  EXPECT_EQ(synth.GetParam(MainVolume)->Value(), 0.8);

  std::vector<double> left(64, 7.0), right(64, 7.0);
  double* outputs[2] = {left.data(), right.data()};
  const IMidiMessage on(0, 0x90, 60, 100);
  synth.ReceiveMidiMessage(&on);
  synth.ProcessBlock(nullptr, outputs, 64);
  for (int i = 0; i < 64; ++i)
    EXPECT_EQ(left[i] + right[i], 0.0);
  synth.GetParam(MainVolume)->SetClamped(0.5);
  synth.ParamChanged(MainVolume);

  synth.SetSampleRate(48000.0);
  synth.SetBlockSize(64);
  synth.Reset();
  ASSERT_NE(synth.Engine(), nullptr);
  EXPECT_EQ(synth.Engine()->sampleRate, 48000.0);
}

TEST_F(InstrumentTest, AllNotesOffControllerSilencesEveryVoiceAndLiftsThePedal) {
  Set(VoiceModeMonoUniPoly, 1.0);
  Controller(64, 127);
  for (int note : {60, 62, 64, 65})
    NoteOn(note);
  Controller(123, 0);
  Render();
  for (int v = 0; v < 4; ++v)
    EXPECT_EQ(Gate(v), 0.0) << v;
  EXPECT_EQ(synth->SustainPedal(), 0);
  // Notes keep their numbers; only the gates close.
  EXPECT_EQ(Note(3), 65.0);
}
