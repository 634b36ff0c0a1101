#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "framework/little_endian.h"
#include "tests/framework/test_plugin.h"

namespace {

// A plug-in whose parameter i holds the value i / 4, in the range [0, 100].
class StateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    plugin.DefineTestParams();
    for (int i = 0; i < plugin.NParams(); ++i)
      plugin.GetParam(i)->SetClamped(i / 4.0);
  }

  // A chunk of count values after a header of pos bytes, value i being first + i.
  static void FillChunk(HeapBuffer* chunk, int pos, int count, double first) {
    chunk->Resize(pos + 8 * count, false);
    for (int i = 0; i < count; ++i)
      LittleEndian::StoreDouble(chunk->Bytes() + pos + 8 * i, first + i);
  }

  TestPlugin plugin;
};

TEST_F(StateTest, SerialisingAppendsOneLittleEndianDoublePerParameter) {
  HeapBuffer chunk;
  chunk.PutString("hdr");
  ASSERT_TRUE(plugin.SerializeState(&chunk));
  ASSERT_EQ(chunk.Size(), 7 + 1560);
  const unsigned char quarter[8] = {0, 0, 0, 0, 0, 0, 0xD0, 0x3F};  // parameter 1: 0.25
  EXPECT_EQ(std::memcmp(chunk.Bytes() + 7 + 8, quarter, 8), 0);
  EXPECT_DOUBLE_EQ(LittleEndian::LoadDouble(chunk.Bytes() + 7 + 8 * 194), 194 / 4.0);
  EXPECT_FALSE(plugin.SerializeParams(nullptr));
}

TEST_F(StateTest, RestoringClampsEveryValueAndNotifiesEveryParameter) {
  HeapBuffer chunk;
  FillChunk(&chunk, 8, 195, 1.0);
  LittleEndian::StoreDouble(chunk.Bytes() + 8 + 8 * 3, 250.0);
  LittleEndian::StoreDouble(chunk.Bytes() + 8 + 8 * 4, -3.0);
  // A value that is not finite keeps the parameter's current value.
  LittleEndian::StoreDouble(chunk.Bytes() + 8 + 8 * 10, std::numeric_limits<double>::quiet_NaN());
  LittleEndian::StoreDouble(chunk.Bytes() + 8 + 8 * 11, std::numeric_limits<double>::infinity());
  EXPECT_EQ(plugin.UnserializeParams(&chunk, 8), 1568);
  EXPECT_DOUBLE_EQ(plugin.GetParam(0)->Value(), 1.0);
  EXPECT_DOUBLE_EQ(plugin.GetParam(3)->Value(), 100.0);
  EXPECT_DOUBLE_EQ(plugin.GetParam(4)->Value(), 0.0);
  EXPECT_DOUBLE_EQ(plugin.GetParam(10)->Value(), 2.5);
  EXPECT_DOUBLE_EQ(plugin.GetParam(11)->Value(), 2.75);
  EXPECT_DOUBLE_EQ(plugin.GetParam(94)->Value(), 95.0);
  ASSERT_EQ(plugin.changed.size(), 195u);
  EXPECT_EQ(plugin.changed[194], 194);
}

TEST_F(StateTest, AShortOrMissingChunkChangesNothingAndFails) {
  HeapBuffer chunk;
  FillChunk(&chunk, 0, 195, 1.0);
  EXPECT_EQ(plugin.UnserializeParams(&chunk, 8), -1);  // one value short
  HeapBuffer half;
  FillChunk(&half, 0, 100, 1.0);
  EXPECT_EQ(plugin.UnserializeState(&half, 0), -1);
  EXPECT_EQ(plugin.UnserializeParams(nullptr, 0), -1);
  EXPECT_EQ(plugin.UnserializeParams(&chunk, -8), -1);
  EXPECT_DOUBLE_EQ(plugin.GetParam(0)->Value(), 0.0);
  EXPECT_DOUBLE_EQ(plugin.GetParam(194)->Value(), 194 / 4.0);
  EXPECT_TRUE(plugin.changed.empty());
}

TEST_F(StateTest, StateEqualsAllowsSinglePrecisionNoise) {
  HeapBuffer chunk;
  chunk.Resize(16, false);
  ASSERT_TRUE(plugin.SerializeParams(&chunk));
  EXPECT_TRUE(plugin.StateEquals(chunk.Bytes(), 2));
  LittleEndian::StoreDouble(chunk.Bytes() + 16 + 8 * 7, 7 / 4.0 + 1e-9);
  EXPECT_TRUE(plugin.StateEquals(chunk.Bytes(), 2));
  LittleEndian::StoreDouble(chunk.Bytes() + 16 + 8 * 7, 7 / 4.0 + 0.01);
  EXPECT_FALSE(plugin.StateEquals(chunk.Bytes(), 2));
  EXPECT_FALSE(plugin.StateEquals(nullptr, 0));
}

}  // namespace
