// Rectangles and memory bitmaps.
#include <gtest/gtest.h>

#include <cstdint>

#include "raster/bitmap.h"
#include "raster/rectangle.h"

namespace {

TEST(Rectangle, EmptyOnlyWhenAllZeroAndIntersectsAsymmetrically) {
  const IRectangle zero{0, 0, 0, 0}, box{0, 0, 10, 10}, right{10, 0, 20, 10}, below{0, 10, 10, 20};
  EXPECT_TRUE(zero.IsEmpty());
  EXPECT_FALSE(box.IsEmpty());
  EXPECT_FALSE((IRectangle{5, 5, 5, 5}.IsEmpty()));
  EXPECT_FALSE(zero.Contains(0, 0));
  EXPECT_TRUE(box.Contains(0, 0));
  EXPECT_FALSE(box.Contains(10, 5));
  // A's right and bottom are inclusive against B's left and top, not the other way round.
  EXPECT_TRUE(box.Intersects(right));
  EXPECT_FALSE(right.Intersects(box));
  EXPECT_TRUE(box.Intersects(below));
  EXPECT_FALSE(below.Intersects(box));
  EXPECT_FALSE(zero.Intersects(box));
  EXPECT_FALSE(box.Intersects(zero));
  EXPECT_EQ(box.Union(zero), box);
  EXPECT_EQ(zero.Union(right), right);
  EXPECT_EQ(right.Union(below), (IRectangle{0, 0, 20, 20}));
  EXPECT_EQ(box.Width(), 10);
  EXPECT_EQ(below.Height(), 10);
}

TEST(MemBitmap, SizesRowsAndAlignment) {
  Raster_MemBitmap empty(0, 5);
  EXPECT_EQ(empty.Bits(), nullptr);
  EXPECT_EQ(empty.Width(), 0);
  EXPECT_EQ(empty.Height(), 0);

  Raster_MemBitmap bitmap(10, 10);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(bitmap.Bits()) % 64, 0u);
  EXPECT_EQ(bitmap.RowSpan(), 12);
  EXPECT_EQ(bitmap.AllocatedBytes(), 10 * 12 * 4);
  EXPECT_FALSE(bitmap.Resize(10, 10));
  EXPECT_TRUE(bitmap.Resize(9, 10));
  EXPECT_EQ(bitmap.AllocatedBytes(), 480);  // smaller: the block stays
  EXPECT_TRUE(bitmap.Resize(20, 20));
  EXPECT_EQ(bitmap.AllocatedBytes(), 2000);  // grown by a quarter more than asked
  EXPECT_EQ(reinterpret_cast<uintptr_t>(bitmap.Bits()) % 64, 0u);
  EXPECT_EQ(Raster_MemBitmap(5, 1).RowSpan(), 8);
  EXPECT_EQ(bitmap.Extended(0x59555678, nullptr), 0);
  EXPECT_EQ(bitmap.Extended(0, nullptr), 0);
  EXPECT_FALSE(bitmap.IsFlipped());
  EXPECT_EQ(bitmap.DeviceContext(), nullptr);
}

TEST(MemBitmap, RefusesSizesWhoseBytesDoNotFit) {
  // Sizes whose byte count wraps in 32 bits (65536 x 16385 x 4 wraps to 262,144) or passes the
  // 2 GB limit, and negative sizes, leave the bitmap empty instead of undersized.
  const int sizes[][2] = {{65536, 16385}, {-1, -1}, {5, -3}, {46341, 46341}, {0x7FFFFFFF, 1}};
  for (const auto& size : sizes) {
    Raster_MemBitmap bitmap(16, 16);
    EXPECT_TRUE(bitmap.Resize(size[0], size[1]));
    EXPECT_EQ(bitmap.Width(), 0) << size[0] << " x " << size[1];
    EXPECT_EQ(bitmap.Height(), 0);
    EXPECT_EQ(bitmap.Bits(), nullptr);
    EXPECT_EQ(bitmap.AllocatedBytes(), 0);
  }
}

}  // namespace
