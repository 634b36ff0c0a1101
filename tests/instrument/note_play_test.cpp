// Notes in: the channel filter, the three voice modes, sustain, the key display.
#include "instrument_fixture.h"

using namespace EngineParam;

TEST_F(InstrumentTest, OnlyTheSelectedChannelIsHeard) {
  Midi(0x91, 60, 100);
  Render();
  EXPECT_EQ(Gate(0), 0.0);
  Midi(0x90, 60, 100);
  Render();
  EXPECT_EQ(Gate(0), 1.0);

  Set(MidiChannelInput, 16);
  Midi(0x80, 60, 0);
  Render();
  EXPECT_EQ(Gate(0), 1.0);
  Midi(0x8F, 60, 0);
  Render();
  EXPECT_EQ(Gate(0), 0.0);
}

TEST_F(InstrumentTest, NoteOnWithVelocityZeroIsANoteOff) {
  NoteOn(48, 90);
  Render();
  EXPECT_EQ(EngineValue(Key048A), 1.0);
  Midi(0x90, 48, 0);
  Render();
  EXPECT_EQ(Gate(0), 0.0);
  EXPECT_EQ(EngineValue(Key048A), 0.0);
}

TEST_F(InstrumentTest, MonoReturnsLegatoToTheEarlierNote) {
  NoteOn(60, 90);
  NoteOn(64, 70);
  Render();
  EXPECT_EQ(Note(0), 64.0);
  NoteOff(64);
  Render();
  EXPECT_EQ(Gate(0), 1.0);
  EXPECT_EQ(Note(0), 60.0);
  EXPECT_EQ(Velocity(0), 90.0);
  EXPECT_EQ(Record(Voice00_NoteNumber), 60.0);
  EXPECT_EQ(Gate(1), 0.0);
}

TEST_F(InstrumentTest, MonoRetriggersOnlyWhenTheSoundingNoteIsReleased) {
  Set(EnvAmpRetrigOffOn, 1.0);
  NoteOn(60);
  NoteOn(64);
  Render();
  const double afterPresses = Retrig(0);
  NoteOff(60);
  Render();
  EXPECT_EQ(Retrig(0), afterPresses);
  EXPECT_EQ(Note(0), 64.0);
  NoteOn(67);
  Render();
  const double afterThird = Retrig(0);
  EXPECT_NE(afterThird, afterPresses);
  NoteOff(67);
  Render();
  EXPECT_NE(Retrig(0), afterThird);
  EXPECT_EQ(Note(0), 64.0);
}

TEST_F(InstrumentTest, MonoReleaseOfAnUnknownNoteKeepsTheStack) {
  NoteOn(60);
  NoteOn(64);
  NoteOff(72);  // never pressed
  Render();
  EXPECT_EQ(Gate(0), 1.0);
  EXPECT_EQ(Note(0), 64.0);
  EXPECT_EQ(synth->MonoNoteStack().Depth(), 2);
  NoteOff(64);
  Render();
  EXPECT_EQ(Gate(0), 1.0);
  EXPECT_EQ(Note(0), 60.0);
}

TEST_F(InstrumentTest, MonoNeverReturnsToNoteZero) {
  NoteOn(60);
  NoteOff(72);
  Render();
  EXPECT_EQ(Gate(0), 1.0);
  EXPECT_EQ(Note(0), 60.0);
  NoteOff(60);
  Render();
  EXPECT_EQ(Gate(0), 0.0);
  EXPECT_EQ(Note(0), 60.0);
}

TEST_F(InstrumentTest, MonoReleaseOfAKeyPressedTwiceLeavesNoStaleEntry) {
  NoteOn(60);
  NoteOn(64);
  NoteOn(60);
  NoteOff(60);
  Render();
  EXPECT_EQ(Note(0), 64.0);
  NoteOff(64);
  Render();
  EXPECT_EQ(Gate(0), 0.0);
}

TEST_F(InstrumentTest, MonoSustainHoldsTheGateUntilThePedalLifts) {
  Controller(64, 127);
  NoteOn(60);
  NoteOff(60);
  Render();
  EXPECT_EQ(Gate(0), 1.0);
  Controller(64, 100);
  Render();
  EXPECT_EQ(Gate(0), 1.0);
  Controller(64, 0);
  Render();
  EXPECT_EQ(Gate(0), 0.0);
  EXPECT_EQ(Record(Voice00_NoteGate), 0.0);
}

TEST_F(InstrumentTest, UnisonGatesAllFourVoicesTogether) {
  Set(VoiceModeMonoUniPoly, 0.5);
  Set(EnvAmpRetrigOffOn, 1.0);
  NoteOn(50, 80);
  Render();
  for (int v = 0; v < 4; ++v) {
    EXPECT_EQ(Gate(v), 1.0) << v;
    EXPECT_EQ(Note(v), 50.0) << v;
    EXPECT_EQ(Retrig(v), Retrig(0)) << v;
  }
  EXPECT_EQ(Gate(4), 0.0);
  NoteOn(55);
  NoteOff(55);
  Render();
  for (int v = 0; v < 4; ++v)
    EXPECT_EQ(Note(v), 50.0) << v;
  Controller(64, 127);
  NoteOff(50);
  Render();
  for (int v = 0; v < 4; ++v)
    EXPECT_EQ(Gate(v), 1.0) << v;
  Controller(64, 0);
  Render();
  for (int v = 0; v < 4; ++v)
    EXPECT_EQ(Gate(v), 0.0) << v;
}

TEST_F(InstrumentTest, PolyStealsVoiceZeroWhenAllAreBusy) {
  Set(VoiceModeMonoUniPoly, 1.0);
  for (int note : {60, 62, 64, 65})
    NoteOn(note);
  Render();
  for (int v = 0; v < 4; ++v)
    EXPECT_EQ(Gate(v), 1.0) << v;
  NoteOn(67);
  Render();
  EXPECT_EQ(Note(0), 67.0);
  EXPECT_EQ(Note(1), 62.0);
  EXPECT_EQ(Gate(1), 1.0);
  NoteOn(69);
  Render();
  EXPECT_EQ(Note(1), 69.0);
  NoteOff(65);
  Render();
  EXPECT_EQ(Gate(3), 0.0);
}

TEST_F(InstrumentTest, PolyReleasesEveryVoiceOfTheNote) {
  Set(VoiceModeMonoUniPoly, 1.0);
  NoteOn(60);
  NoteOn(60);
  NoteOn(62);
  NoteOff(60);
  Render();
  EXPECT_EQ(Gate(0), 0.0);
  EXPECT_EQ(Gate(1), 0.0);
  EXPECT_EQ(Gate(2), 1.0);
  NoteOn(64);  // takes the first free voice
  Render();
  EXPECT_EQ(Note(0), 64.0);
}

TEST_F(InstrumentTest, PolySustainKeepsReleasedVoicesBusyAfterThePedal) {
  Set(VoiceModeMonoUniPoly, 1.0);
  Controller(64, 127);
  NoteOn(60);
  NoteOff(60);
  Render();
  EXPECT_EQ(Gate(0), 1.0);
  Controller(64, 0);
  Render();
  EXPECT_EQ(Gate(0), 0.0);
  NoteOn(62);
  Render();
  EXPECT_EQ(Note(1), 62.0);  // voice 0 still counts as busy
}

TEST_F(InstrumentTest, PolyRetriggerTogglesPerVoice) {
  Set(VoiceModeMonoUniPoly, 1.0);
  Set(EnvAmpRetrigOffOn, 1.0);
  NoteOn(60);
  Render();
  EXPECT_EQ(Retrig(0), 1.0);
  NoteOff(60);
  NoteOn(61);
  Render();
  EXPECT_EQ(Retrig(0), 0.0);
  EXPECT_EQ(Retrig(1), 0.0);
}

TEST_F(InstrumentTest, AModeBetweenTheThreePlaysNoVoiceButShowsTheKey) {
  Controller(8, 64);
  NoteOn(40);
  Render();
  EXPECT_EQ(Gate(0), 0.0);
  EXPECT_EQ(EngineValue(Key040A), 1.0);
}

TEST_F(InstrumentTest, KeyDisplayCoversNotes36To60Only) {
  NoteOn(35);
  NoteOn(61);
  NoteOn(36);
  NoteOn(60);
  Render();
  EXPECT_EQ(EngineValue(Key036A), 1.0);
  EXPECT_EQ(EngineValue(Key060A), 1.0);
  EXPECT_EQ(Record(Key036A), 0.0);  // the display writes no record
  RecordingEditor::Push push{};
  ASSERT_TRUE(gui->LastPush(Key060A, &push));
  EXPECT_EQ(push.value, 1.0);
  int keyPushes = 0;
  for (const auto& p : gui->pushes)
    keyPushes += (p.idx >= Key036A && p.idx <= Key060A);
  EXPECT_EQ(keyPushes, 2);
}

TEST_F(InstrumentTest, DataBytesAbove127AreIgnored) {
  Set(VoiceModeMonoUniPoly, 1.0);
  Midi(0x90, 200, 100);
  Midi(0x90, 60, 130);
  Midi(0xB0, 7, 200);
  Midi(0xE0, 0, 200);
  Render();
  for (int v = 0; v < 4; ++v)
    EXPECT_EQ(Gate(v), 0.0) << v;
  EXPECT_EQ(Record(MainVolume), 0.8);
  EXPECT_EQ(Record(PitchBend), 0.0);
}

TEST_F(InstrumentTest, SystemAndUnmappedMessagesChangeNothing) {
  Midi(0xF0, 0x90, 60);
  Midi(0xA0, 60, 100);
  Midi(0xC0, 5, 0);
  Midi(0xD0, 100, 0);
  Midi(0xB0, 2, 100);
  Render();
  EXPECT_EQ(Gate(0), 0.0);
  EXPECT_EQ(Record(ModWheel), 0.0);
}

TEST_F(InstrumentTest, MessagesBeyondTheBlockWaitForTheNextOne) {
  Midi(0x90, 60, 100, 5);
  Render(4);
  EXPECT_EQ(Gate(0), 0.0);
  ASSERT_EQ(synth->MidiQueue().Count(), 1);
  EXPECT_EQ(synth->MidiQueue().Front()->offset, 1);
  Render(4);
  EXPECT_EQ(Gate(0), 1.0);
  EXPECT_EQ(synth->MidiQueue().Count(), 0);
}

TEST_F(InstrumentTest, ABlockOfNoFramesHandlesNothing) {
  NoteOn(60);
  Render(0);
  EXPECT_EQ(Gate(0), 0.0);
  EXPECT_EQ(synth->MidiQueue().Count(), 1);
}
