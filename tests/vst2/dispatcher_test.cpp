// The dispatcher's opcode groups, on the test plug-in.
#include <cmath>
#include <numeric>
#include <tuple>

#include "editor_test_support.h"
#include "test_plugin.h"

const std::string kUntouched(32, 'x'), kUntouchedPin(128, 'x');  // every byte of the buffer
// 22 bytes and a euro sign: in a 24-byte program name the euro sign has no room, and goes whole.
const std::string kCutName(22, 'n'), kEuroName = kCutName + "\xE2\x82\xAC";

// One dispatcher call (opt 0.5) per row and its answer. With a capacity the call writes into a
// host buffer of that size and guard bytes, which then holds text; without one, text is handed
// in as ptr.
TEST_F(TestPluginHost, AnswersEveryOpcodeGroupWithinTheHostsBuffers) {
  plug->GetParam(2)->SetClamped(1.0);  // shown by its display text
  const std::tuple<int32_t, int32_t, intptr_t, int, intptr_t, const char*> calls[] = {
      {Op::kIdentify, 0, 0, 0, 0x4E764566, nullptr},  // 'NvEf'
      {Op::kGetVstVersion, 0, 0, 0, 2400, nullptr},
      {Op::kGetPlugCategory, 0, 0, 0, 2, nullptr},
      {Op::kGetVendorVersion, 0, 0, 0, 10100, nullptr},
      {70, 0, 0, 0, 0, nullptr},
      {Op::kGetEffectName, 0, 0, 32, 1, "Tovalune"},
      {Op::kGetVendorString, 0, 0, 64, 1, "VornAudio"},
      {Op::kGetProductString, 0, 0, 64, 1, ""},
      // Parameter texts, by display kind; invalid indexes write nothing.
      {Op::kGetParamName, 0, 0, 32, 0, "Level"},
      {Op::kGetParamLabel, 0, 0, 32, 0, "%"},
      {Op::kGetParamDisplay, 0, 0, 32, 0, "50.0"},
      {Op::kGetParamDisplay, 1, 0, 32, 0, "-1000"},
      {Op::kGetParamDisplay, 2, 0, 32, 0, "Second"},
      {Op::kGetParamName, 195, 0, 32, 0, kUntouched.c_str()},
      {Op::kGetParamDisplay, -1, 0, 32, 0, kUntouched.c_str()},
      {Op::kCanBeAutomated, 194, 0, 0, 1, nullptr},
      {Op::kCanBeAutomated, 195, 0, 0, 0, nullptr},
      {Op::kVendorSpecific, 7, 1, 32, 0xBEEF, "-5015"},
      {Op::kVendorSpecific, 7, 92, 32, 0xBEEF, "0.50000"},
      {Op::kVendorSpecific, 7, 195, 32, 0, kUntouched.c_str()},
      {Op::kVendorSpecific, 7, 92, 0, 0, nullptr},
      {Op::kVendorSpecific, 8, 92, 0, 0, nullptr},  // a double parameter
      // Programs and their names.
      {Op::kGetProgram, 0, 0, 0, 0, nullptr},
      {Op::kGetProgramName, 0, 0, 24, 0, "Init"},
      {Op::kGetProgramNameIndexed, 0, 0, 24, 1, "Init"},
      {Op::kGetProgramNameIndexed, 1, 0, 24, 0, ""},
      {Op::kSetProgramName, 0, 0, 0, 0, "Lead"},
      {Op::kGetProgramName, 0, 0, 24, 0, "Lead"},
      {Op::kSetProgramName, 0, 0, 0, 0, kEuroName.c_str()},
      {Op::kGetProgramName, 0, 0, 24, 0, kCutName.c_str()},
      {Op::kGetProgramNameIndexed, 0, 0, 24, 1, kCutName.c_str()},
      {Op::kSetProgramName, 0, 0, 0, 0, nullptr},
      // Capabilities: exact, case-sensitive queries.
      {Op::kCanDo, 0, 0, 0, 1, "receiveVstTimeInfo"},
      {Op::kCanDo, 0, 0, 0, 1, "receiveVstMidiEvent"},
      {Op::kCanDo, 0, 0, 0, 0, "ReceiveVstMidiEvent"},
      {Op::kCanDo, 0, 0, 0, 0, nullptr},
      {Op::kCanDo, 0, 0, 0, 0xBEEF0000, "hasCockosExtensions"},
      {Op::kCanDo, 0, 0, 0, 0xBEEF0000, "hasCockosViewAsConfig"},
      // Channels: labels numbered from 1.
      {Op::kGetInputProperties, 1, 0, 128, 1, "Input 2"},
      {Op::kGetOutputProperties, 0, 0, 128, 1, "Output 1"},
      {Op::kGetOutputProperties, 2, 0, 128, 0, kUntouchedPin.c_str()},
      // Editor and key names without an editor; a key name is empty and stays in its field.
      {Op::kEditOpen, 0, 0, 0, 0, nullptr},
      {Op::kEditClose, 0, 0, 0, 0, nullptr},
      {Op::kEditGetRect, 0, 0, 8, 0, "xxxxxxxx"},
      {Op::kGetMidiKeyName, 0, 0, 80, 0, "xxxxxxxx"},
      {Op::kGetChunk, 1, 0, 0, 0, nullptr},
      {Op::kGetTailSize, 0, 0, 0, 0, nullptr}};
  for (const auto& [opcode, index, value, capacity, answer, text] : calls) {
    SCOPED_TRACE(testing::Message() << "opcode " << opcode << " index " << index);
    if (capacity == 0) {
      host.Dispatch(opcode, index, value, const_cast<char*>(text), 0.5f);
    } else {
      EXPECT_EQ(host.Text(opcode, index, capacity, value, 0.5f), text);
    }
    EXPECT_EQ(host.lastAnswer, answer);
  }
  EXPECT_EQ(plug->CockosExtensionBits(), 3);
  // A value shown by a display text has no label.
  plug->GetParam(0)->SetDisplayText(50, "Half");
  EXPECT_EQ(host.Text(Op::kGetParamLabel, 0, 32), "");
  // Pins: a stereo pair from each even index.
  for (auto [index, flags] : {std::pair{0, 3}, {1, 1}}) {
    std::vector<char> pin(128);
    host.Dispatch(Op::kGetOutputProperties, index, 0, pin.data());
    EXPECT_EQ(Get<int32_t>(pin.data(), 64), flags) << index;
  }
}

TEST_F(TestPluginHost, ParameterValuesAreCheckedClampedAndShown) {
  auto* gui = new FakeEditor();
  plug->AttachGui(gui);
  gui->pushes.clear();
  // effString2Parameter: index, text, answer, the value it leaves. No text changes nothing.
  const std::tuple<int, const char*, intptr_t, double> table[] = {
      {3, "0.25", 1, 0.25},    {3, "  0.5xyz", 1, 0.5}, {3, "abc", 1, 0.0},
      {3, "7", 1, 1.0},        {3, "nan", 0, 1.0},      {3, "1e999", 0, 1.0},
      {1, "-5000", 1, 5000.0}, {2, "Second", 1, 1.0},   {2, "second", 0, 1.0},
      {195, "0.5", 0, 0.0},    {3, nullptr, 1, 1.0},
  };
  for (const auto& [index, text, answer, value] : table) {
    SCOPED_TRACE(text ? text : "no text");
    const size_t pushes = gui->pushes.size(), changes = plug->changedParams.size();
    EXPECT_EQ(host.Dispatch(Op::kString2Parameter, index, 0, const_cast<char*>(text)), answer);
    const size_t changed = answer == 1 && text ? 1 : 0;
    ASSERT_EQ(gui->pushes.size(), pushes + changed);
    ASSERT_EQ(plug->changedParams.size(), changes + changed);
    if (index < 195) {
      EXPECT_EQ(plug->GetParam(index)->Value(), value);
    }
    if (!changed) continue;
    EXPECT_EQ(gui->pushes.back().value, value) << "the editor sees the stored value";
    EXPECT_EQ(plug->changedParams.back(), index);
  }
  // setParameter: only for a valid index and a finite value; the editor sees the stored value,
  // and nothing goes back to the host.
  const size_t pushes = gui->pushes.size();
  for (float refused : {NAN, INFINITY})
    host.SetParameter(0, refused);
  host.SetParameter(195, 0.5f);
  EXPECT_EQ(host.GetParameter(195) + host.GetParameter(-1), 0.0f);
  host.SetParameter(0, 2.0f);
  EXPECT_EQ(plug->GetParam(0)->Value(), 100.0);
  EXPECT_EQ(host.GetParameter(0), 1.0f);
  ASSERT_EQ(gui->pushes.size(), pushes + 1);
  EXPECT_EQ(gui->pushes.back().value, 1.0);
  EXPECT_EQ(plug->changedParams.back(), 0);
  EXPECT_EQ(host.CountCalls(Op::kHostAutomate), 0);
}

TEST_F(TestPluginHost, ProgramsRatesAndBlockSizesAreChecked) {
  // effOpen hands every parameter to the plug-in, in index order.
  plug->changedParams.clear();
  host.Dispatch(Op::kOpen);
  std::vector<int> all(195);
  std::iota(all.begin(), all.end(), 0);
  EXPECT_EQ(plug->changedParams, all);
  // Programs: only slots that exist, checked at full width; the sound is stored before
  // switching, so that switching back finds it as it was left.
  plug->changedParams.clear();
  for (intptr_t slot : {intptr_t{1}, intptr_t{-1}, intptr_t{1} << 32})
    host.Dispatch(Op::kSetProgram, 0, slot);
  EXPECT_TRUE(plug->changedParams.empty()) << "no slot was loaded";
  plug->GetParam(0)->SetClamped(12.0);
  host.Dispatch(Op::kSetProgram, 0, 0);
  EXPECT_EQ(plug->GetParam(0)->Value(), 12.0);
  EXPECT_FALSE(plug->changedParams.empty());
  // Rates that are not positive and finite, and block sizes below 1, change and reset nothing.
  const int resets = plug->resets;
  for (float rate : {0.0f, -44100.0f, NAN, INFINITY})
    host.Dispatch(Op::kSetSampleRate, 0, 0, nullptr, rate);
  for (intptr_t size : {intptr_t{0}, intptr_t{-512}})
    host.Dispatch(Op::kSetBlockSize, 0, size);
  EXPECT_EQ(plug->resets, resets);
  EXPECT_EQ(plug->GetSampleRate(), 44100.0);
  EXPECT_EQ(plug->GetBlockSize(), 512);
  host.Dispatch(Op::kSetBlockSize, 0, intptr_t{1} << 40);
  EXPECT_EQ(plug->GetBlockSize(), 65536);
  host.Dispatch(Op::kSetSampleRate, 0, 0, nullptr, 48000.0f);
  EXPECT_EQ(plug->GetSampleRate(), 48000.0);
  host.Dispatch(Op::kMainsChanged, 0, 0);
  EXPECT_EQ(plug->resets, resets + 3);
}

// The input and output arrangements the host is given, each as the (type, number of channels)
// its record starts with.
std::vector<int32_t> ReportedArrangements(Vst2TestHost& host) {
  int32_t* reported[2] = {};
  host.Dispatch(Op::kGetSpeakerArrangement, 0, reinterpret_cast<intptr_t>(reported), &reported[1]);
  if (!reported[0] || !reported[1]) return {};
  return {reported[0][0], reported[0][1], reported[1][0], reported[1][1]};
}

TEST_F(TestPluginHost, SpeakerArrangementsDisconnectChannelsThatRenderApart) {
  // 904-byte arrangements that start with the int32 pair (type, number of channels).
  std::vector<int32_t> none(226), mono(226), five(226), negative(226);
  mono[1] = 1, five[1] = 5, negative[1] = -1;
  // Input and output arrangements, the answer, the arrangements reported after: stereo (1),
  // mono (0) or empty (-1) as the channels are connected.
  const std::tuple<int32_t*, int32_t*, intptr_t, std::vector<int32_t>> table[] = {
      {nullptr, nullptr, 0, {1, 2, 1, 2}},
      {none.data(), mono.data(), 1, {-1, 0, 0, 1}},
      {nullptr, five.data(), 0, {-1, 0, 0, 1}},
      {mono.data(), negative.data(), 0, {-1, 0, 0, 1}},
      {mono.data(), nullptr, 1, {0, 1, 0, 1}}};
  for (const auto& [input, output, answer, reported] : table) {
    EXPECT_EQ(
        host.Dispatch(Op::kSetSpeakerArrangement, 0, reinterpret_cast<intptr_t>(input), output),
        answer);
    EXPECT_EQ(ReportedArrangements(host), reported);
    EXPECT_EQ(plug->GetOutChannel(1)->connected, reported[3] == 2);
  }
  // A mono output set before the first effOpen stays mono, with the second output apart.
  Vst2TestHost early;
  ASSERT_TRUE(early.Create(TestVst2Plugin::Create));
  early.Dispatch(Op::kSetSpeakerArrangement, 0, 0, mono.data());
  early.Dispatch(Op::kOpen);
  EXPECT_EQ(ReportedArrangements(early), (std::vector<int32_t>{1, 2, 0, 1}));
  EXPECT_FALSE(PluginOf(early)->GetOutChannel(1)->connected);
  // Double blocks longer than the block size beside the disconnected output: that channel renders
  // into its own scratch, never past it, and the host's second buffer is not its own.
  TestChannels<double> in(3000), out(3000, 7.0);
  host.Process(Field::kProcessDoubleReplacing, in.pointers, out.pointers, 3000);
  EXPECT_EQ(plug->blockFrames, (std::vector<int>{512, 512, 512, 512, 512, 440}));
  EXPECT_EQ(out.data[0], std::vector<double>(3000, TestVst2Plugin::kLevel));
  EXPECT_EQ(out.data[1], std::vector<double>(3000, 7.0));
  // Without buffers the block renders on the scratch; without frames nothing renders.
  plug->blockFrames.clear();
  host.Process<double>(Field::kProcessDoubleReplacing, nullptr, nullptr, 16);
  host.Process(Field::kProcessDoubleReplacing, in.pointers, out.pointers, -1);
  EXPECT_EQ(plug->blockFrames, std::vector<int>{16});
}

// A restored chunk reaches the editor, a program also the current slot; the host's editor
// rectangle follows the editor's size.
TEST_F(TestPluginHost, RestoresReachEditorAndSlotAndTheRectangleFollowsTheEditor) {
  auto* gui = new FakeEditor();
  plug->AttachGui(gui);
  plug->GetParam(0)->SetClamped(12.0);
  const std::vector<uint8_t> program = host.GetChunk(1);
  plug->GetParam(0)->SetClamped(30.0);
  gui->pushes.clear();
  ASSERT_EQ(host.SetChunk(1, program), 1);
  EXPECT_EQ(gui->pushes.size(), 195u);
  plug->GetParam(0)->SetClamped(40.0);
  plug->LoadPresetSlot(0);
  EXPECT_EQ(plug->GetParam(0)->Value(), 12.0);

  auto* editor = new TestGraphics(plug, 300, 200);
  plug->AttachGui(editor);
  editor->ChangeSize(400, 250);
  int16_t* rect = nullptr;
  ASSERT_EQ(host.Dispatch(Op::kEditGetRect, 0, 0, &rect), 1);
  EXPECT_EQ(std::vector<int16_t>(rect, rect + 4), (std::vector<int16_t>{0, 0, 250, 400}));
}

TEST_F(TestPluginHost, EventsReachThePluginInsideTheBlock) {
  uint8_t dump[3] = {0xF0, 0x7E, 0xF7};
  EventList events;
  events.Add(1, -5, 0x90, 60, 100);
  events.Add(0);  // a null entry
  events.Add(1, 100, 0xB0, 1, 64);
  events.Add(1, 5000, 0xE0, 0, 64);
  for (int k = 0; k < 3; ++k) {  // system exclusive: a negative size, no dump, then a good one
    unsigned char* sysex = events.Add(6, 2);
    Put<int32_t>(sysex, 16, k == 0 ? -1 : 3);
    Put<uint8_t*>(sysex, 32, k == 1 ? nullptr : dump);
  }
  events.Add(3);  // another event type
  EXPECT_EQ(host.Dispatch(Op::kProcessEvents, 0, 0, events.Data(8)), 1);
  ASSERT_EQ(plug->midi.size(), 3u);
  const IMidiMessage& note = plug->midi[0];
  EXPECT_EQ(std::vector<int>({note.offset, note.status, note.data1, note.data2}),
            std::vector<int>({0, 0x90, 60, 100}));
  EXPECT_EQ(plug->midi[1].offset, 100);
  EXPECT_EQ(plug->midi[2].offset, 511);
  EXPECT_EQ(plug->sysExSizes, std::vector<int>{3});
  EXPECT_EQ(host.Dispatch(Op::kProcessEvents, 0, 0, events.Data(-3)), 1);
  EXPECT_EQ(plug->midi.size(), 3u);
  EXPECT_EQ(host.Dispatch(Op::kProcessEvents), 0);
}
