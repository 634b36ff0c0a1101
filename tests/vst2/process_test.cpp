// Audio in the three modes, the parameter calls and what the plug-in asks or tells the host.
#include <climits>
#include <cmath>
#include <tuple>

#include "test_plugin.h"

constexpr double kLevel = TestVst2Plugin::kLevel;

TEST_F(TestPluginHost, AudioEntriesReplaceOrAddInPiecesOfTheBlockSize) {
  TestChannels<float> in(1300), out(1300, 7.0f), sum(64, 0.5f);
  host.Process(Field::kProcessReplacing, in.pointers, out.pointers, 1300);
  host.Process(Field::kProcess, in.pointers, sum.pointers, 64);
  for (int c = 0; c < 2; ++c) {
    EXPECT_EQ(out.data[c], std::vector<float>(1300, kLevel * (c + 1)));
    EXPECT_EQ(sum.data[c], std::vector<float>(64, 0.5 + kLevel * (c + 1)));
  }
  EXPECT_EQ(plug->blockFrames, (std::vector<int>{512, 512, 276, 64}));
  EXPECT_EQ(host.CountCalls(Op::kHostWantMidi), 2) << "asked on every audio call";
}

TEST_F(TestPluginHost, TimeQueriesReadOnlyValidFields) {
  alignas(8) unsigned char time[Field::kTimeBytes] = {};
  // Tempo: no answer, then valid, 0, not flagged, not a number, valid again.
  const double tempos[][4] = {{0, 0, 0, 120},  {1, 0x400, 140, 140}, {1, 0x400, 0, 140},
                              {1, 0, 90, 140}, {1, 0x400, NAN, 140}, {1, 0x400, 90, 90}};
  for (const auto& row : tempos) {
    host.time = row[0] ? time : nullptr;
    Put<int32_t>(time, Field::kTimeFlags, row[1]);
    Put(time, Field::kTempo, row[2]);
    EXPECT_EQ(plug->GetTempo(), row[3]) << row[2];
    EXPECT_EQ(host.calls.back().value, 0x400) << "the filter";
  }
  const double positions[][2] = {{10.4, 10}, {10.6, 11}, {-5.0, 0}, {3e9, INT_MAX}, {NAN, 0}};
  for (const auto& position : positions) {
    Put(time, Field::kSamplePos, position[0]);
    EXPECT_EQ(plug->GetSamplePosition(), position[1]) << position[0];
  }
  // Signature, ppq, playing and looping; the tempo is not flagged.
  Put<int32_t>(time, Field::kTimeFlags, 0x2000 | 0x200 | 0x2 | 0x4);
  Put(time, Field::kPpqPos, 8.5);
  ITransportInfo info;
  info.numerator = 3;
  // Signatures 0/0 and negative ones are not valid: the transport keeps its own.
  for (auto [num, den, valid] : {std::tuple{0, 0, false}, {-3, 4, false}, {7, 8, true}}) {
    Put<int32_t>(time, Field::kNumerator, num);
    Put<int32_t>(time, Field::kDenominator, den);
    int numerator = -1, denominator = -1;
    plug->GetTimeSignature(&numerator, &denominator);
    EXPECT_EQ(std::make_pair(numerator, denominator),
              valid ? std::pair(num, den) : std::pair(0, 0));
    plug->GetTimeInfo(&info);
    EXPECT_EQ(info.numerator, valid ? num : 3) << num;
  }
  EXPECT_EQ(info.ppqPosition, 8.5);
  EXPECT_EQ(info.tempo, 120.0) << "not valid in the answer";
  EXPECT_TRUE(info.transportIsRunning && info.transportLoopEnabled);
  EXPECT_EQ(host.calls.back().value, 0x3E00);
  // A tempo valid in the transport answer is the last valid tempo from then on.
  Put<int32_t>(time, Field::kTimeFlags, 0x400);
  Put(time, Field::kTempo, 150.0);
  plug->GetTimeInfo(&info);
  Put<int32_t>(time, Field::kTimeFlags, 0x2);  // no validity flag: nothing is read
  Put(time, Field::kPpqPos, 1.0);
  plug->GetTimeInfo(&info);
  EXPECT_EQ(info.ppqPosition, 8.5);
  EXPECT_EQ(plug->GetTempo(), 150.0);
}

// The product string is asked once; the version only with a name, packed as major.minor.patch in
// 16.8.8 bits, clamped.
TEST(Vst2HostIdentity, IsAskedOnceAndPackedSafely) {
  const std::tuple<std::string, intptr_t, int32_t, int32_t> table[] = {
      {"REAPER", 20105, 1, 0x020105},
      {"", 20105, 0, 0},
      {"Cubase", -3, 3, 0},
      {"Cubase", intptr_t{1} << 40, 3, 0x7FFF0000 + 77 * 256 + 76},
      {std::string(300, 'r'), 1, 0, 1}};
  for (const auto& [name, version, id, packed] : table) {
    Vst2TestHost host;
    host.productName = name;
    host.vendorVersion = version;
    ASSERT_TRUE(host.Create(TestVst2Plugin::Create));
    host.Dispatch(Op::kOpen);
    host.Dispatch(Op::kOpen);
    EXPECT_EQ(PluginOf(host)->GetHostId(), id) << name;
    EXPECT_EQ(PluginOf(host)->GetHostVersion(), packed) << name;
    EXPECT_EQ(host.CountCalls(Op::kHostProductString), 1);
    EXPECT_EQ(host.CountCalls(Op::kHostVendorVersion), name.empty() ? 0 : 1);
  }
}

TEST_F(TestPluginHost, EditsMidiAndProcessLevelGoThroughTheHostWhenThereIsOne) {
  host.calls.clear();
  plug->BeginHostEdit(4);
  plug->PerformHostEdit(4, 0.25);
  plug->EndHostEdit(4);
  EXPECT_EQ(host.calls, (std::vector<Vst2TestHost::Call>{{Op::kHostBeginEdit, 4, 0, 0.0f},
                                                         {Op::kHostAutomate, 4, 0, 0.25f},
                                                         {Op::kHostEndEdit, 4, 0, 0.0f}}));
  const IMidiMessage note(5, 0x91, 64, 99);
  EXPECT_TRUE(plug->SendMidiMessage(&note));
  const std::vector<uint8_t> sent = {1, 0, 0, 0, 32, 0, 0, 0, 5,    0,  0,  0, 0, 0, 0, 0,
                                     0, 0, 0, 0, 0,  0, 0, 0, 0x91, 64, 99, 0, 0, 0, 0, 0};
  EXPECT_EQ(host.sentEvent, sent);
  host.eventsAnswer = 0;
  EXPECT_FALSE(plug->SendMidiMessage(&note));
  EXPECT_FALSE(plug->IsRenderingOffline());
  host.processLevel = 4;
  EXPECT_TRUE(plug->IsRenderingOffline());
  plug->SetLatency(-4);
  EXPECT_EQ(host.At<int32_t>(Field::kInitialDelay), 0);
  plug->SetLatency(32);
  EXPECT_EQ(host.At<int32_t>(Field::kInitialDelay), 32);

  // Without a host callback every request answers nothing.
  plug->SetHostCallback(nullptr);
  host.calls.clear();
  TestChannels<float> channels(16);
  host.Process(Field::kProcessReplacing, channels.pointers, channels.pointers, 16);
  EXPECT_EQ(channels.data[0][15], kLevel);
  plug->BeginHostEdit(0);
  EXPECT_FALSE(plug->SendMidiMessage(&note) || plug->IsRenderingOffline());
  EXPECT_EQ(plug->GetTempo(), 120.0);
  EXPECT_TRUE(host.calls.empty());
}
