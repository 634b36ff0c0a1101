// Fonts through GDI: glyphs rendered by the system source, and text on the platform path, both
// straight into a device context and through the scratch bitmap. Sizes come from the font's own
// metrics (the system may substitute faces), never from pixel goldens.
#include <windows.h>

#include <gtest/gtest.h>

#include "raster/blend.h"
#include "raster/font.h"
#include "raster/sys_bitmap.h"
#include "raster_test_support.h"

namespace {

HFONT MakeFont() {
  return CreateFontA(20, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
}

// What GDI itself measures for a wide text in this font.
SIZE GdiMeasure(HFONT font, const wchar_t* text) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, font);
  RECT box = {0, 0, 0, 0};
  DrawTextW(dc, text, -1, &box, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
  SelectObject(dc, previous);
  DeleteDC(dc);
  return {box.right, box.bottom};
}

int InkCount(Raster_IBitmap* bitmap, const IRectangle& area, uint32_t background) {
  int count = 0;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x)
      count += (PixelAt(bitmap, x, y) & 0xFFFFFF) != (background & 0xFFFFFF);
  }
  return count;
}

struct GdiTextTest : ::testing::Test {
  HFONT handle = MakeFont();
  Raster_CachedFont font;
  void TearDown() override { Raster_SetCompatibilityLayerFlag(-1); }
};

TEST_F(GdiTextTest, GlyphsRenderWithTheFontsMetrics) {
  ASSERT_NE(handle, nullptr);
  font.AttachFont(handle, FontFlagOwnsFont);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, handle);
  TEXTMETRICA metrics = {};
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, previous);
  DeleteDC(dc);
  EXPECT_EQ(font.LineHeight(), metrics.tmHeight);

  ASSERT_TRUE(font.RenderGlyph('W'));
  const GlyphRecord w = *font.FindGlyph('W');
  const SIZE box = GdiMeasure(handle, L"W");
  EXPECT_EQ(w.advance, box.cx);
  EXPECT_EQ(w.height, box.cy);
  EXPECT_GE(w.width, w.advance);
  const uint8_t* cover = font.GlyphPixels(&w);
  int ink = 0, full = 0;
  for (int i = 0; i < w.width * w.height; ++i)
    ink += cover[i] != 0, full += cover[i] > 200;
  EXPECT_GT(ink, 10);
  EXPECT_GT(full, 0);

  ASSERT_TRUE(font.RenderGlyph(' '));
  const GlyphRecord space = *font.FindGlyph(' ');
  const uint8_t* blank = font.GlyphPixels(&space);
  for (int i = 0; i < space.width * space.height; ++i)
    ASSERT_EQ(blank[i], 0);
  ASSERT_TRUE(font.RenderGlyph(0x20AC));
  EXPECT_EQ(font.FindGlyph(0x20AC)->advance, GdiMeasure(handle, L"\u20ac").cx);

  // Cached text (no platform flag) lands inside its rectangle only.
  Raster_MemBitmap bitmap(120, 40);
  FillWith(&bitmap, 0xFF000000);
  font.SetTextColor(0xFFFFFFFF);
  const IRectangle rect{10, 5, 60, 35};
  EXPECT_EQ(font.DrawText(&bitmap, "Wg", -1, const_cast<IRectangle*>(&rect), 0), w.height);
  EXPECT_GT(InkCount(&bitmap, rect, 0xFF000000), 10);
  EXPECT_EQ(InkCount(&bitmap, {0, 0, 120, 40}, 0xFF000000), InkCount(&bitmap, rect, 0xFF000000));
}

TEST_F(GdiTextTest, PlatformPathDrawsDirectlyOrThroughTheScratchBitmap) {
  ASSERT_NE(handle, nullptr);
  font.AttachFont(handle, FontFlagOwnsFont | FontFlagNative);
  font.SetTextColor(0xFFFFFFFF);
  Raster_SetCompatibilityLayerFlag(0);  // the platform path, also where the probe says otherwise

  const SIZE hello = GdiMeasure(handle, L"Hello");
  IRectangle measured{3, 4, 0, 0};
  font.DrawText(nullptr, "Hello", -1, &measured, TextFlagCalcRect);
  EXPECT_EQ(measured, (IRectangle{3, 4, 3 + hello.cx, 4 + hello.cy}));
  Raster_SysBitmap device(200, 60);
  measured = {0, 0, 0, 0};
  font.DrawText(&device, "Hello", 2, &measured, TextFlagCalcRect);
  EXPECT_EQ(measured.right, GdiMeasure(handle, L"He").cx);
  // Multi-byte UTF-8 is drawn as wide text; bytes that are not UTF-8 as they are.
  measured = {0, 0, 0, 0};
  font.DrawText(&device, "\xC3\xA9\xE2\x82\xAC", -1, &measured, TextFlagCalcRect);
  EXPECT_EQ(measured.right, GdiMeasure(handle, L"\u00e9\u20ac").cx);

  const IRectangle rect{10, 10, 150, 50};
  Raster_MemBitmap memory(200, 60);
  for (Raster_IBitmap* target :
       {static_cast<Raster_IBitmap*>(&device), static_cast<Raster_IBitmap*>(&memory)}) {
    FillWith(target, 0xFF000000);
    IRectangle box = rect;
    EXPECT_GT(font.DrawText(target, "Hello", -1, &box, TextFlagCenter), 0);
    const int inside = InkCount(target, rect, 0xFF000000);
    EXPECT_GT(inside, 20);
    EXPECT_EQ(InkCount(target, {0, 0, 200, 60}, 0xFF000000), inside);
    // Centred: as much room left of the ink as right of it, give or take the glyphs' bearings.
    int first = 200, last = -1;
    for (int x = 0; x < 200; ++x) {
      if (InkCount(target, {x, 0, x + 1, 60}, 0xFF000000) > 0) first = std::min(first, x), last = x;
    }
    EXPECT_NEAR(first - rect.left, rect.right - 1 - last, 4);
  }
  EXPECT_EQ(font.FindGlyph('H')->offset, 0);  // nothing went through the glyph cache

  // On the compatibility layer the same font draws from its glyph cache.
  Raster_SetCompatibilityLayerFlag(1);
  IRectangle box = rect;
  FillWith(&memory, 0xFF000000);
  font.DrawText(&memory, "Hello", -1, &box, 0);
  EXPECT_GT(font.FindGlyph('H')->offset, 0);
  EXPECT_GT(InkCount(&memory, rect, 0xFF000000), 20);
}

TEST(CompatibilityLayer, IsProbedOnceThroughTheRegistry) {
  Raster_SetCompatibilityLayerFlag(-1);
  HFONT handle = MakeFont();
  Raster_CachedFont font;
  font.AttachFont(handle, FontFlagOwnsFont | FontFlagNative);
  EXPECT_EQ(Raster_CompatibilityLayerFlag(), -1);
  IRectangle measured{0, 0, 0, 0};
  font.DrawText(nullptr, "x", -1, &measured, TextFlagCalcRect);
  HKEY key = nullptr;
  const bool present = RegOpenKeyA(HKEY_LOCAL_MACHINE, "Software\\Wine", &key) == ERROR_SUCCESS;
  if (present) RegCloseKey(key);
  EXPECT_EQ(Raster_CompatibilityLayerFlag(), present ? 1 : 0);
}

}  // namespace
