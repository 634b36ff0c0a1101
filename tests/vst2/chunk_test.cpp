// Program and bank chunks of the instrument: their bytes, round trips, and chunks a careless or
// hostile host hands back.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "test_plugin.h"

namespace {

constexpr int kMainVolume = 92;
const std::vector<uint8_t> kHeader = {0x74, 0x66, 0x66, 0x70, 0x00, 0x00, 0x01, 0x00};

class TovaluneChunks : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(host.Create(TovaluneEntry()));
    host.Start();
  }
  std::vector<uint8_t> WithHeader(std::vector<uint8_t> body, int32_t version = 0x00010000) {
    std::vector<uint8_t> chunk(kHeader);
    std::memcpy(chunk.data() + 4, &version, 4);
    chunk.insert(chunk.end(), body.begin(), body.end());
    return chunk;
  }
  std::vector<uint8_t> State() {
    const std::vector<uint8_t> program = host.GetChunk(1);
    return std::vector<uint8_t>(program.begin() + 8, program.end());
  }
  Vst2TestHost host;
};

}  // namespace

TEST_F(TovaluneChunks, HaveTheirByteLayout) {
  const std::vector<uint8_t> program = host.GetChunk(1);
  ASSERT_EQ(program.size(), 1568u);
  EXPECT_TRUE(std::equal(kHeader.begin(), kHeader.end(), program.begin()));
  const std::vector<uint8_t> bank = host.GetChunk(0);
  ASSERT_EQ(bank.size(), 1577u);
  const std::vector<uint8_t> slot = {0x04, 0x00, 0x00, 0x00, 'I', 'n', 'i', 't', 0x01};
  EXPECT_TRUE(std::equal(kHeader.begin(), kHeader.end(), bank.begin()));
  EXPECT_TRUE(std::equal(slot.begin(), slot.end(), bank.begin() + 8));
  EXPECT_TRUE(std::equal(program.begin() + 8, program.end(), bank.begin() + 17));
  EXPECT_EQ(host.Dispatch(Op::kGetChunk, 1), 0) << "no place for the pointer";
}

TEST_F(TovaluneChunks, RoundTripProgramsAndBanks) {
  for (int32_t index : {1, 0}) {
    const std::vector<uint8_t> saved = host.GetChunk(index);
    host.SetParameter(kMainVolume, 0.125f);
    EXPECT_NE(host.GetChunk(index), saved);
    EXPECT_EQ(host.SetChunk(index, saved), 1);
    EXPECT_EQ(host.GetChunk(index), saved);
  }
  // The host hands back the very pointer it was given.
  void* data = nullptr;
  const intptr_t size = host.Dispatch(Op::kGetChunk, 0, 0, &data);
  EXPECT_EQ(host.Dispatch(Op::kSetChunk, 0, size, data), 1);
}

TEST_F(TovaluneChunks, ReadOlderLayoutsAsOneProgram) {
  const std::vector<uint8_t> state = State();
  host.SetParameter(kMainVolume, 0.125f);
  EXPECT_EQ(host.SetChunk(1, state), 1) << "a raw state without header";
  EXPECT_EQ(State(), state);
  host.SetParameter(kMainVolume, 0.125f);
  EXPECT_EQ(host.SetChunk(0, WithHeader(state, 0x0000FFFF)), 1);
  EXPECT_EQ(State(), state);
  EXPECT_EQ(host.GetChunk(0).size(), 1577u) << "stored into the current slot";
}

TEST_F(TovaluneChunks, AnEmptySlotBecomesAUserPreset) {
  std::vector<uint8_t> body = {0x03, 0x00, 0x00, 0x00, 'N', 'e', 'w', 0x00};
  EXPECT_EQ(host.SetChunk(0, WithHeader(body)), 1);
  bool intact = false;
  EXPECT_EQ(host.Text(Op::kGetProgramNameIndexed, 0, 24, &intact), "user preset 1");
}

TEST_F(TovaluneChunks, RefuseBadChunksWholeAndChangeNothing) {
  const std::vector<uint8_t> bank = host.GetChunk(0);
  const std::vector<uint8_t> state(bank.begin() + 17, bank.end());
  std::vector<uint8_t> negativeName(bank);
  negativeName[11] = 0x80;
  std::vector<uint8_t> hugeName(bank);
  hugeName[8] = hugeName[9] = hugeName[10] = 0xFF;
  hugeName[11] = 0x7F;
  // Refused as programs and as banks; the last three only as banks (a program reads any
  // 1560 bytes after the header as values).
  const std::vector<std::vector<uint8_t>> refused = {
      {},
      {0x74, 0x66, 0x66, 0x70, 0x00, 0x00, 0x01},
      WithHeader({}),
      WithHeader(std::vector<uint8_t>(state.begin(), state.end() - 1), 0x0000FFFF),
      WithHeader(state, 0x00010001),
      std::vector<uint8_t>(bank.begin(), bank.end() - 1),
      negativeName,
      hugeName};
  for (size_t i = 0; i < refused.size(); ++i) {
    for (int32_t index : {0, 1}) {
      if (index == 1 && i >= 5) continue;
      EXPECT_EQ(host.SetChunk(index, refused[i]), 0) << i << " as " << index;
      EXPECT_EQ(host.GetChunk(0), bank) << i << " as " << index;
    }
  }
  std::vector<uint8_t> data(bank);
  for (intptr_t size : {intptr_t{-1}, intptr_t{7}, (intptr_t{1} << 31) + 8, intptr_t{1} << 33,
                        intptr_t{16 * 1024 * 1024 + 1}}) {
    EXPECT_EQ(host.Dispatch(Op::kSetChunk, 0, size, data.data()), 0) << size;
  }
  EXPECT_EQ(host.Dispatch(Op::kSetChunk, 0, 1577, nullptr), 0);
  EXPECT_EQ(host.GetChunk(0), bank);
}

TEST_F(TovaluneChunks, SurviveRandomDataAndChangeNothingWhenRefusing) {
  std::mt19937 random(14);
  const std::vector<uint8_t> bank = host.GetChunk(0);
  for (int round = 0; round < 300; ++round) {
    std::vector<uint8_t> chunk = round % 2 ? bank : WithHeader({});
    chunk.resize(std::uniform_int_distribution<size_t>(8, 1700)(random));
    // A few corrupted bytes, often in the header and the slot's name and flag.
    for (int k = 0; k < 4; ++k) {
      const size_t last = k < 2 ? std::min<size_t>(chunk.size(), 20) - 1 : chunk.size() - 1;
      chunk[std::uniform_int_distribution<size_t>(0, last)(random)] =
          static_cast<uint8_t>(random());
    }
    const std::vector<uint8_t> before = host.GetChunk(0);
    const int32_t index = round % 3 == 0 ? 1 : 0;
    const intptr_t answer = host.SetChunk(index, chunk);
    ASSERT_TRUE(answer == 0 || answer == 1);
    if (answer == 0) {
      ASSERT_EQ(host.GetChunk(0), before) << round;
    }
  }
}
