#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "framework/heap_buffer.h"

namespace {

TEST(HeapBuffer, CapacityFollowsTheRoundingRule) {
  const struct {
    int64_t request;
    int32_t granularity;
    int64_t capacity;
  } cases[] = {
      {8, 4096, 4000},
      {4001, 4096, 8096},
      {10, 128, 138},
      {1000, 128, 1500},
      {0, 4096, 0},
      {100000, 4096, 147360},        // half the request, rounded down to whole pages
      {100000000, 4096, 104193952},  // the step is capped at 4 MiB
      {INT32_MAX - 10, 4096, -1},    // would wrap in 32 bits: refused
      {INT32_MAX - 10, 128, -1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HeapBuffer::CapacityFor(c.request, c.granularity), c.capacity)
        << c.request << " bytes, granularity " << c.granularity;
  }
}

TEST(HeapBuffer, AppendingAStateAllocatesOnce) {
  HeapBuffer chunk(4096);
  void* first = nullptr;
  for (int i = 0; i < 195; ++i) {
    ASSERT_NE(chunk.Resize(chunk.Size() + 8, true), nullptr);
    if (i == 0) first = chunk.Get();
    ASSERT_EQ(chunk.Capacity(), 4000);
    ASSERT_EQ(chunk.Get(), first);
  }
  EXPECT_EQ(chunk.Size(), 1560);
}

TEST(HeapBuffer, ShrinkReleasesMemoryOnlyWhenAskedAndBelowTheThreshold) {
  HeapBuffer buffer(4096);
  buffer.Resize(100000, false);
  void* block = buffer.Get();
  ASSERT_EQ(buffer.Capacity(), 147360);
  EXPECT_EQ(buffer.Resize(100000, true), block);  // the current size: nothing happens
  buffer.Resize(80000, true);                     // above half of the capacity: memory stays
  EXPECT_EQ(buffer.Capacity(), 147360);
  buffer.Resize(1000, true);
  EXPECT_EQ(buffer.Capacity(), 4000);
  EXPECT_EQ(buffer.Size(), 1000);
  buffer.Resize(10, false);
  EXPECT_EQ(buffer.Capacity(), 4000);

  EXPECT_EQ(buffer.Resize(0, false), nullptr);  // the data accessor is null, memory stays
  EXPECT_EQ(buffer.Capacity(), 4000);
  buffer.Resize(50, false);
  EXPECT_EQ(buffer.Resize(0, true), nullptr);
  EXPECT_EQ(buffer.Capacity(), 0);
  EXPECT_EQ(buffer.Resize(-5, false), nullptr);
  EXPECT_EQ(buffer.Size(), 0);
}

TEST(HeapBuffer, AHugeRequestFailsAndKeepsTheContents) {
  for (int32_t granularity : {128, 4096}) {
    HeapBuffer buffer(granularity);
    buffer.Resize(6, false);
    std::memcpy(buffer.Get(), "abcdef", 6);
    const int32_t capacity = buffer.Capacity();
    buffer.Resize(INT32_MAX - 10, false);
    EXPECT_EQ(buffer.Size(), 6);
    EXPECT_EQ(buffer.Capacity(), capacity);
    EXPECT_EQ(std::memcmp(buffer.Get(), "abcdef", 6), 0);
    buffer.Resize(3, false);
    EXPECT_EQ(buffer.ResizeZeroFill(5), 3);  // only the bytes beyond the old size are zeroed
    EXPECT_EQ(std::memcmp(buffer.Get(), "abc\0\0", 5), 0);
  }
}

TEST(HeapBuffer, PutBytesMayCopyFromItsOwnBlockWhileGrowing) {
  HeapBuffer buffer(128);
  buffer.Resize(150, false);
  for (int i = 0; i < 150; ++i)
    buffer.Bytes()[i] = static_cast<unsigned char>(i);
  ASSERT_LT(buffer.Capacity(), 300);
  ASSERT_TRUE(buffer.PutBytes(buffer.Get(), 150));
  EXPECT_FALSE(buffer.PutBytes("x", -1));
  ASSERT_EQ(buffer.Size(), 300);
  for (int i = 0; i < 300; ++i)
    ASSERT_EQ(buffer.Bytes()[i], i % 150);
}

}  // namespace
