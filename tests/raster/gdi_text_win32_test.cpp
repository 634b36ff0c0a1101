// Fonts through GDI: glyphs rendered by the system source, and text on the platform path, both
// straight into a device context and through the scratch bitmap. Sizes come from the font's own
// metrics (the system may substitute faces), never from pixel goldens.
#include <windows.h>

#include <gtest/gtest.h>

#include "raster/font.h"
#include "raster/sys_bitmap.h"
#include "raster_test_support.h"

namespace {

// What GDI itself measures for a wide text in this font: width, height.
std::pair<int, int> GdiMeasure(HFONT font, const wchar_t* text) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, font);
  RECT box = {0, 0, 0, 0};
  DrawTextW(dc, text, -1, &box, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
  SelectObject(dc, previous);
  DeleteDC(dc);
  return {box.right, box.bottom};
}

// Pixels inside area that differ from black, and the first and last such column.
struct Ink {
  int count = 0, first = 1 << 30, last = -1;
};
Ink InkIn(Raster_IBitmap* bitmap, const IRectangle& area) {
  Ink ink;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      if ((PixelAt(bitmap, x, y) & 0xFFFFFF) == 0) continue;
      ++ink.count;
      ink.first = std::min(ink.first, x);
      ink.last = std::max(ink.last, x);
    }
  }
  return ink;
}

struct GdiTextTest : ::testing::Test {
  HFONT handle = CreateFontA(20, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  Raster_CachedFont font;
  void SetUp() override { ASSERT_NE(handle, nullptr); }
  void TearDown() override { Raster_SetCompatibilityLayerFlag(-1); }
};

TEST_F(GdiTextTest, GlyphsRenderWithTheFontsMetrics) {
  font.AttachFont(handle, FontFlagOwnsFont);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, handle);
  TEXTMETRICA metrics = {};
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, previous);
  DeleteDC(dc);
  EXPECT_EQ(font.LineHeight(), metrics.tmHeight);

  const uint16_t codes[] = {'W', 'g', 0x20AC};
  for (uint16_t code : codes) {
    ASSERT_TRUE(font.RenderGlyph(code));
    const GlyphRecord glyph = *font.FindGlyph(code);
    const wchar_t text[2] = {static_cast<wchar_t>(code), 0};
    EXPECT_EQ(std::make_pair(glyph.advance, glyph.height), GdiMeasure(handle, text));
    EXPECT_GE(glyph.width, glyph.advance);
    const uint8_t* cover = font.GlyphPixels(&glyph);
    EXPECT_GT(
        std::count_if(cover, cover + glyph.width * glyph.height, [](uint8_t c) { return c > 200; }),
        3);
  }
  ASSERT_TRUE(font.RenderGlyph(' '));
  const GlyphRecord space = *font.FindGlyph(' ');
  const uint8_t* blank = font.GlyphPixels(&space);
  EXPECT_EQ(std::count(blank, blank + space.width * space.height, 0), space.width * space.height);

  // Cached text (no platform flag) lands inside its rectangle only.
  Raster_MemBitmap bitmap(120, 40);
  FillWith(&bitmap, 0xFF000000);
  font.SetTextColor(0xFFFFFFFF);
  IRectangle rect{10, 5, 60, 35};
  EXPECT_EQ(font.DrawText(&bitmap, "Wg", -1, &rect, 0), metrics.tmHeight);
  EXPECT_GT(InkIn(&bitmap, rect).count, 10);
  EXPECT_EQ(InkIn(&bitmap, {0, 0, 120, 40}).count, InkIn(&bitmap, rect).count);
}

TEST_F(GdiTextTest, PlatformPathDrawsDirectlyOrThroughTheScratchBitmap) {
  font.AttachFont(handle, FontFlagOwnsFont | FontFlagNative);
  font.SetTextColor(0xFFFFFFFF);
  Raster_SetCompatibilityLayerFlag(0);  // the platform path, also where the probe says otherwise

  const auto hello = GdiMeasure(handle, L"Hello");
  IRectangle measured{3, 4, 0, 0};
  font.DrawText(nullptr, "Hello", -1, &measured, TextFlagCalcRect);
  EXPECT_EQ(measured, (IRectangle{3, 4, 3 + hello.first, 4 + hello.second}));
  Raster_SysBitmap device(200, 60);
  measured = {0, 0, 0, 0};
  font.DrawText(&device, "Hello", 2, &measured, TextFlagCalcRect);
  EXPECT_EQ(measured.right, GdiMeasure(handle, L"He").first);
  // Multi-byte UTF-8 goes to GDI as wide text.
  measured = {0, 0, 0, 0};
  font.DrawText(&device, "\xC3\xA9\xE2\x82\xAC", -1, &measured, TextFlagCalcRect);
  EXPECT_EQ(measured.right, GdiMeasure(handle, L"\u00e9\u20ac").first);

  const IRectangle rect{10, 10, 150, 50};
  Raster_MemBitmap memory(200, 60);
  for (Raster_IBitmap* target :
       {static_cast<Raster_IBitmap*>(&device), static_cast<Raster_IBitmap*>(&memory)}) {
    FillWith(target, 0xFF000000);
    IRectangle box = rect;
    EXPECT_GT(font.DrawText(target, "Hello", -1, &box, TextFlagCenter), 0);
    const Ink ink = InkIn(target, {0, 0, 200, 60});
    EXPECT_GT(ink.count, 20);
    EXPECT_EQ(InkIn(target, rect).count, ink.count);
    // Centred: as much room left of the ink as right of it, give or take the glyphs' bearings.
    EXPECT_NEAR(ink.first - rect.left, rect.right - 1 - ink.last, 4);
  }
  EXPECT_EQ(font.FindGlyph('H')->offset, 0);  // nothing went through the glyph cache

  // On the compatibility layer the same font draws from its glyph cache.
  Raster_SetCompatibilityLayerFlag(1);
  IRectangle box = rect;
  FillWith(&memory, 0xFF000000);
  font.DrawText(&memory, "Hello", -1, &box, 0);
  EXPECT_GT(font.FindGlyph('H')->offset, 0);
  EXPECT_GT(InkIn(&memory, rect).count, 20);

  // The flag is probed once, through the registry, when a platform font first draws.
  Raster_SetCompatibilityLayerFlag(-1);
  font.DrawText(nullptr, "x", -1, &box, TextFlagCalcRect);
  HKEY key = nullptr;
  const bool present = RegOpenKeyA(HKEY_LOCAL_MACHINE, "Software\\Wine", &key) == ERROR_SUCCESS;
  if (present) RegCloseKey(key);
  EXPECT_EQ(Raster_CompatibilityLayerFlag(), present ? 1 : 0);
}

}  // namespace
