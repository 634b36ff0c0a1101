// Parameter changes: engine copy, couplings, effect panels, on-screen keys.
#include "instrument_fixture.h"

using namespace EngineParam;

TEST_F(InstrumentTest, EveryChangeReachesTheEngine) {
  Set(Osc1Pitch, 0.25);
  EXPECT_EQ(EngineValue(Osc1Pitch), 0.25);
  SetFromEditor(FilterLpCutoff, 0.4);
  EXPECT_EQ(EngineValue(FilterLpCutoff), 0.4);
  synth->ParamChanged(-1);
  synth->ParamChanged(kCount);
}

TEST_F(InstrumentTest, ArpeggiatorOnSwitchesToPolyAndStopsNotes) {
  NoteOn(60);
  Render();
  Set(ArpeggiatorMode, 0.3);
  EXPECT_EQ(Record(ArpeggiatorMode), 0.3);
  EXPECT_EQ(Record(VoiceModeMonoUniPoly), 1.0);
  EXPECT_EQ(EngineValue(VoiceModeMonoUniPoly), 1.0);
  RecordingEditor::Push push{};
  ASSERT_TRUE(gui->LastPush(VoiceModeMonoUniPoly, &push));
  EXPECT_EQ(push.value, 1.0);
  EXPECT_EQ(Gate(0), 0.0);

  Set(VoiceModeMonoUniPoly, 0.0);
  gui->pushes.clear();
  Set(ArpeggiatorMode, 0.0);
  EXPECT_EQ(Record(VoiceModeMonoUniPoly), 0.0);
  EXPECT_FALSE(gui->LastPush(VoiceModeMonoUniPoly, &push));
}

TEST_F(InstrumentTest, VoiceModeOtherThanPolySwitchesTheArpeggiatorOff) {
  Set(ArpeggiatorMode, 0.6);
  Set(VoiceModeMonoUniPoly, 1.0);
  EXPECT_EQ(Record(ArpeggiatorMode), 0.6);
  Set(VoiceModeMonoUniPoly, 0.5);
  EXPECT_EQ(Record(ArpeggiatorMode), 0.0);
  EXPECT_EQ(EngineValue(ArpeggiatorMode), 0.0);
}

TEST_F(InstrumentTest, SlotOneSelectorShowsOnePanelAndItsLabel) {
  Set(FXSlot2Selector, 3);
  Set(FXSlot1Selector, 4);
  EXPECT_STREQ(synth->Editor().LabelText(EditorLabel::kFxSlot1), "FX Slot 1 : Tube Dist");
  for (int panel = 0; panel < 6; ++panel)
    EXPECT_EQ(synth->Editor().IsPanelHidden(panel), panel != 2) << panel;
  EXPECT_TRUE(synth->Editor().IsPanelHidden(6));
  EXPECT_FALSE(synth->Editor().IsPanelHidden(7));

  Set(FXSlot1Selector, 1.995);  // rounds up to the chorus
  EXPECT_STREQ(synth->Editor().LabelText(EditorLabel::kFxSlot1), "FX Slot 1 : Chorus");
  EXPECT_FALSE(synth->Editor().IsPanelHidden(0));
  Set(FXSlot1Selector, 7);
  EXPECT_STREQ(synth->Editor().LabelText(EditorLabel::kFxSlot1), "FX Slot 1 : Bitcrusher");
  Set(FXSlot1Selector, 1);
  for (int panel = 0; panel < 6; ++panel)
    EXPECT_TRUE(synth->Editor().IsPanelHidden(panel));
}

TEST_F(InstrumentTest, SlotTwoSelectorTruncatesWithoutRounding) {
  Set(FXSlot2Selector, 2.995);
  EXPECT_STREQ(synth->Editor().LabelText(EditorLabel::kFxSlot2), "FX Slot 2 : Delay");
  EXPECT_FALSE(synth->Editor().IsPanelHidden(6));
  EXPECT_TRUE(synth->Editor().IsPanelHidden(7));
  EXPECT_EQ(EngineValue(FXSlot2Selector), 2.995);
}

TEST_F(InstrumentTest, InitParamsReappliesTheSelectors) {
  synth->GetParam(FXSlot1Selector)->SetClamped(3);
  synth->GetParam(FXSlot2Selector)->SetClamped(2);
  Set(zInitParams, 0.0);
  EXPECT_STREQ(synth->Editor().LabelText(EditorLabel::kFxSlot1), "FX Slot 1 : Flanger");
  EXPECT_STREQ(synth->Editor().LabelText(EditorLabel::kFxSlot2), "FX Slot 2 : Delay");
  EXPECT_FALSE(synth->Editor().IsPanelHidden(1));
}

TEST_F(InstrumentTest, OnScreenKeysQueueNotesOnEveryChannel) {
  Set(MidiChannelInput, 5);
  Set(Key040A, 1.0);
  ASSERT_EQ(synth->MidiQueue().Count(), 1);
  const IMidiMessage* on = synth->MidiQueue().Front();
  EXPECT_EQ(on->offset, 0);
  EXPECT_EQ(on->status, 0x90);
  EXPECT_EQ(on->data1, 40);
  EXPECT_EQ(on->data2, 64);
  Render();
  EXPECT_EQ(Gate(0), 1.0);
  EXPECT_EQ(Note(0), 40.0);
  Set(Key040A, 0.5);
  EXPECT_EQ(synth->MidiQueue().Count(), 0);
  Set(Key040A, 0.0);
  ASSERT_EQ(synth->MidiQueue().Count(), 1);
  EXPECT_EQ(synth->MidiQueue().Front()->status, 0x80);
  Render();
  EXPECT_EQ(Gate(0), 0.0);
}

TEST_F(InstrumentTest, HostTempoReachesRecordAndEngineEachBlock) {
  synth->tempo = 97.5;
  Render();
  EXPECT_EQ(Record(HostTempoBpm), 97.5);
  EXPECT_EQ(EngineValue(HostTempoBpm), 97.5);
  synth->tempo = 5000.0;
  Render();
  EXPECT_EQ(Record(HostTempoBpm), 1000.0);
  EXPECT_EQ(EngineValue(HostTempoBpm), 1000.0);
}

TEST_F(InstrumentTest, AnInstalledEditorReceivesEveryTouch) {
  struct Editor : EditorLink {
    using EditorLink::EditorLink;
    void HidePanel(int panel, bool hide) override {
      EditorLink::HidePanel(panel, hide);
      ++hides;
    }
    void ReplaceLabelText(EditorLabel label, const char* text) override {
      EditorLink::ReplaceLabelText(label, text);
      lastLabel = text;
    }
    int hides = 0;
    std::string lastLabel;
  } editor(synth.get());
  synth->InstallEditorLink(&editor);
  Set(FXSlot1Selector, 2);
  EXPECT_EQ(editor.lastLabel, "FX Slot 1 : Chorus");
  EXPECT_EQ(editor.hides, EditorLink::kPanelCount);
  EXPECT_FALSE(editor.IsPanelHidden(0));
  synth->InstallEditorLink(nullptr);
  Set(FXSlot1Selector, 3);
  EXPECT_EQ(editor.lastLabel, "FX Slot 1 : Chorus");
  EXPECT_STREQ(synth->Editor().LabelText(EditorLabel::kFxSlot1), "FX Slot 1 : Flanger");
}
