// The instrument as a host sees it, through both entry names: the descriptor at its offsets, two
// instances, a note played in float and double, texts inside the host's buffers, and program and
// bank chunks: their bytes, round trips, and chunks a careless or hostile host hands back. The
// Windows library tests run it on the library file.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <tuple>

#include "vst2_test_host.h"

namespace {

constexpr int kMainVolume = 92;
const std::vector<uint8_t> kHeader = {0x74, 0x66, 0x66, 0x70, 0x00, 0x00, 0x01, 0x00};
const std::vector<uint8_t> kInitSlot = {0x04, 0x00, 0x00, 0x00, 'I', 'n', 'i', 't', 0x01};

std::vector<uint8_t> Join(std::vector<uint8_t> head, const std::vector<uint8_t>& tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

std::vector<uint8_t> Header(int32_t version) {
  std::vector<uint8_t> header(kHeader);
  Put(header.data(), 4, version);
  return header;
}

// A started instance; no text may pass its host buffer.
class TovaluneLibrary : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(OpenTovaluneEntries(&library));
    ASSERT_TRUE(host.Create(library.pluginMain));
    host.Start();
  }
  void TearDown() override {
    EXPECT_EQ(host.overruns, 0);
    host.Close();
    CloseTovaluneEntries(&library);
  }
  TovaluneEntries library;
  Vst2TestHost host;
};

// The loudest sample of 40 blocks of 512 frames through one audio entry, with note 60 starting
// in the fifth.
template <class Sample>
double PlayNote(Vst2TestHost& host, int entry) {
  TestChannels<Sample> in(512), out(512);
  double peak = 0.0;
  for (int block = 0; block < 40; ++block) {
    if (block == 4) {
      EXPECT_EQ(peak, 0.0) << "silence before the note";
      EventList note;
      note.Add(1, 0, 0x90, 60, 100);
      host.Dispatch(Op::kProcessEvents, 0, 0, note.Data(1));
    }
    host.Process(entry, in.pointers, out.pointers, 512);
    for (const auto& channel : out.data) {
      for (Sample sample : channel)
        peak = std::max(peak, std::fabs(static_cast<double>(sample)));
    }
  }
  return peak;
}

}  // namespace

TEST_F(TovaluneLibrary, BothEntriesGiveTheDescriptorOfTheirOwnInstance) {
  Vst2TestHost second;
  ASSERT_TRUE(second.Create(library.legacyMain));
  // The magic 'VstP' and the id 'Vad2' have their first character in the top byte.
  const std::pair<int, int32_t> fields[] = {
      {Field::kMagic, 0x56737450}, {Field::kNumPrograms, 1},      {Field::kNumParams, 195},
      {Field::kNumInputs, 2},      {Field::kNumOutputs, 2},       {Field::kInitialDelay, 0},
      {Field::kVersion, 10100},    {Field::kUniqueId, 0x56616432}};
  for (Vst2TestHost* each : {&host, &second}) {
    for (const auto& [offset, value] : fields)
      EXPECT_EQ(each->At<int32_t>(offset), value) << offset;
    EXPECT_EQ(each->At<float>(Field::kIoRatio), 1.0f);
    // Replacing, double replacing, synth and the editor, which is 2000 x 1060: the rectangle's
    // top, left, bottom and right are 16-bit.
    void* rect = nullptr;
    EXPECT_EQ(each->At<int32_t>(Field::kFlags), 0x1111);
    ASSERT_EQ(each->Dispatch(Op::kEditGetRect, 0, 0, &rect), 1);
    EXPECT_EQ((std::vector<int16_t>(static_cast<int16_t*>(rect), static_cast<int16_t*>(rect) + 4)),
              (std::vector<int16_t>{0, 0, 1060, 2000}));
  }
  second.Start();
  host.SetParameter(kMainVolume, 0.25f);
  EXPECT_EQ(host.GetParameter(kMainVolume), 0.25f);
  EXPECT_NE(second.GetParameter(kMainVolume), 0.25f) << "instances share no parameters";
}

TEST_F(TovaluneLibrary, PlaysANoteInFloatAndDouble) {
  EXPECT_GT(PlayNote<float>(host, Field::kProcessReplacing), 0.01);
  host.Dispatch(Op::kMainsChanged, 0, 0);  // processing off resets the voices
  host.Dispatch(Op::kMainsChanged, 0, 1);
  EXPECT_GT(PlayNote<double>(host, Field::kProcessDoubleReplacing), 0.01);
}

TEST_F(TovaluneLibrary, ParameterTextsStayInsideTheHostsBuffers) {
  size_t longestName = 0;
  for (int i = 0; i < 195; ++i) {
    for (int32_t opcode : {Op::kGetParamName, Op::kGetParamLabel, Op::kGetParamDisplay})
      EXPECT_LT(host.Text(opcode, i, 32).size(), 32u) << opcode << " " << i;
    longestName = std::max(longestName, host.Text(Op::kGetParamName, i, 32).size());
  }
  EXPECT_GT(longestName, 8u) << "names are not cut to the nominal 8 bytes";
}

// A program chunk is the header and the state; a bank the header and its one slot: name length,
// name, filled flag and state.
TEST_F(TovaluneLibrary, ChunksRestoreWhatTheyCarryOrAreRefusedWholeChangingNothing) {
  const std::vector<uint8_t> bank = host.GetChunk(0), program = host.GetChunk(1);
  ASSERT_EQ(program.size(), 1568u);
  const std::vector<uint8_t> state(program.begin() + 8, program.end());
  EXPECT_EQ(program, Join(kHeader, state));
  EXPECT_EQ(bank, Join(Join(kHeader, kInitSlot), state));
  std::vector<uint8_t> negativeName(bank), hugeName(bank);
  Put<int32_t>(negativeName.data(), 8, INT32_MIN + 4);
  Put<int32_t>(hugeName.data(), 8, INT32_MAX);
  const std::vector<uint8_t> shortState(state.begin(), state.end() - 1);
  // Index (0 bank, 1 program), chunk, answer. Accepted: the saved program and bank, a raw state
  // without header, a bank of an older version (read as one program). Then refused ones.
  const std::tuple<int32_t, std::vector<uint8_t>, intptr_t> table[] = {
      {1, program, 1},
      {0, bank, 1},
      {1, state, 1},
      {0, Join(Header(0x0000FFFF), state), 1},
      {0, {}, 0},
      {1, {0x74, 0x66, 0x66, 0x70, 0x00, 0x00, 0x01}, 0},
      {0, kHeader, 0},
      {1, kHeader, 0},
      {0, Join(Header(0x0000FFFF), shortState), 0},
      {1, Join(kHeader, shortState), 0},
      {0, Join(Header(0x00010001), state), 0},
      {1, Join(Header(0x00010001), state), 0},
      {0, std::vector<uint8_t>(bank.begin(), bank.end() - 1), 0},
      {0, negativeName, 0},
      {0, hugeName, 0}};
  int row = 0;
  for (const auto& [index, chunk, answer] : table) {
    host.SetParameter(kMainVolume, 0.125f);  // differs from the bank's
    const std::vector<uint8_t> before = host.GetChunk(0);
    ASSERT_NE(before, bank);
    EXPECT_EQ(host.SetChunk(index, chunk), answer) << row;
    EXPECT_EQ(host.GetChunk(0), answer ? bank : before) << row++;
  }
  std::vector<uint8_t> data(bank);
  for (intptr_t size : {intptr_t{-1}, intptr_t{7}, (intptr_t{1} << 31) + 8, intptr_t{1} << 33,
                        intptr_t{16 * 1024 * 1024 + 1}})
    EXPECT_EQ(host.Dispatch(Op::kSetChunk, 0, size, data.data()), 0) << size;
  EXPECT_EQ(host.Dispatch(Op::kSetChunk, 0, 1577, nullptr), 0);
  // The host hands back the very pointer it was given: the sound it holds comes back.
  ASSERT_EQ(host.SetChunk(0, bank), 1);
  void* given = nullptr;
  const intptr_t size = host.Dispatch(Op::kGetChunk, 0, 0, &given);
  host.SetParameter(kMainVolume, 0.125f);
  EXPECT_EQ(host.Dispatch(Op::kSetChunk, 0, size, given), 1);
  EXPECT_EQ(host.GetChunk(0), bank);
  // An empty slot is named after its number.
  EXPECT_EQ(host.SetChunk(0, Join(kHeader, {0x03, 0x00, 0x00, 0x00, 'N', 'e', 'w', 0x00})), 1);
  EXPECT_EQ(host.Text(Op::kGetProgramNameIndexed, 0, 24), "user preset 1");
}

// Refused chunks change nothing, taken ones leave every value in range; a program made from a
// valid state (the sound parameters 3 to 60 moved at random) comes back as it was set.
TEST_F(TovaluneLibrary, RandomChunksChangeNothingWhenRefusedAndKeepValuesInRangeWhenTaken) {
  std::mt19937 random(14);
  std::uniform_real_distribution<float> anyValue(0.0f, 1.0f);
  const std::vector<uint8_t> bank = host.GetChunk(0);
  for (int round = 0; round < 300; ++round) {
    std::vector<uint8_t> chunk = round % 2 ? bank : kHeader;
    chunk.resize(std::uniform_int_distribution<size_t>(8, 1700)(random));
    // A few corrupted bytes, often in the header and the slot's name and flag.
    for (int k = 0; k < 4; ++k) {
      const size_t last = k < 2 ? std::min<size_t>(chunk.size(), 20) - 1 : chunk.size() - 1;
      chunk[std::uniform_int_distribution<size_t>(0, last)(random)] =
          static_cast<uint8_t>(random());
    }
    // And one value (of the bank's slot, or of a program) that is not a number, infinite or far
    // beyond any range.
    const double odd[] = {NAN, INFINITY, -1e300, 1e300};
    const size_t at =
        (round % 2 ? 17 : 8) + 8 * std::uniform_int_distribution<size_t>(0, 194)(random);
    if (at + 8 <= chunk.size()) Put(chunk.data(), static_cast<int>(at), odd[random() % 4]);
    const std::vector<uint8_t> before = host.GetChunk(0);
    const intptr_t answer = host.SetChunk(round % 3 == 0 ? 1 : 0, chunk);
    ASSERT_TRUE(answer == 0 || answer == 1);
    if (answer == 0) {
      ASSERT_EQ(host.GetChunk(0), before) << round;
    } else {
      const std::vector<uint8_t> taken = host.GetChunk(1);
      for (int i = 0; i < 195; ++i) {
        const float value = host.GetParameter(i);
        ASSERT_TRUE(std::isfinite(Get<double>(taken.data(), 8 + 8 * i)) && value >= 0.0f &&
                    value <= 1.0f)
            << round << " " << i;
      }
    }
    host.SetParameter(std::uniform_int_distribution<int>(3, 60)(random), anyValue(random));
    const std::vector<uint8_t> program = host.GetChunk(1);
    host.SetParameter(kMainVolume, anyValue(random));
    ASSERT_EQ(host.SetChunk(1, program), 1);
    ASSERT_EQ(host.GetChunk(1), program) << round;
  }
}
