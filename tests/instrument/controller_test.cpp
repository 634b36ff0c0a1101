// Controllers and pitch bend.
#include <iterator>
#include <map>
#include <set>

#include "instrument_fixture.h"

using namespace EngineParam;

TEST_F(InstrumentTest, EveryControllerReachesItsParameterAndNoOther) {
  // Pairs of controller and parameter.
  // clang-format off
  const int mapRows[] = {
      1, ModWheel, 3, Lfo1Rate, 5, Lfo2Rate, 7, MainVolume,
      8, VoiceModeMonoUniPoly, 9, Osc1OvertonesCoeff, 10, Osc1OvertonesMath, 11, Osc1OvertonesMorph,
      12, Osc1Pitch, 13, Osc2OvertonesCoeff, 14, Osc2OvertonesMath, 15, Osc2OvertonesMorph,
      16, Osc2Pitch, 17, Osc1Level, 18, Osc2Level, 19, NoiseLevel,
      20, PitchBendRngAmt, 21, PitchGlideAmt, 22, VoiceSpreadAmt, 23, Env1Attack,
      24, Env1Decay, 25, Env1Sustain, 26, Env1Release, 27, Env1RetrigOffOn,
      28, Env2Attack, 29, Env2Decay, 30, Env2Sustain, 31, Env2Release,
      32, Env2RetrigOffOn, 33, EnvAmpAttack, 34, EnvAmpDecay, 35, EnvAmpSustain,
      36, EnvAmpRelease, 37, EnvAmpRetrigOffOn, 38, ArpeggiatorMode, 39, ArpeggiatorBpmDivider,
      71, FilterLpResonance, 72, FilterHpCutoff, 73, FilterLpKeyTrack, 74, FilterLpCutoff,
  };
  // clang-format on
  std::map<int, int> controllerMap;
  for (std::size_t k = 0; k + 1 < std::size(mapRows); k += 2)
    controllerMap[mapRows[k]] = mapRows[k + 1];
  const double x = 100 / 127.0;
  for (int controller = 0; controller < 128; ++controller) {
    if (controller == 64 || controller == 123) continue;  // sustain and all notes off
    std::vector<double> before(kCount);
    for (int i = 0; i < kCount; ++i)
      before[i] = Record(i);
    gui->pushes.clear();
    Controller(controller, 100);
    Render();
    std::set<int> changed;
    for (int i = 0; i < kCount; ++i) {
      if (Record(i) != before[i]) changed.insert(i);
    }
    const auto row = controllerMap.find(controller);
    if (row == controllerMap.end()) {
      EXPECT_TRUE(changed.empty()) << "controller " << controller;
      continue;
    }
    const int target = row->second;
    EXPECT_DOUBLE_EQ(Record(target), x) << "controller " << controller;
    EXPECT_EQ(EngineValue(target), Record(target)) << "controller " << controller;
    RecordingEditor::Push push{};
    ASSERT_TRUE(gui->LastPush(target, &push)) << "controller " << controller;
    EXPECT_EQ(push.value, x);
    EXPECT_TRUE(push.normalized);
    // The arpeggiator takes the poly mode along; nothing else moves.
    std::set<int> expected = {target};
    if (target == ArpeggiatorMode) {
      expected.insert(VoiceModeMonoUniPoly);
      EXPECT_EQ(EngineValue(VoiceModeMonoUniPoly), 1.0);
    }
    EXPECT_EQ(changed, expected) << "controller " << controller;
    for (int i : changed)
      Set(i, before[i]);
  }
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
