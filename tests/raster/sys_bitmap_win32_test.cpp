// DIB-section bitmaps: sizes, kept sections, and GDI drawing reaching the same pixels.
#include <windows.h>

#include <gtest/gtest.h>

#include "raster/blend.h"
#include "raster/sys_bitmap.h"
#include "raster_test_support.h"

namespace {

TEST(SysBitmap, GdiDrawsIntoTheSameTopDownPixels) {
  Raster_SysBitmap bitmap(5, 3);
  ASSERT_NE(bitmap.Bits(), nullptr);
  EXPECT_EQ(bitmap.RowSpan(), 8);
  Raster_FillArea(&bitmap, 0, 0, 5, 3, 0xFF000000, 1.0f, BlendCopy);
  HBRUSH brush = CreateSolidBrush(RGB(10, 20, 30));
  const RECT area = {1, 1, 3, 2};
  FillRect(static_cast<HDC>(bitmap.DeviceContext()), &area, brush);
  GdiFlush();
  DeleteObject(brush);
  EXPECT_EQ(PixelAt(&bitmap, 1, 1) & 0xFFFFFF, 0x0A141Eu);
  EXPECT_EQ(PixelAt(&bitmap, 2, 1) & 0xFFFFFF, 0x0A141Eu);
  EXPECT_EQ(PixelAt(&bitmap, 3, 1), 0xFF000000u);
  EXPECT_EQ(PixelAt(&bitmap, 1, 0), 0xFF000000u);
}

TEST(SysBitmap, SmallerSizesKeepTheSectionAndEmptySizesFreeIt) {
  Raster_SysBitmap bitmap(300, 300);
  uint32_t* bits = bitmap.Bits();
  EXPECT_FALSE(bitmap.Resize(300, 300));
  EXPECT_TRUE(bitmap.Resize(100, 50));
  EXPECT_EQ((std::vector<int>{bitmap.Width(), bitmap.Height(), bitmap.RowSpan()}),
            (std::vector<int>{100, 50, 300}));
  EXPECT_EQ(bitmap.Bits(), bits);
  EXPECT_TRUE(bitmap.Resize(301, 10));
  EXPECT_EQ(bitmap.RowSpan(), 304);
  // Zero and negative sizes are empty: no section, no pixels, not a width of -1.
  for (auto size : {std::pair<int, int>{0, 0}, {-1, -1}, {0, 7}}) {
    EXPECT_FALSE(bitmap.Resize(size.first, size.second));
    EXPECT_EQ(bitmap.Width() + bitmap.Height(), 0);
    EXPECT_EQ(bitmap.Bits(), nullptr);
  }
  EXPECT_TRUE(bitmap.Resize(4, 4));
  Raster_FillArea(&bitmap, -2, -2, 100, 100, 0xFFFFFFFF, 1.0f, BlendCopy);
  EXPECT_EQ(PixelAt(&bitmap, 3, 3), 0xFFFFFFFFu);
}

}  // namespace
