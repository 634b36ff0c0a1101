// The dispatcher's opcode groups: texts into host buffers, programs, parameter texts and
// capabilities, channels, set-up, events, editor.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "test_plugin.h"

namespace {

class TestPluginHost : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(host.Create(TestPluginEntry()));
    plug = LastTestPlugin();
    host.Start();
  }
  Vst2TestHost host;
  TestVst2Plugin* plug = nullptr;
};

// The int32 pair (type, numChannels) that a speaker arrangement starts with, and room for the
// speakers the host would list.
struct Arrangement {
  int32_t type = 0;
  int32_t numChannels = 0;
  unsigned char speakers[896] = {};
};

}  // namespace

TEST(TovaluneTexts, StayInsideTheHostsBuffers) {
  Vst2TestHost host;
  ASSERT_TRUE(host.Create(TovaluneEntry()));
  bool intact = false;
  size_t longestName = 0;
  for (int i = 0; i < 195; ++i) {
    for (int32_t opcode : {Op::kGetParamName, Op::kGetParamLabel, Op::kGetParamDisplay}) {
      const std::string text = host.Text(opcode, i, 32, &intact);
      EXPECT_TRUE(intact && text.size() < 32) << opcode << " " << i;
      if (opcode == Op::kGetParamName) longestName = std::max(longestName, text.size());
    }
  }
  EXPECT_GT(longestName, 8u) << "names are not cut to the nominal 8 bytes";

  const std::string longName(120, 'n');
  host.Dispatch(Op::kSetProgramName, 0, 0, const_cast<char*>(longName.c_str()));
  EXPECT_EQ(host.Text(Op::kGetProgramName, 0, 24, &intact), std::string(23, 'n'));
  EXPECT_TRUE(intact);
  intptr_t result = 0;
  EXPECT_EQ(host.Text(Op::kGetProgramNameIndexed, 0, 24, &intact, 0, 0.0f, &result),
            std::string(23, 'n'));
  EXPECT_TRUE(intact);
  EXPECT_EQ(result, 1);
  EXPECT_EQ(host.Text(Op::kGetProgramNameIndexed, 1, 24, &intact, 0, 0.0f, &result), "");
  EXPECT_EQ(result, 0);
  EXPECT_EQ(host.Text(Op::kVendorSpecific, 7, 32, &intact, 92, 0.5f, &result), "0.50000");
  EXPECT_TRUE(intact);
  EXPECT_EQ(result, 0xBEEF);
}

TEST_F(TestPluginHost, ParameterTextsAndInvalidIndexes) {
  bool intact = false;
  EXPECT_EQ(host.Text(Op::kGetParamName, 0, 32, &intact), "Level");
  EXPECT_EQ(host.Text(Op::kGetParamLabel, 0, 32, &intact), "%");
  EXPECT_EQ(host.Text(Op::kGetParamDisplay, 0, 32, &intact), "50.0");
  EXPECT_EQ(host.Text(Op::kGetParamDisplay, 1, 32, &intact), "-1000");
  plug->GetParam(2)->SetClamped(1.0);
  EXPECT_EQ(host.Text(Op::kGetParamDisplay, 2, 32, &intact), "Second");
  EXPECT_EQ(host.Text(Op::kGetParamLabel, 2, 32, &intact), "");
  for (int index : {195, -1}) {
    intptr_t result = 1;
    EXPECT_EQ(host.Text(Op::kGetParamName, index, 32, &intact, 0, 0.0f, &result),
              std::string(32, 'x'));
    EXPECT_EQ(result, 0);
    EXPECT_EQ(host.Dispatch(Op::kCanBeAutomated, index), 0);
    EXPECT_EQ(host.Text(Op::kVendorSpecific, 7, 32, &intact, index, 0.5f, &result),
              std::string(32, 'x'));
    EXPECT_EQ(result, 0) << "an invalid parameter is not handled";
  }
  EXPECT_EQ(host.Dispatch(Op::kCanBeAutomated, 194), 1);
  EXPECT_EQ(host.Text(Op::kVendorSpecific, 7, 32, &intact, 1, 0.5f), "-5015");
  EXPECT_EQ(host.Dispatch(Op::kVendorSpecific, 7, 0, nullptr, 0.5f), 0);
  EXPECT_EQ(host.Dispatch(Op::kVendorSpecific, 8, 3), 0) << "a double parameter";
  EXPECT_EQ(host.Dispatch(Op::kVendorSpecific, 9, 3), 0);
}

TEST_F(TestPluginHost, String2ParameterRefusesWhatIsNotAFiniteValue) {
  FakeEditor* gui = new FakeEditor();
  plug->AttachGui(gui);
  gui->pushes.clear();
  const struct {
    int index;
    const char* text;
    intptr_t answer;
    double value;
  } table[] = {
      {3, "0.25", 1, 0.25},    {3, "  0.5xyz", 1, 0.5}, {3, "abc", 1, 0.0},    {3, "7", 1, 1.0},
      {3, "nan", 0, 1.0},      {3, "-inf", 0, 1.0},     {3, "1e999", 0, 1.0},  {0, "500", 1, 100.0},
      {1, "-5000", 1, 5000.0}, {2, "Second", 1, 1.0},   {2, "second", 0, 1.0}, {195, "0.5", 0, 0.0},
  };
  for (const auto& row : table) {
    const size_t pushes = gui->pushes.size();
    EXPECT_EQ(host.Dispatch(Op::kString2Parameter, row.index, 0, const_cast<char*>(row.text)),
              row.answer)
        << row.text;
    if (row.answer == 0) {
      EXPECT_EQ(gui->pushes.size(), pushes) << row.text;
      continue;
    }
    EXPECT_EQ(plug->GetParam(row.index)->Value(), row.value) << row.text;
    ASSERT_EQ(gui->pushes.size(), pushes + 1);
    EXPECT_EQ(gui->pushes.back().value, row.value) << "the editor sees the stored value";
    EXPECT_EQ(plug->changedParams.back(), row.index);
  }
  EXPECT_EQ(host.Dispatch(Op::kString2Parameter, 3), 1) << "no text changes nothing";
}

TEST_F(TestPluginHost, ProgramsSwitchOnlyToSlotsThatExist) {
  plug->GetParam(0)->SetClamped(12.0);
  for (intptr_t slot : {intptr_t{1}, intptr_t{-1}, intptr_t{1} << 32}) {
    host.Dispatch(Op::kSetProgram, 0, slot);
    EXPECT_EQ(host.Dispatch(Op::kGetProgram), 0) << slot;
  }
  // Switching stores the sound into the current slot first: it comes back as it was left.
  host.Dispatch(Op::kSetProgram, 0, 0);
  EXPECT_EQ(plug->GetParam(0)->Value(), 12.0);
  host.Dispatch(Op::kSetProgramName, 0, 0, const_cast<char*>("Lead"));
  bool intact = false;
  EXPECT_EQ(host.Text(Op::kGetProgramName, 0, 24, &intact), "Lead");
  EXPECT_EQ(host.Dispatch(Op::kSetProgramName), 0);
}

TEST_F(TestPluginHost, CanDoAnswersExactQueriesOnly) {
  const struct {
    const char* query;
    intptr_t answer;
  } table[] = {{"receiveVstTimeInfo", 1},
               {"sendVstEvents", 1},
               {"sendVstMidiEvent", 1},
               {"receiveVstEvents", 1},
               {"receiveVstMidiEvent", 1},
               {"ReceiveVstMidiEvent", 0},
               {"receiveVstMidiEvents", 0},
               {"hasCockosExtensions", 0xBEEF0000},
               {"hasCockosViewAsConfig", 0xBEEF0000},
               {"", 0}};
  for (const auto& row : table)
    EXPECT_EQ(host.Dispatch(Op::kCanDo, 0, 0, const_cast<char*>(row.query)), row.answer)
        << row.query;
  EXPECT_EQ(host.Dispatch(Op::kCanDo), 0);
  EXPECT_EQ(plug->CockosExtensionBits(), 3);
}

TEST_F(TestPluginHost, PinPropertiesLabelAndFlagEachChannel) {
  unsigned char pin[128];
  for (int32_t opcode : {Op::kGetInputProperties, Op::kGetOutputProperties}) {
    const char* expected[] = {opcode == Op::kGetInputProperties ? "Input 1" : "Output 1",
                              opcode == Op::kGetInputProperties ? "Input 2" : "Output 2"};
    for (int index = 0; index < 3; ++index) {
      std::memset(pin, 0x5A, sizeof pin);
      EXPECT_EQ(host.Dispatch(opcode, index, 0, pin), index < 2 ? 1 : 0);
      if (index == 2) continue;
      int32_t flags;
      std::memcpy(&flags, pin + 64, 4);
      EXPECT_EQ(flags, index == 0 ? 3 : 1);
      EXPECT_STREQ(reinterpret_cast<char*>(pin), expected[index]);
      EXPECT_EQ(pin[68], 0x5A) << "the other fields stay as the host gave them";
    }
    EXPECT_EQ(host.Dispatch(opcode, 0), 0);
  }
}

TEST_F(TestPluginHost, SpeakerArrangementsAcceptSupportedCountsAndReportThem) {
  Arrangement mono, none, five, negative;
  mono.numChannels = 1;
  five.numChannels = 5;
  negative.numChannels = -1;
  const struct {
    Arrangement* input;
    Arrangement* output;
    intptr_t answer;
    int32_t inputs, outputs;
  } table[] = {{&none, &mono, 1, 0, 1},     {nullptr, &five, 0, 0, 1},
               {&negative, &mono, 0, 0, 1}, {&mono, &negative, 0, 0, 1},
               {nullptr, nullptr, 0, 0, 1}, {&mono, nullptr, 1, 1, 1}};
  for (const auto& row : table) {
    EXPECT_EQ(host.Dispatch(Op::kSetSpeakerArrangement, 0, reinterpret_cast<intptr_t>(row.input),
                            row.output),
              row.answer);
    Arrangement* input = nullptr;
    Arrangement* output = nullptr;
    EXPECT_EQ(
        host.Dispatch(Op::kGetSpeakerArrangement, 0, reinterpret_cast<intptr_t>(&input), &output),
        1);
    ASSERT_TRUE(input && output);
    EXPECT_EQ(input->numChannels, row.inputs);
    EXPECT_EQ(output->numChannels, row.outputs);
    EXPECT_EQ(output->type, 0) << "mono";
    EXPECT_EQ(plug->GetOutChannel(1)->connected, false);
  }
}

TEST_F(TestPluginHost, SampleRateAndBlockSizeAreChecked) {
  const int resets = plug->resets;
  for (float rate : {0.0f, -44100.0f, NAN, INFINITY})
    host.Dispatch(Op::kSetSampleRate, 0, 0, nullptr, rate);
  for (intptr_t size : {intptr_t{0}, intptr_t{-512}})
    host.Dispatch(Op::kSetBlockSize, 0, size);
  EXPECT_EQ(plug->resets, resets) << "refused values reset nothing";
  EXPECT_EQ(plug->GetSampleRate(), 44100.0);
  EXPECT_EQ(plug->GetBlockSize(), 512);
  host.Dispatch(Op::kSetBlockSize, 0, intptr_t{1} << 40);
  EXPECT_EQ(plug->GetBlockSize(), 65536);
  host.Dispatch(Op::kSetSampleRate, 0, 0, nullptr, 48000.0f);
  EXPECT_EQ(plug->GetSampleRate(), 48000.0);
  host.Dispatch(Op::kMainsChanged, 0, 0);
  EXPECT_EQ(plug->resets, resets + 3);
}

TEST_F(TestPluginHost, EventsReachThePluginInsideTheBlock) {
  const uint8_t dump[3] = {0xF0, 0x7E, 0xF7};
  EventList events;
  events.AddMidi(-5, 0x90, 60, 100);
  events.AddNull();
  events.AddMidi(100, 0xB0, 1, 64);
  events.AddMidi(5000, 0xE0, 0, 64);
  events.AddSysEx(0, -1, dump);
  events.AddSysEx(0, 3, nullptr);
  events.AddSysEx(2, 3, dump);
  events.AddOther(3);
  EXPECT_EQ(host.Dispatch(Op::kProcessEvents, 0, 0, events.Data()), 1);
  ASSERT_EQ(plug->midi.size(), 3u);
  EXPECT_EQ(plug->midi[0].offset, 0);
  EXPECT_EQ(plug->midi[0].status, 0x90);
  EXPECT_EQ(plug->midi[0].data1, 60);
  EXPECT_EQ(plug->midi[0].data2, 100);
  EXPECT_EQ(plug->midi[1].offset, 100);
  EXPECT_EQ(plug->midi[2].offset, 511);
  EXPECT_EQ(plug->sysExSizes, std::vector<int>{3});
  EXPECT_EQ(host.Dispatch(Op::kProcessEvents, 0, 0, events.Data(-3)), 1);
  EXPECT_EQ(plug->midi.size(), 3u);
  EXPECT_EQ(host.Dispatch(Op::kProcessEvents), 0);
}

TEST_F(TestPluginHost, EditorOpcodesFollowTheAttachedEditor) {
  void* rect = &rect;
  EXPECT_EQ(host.Dispatch(Op::kEditGetRect, 0, 0, &rect), 0);
  EXPECT_EQ(rect, &rect);
  EXPECT_EQ(host.Dispatch(Op::kEditOpen), 0);
  EXPECT_EQ(host.Dispatch(Op::kEditClose), 0);
  EXPECT_EQ(host.Int32At(Field::kFlags) & 1, 0);

  plug->AttachGui(new FakeEditor());
  EXPECT_EQ(host.Int32At(Field::kFlags) & 1, 1);
  EXPECT_EQ(host.Dispatch(Op::kEditGetRect, 0, 0, &rect), 1);
  ASSERT_NE(rect, nullptr);
  int16_t topLeft[2];
  std::memcpy(topLeft, rect, sizeof topLeft);
  EXPECT_EQ(topLeft[0], 0);
  EXPECT_EQ(topLeft[1], 0);
  EXPECT_EQ(host.Dispatch(Op::kEditGetRect), 0);
  EXPECT_EQ(host.Dispatch(Op::kEditClose), 1);
}

TEST_F(TestPluginHost, MidiKeyNamesAreEmpty) {
  unsigned char key[80];
  std::memset(key, 0x5A, sizeof key);
  std::memset(key + 4, 0, 4);
  EXPECT_EQ(host.Dispatch(Op::kGetMidiKeyName, 0, 0, key), 0);
  EXPECT_EQ(key[8], 0);
  EXPECT_EQ(key[9], 0x5A);
  EXPECT_EQ(host.Dispatch(Op::kGetMidiKeyName), 0);
}
