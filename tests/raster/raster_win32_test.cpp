// The Windows side: DIB sections, glyphs rendered by GDI, text on the platform path (straight
// into a device context and through the scratch bitmap), and PNG images from the program's own
// resources and from a file whose name is not ASCII. Text sizes come from the font's own metrics
// (the system may substitute faces), never from pixel goldens.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

#include "raster/font.h"
#include "raster/png_image.h"
#include "raster/sys_bitmap.h"
#include "raster_test_support.h"

namespace {

TEST(SysBitmap, GdiDrawsIntoTheSameTopDownPixelsAndSectionsOnlyGrow) {
  Raster_SysBitmap bitmap(5, 3);
  ASSERT_EQ(bitmap.RowSpan(), 8);
  FillWith(&bitmap, 0xFF000000);
  HBRUSH brush = CreateSolidBrush(RGB(10, 20, 30));
  const RECT area = {1, 1, 3, 2};
  FillRect(static_cast<HDC>(bitmap.DeviceContext()), &area, brush);
  GdiFlush();
  DeleteObject(brush);
  for (int i = 0; i < 15; ++i)  // GDI leaves the alpha byte of its drawing at 0
    EXPECT_EQ(PixelAt(&bitmap, i % 5, i / 5), i == 6 || i == 7 ? 0x000A141Eu : 0xFF000000u) << i;
  ASSERT_TRUE(bitmap.Resize(300, 300));
  uint32_t* bits = bitmap.Bits();
  EXPECT_FALSE(bitmap.Resize(300, 300));
  EXPECT_TRUE(bitmap.Resize(100, 50));  // the section stays, with its row span
  EXPECT_EQ((std::vector<int>{bitmap.Width(), bitmap.Height(), bitmap.RowSpan()}),
            (std::vector<int>{100, 50, 300}));
  EXPECT_EQ(bitmap.Bits(), bits);
  for (auto [w, h] : {std::pair{0, 0}, {-1, -1}, {0, 7}}) {  // empty: no section, not -1 wide
    EXPECT_FALSE(bitmap.Resize(w, h));
    EXPECT_EQ(bitmap.Width() + bitmap.Height(), 0);
    EXPECT_EQ(bitmap.Bits(), nullptr);
  }
  EXPECT_TRUE(bitmap.Resize(301, 10));
  EXPECT_EQ(bitmap.RowSpan(), 304);
}

struct GdiTextTest : ::testing::Test {
  HFONT handle = CreateFontA(20, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  Raster_CachedFont font;
  void SetUp() override { ASSERT_NE(handle, nullptr); }
  void TearDown() override { Raster_SetCompatibilityLayerFlag(-1); }

  // What GDI itself measures for a text in the font: width, height.
  std::pair<int, int> GdiMeasure(const wchar_t* text) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, handle);
    RECT box = {0, 0, 0, 0};
    DrawTextW(dc, text, -1, &box, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
    SelectObject(dc, previous);
    DeleteDC(dc);
    return {box.right, box.bottom};
  }
};

// Inked pixels (colour not black) inside area, those with a non-zero alpha, the first and last
// inked column.
struct Ink {
  int count = 0, opaque = 0, first = 1 << 30, last = -1;
};
Ink InkIn(Raster_IBitmap* bitmap, const IRectangle& area) {
  Ink ink;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      const uint32_t pixel = PixelAt(bitmap, x, y);
      if ((pixel & 0xFFFFFF) == 0) continue;
      ink.count++, ink.opaque += (pixel >> 24) != 0;
      ink.first = std::min(ink.first, x), ink.last = std::max(ink.last, x);
    }
  }
  return ink;
}

TEST_F(GdiTextTest, GlyphsRenderWithTheFontsMetrics) {
  font.AttachFont(handle, FontFlagOwnsFont);
  EXPECT_EQ(font.LineHeight(), GdiMeasure(L"W").second);
  for (uint16_t code : {uint16_t{'W'}, uint16_t{'g'}, uint16_t{0x20AC}, uint16_t{' '}}) {
    ASSERT_TRUE(font.RenderGlyph(code));
    const GlyphRecord glyph = *font.FindGlyph(code);
    const wchar_t text[2] = {static_cast<wchar_t>(code), 0};
    EXPECT_EQ(std::make_pair(glyph.advance, glyph.height), GdiMeasure(text));
    EXPECT_GE(glyph.width, glyph.advance);
    const uint8_t* cover = font.GlyphPixels(&glyph);
    const auto inked = std::count_if(cover, cover + glyph.width * glyph.height,
                                     [code](uint8_t c) { return c > (code == ' ' ? 0 : 200); });
    EXPECT_TRUE(code == ' ' ? inked == 0 : inked > 3) << code;
  }
}

TEST_F(GdiTextTest, PlatformPathDrawsDirectlyOrThroughTheScratchBitmap) {
  font.AttachFont(handle, FontFlagOwnsFont | FontFlagNative);
  font.SetTextColor(0xFFFFFFFF);
  Raster_SetCompatibilityLayerFlag(0);  // the platform path, also where the probe says otherwise
  Raster_SysBitmap device(200, 60);
  Raster_MemBitmap memory(200, 60);
  const std::tuple<Raster_IBitmap*, const char*, int, const wchar_t*> measures[] = {
      {nullptr, "Hello", -1, L"Hello"},
      {&device, "Hello", 2, L"He"},
      {&device, "\xC3\xA9\xE2\x82\xAC", -1, L"\u00e9\u20ac"}};  // multi-byte UTF-8 as wide text
  for (auto [target, text, len, wide] : measures) {
    IRectangle measured{3, 4, 0, 0};
    font.DrawText(target, text, len, &measured, TextFlagCalcRect);
    const auto size = GdiMeasure(wide);
    EXPECT_EQ(measured, (IRectangle{3, 4, 3 + size.first, 4 + size.second})) << text;
  }
  const IRectangle rect{10, 10, 150, 50}, whole{0, 0, 200, 60};
  for (Raster_IBitmap* target : std::initializer_list<Raster_IBitmap*>{&device, &memory}) {
    FillWith(target, 0xFF000000);
    IRectangle box = rect;
    EXPECT_GT(font.DrawText(target, "Hello", -1, &box, TextFlagCenter), 0);
    const Ink ink = InkIn(target, whole);
    EXPECT_GT(ink.count, 20);
    EXPECT_EQ(InkIn(target, rect).count, ink.count);
    // Centred: as much room left of the ink as right of it, give or take the glyphs' bearings.
    EXPECT_NEAR(ink.first - rect.left, rect.right - 1 - ink.last, 4);
    FillWith(target, 0xFF000000);
    box = {10, 10, 30, 50};  // narrower than the text, which it cuts
    font.DrawText(target, "Hello", -1, &box, 0);
    EXPECT_EQ(InkIn(target, whole).count, InkIn(target, box).count);
  }
  EXPECT_EQ(font.FindGlyph('H')->offset, 0);  // nothing went through the glyph cache
  EXPECT_EQ(InkIn(&device, rect).opaque, 0);  // GDI's ink on a 32-bit section has alpha 0

  // On the compatibility layer the same font draws from its glyph cache, inside its rectangle.
  Raster_SetCompatibilityLayerFlag(1);
  IRectangle box = rect;
  FillWith(&memory, 0xFF000000);
  EXPECT_EQ(font.DrawText(&memory, "Hello", -1, &box, 0), font.LineHeight());
  EXPECT_GT(font.FindGlyph('H')->offset, 0);
  EXPECT_GT(InkIn(&memory, rect).count, 20);
  EXPECT_EQ(InkIn(&memory, whole).count, InkIn(&memory, rect).count);
  // The flag is probed once, through the registry, when a platform font first draws.
  Raster_SetCompatibilityLayerFlag(-1);
  font.DrawText(nullptr, "x", -1, &box, TextFlagCalcRect);
  HKEY key = nullptr;
  const bool present = RegOpenKeyA(HKEY_LOCAL_MACHINE, "Software\\Wine", &key) == ERROR_SUCCESS;
  if (present) RegCloseKey(key);
  EXPECT_EQ(Raster_CompatibilityLayerFlag(), present ? 1 : 0);
}

// The embedded image, 3 x 2, decoded by its id (its low 16 bits name the resource) and from a
// file whose UTF-8 name is not ASCII: pixel (x, y) red 100 + 50 x, green 60 y, blue 7, alpha
// 255 - 100 x.
TEST(PngResource, DecodesTheEmbeddedImageByItsIdAndFromAUtf8Path) {
  HMODULE self = GetModuleHandleW(nullptr);
  EXPECT_EQ(Raster_LoadPngResource(self, 102), nullptr);
  HRSRC resource = FindResourceA(self, MAKEINTRESOURCEA(101), "PNG");
  wchar_t folder[MAX_PATH];
  ASSERT_GT(GetTempPathW(MAX_PATH, folder), 0u);
  const std::wstring path = std::wstring(folder) + L"tovalune \u00e9\u4e2d\u6587.png";
  std::FILE* file = _wfopen(path.c_str(), L"wb");
  ASSERT_NE(file, nullptr);
  std::fwrite(LockResource(LoadResource(self, resource)), 1, SizeofResource(self, resource), file);
  std::fclose(file);
  char utf8[4 * MAX_PATH];
  WideCharToMultiByte(CP_UTF8, 0, path.c_str(), -1, utf8, sizeof(utf8), nullptr, nullptr);
  for (Raster_MemBitmap* decoded :
       {Raster_LoadPngResource(self, 101), Raster_LoadPngResource(self, 101 | 0x50000),
        Raster_PngFileLoader(utf8, true, nullptr)}) {
    std::unique_ptr<Raster_MemBitmap> image(decoded);
    ASSERT_NE(image, nullptr);
    ASSERT_EQ(image->Width() * 10 + image->Height(), 32);
    for (uint32_t x = 0, y = 0; y < 2; x = (x + 1) % 3, y += x == 0) {
      EXPECT_EQ(PixelAt(image.get(), x, y),
                (255 - 100 * x) << 24 | (100 + 50 * x) << 16 | 60 * y << 8 | 7);
    }
  }
  _wremove(path.c_str());
}

}  // namespace
