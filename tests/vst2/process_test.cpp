// Audio in the three modes, the parameter calls and what the plug-in asks or tells the host.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "test_plugin.h"

namespace {

constexpr double kLevel = TestVst2Plugin::kLevel;

class TestPluginAudio : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(host.Create(TestPluginEntry()));
    plug = LastTestPlugin();
    host.Start(44100.0f, 512);
  }
  Vst2TestHost host;
  TestVst2Plugin* plug = nullptr;
};

}  // namespace

TEST_F(TestPluginAudio, FloatEntriesReplaceOrAddInPiecesOfTheBlockSize) {
  TestChannels<float> in(2, 1300), out(2, 1300, 7.0f);
  host.ProcessReplacing(in.Pointers(), out.Pointers(), 1300);
  EXPECT_EQ(plug->blockFrames, (std::vector<int>{512, 512, 276}));
  for (int c = 0; c < 2; ++c) {
    for (float sample : out.data[c])
      ASSERT_EQ(sample, static_cast<float>(kLevel * (c + 1)));
  }
  TestChannels<float> sum(2, 64, 0.5f);
  host.ProcessAccumulating(in.Pointers(), sum.Pointers(), 64);
  EXPECT_EQ(sum.data[0][63], 0.625f);
  EXPECT_EQ(sum.data[1][0], 0.75f);
  EXPECT_EQ(host.CountCalls(Op::kHostWantMidi), 2) << "asked on every audio call";
}

TEST_F(TestPluginAudio, DoubleEntryRendersLongBlocksBesideADisconnectedChannel) {
  int32_t mono[2 + 224] = {0, 1};
  ASSERT_EQ(host.Dispatch(Op::kSetSpeakerArrangement, 0, 0, mono), 1);
  TestChannels<double> in(2, 3000), out(2, 3000, 7.0);
  host.ProcessDouble(in.Pointers(), out.Pointers(), 3000);
  EXPECT_EQ(plug->blockFrames, (std::vector<int>{512, 512, 512, 512, 512, 440}));
  for (double sample : out.data[0])
    ASSERT_EQ(sample, kLevel);
  // The second channel rendered into its own scratch; the host's second buffer is not its own.
  EXPECT_EQ(out.Peak(1), 7.0);
  EXPECT_EQ(host.CountCalls(Op::kHostWantMidi), 1);
  host.ProcessDouble(nullptr, nullptr, 16);
  host.ProcessDouble(in.Pointers(), out.Pointers(), -1);
}

TEST_F(TestPluginAudio, ParameterCallsCheckIndexAndValue) {
  FakeEditor* gui = new FakeEditor();
  plug->AttachGui(gui);
  gui->pushes.clear();
  EXPECT_EQ(host.GetParameter(195), 0.0f);
  EXPECT_EQ(host.GetParameter(-1), 0.0f);
  EXPECT_EQ(host.GetParameter(0), 0.5f);
  host.SetParameter(195, 0.5f);
  host.SetParameter(0, NAN);
  host.SetParameter(0, INFINITY);
  EXPECT_TRUE(gui->pushes.empty());
  EXPECT_EQ(host.GetParameter(0), 0.5f);
  host.SetParameter(0, 2.0f);
  EXPECT_EQ(plug->GetParam(0)->Value(), 100.0);
  ASSERT_EQ(gui->pushes.size(), 1u);
  EXPECT_EQ(gui->pushes[0].value, 1.0);
  EXPECT_EQ(plug->changedParams.back(), 0);
  EXPECT_EQ(host.CountCalls(Op::kHostAutomate), 0) << "nothing goes back to the host";
}

TEST_F(TestPluginAudio, TempoKeepsTheLastValidValue) {
  TestChannels<float> in(2, 8), out(2, 8);
  TimeRecord time;
  const struct {
    bool answer;
    int32_t flags;
    double tempo;
    double expected;
  } table[] = {{false, 0, 0.0, 120.0}, {true, 0x400, 140.0, 140.0}, {true, 0x400, 0.0, 140.0},
               {true, 0, 90.0, 140.0}, {true, 0x400, NAN, 140.0},   {true, 0x400, 90.0, 90.0}};
  for (const auto& row : table) {
    time.SetInt32(TimeRecord::kFlags, row.flags);
    time.SetDouble(TimeRecord::kTempo, row.tempo);
    host.time = row.answer ? &time : nullptr;
    host.ProcessReplacing(in.Pointers(), out.Pointers(), 8);
    EXPECT_EQ(plug->tempos.back(), row.expected) << row.tempo;
    EXPECT_EQ(host.calls.back().value, 0x400) << "the filter";
  }
}

TEST_F(TestPluginAudio, TransportQueriesReadOnlyValidFields) {
  TimeRecord time;
  host.time = &time;
  const struct {
    double samplePos;
    int expected;
  } positions[] = {{10.4, 10}, {10.6, 11}, {-5.0, 0}, {3e9, INT_MAX}, {NAN, 0}};
  for (const auto& row : positions) {
    time.SetDouble(TimeRecord::kSamplePos, row.samplePos);
    EXPECT_EQ(plug->GetSamplePosition(), row.expected) << row.samplePos;
  }

  time.SetInt32(TimeRecord::kFlags, 0x2000 | 0x200 | 0x2);
  time.SetDouble(TimeRecord::kPpqPos, 8.5);
  time.SetInt32(TimeRecord::kNumerator, 0);
  time.SetInt32(TimeRecord::kDenominator, 0);
  int numerator = -1, denominator = -1;
  plug->GetTimeSignature(&numerator, &denominator);
  EXPECT_EQ(numerator, 0);
  EXPECT_EQ(denominator, 0);
  ITransportInfo info;
  info.numerator = 3;
  plug->GetTimeInfo(&info);
  EXPECT_EQ(info.numerator, 3) << "0/0 keeps the signature";
  EXPECT_EQ(info.ppqPosition, 8.5);
  EXPECT_EQ(info.tempo, 120.0);
  EXPECT_TRUE(info.transportIsRunning);
  EXPECT_EQ(host.calls.back().value, 0x3E00);

  time.SetInt32(TimeRecord::kNumerator, 7);
  time.SetInt32(TimeRecord::kDenominator, 8);
  plug->GetTimeInfo(&info);
  EXPECT_EQ(info.numerator, 7);
  time.SetInt32(TimeRecord::kFlags, 0x2);  // no validity flag: nothing is read
  time.SetDouble(TimeRecord::kPpqPos, 1.0);
  plug->GetTimeInfo(&info);
  EXPECT_EQ(info.ppqPosition, 8.5);
}

TEST(Vst2HostIdentity, IsAskedOnceAndPackedSafely) {
  const struct {
    std::string name;
    intptr_t version;
    int32_t id;
    int32_t packed;
    int versionCalls;
  } table[] = {{"REAPER", 20105, 1, 0x020105, 1},
               {"", 20105, 0, 0, 0},
               {"Cubase", -3, 3, 0, 1},
               {"Cubase", intptr_t{1} << 40, 3, 0x7FFF0000 + 77 * 256 + 76, 1},
               {std::string(300, 'r'), 1, 0, 1, 1}};
  for (const auto& row : table) {
    Vst2TestHost host;
    host.productName = row.name;
    host.vendorVersion = row.version;
    ASSERT_TRUE(host.Create(TestPluginEntry()));
    TestVst2Plugin* plug = LastTestPlugin();
    host.Dispatch(Op::kOpen);
    host.Dispatch(Op::kOpen);
    EXPECT_EQ(plug->GetHostId(), row.id) << row.name;
    EXPECT_EQ(plug->GetHostVersion(), row.packed) << row.name;
    EXPECT_EQ(host.CountCalls(Op::kHostProductString), 1);
    EXPECT_EQ(host.CountCalls(Op::kHostVendorVersion), row.versionCalls);
  }
}

TEST_F(TestPluginAudio, EditsAndMidiGoToTheHost) {
  plug->BeginHostEdit(4);
  plug->PerformHostEdit(4, 0.25);
  plug->EndHostEdit(4);
  ASSERT_GE(host.calls.size(), 3u);
  const RecordedHostCall* last = &host.calls[host.calls.size() - 3];
  EXPECT_EQ(last[0].opcode, Op::kHostBeginEdit);
  EXPECT_EQ(last[1].opcode, Op::kHostAutomate);
  EXPECT_EQ(last[1].opt, 0.25f);
  EXPECT_EQ(last[2].opcode, Op::kHostEndEdit);
  EXPECT_EQ(last[2].index, 4);

  const IMidiMessage note(5, 0x91, 64, 99);
  EXPECT_TRUE(plug->SendMidiMessage(&note));
  ASSERT_EQ(host.firstSentEvent.size(), 32u);
  EXPECT_EQ(host.firstSentEvent[0], 1);
  EXPECT_EQ(host.firstSentEvent[8], 5);
  EXPECT_EQ(host.firstSentEvent[24], 0x91);
  EXPECT_EQ(host.firstSentEvent[26], 99);
  host.eventsAnswer = 0;
  EXPECT_FALSE(plug->SendMidiMessage(&note));

  EXPECT_FALSE(plug->IsRenderingOffline());
  host.processLevel = 4;
  EXPECT_TRUE(plug->IsRenderingOffline());
}

TEST(Vst2WithoutHostCallback, EveryRequestAnswersNothing) {
  Vst2TestHost host;
  ASSERT_TRUE(host.Create(TestPluginEntry()));
  TestVst2Plugin* plug = LastTestPlugin();
  plug->SetHostCallback(nullptr);
  host.Start();
  TestChannels<float> channels(2, 16);
  // The host's inputs double as its outputs.
  host.ProcessReplacing(channels.Pointers(), channels.Pointers(), 16);
  EXPECT_EQ(channels.data[0][15], 0.125f);
  EXPECT_EQ(plug->GetTempo(), 120.0);
  EXPECT_EQ(plug->GetHostId(), 0);
  EXPECT_FALSE(plug->SendMidiMessage(nullptr));
  plug->BeginHostEdit(0);
  EXPECT_TRUE(host.calls.empty());
  plug->SetLatency(-4);
  EXPECT_EQ(host.Int32At(Field::kInitialDelay), 0);
  plug->SetLatency(32);
  EXPECT_EQ(host.Int32At(Field::kInitialDelay), 32);
}
