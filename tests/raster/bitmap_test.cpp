// Rectangles and memory bitmaps.
#include <gtest/gtest.h>

#include <cstdint>

#include "raster/bitmap.h"
#include "raster/rectangle.h"

namespace {

TEST(Rectangle, EmptyOnlyWhenAllZeroAndIntersectsAsymmetrically) {
  const IRectangle zero{0, 0, 0, 0}, box{0, 0, 10, 10}, right{10, 0, 20, 10}, below{0, 10, 10, 20};
  EXPECT_TRUE(zero.IsEmpty());
  EXPECT_FALSE((IRectangle{5, 5, 5, 5}.IsEmpty()));
  EXPECT_FALSE(zero.Contains(0, 0));
  EXPECT_TRUE(box.Contains(0, 0));
  EXPECT_FALSE(box.Contains(10, 5));
  // A's right and bottom are inclusive against B's left and top, not the other way round.
  EXPECT_TRUE(box.Intersects(right) && box.Intersects(below));
  EXPECT_FALSE(right.Intersects(box) || below.Intersects(box));
  EXPECT_FALSE(zero.Intersects(box) || box.Intersects(zero));
  EXPECT_EQ(box.Union(zero), box);
  EXPECT_EQ(zero.Union(right), right);
  EXPECT_EQ(right.Union(below), (IRectangle{0, 0, 20, 20}));
}

TEST(MemBitmap, RowsAlignTheBlockOnlyGrowsAndSizesThatDoNotFitLeaveItEmpty) {
  EXPECT_EQ(Raster_MemBitmap(0, 5).Bits(), nullptr);
  EXPECT_EQ(Raster_MemBitmap(5, 1).RowSpan(), 8);
  Raster_MemBitmap bitmap(10, 10);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(bitmap.Bits()) % 64, 0u);
  EXPECT_EQ(bitmap.AllocatedBytes(), 10 * 12 * 4);
  EXPECT_FALSE(bitmap.Resize(10, 10));
  EXPECT_TRUE(bitmap.Resize(9, 10));
  EXPECT_EQ(bitmap.AllocatedBytes(), 480);
  EXPECT_TRUE(bitmap.Resize(20, 20));
  EXPECT_EQ(bitmap.AllocatedBytes(), 2000);  // a quarter more than asked
  EXPECT_EQ(reinterpret_cast<uintptr_t>(bitmap.Bits()) % 64, 0u);
  EXPECT_EQ(bitmap.Extended(kRasterCachedTextQuery, nullptr), 0);
  // Byte counts that wrap in 32 bits (65536 x 16385 x 4 wraps to 262,144) or pass 2 GB, and
  // sizes below 1, leave the bitmap empty instead of undersized.
  const std::pair<int, int> sizes[] = {{65536, 16385}, {46341, 46341}, {0x7FFFFFFF, 1},
                                       {-1, -1},       {-8, -8},       {5, -3}};
  for (auto [w, h] : sizes) {
    EXPECT_TRUE(bitmap.Resize(w, h));
    EXPECT_EQ(bitmap.Width() + bitmap.Height() + bitmap.AllocatedBytes(), 0) << w;
    EXPECT_EQ(bitmap.Bits(), nullptr);
    bitmap.Resize(16, 16);
  }
}

}  // namespace
