// Controllers and pitch bend.
#include "instrument_fixture.h"

using namespace EngineParam;

TEST_F(InstrumentTest, ControllersSetRecordEngineAndControls) {
  const struct {
    int controller;
    int param;
  } rows[] = {{1, ModWheel},
              {7, MainVolume},
              {22, VoiceSpreadAmt},
              {37, EnvAmpRetrigOffOn},
              {39, ArpeggiatorBpmDivider},
              {71, FilterLpResonance},
              {74, FilterLpCutoff}};
  for (const auto& row : rows) {
    Controller(row.controller, 127);
    Render();
    EXPECT_EQ(Record(row.param), 1.0) << row.controller;
    EXPECT_EQ(EngineValue(row.param), 1.0) << row.controller;
    Controller(row.controller, 0);
    Render();
    EXPECT_EQ(Record(row.param), 0.0) << row.controller;
  }
  Controller(74, 64);
  Render();
  EXPECT_DOUBLE_EQ(Record(FilterLpCutoff), 64 / 127.0);
  RecordingEditor::Push push{};
  ASSERT_TRUE(gui->LastPush(FilterLpCutoff, &push));
  EXPECT_DOUBLE_EQ(push.value, 64 / 127.0);
  EXPECT_TRUE(push.normalized);
}

TEST_F(InstrumentTest, ControllerChangesAreNotReportedToTheHost) {
  Controller(1, 100);
  Render();
  EXPECT_TRUE(synth->hostEdits.empty());
}

TEST_F(InstrumentTest, VoiceModeControllerCouplesTheArpeggiator) {
  Set(ArpeggiatorMode, 0.5);
  ASSERT_EQ(Record(VoiceModeMonoUniPoly), 1.0);
  NoteOn(60);
  Render();
  Controller(8, 0);  // mono: the arpeggiator goes off and the notes stop
  Render();
  EXPECT_EQ(Record(VoiceModeMonoUniPoly), 0.0);
  EXPECT_EQ(Record(ArpeggiatorMode), 0.0);
  EXPECT_EQ(EngineValue(ArpeggiatorMode), 0.0);
  EXPECT_EQ(Gate(0), 0.0);
}

TEST_F(InstrumentTest, ArpeggiatorControllerSwitchesToPoly) {
  Controller(38, 64);
  Render();
  EXPECT_DOUBLE_EQ(Record(ArpeggiatorMode), 64 / 127.0);
  EXPECT_EQ(Record(VoiceModeMonoUniPoly), 1.0);
  EXPECT_EQ(EngineValue(VoiceModeMonoUniPoly), 1.0);
}

TEST_F(InstrumentTest, PitchBendScalesToMinusOneToAlmostOne) {
  Midi(0xE0, 0, 64);
  Render();
  EXPECT_EQ(Record(PitchBend), 0.0);
  RecordingEditor::Push push{};
  ASSERT_TRUE(gui->LastPush(PitchBend, &push));
  EXPECT_EQ(push.value, 0.5);
  Midi(0xE0, 0, 0);
  Render();
  EXPECT_EQ(Record(PitchBend), -1.0);
  EXPECT_EQ(EngineValue(PitchBend), -1.0);
  ASSERT_TRUE(gui->LastPush(PitchBend, &push));
  EXPECT_EQ(push.value, 0.0);
  Midi(0xE0, 127, 127);
  Render();
  EXPECT_EQ(Record(PitchBend), 8191.0 / 8192.0);
}
