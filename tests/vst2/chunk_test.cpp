// Program and bank chunks of the instrument: their bytes, round trips, and chunks a careless or
// hostile host hands back.
#include <random>

#include "test_plugin.h"

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

class TovaluneChunks : public TovaluneHost {
 protected:
  void SetUp() override {
    TovaluneHost::SetUp();
    host.Start();
  }
};

}  // namespace

TEST_F(TovaluneChunks, HaveTheirBytes) {
  const std::vector<uint8_t> program = host.GetChunk(1);
  ASSERT_EQ(program.size(), 1568u);
  EXPECT_EQ(std::vector<uint8_t>(program.begin(), program.begin() + 8), kHeader);
  const std::vector<uint8_t> state(program.begin() + 8, program.end());
  EXPECT_EQ(host.GetChunk(0), Join(Join(kHeader, kInitSlot), state));
  // An empty slot in a bank is named after its number.
  EXPECT_EQ(host.SetChunk(0, Join(kHeader, {0x03, 0x00, 0x00, 0x00, 'N', 'e', 'w', 0x00})), 1);
  EXPECT_EQ(host.Text(Op::kGetProgramNameIndexed, 0, 24), "user preset 1");
}

TEST_F(TovaluneChunks, RestoreWhatTheyCarryOrRefuseWholeAndChangeNothing) {
  const std::vector<uint8_t> bank = host.GetChunk(0), program = host.GetChunk(1);
  const std::vector<uint8_t> state(program.begin() + 8, program.end());
  std::vector<uint8_t> negativeName(bank), hugeName(bank);
  Put<int32_t>(negativeName.data(), 8, INT32_MIN + 4);
  Put<int32_t>(hugeName.data(), 8, INT32_MAX);
  const std::vector<uint8_t> shortState(state.begin(), state.end() - 1);
  const struct {
    int32_t index;
    std::vector<uint8_t> chunk;
    intptr_t answer;
  } table[] = {{1, program, 1},
               {0, bank, 1},
               {1, state, 1},                            // a raw state without header
               {0, Join(Header(0x0000FFFF), state), 1},  // a bank before banks: one program
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
  for (size_t i = 0; i < std::size(table); ++i) {
    host.SetParameter(kMainVolume, 0.125f);
    const std::vector<uint8_t> before = host.GetChunk(0);
    ASSERT_NE(before, bank);
    EXPECT_EQ(host.SetChunk(table[i].index, table[i].chunk), table[i].answer) << i;
    EXPECT_EQ(host.GetChunk(0), table[i].answer ? bank : before) << i;
  }
  std::vector<uint8_t> data(bank);
  for (intptr_t size : {intptr_t{-1}, intptr_t{7}, (intptr_t{1} << 31) + 8, intptr_t{1} << 33,
                        intptr_t{16 * 1024 * 1024 + 1}})
    EXPECT_EQ(host.Dispatch(Op::kSetChunk, 0, size, data.data()), 0) << size;
  EXPECT_EQ(host.Dispatch(Op::kSetChunk, 0, 1577, nullptr), 0);
  // The host hands back the very pointer it was given.
  void* given = nullptr;
  const intptr_t size = host.Dispatch(Op::kGetChunk, 0, 0, &given);
  EXPECT_EQ(host.Dispatch(Op::kSetChunk, 0, size, given), 1);
}

TEST_F(TovaluneChunks, SurviveRandomDataAndChangeNothingWhenRefusing) {
  std::mt19937 random(14);
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
    const std::vector<uint8_t> before = host.GetChunk(0);
    const intptr_t answer = host.SetChunk(round % 3 == 0 ? 1 : 0, chunk);
    ASSERT_TRUE(answer == 0 || answer == 1);
    if (answer == 0) {
      ASSERT_EQ(host.GetChunk(0), before) << round;
    }
  }
}
