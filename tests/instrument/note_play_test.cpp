// Notes in: the channel filter, the three voice modes, sustain, retriggering, the key display.
#include <sstream>

#include "instrument_fixture.h"

using namespace EngineParam;

namespace {

constexpr double kMono = 0.0;
constexpr double kUnison = 0.5;
constexpr double kPoly = 1.0;
constexpr double kController64 = 64 / 127.0;  // what controller 8 gives for 64
constexpr int kAny = -1;

struct Scenario {
  double mode;
  // Played in one block: "+60" note-on (velocity 100), "+60/90" with velocity 90, "-60"
  // note-off, "p127" sustain controller with that value.
  const char* script;
  const char* gates;  // expected gates of voices 0..3
  int notes[4];       // expected note numbers (kAny: not checked)
  int velocity0;      // expected velocity of voice 0 (kAny: not checked)
};

const Scenario kScenarios[] = {
    // Mono: legato return to the latest note still held, with its velocity.
    {kMono, "+60/90 +64/70 -64", "1000", {60, kAny, kAny, kAny}, 90},
    {kMono, "+60 +64 -60", "1000", {64, kAny, kAny, kAny}, kAny},
    // A release of a note that is not held neither shortens the stack nor returns to note 0.
    {kMono, "+60 +64 -72", "1000", {64, kAny, kAny, kAny}, kAny},
    {kMono, "+60 +64 -72 -64", "1000", {60, kAny, kAny, kAny}, kAny},
    {kMono, "+60 -72", "1000", {60, kAny, kAny, kAny}, kAny},
    {kMono, "+60 -72 -60", "0000", {60, kAny, kAny, kAny}, kAny},
    // A key pressed twice and released once leaves no stale entry to return to.
    {kMono, "+60 +64 +60 -60", "1000", {64, kAny, kAny, kAny}, kAny},
    {kMono, "+60 +64 +60 -60 -64", "0000", {64, kAny, kAny, kAny}, kAny},
    // Sustain: values other than 0 and 127 change nothing.
    {kMono, "p127 +60 -60", "1000", {60, kAny, kAny, kAny}, kAny},
    {kMono, "p127 +60 -60 p100", "1000", {60, kAny, kAny, kAny}, kAny},
    {kMono, "p127 +60 -60 p0", "0000", {60, kAny, kAny, kAny}, kAny},
    {kMono, "p127 +60 +64 -64 p0", "1000", {60, kAny, kAny, kAny}, kAny},
    {kMono, "+48/90 +48/0", "0000", {48, kAny, kAny, kAny}, kAny},
    // Unison: all four voices together.
    {kUnison, "+50/80", "1111", {50, 50, 50, 50}, 80},
    {kUnison, "+50 +55 -55", "1111", {50, 50, 50, 50}, kAny},
    {kUnison, "+50 p127 -50", "1111", {50, 50, 50, 50}, kAny},
    {kUnison, "+50 p127 -50 p0", "0000", {50, 50, 50, 50}, kAny},
    {kUnison, "+50 -50", "0000", {50, 50, 50, 50}, kAny},
    // Poly: first free voice; all four busy gives voice 0 and frees the others' flags.
    {kPoly, "+60 +62 +64 +65", "1111", {60, 62, 64, 65}, kAny},
    {kPoly, "+60 +62 +64 +65 +67", "1111", {67, 62, 64, 65}, kAny},
    {kPoly, "+60 +62 +64 +65 +67 +69", "1111", {67, 69, 64, 65}, kAny},
    {kPoly, "+60 +62 +64 +65 +67 +69 -65", "1110", {67, 69, 64, 65}, kAny},
    {kPoly, "+60 +60 +62 -60", "0010", {60, 60, 62, kAny}, kAny},
    {kPoly, "+60 +60 +62 -60 +64", "1010", {64, 60, 62, kAny}, kAny},
    // Poly sustain: the released voice sounds on, and stays busy after the pedal lifts.
    {kPoly, "p127 +60 -60", "1000", {60, kAny, kAny, kAny}, kAny},
    {kPoly, "p127 +60 -60 p0", "0000", {60, kAny, kAny, kAny}, kAny},
    {kPoly, "p127 +60 -60 p0 +62", "0100", {60, 62, kAny, kAny}, kAny},
    {kPoly, "p127 +60 +62 -60 p0", "0100", {60, 62, kAny, kAny}, kAny},
    // Any other mode value plays the mode it lies nearest to.
    {0.2, "+40 +43", "1000", {43, kAny, kAny, kAny}, kAny},
    {0.25, "+40 +43", "1111", {43, 43, 43, 43}, kAny},
    {kController64, "+40 +43", "1111", {43, 43, 43, 43}, kAny},
    {kController64, "+50 p127 -50 p0", "0000", {50, 50, 50, 50}, kAny},
    {0.75, "+40 +43", "1100", {40, 43, kAny, kAny}, kAny},
};

void PrintTo(const Scenario& scenario, std::ostream* out) {
  *out << "\"" << scenario.script << "\" in mode " << scenario.mode;
}

}  // namespace

class VoiceAllocationTest : public InstrumentTest, public ::testing::WithParamInterface<Scenario> {
 protected:
  void Play(const char* script) {
    std::istringstream tokens(script);
    std::string token;
    while (tokens >> token) {
      const int number = std::stoi(token.substr(1));
      const std::size_t slash = token.find('/');
      const int velocity = slash == std::string::npos ? 100 : std::stoi(token.substr(slash + 1));
      if (token[0] == '+') NoteOn(number, velocity);
      if (token[0] == '-') NoteOff(number);
      if (token[0] == 'p') Controller(64, number);
    }
    Render();
  }
};

TEST_P(VoiceAllocationTest, VoicesFollowTheNotes) {
  const Scenario& scenario = GetParam();
  synth->GetParam(VoiceModeMonoUniPoly)->SetClamped(scenario.mode);
  synth->ParamChanged(VoiceModeMonoUniPoly);
  Play(scenario.script);
  for (int v = 0; v < 4; ++v) {
    EXPECT_EQ(Gate(v), scenario.gates[v] == '1' ? 1.0 : 0.0) << "voice " << v;
    if (scenario.notes[v] != kAny) {
      EXPECT_EQ(Note(v), scenario.notes[v]) << "voice " << v;
    }
    // Records and engine always agree.
    EXPECT_EQ(Record(VoiceParam(v, NoteGate)), Gate(v)) << "voice " << v;
    EXPECT_EQ(Record(VoiceParam(v, NoteNumber)), Note(v)) << "voice " << v;
  }
  for (int v = 4; v < 8; ++v)
    EXPECT_EQ(Gate(v), 0.0) << "voice " << v;
  if (scenario.velocity0 != kAny) {
    EXPECT_EQ(Velocity(0), scenario.velocity0);
  }
}

INSTANTIATE_TEST_SUITE_P(Scripts, VoiceAllocationTest, ::testing::ValuesIn(kScenarios),
                         [](const ::testing::TestParamInfo<Scenario>& info) {
                           return "Script" + std::to_string(info.index);
                         });

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

TEST_F(InstrumentTest, MonoRetriggersOnlyWhenTheSoundingNoteIsReleased) {
  Set(EnvAmpRetrigOffOn, 1.0);
  NoteOn(60);
  NoteOn(64);
  Render();
  const double afterPresses = Retrig(0);
  NoteOff(60);
  Render();
  EXPECT_EQ(Retrig(0), afterPresses);
  NoteOn(67);
  Render();
  const double afterThird = Retrig(0);
  EXPECT_NE(afterThird, afterPresses);
  NoteOff(67);
  Render();
  EXPECT_NE(Retrig(0), afterThird);
  EXPECT_EQ(Note(0), 64.0);
  // The last release returns to nothing and retriggers nothing.
  const double beforeLast = Retrig(0);
  NoteOff(64);
  Render();
  EXPECT_EQ(Retrig(0), beforeLast);
}

TEST_F(InstrumentTest, RetriggerCounterWrapsAndKeepsRetriggering) {
  Set(EnvAmpRetrigOffOn, 1.0);
  double previous = Retrig(0);
  for (int n = 0; n < 250; ++n) {
    NoteOn(60);
    NoteOff(60);
    Render(1);
    ASSERT_NE(Retrig(0), previous) << "note " << n;
    ASSERT_LE(Retrig(0), 0.99) << "note " << n;
    previous = Retrig(0);
  }
}

TEST_F(InstrumentTest, UnisonRetriggersAllFourWithOneValue) {
  Set(VoiceModeMonoUniPoly, kUnison);
  Set(EnvAmpRetrigOffOn, 1.0);
  NoteOn(50);
  Render();
  EXPECT_NE(Retrig(0), 0.0);
  for (int v = 1; v < 4; ++v)
    EXPECT_EQ(Retrig(v), Retrig(0)) << v;
}

TEST_F(InstrumentTest, PolyRetriggerTogglesPerVoice) {
  Set(VoiceModeMonoUniPoly, kPoly);
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
  // A note-on of velocity 0 is a note-off for the display too; so is any mode.
  Controller(8, 64);
  Midi(0x90, 60, 0);
  Render();
  EXPECT_EQ(EngineValue(Key060A), 0.0);
}

TEST_F(InstrumentTest, DataBytesAbove127AreIgnored) {
  Set(VoiceModeMonoUniPoly, kPoly);
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
  NoteOff(60);
  Render(0);  // a block of no frames handles nothing
  EXPECT_EQ(Gate(0), 1.0);
  EXPECT_EQ(synth->MidiQueue().Count(), 1);
}
