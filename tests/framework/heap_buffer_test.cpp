#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "framework/heap_buffer.h"

namespace {

TEST(HeapBuffer, AppendingAStateAllocatesOnceAndKeepsWholePagesMinusReserve) {
  HeapBuffer chunk(4096);
  void* first = nullptr;
  for (int i = 0; i < 195; ++i) {
    const int32_t oldSize = chunk.Size();
    ASSERT_NE(chunk.Resize(oldSize + 8, true), nullptr);
    if (i == 0) first = chunk.Get();
    EXPECT_EQ(chunk.Capacity(), 4000);
    EXPECT_EQ(chunk.Get(), first);
  }
  EXPECT_EQ(chunk.Size(), 1560);
}

TEST(HeapBuffer, CapacityFollowsTheRoundingRule) {
  EXPECT_EQ(HeapBuffer::CapacityFor(8, 4096), 4000);
  EXPECT_EQ(HeapBuffer::CapacityFor(4001, 4096), 8096);
  EXPECT_EQ(HeapBuffer::CapacityFor(10, 128), 138);
  EXPECT_EQ(HeapBuffer::CapacityFor(1000, 128), 1500);
  EXPECT_EQ(HeapBuffer::CapacityFor(0, 4096), 0);
  // Half the request, rounded down to pages and capped at 4 MiB.
  EXPECT_EQ(HeapBuffer::CapacityFor(100000, 4096), 147360);
  EXPECT_EQ(HeapBuffer::CapacityFor(100000000, 4096), 104193952);
}

TEST(HeapBuffer, ResizeToTheCurrentSizeChangesNothingEvenWithShrink) {
  HeapBuffer buffer(4096);
  buffer.Resize(100000, false);
  void* block = buffer.Get();
  const int32_t capacity = buffer.Capacity();
  EXPECT_EQ(buffer.Resize(100000, true), block);
  EXPECT_EQ(buffer.Capacity(), capacity);
}

TEST(HeapBuffer, ShrinkReleasesMemoryOnlyBelowTheThreshold) {
  HeapBuffer buffer(4096);
  buffer.Resize(100000, false);
  ASSERT_EQ(buffer.Capacity(), 147360);
  buffer.Resize(80000, true);  // above half of the capacity: memory stays
  EXPECT_EQ(buffer.Capacity(), 147360);
  buffer.Resize(1000, true);
  EXPECT_EQ(buffer.Capacity(), 4000);
  EXPECT_EQ(buffer.Size(), 1000);
  buffer.Resize(10, false);  // no shrink asked: memory stays
  EXPECT_EQ(buffer.Capacity(), 4000);
}

TEST(HeapBuffer, ResizeToZeroFreesOnlyWithShrink) {
  HeapBuffer kept(128);
  kept.Resize(50, false);
  EXPECT_EQ(kept.Resize(0, false), nullptr);
  EXPECT_EQ(kept.Get(), nullptr);
  EXPECT_EQ(kept.Capacity(), 178);

  HeapBuffer freed(128);
  freed.Resize(50, false);
  EXPECT_EQ(freed.Resize(0, true), nullptr);
  EXPECT_EQ(freed.Capacity(), 0);
  EXPECT_EQ(freed.Size(), 0);
}

TEST(HeapBuffer, HugeRequestFailsCleanlyAndKeepsTheContents) {
  for (int32_t granularity : {128, 4096}) {
    HeapBuffer buffer(granularity);
    ASSERT_NE(buffer.Resize(16, false), nullptr);
    std::memcpy(buffer.Get(), "0123456789abcdef", 16);
    const int32_t capacity = buffer.Capacity();
    // Sizes near the int32 limit would wrap in 32-bit arithmetic.
    buffer.Resize(INT32_MAX - 10, false);
    EXPECT_EQ(buffer.Size(), 16);
    EXPECT_EQ(buffer.Capacity(), capacity);
    ASSERT_NE(buffer.Get(), nullptr);
    EXPECT_EQ(std::memcmp(buffer.Get(), "0123456789abcdef", 16), 0);
  }
  EXPECT_EQ(HeapBuffer::CapacityFor(INT32_MAX - 10, 4096), -1);
  EXPECT_EQ(HeapBuffer::CapacityFor(INT32_MAX - 10, 128), -1);
}

TEST(HeapBuffer, ResizeZeroFillClearsOnlyTheNewBytes) {
  HeapBuffer buffer(4096);
  buffer.Resize(4, false);
  std::memset(buffer.Get(), 0xAB, 4);
  buffer.Resize(2, false);
  EXPECT_EQ(buffer.ResizeZeroFill(4), 2);
  const unsigned char* bytes = buffer.Bytes();
  EXPECT_EQ(bytes[0], 0xAB);
  EXPECT_EQ(bytes[1], 0xAB);
  EXPECT_EQ(bytes[2], 0);
  EXPECT_EQ(bytes[3], 0);
}

TEST(HeapBuffer, PutStringWritesLengthAndBytesWithoutTheZero) {
  HeapBuffer buffer(4096);
  EXPECT_EQ(buffer.PutString("Init"), 8);
  const unsigned char expected[] = {0x04, 0x00, 0x00, 0x00, 0x49, 0x6E, 0x69, 0x74};
  EXPECT_EQ(std::memcmp(buffer.Get(), expected, sizeof expected), 0);
  EXPECT_EQ(buffer.PutString(""), 12);
  EXPECT_EQ(buffer.PutString(nullptr), 16);
}

TEST(HeapBuffer, PutBytesMayCopyFromItsOwnBlockWhileGrowing) {
  HeapBuffer buffer(128);
  buffer.Resize(150, false);
  for (int i = 0; i < 150; ++i)
    buffer.Bytes()[i] = static_cast<unsigned char>(i);
  ASSERT_LT(buffer.Capacity(), 300);
  ASSERT_TRUE(buffer.PutBytes(buffer.Get(), 150));
  ASSERT_EQ(buffer.Size(), 300);
  for (int i = 0; i < 300; ++i)
    ASSERT_EQ(buffer.Bytes()[i], i % 150);
  EXPECT_FALSE(buffer.PutBytes("x", -1));
}

}  // namespace
