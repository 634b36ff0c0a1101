// Parameter changes: engine copy, couplings, effect panels, on-screen keys.
#include <string>
#include <utility>
#include <vector>

#include "instrument/effect_panels.h"
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
  // Mode values count as the nearest mode: from 0.75 on poly, which keeps the arpeggiator.
  const struct {
    double mode;
    bool keepsArpeggiator;
  } rows[] = {{1.0, true}, {0.75, true}, {0.74, false}, {0.5, false}, {0.0, false}};
  for (const auto& row : rows) {
    Set(ArpeggiatorMode, 0.6);
    Set(VoiceModeMonoUniPoly, row.mode);
    const double expected = row.keepsArpeggiator ? 0.6 : 0.0;
    EXPECT_EQ(Record(ArpeggiatorMode), expected) << row.mode;
    EXPECT_EQ(EngineValue(ArpeggiatorMode), expected) << row.mode;
  }
}

TEST_F(InstrumentTest, EffectSelectorsShowOnePanelAndTheirLabel) {
  const struct {
    int selector;
    double value;
    const char* label;
    int shownPanel;  // -1: none of the slot's panels
  } rows[] = {
      {FXSlot1Selector, 2, "FX Slot 1 : Chorus", 0},
      {FXSlot1Selector, 3, "FX Slot 1 : Flanger", 1},
      {FXSlot1Selector, 4, "FX Slot 1 : Tube Dist", 2},
      {FXSlot1Selector, 5, "FX Slot 1 : Solid Dist", 3},
      {FXSlot1Selector, 6, "FX Slot 1 : Foldback", 4},
      {FXSlot1Selector, 7, "FX Slot 1 : Bitcrusher", 5},
      {FXSlot1Selector, 1.995, "FX Slot 1 : Chorus", 0},  // 0.01 lifts it to 2
      {FXSlot1Selector, 1, "FX Slot 1 : No Effect", -1},
      {FXSlot2Selector, 2, "FX Slot 2 : Delay", 6},
      {FXSlot2Selector, 3, "FX Slot 2 : Reverb", 7},
      {FXSlot2Selector, 2.995, "FX Slot 2 : Delay", 6},  // truncated, no 0.01
      {FXSlot2Selector, 1, "FX Slot 2 : No Effect", -1},
  };
  Set(FXSlot2Selector, 3);
  for (const auto& row : rows) {
    const bool slot1 = row.selector == FXSlot1Selector;
    Set(row.selector, row.value);
    EXPECT_EQ(EngineValue(row.selector), row.value) << row.label;
    EXPECT_STREQ(synth->Editor().LabelText(slot1 ? EditorLabel::kFxSlot1 : EditorLabel::kFxSlot2),
                 row.label);
    for (int panel = slot1 ? 0 : 6; panel < (slot1 ? 6 : 8); ++panel)
      EXPECT_EQ(synth->PanelHidden(panel), panel != row.shownPanel)
          << row.label << " panel " << panel;
    if (slot1) {  // slot 2 stays on the reverb meanwhile
      EXPECT_TRUE(synth->PanelHidden(6)) << row.label;
      EXPECT_FALSE(synth->PanelHidden(7)) << row.label;
    }
  }
}

TEST(EffectPanels, EachPanelListsItsControlsInOrder) {
  const std::vector<std::vector<int>> panels = {
      {FXSlot1ChorusBandwidth, FXSlot1ChorusCenter, FXSlot1ChorusFeedback, FXSlot1ChorusOffOn,
       FXSlot1ChorusRate},
      {FXSlot1FlangerBandwidth, FXSlot1FlangerCenter, FXSlot1FlangerFeedback, FXSlot1FlangerOffOn,
       FXSlot1FlangerRate},
      {FXSlot1TubeDistLoad, FXSlot1TubeDistOffOn, FXSlot1TubeDistPostGain, FXSlot1TubeDistPreGain},
      {FXSlot1TransistorDistLoad, FXSlot1TransistorDistOffOn, FXSlot1TransistorDistPostGain,
       FXSlot1TransistorDistPreGain},
      {FXSlot1FoldbackDistOffOn, FXSlot1FoldbackDistPostGain, FXSlot1FoldbackDistPreGain,
       FXSlot1FoldbackDistThreshold},
      {FXSlot1BitcrushDistBitDepth, FXSlot1BitcrushDistOffOn, FXSlot1BitcrushDistPostGain,
       FXSlot1BitcrushDistPreGain},
      {FXSlot2DelayCutoff, FXSlot2DelayDryWet, FXSlot2DelayFeedback, FXSlot2DelayOffOn,
       FXSlot2DelayTimeDivL, FXSlot2DelayTimeDivR},
      {FXSlot2ReverbDamp, FXSlot2ReverbDryWet, FXSlot2ReverbOffOn, FXSlot2ReverbSize,
       FXSlot2ReverbWidth},
  };
  for (int panel = 0; panel < EffectPanels::kPanelCount; ++panel) {
    int count = 0;
    const int* params = EffectPanels::PanelParams(panel, &count);
    ASSERT_NE(params, nullptr);
    EXPECT_EQ(std::vector<int>(params, params + count), panels[panel]) << panel;
  }
  int count = 1;
  EXPECT_EQ(EffectPanels::PanelParams(8, &count), nullptr);
  EXPECT_EQ(count, 0);
}

TEST_F(InstrumentTest, InitParamsReappliesTheSelectors) {
  synth->GetParam(FXSlot1Selector)->SetClamped(3);
  synth->GetParam(FXSlot2Selector)->SetClamped(2);
  Set(zInitParams, 0.0);
  EXPECT_STREQ(synth->Editor().LabelText(EditorLabel::kFxSlot1), "FX Slot 1 : Flanger");
  EXPECT_STREQ(synth->Editor().LabelText(EditorLabel::kFxSlot2), "FX Slot 2 : Delay");
  EXPECT_FALSE(synth->PanelHidden(1));
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

TEST_F(InstrumentTest, AnInstalledEditorHearsTheStateOnceThenOnlyChanges) {
  using Change = std::pair<int, bool>;
  struct Editor : EditorLink {
    void PanelVisibilityChanged(int panel, bool hidden) override {
      changes.push_back({panel, hidden});
    }
    void LabelChanged(EditorLabel, const char* text) override { labels.push_back(text); }
    std::vector<Change> changes;
    std::vector<std::string> labels;
  } editor;
  synth->InstallEditorLink(&editor);
  ASSERT_EQ(editor.changes.size(), static_cast<size_t>(EditorLink::kPanelCount));
  for (int panel = 0; panel < EditorLink::kPanelCount; ++panel)
    EXPECT_EQ(editor.changes[panel], Change(panel, true));
  EXPECT_EQ(editor.labels,
            (std::vector<std::string>{"FX Slot 1 : No Effect", "FX Slot 2 : No Effect",
                                      "< Presets Library >"}));
  editor.changes.clear();
  editor.labels.clear();
  Set(FXSlot1Selector, 2);
  EXPECT_EQ(editor.changes, (std::vector<Change>{{0, false}}));
  EXPECT_EQ(editor.labels, std::vector<std::string>{"FX Slot 1 : Chorus"});
  Set(FXSlot1Selector, 2);  // nothing changed: nothing to tell
  Set(MainVolume, 0.5);
  EXPECT_EQ(editor.changes.size(), 1u);
  EXPECT_EQ(editor.labels.size(), 1u);
  Set(FXSlot1Selector, 3);
  EXPECT_EQ(editor.changes, (std::vector<Change>{{0, false}, {0, true}, {1, false}}));
  synth->InstallEditorLink(nullptr);
  Set(FXSlot1Selector, 2);
  EXPECT_EQ(editor.labels.back(), "FX Slot 1 : Flanger");
  EXPECT_STREQ(synth->Editor().LabelText(EditorLabel::kFxSlot1), "FX Slot 1 : Chorus");
}
