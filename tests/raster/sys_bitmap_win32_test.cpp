// DIB-section bitmaps: sizes, kept sections, and GDI drawing reaching the same pixels.
#include <windows.h>

#include <gtest/gtest.h>

#include "raster/blend.h"
#include "raster/sys_bitmap.h"
#include "raster_test_support.h"

namespace {

TEST(SysBitmap, RowsArePaddedAndGdiDrawsIntoThePixels) {
  Raster_SysBitmap bitmap(5, 3);
  ASSERT_NE(bitmap.Bits(), nullptr);
  ASSERT_NE(bitmap.DeviceContext(), nullptr);
  EXPECT_EQ(bitmap.Width(), 5);
  EXPECT_EQ(bitmap.Height(), 3);
  EXPECT_EQ(bitmap.RowSpan(), 8);
  EXPECT_EQ(bitmap.Extended(0x59555678, nullptr), 0);
  Raster_FillArea(&bitmap, 0, 0, 5, 3, 0xFF000000, 1.0f, BlendCopy);

  HDC dc = static_cast<HDC>(bitmap.DeviceContext());
  HBRUSH brush = CreateSolidBrush(RGB(10, 20, 30));
  const RECT area = {1, 1, 3, 2};
  FillRect(dc, &area, brush);
  GdiFlush();
  DeleteObject(brush);
  // Top-down rows; GDI's colour lands as 0x..0A141E.
  EXPECT_EQ(PixelAt(&bitmap, 1, 1) & 0xFFFFFF, 0x0A141Eu);
  EXPECT_EQ(PixelAt(&bitmap, 2, 1) & 0xFFFFFF, 0x0A141Eu);
  EXPECT_EQ(PixelAt(&bitmap, 0, 0), 0xFF000000u);
  EXPECT_EQ(PixelAt(&bitmap, 3, 1), 0xFF000000u);
}

TEST(SysBitmap, SmallerSizesKeepTheSectionAndEmptySizesFreeIt) {
  Raster_SysBitmap bitmap(300, 300);
  uint32_t* bits = bitmap.Bits();
  EXPECT_FALSE(bitmap.Resize(300, 300));
  EXPECT_TRUE(bitmap.Resize(100, 50));
  EXPECT_EQ(bitmap.Width(), 100);
  EXPECT_EQ(bitmap.Height(), 50);
  EXPECT_EQ(bitmap.RowSpan(), 300);
  EXPECT_EQ(bitmap.Bits(), bits);
  EXPECT_TRUE(bitmap.Resize(301, 10));
  EXPECT_EQ(bitmap.RowSpan(), 304);

  EXPECT_FALSE(bitmap.Resize(0, 0));
  EXPECT_EQ(bitmap.Bits(), nullptr);
  EXPECT_EQ(bitmap.Width(), 0);

  // A negative size is empty too, not a bitmap of width -1.
  Raster_SysBitmap negative(10, 10);
  EXPECT_FALSE(negative.Resize(-1, -1));
  EXPECT_EQ(negative.Width(), 0);
  EXPECT_EQ(negative.Height(), 0);
  EXPECT_EQ(negative.Bits(), nullptr);
  EXPECT_FALSE(negative.Resize(0, 7));
  EXPECT_EQ(negative.Height(), 0);
  EXPECT_TRUE(negative.Resize(4, 4));
  EXPECT_NE(negative.Bits(), nullptr);
  Raster_FillArea(&negative, -2, -2, 100, 100, 0xFFFFFFFF, 1.0f, BlendCopy);
  EXPECT_EQ(PixelAt(&negative, 3, 3), 0xFFFFFFFFu);
}

}  // namespace
