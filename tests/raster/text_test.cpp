// UTF-8 decoding and the cached text path: line breaks, alignment, clipping, vertical text,
// measuring and the colour's alpha. Drawn text is compared with the same glyphs drawn one by one
// where the layout rules put them (advances: 3 + code % 5, lines 16 apart).
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "fake_glyph_source.h"
#include "raster/blend.h"
#include "raster/font.h"
#include "raster_test_support.h"

namespace {

TEST(Utf8, DecodesWithinTheBytesItMayRead) {
  const std::tuple<std::string, int, uint16_t, int> cases[] = {
      // bytes, how many may be read (-1: up to the NUL), code, bytes used
      {"A", -1, 'A', 1},
      {"\xC3\xA9", 2, 0xE9, 2},
      {"\xE2\x82\xAC", 3, 0x20AC, 3},
      {"\xF0\x9F\x98\x80", 4, ' ', 4},  // beyond 16 bits: a space
      {"\xE9z", 2, 0xE9, 1},
      {"\xC3\xC0", 2, 0xC3, 1},
      {"\xC0\x80", 2, 0xC0, 1},
      {"\xF5\x80\x80\x80", 4, 0xF5, 1},
      // Sequences cut by the length or the NUL are one byte each.
      {"\xC3\xA9", 1, 0xC3, 1},
      {"\xE2\x82\xAC", 2, 0xE2, 1},
      {"\xF0\x9F\x98\x80", 3, 0xF0, 1},
      {"\xC3", -1, 0xC3, 1},
  };
  for (const auto& [bytes, available, code, used] : cases) {
    // Exactly the bytes allowed, in a block of their own, so that reading past them is caught.
    const size_t size = available < 0 ? bytes.size() + 1 : static_cast<size_t>(available);
    std::unique_ptr<char[]> block(new char[size]);
    std::memcpy(block.get(), bytes.c_str(), size);
    uint16_t decoded = 0;
    EXPECT_EQ(Raster_DecodeUtf8Char(block.get(), available, &decoded), used) << bytes;
    EXPECT_EQ(decoded, code) << bytes;
  }
}

struct TextTest : ::testing::Test {
  FakeGlyphSource source;
  FakeFont face{16};
  Raster_CachedFont font{&source};
  Raster_MemBitmap bitmap{120, 80}, expected{120, 80};

  void SetUp() override { Reset(0); }
  void Reset(int fontFlags) {
    font.AttachFont(&face, fontFlags);
    font.SetTextColor(0xFF204060);
    FillWith(&bitmap, 0xFF000000);
    FillWith(&expected, 0xFF000000);
  }
  int Draw(const char* text, IRectangle rect, int flags, int len = -1) {
    return font.DrawText(&bitmap, text, len, &rect, flags);
  }
  IRectangle Measure(const char* text, int len = -1) {
    IRectangle rect{3, 4, 0, 0};
    font.DrawText(nullptr, text, len, &rect, TextFlagCalcRect);
    return rect;
  }
  // Draws the glyphs where they are expected and compares the two bitmaps.
  void ExpectGlyphs(const std::vector<std::tuple<uint16_t, int, int>>& glyphs, IRectangle clip) {
    for (auto [code, x, y] : glyphs)
      font.DrawGlyph(&expected, code, x, y, &clip);
    EXPECT_EQ(Snapshot(&bitmap), Snapshot(&expected));
  }
};

TEST_F(TextTest, LinesAlignmentClippingAndVerticalText) {
  using Glyphs = std::vector<std::tuple<uint16_t, int, int>>;
  struct Case {
    int fontFlags;
    const char* text;
    int len;
    IRectangle rect;
    int flags, result;
    Glyphs glyphs;
  };
  const IRectangle page{10, 5, 110, 75}, box{0, 0, 100, 40}, small{10, 10, 14, 30};
  const IRectangle tall{10, 0, 110, 80};
  const int down = FontFlagRotate, up = FontFlagRotate | FontFlagRotateCounterClockwise;
  const int single = TextFlagSingleLine, centred = TextFlagCenter | TextFlagVCenter;
  // "DDDDE" is 31 wide: centred in 100 it starts at 34.
  const Glyphs middle = {{'D', 34, 12}, {'D', 40, 12}, {'D', 46, 12}, {'D', 52, 12}, {'E', 58, 12}};
  const Case cases[] = {
      {0, "A\r\nB", -1, page, 0, 32, {{'A', 10, 5}, {'B', 10, 21}}},
      {0, "A\r\nB", -1, page, single, 16, {{'A', 10, 5}, {'B', 18, 5}}},  // LF: a space
      // The length ends the text; a glyph without a box takes no room.
      {0, "AB\177CD", 4, page, 0, 16, {{'A', 10, 5}, {'B', 13, 5}, {'C', 17, 5}}},
      {0, "\xC3\xA9\xE2\x82\xAC", -1, page, 0, 16, {{0xE9, 10, 5}, {0x20AC, 16, 5}}},
      {0, "DDDDE", -1, box, centred, 16, middle},
      {0, "DE", -1, box, TextFlagRight | TextFlagBottom, 16, {{'D', 87, 24}, {'E', 93, 24}}},
      {0, "D\nE", -1, box, TextFlagRight | single, 16, {{'D', 82, 0}, {' ', 88, 0}, {'E', 93, 0}}},
      {0, "DD", -1, small, 0, 16, {{'D', 10, 10}, {'D', 16, 10}}},
      {0, "DD", -1, small, TextFlagNoClip, 16, {{'D', 10, 10}, {'D', 16, 10}}},
      {0, "DD", -1, {200, 0, 300, 40}, 0, 0, {}},
      // Rotated fonts run down, or (counter-clockwise) up from the measured height.
      {down, "AB\nC", -1, tall, 0, 32, {{'A', 10, 0}, {'B', 10, 3}, {'C', 26, 0}}},
      {up, "AW", -1, tall, 0, 16, {{'A', 10, 7}, {'W', 10, 0}}},
  };
  for (const Case& c : cases) {
    Reset(c.fontFlags);
    EXPECT_EQ(Draw(c.text, c.rect, c.flags, c.len), c.result) << c.text;
    IRectangle clip{std::max(c.rect.left, 0), std::max(c.rect.top, 0), std::min(c.rect.right, 120),
                    std::min(c.rect.bottom, 80)};
    if (c.flags & TextFlagNoClip) clip = {0, 0, 120, 80};
    ExpectGlyphs(c.glyphs, clip);
  }
}

TEST_F(TextTest, MeasuringNeedsNoBitmap) {
  EXPECT_EQ(Measure(""), (IRectangle{3, 4, 3, 4}));
  EXPECT_EQ(Measure("AB", 1), (IRectangle{3, 4, 6, 20}));
  EXPECT_EQ(Measure("A\nBW"), (IRectangle{3, 4, 3 + 4 + 7, 4 + 32}));  // W's ink reaches past
  IRectangle rect{0, 0, 0, 0};
  EXPECT_EQ(font.DrawText(nullptr, "AB", -1, &rect, TextFlagCalcRect), 16);
  EXPECT_EQ(font.DrawText(nullptr, "A", -1, &rect, 0), 0);
  EXPECT_EQ(font.DrawText(&bitmap, nullptr, -1, &rect, 0), 0);
  EXPECT_EQ(font.DrawText(&bitmap, "A", -1, nullptr, 0), 0);
  // Vertical: as wide as the widest turned glyph; as tall as the advances unless the last
  // glyph's height reaches further (W turned is 7 tall with an advance of 5).
  Reset(FontFlagRotate);
  EXPECT_EQ(Measure("AW"), (IRectangle{3, 4, 3 + 16, 4 + 3 + 7}));
  EXPECT_EQ(font.DrawText(nullptr, "AW", -1, &rect, TextFlagCalcRect), 16);
}

TEST_F(TextTest, ColourAlphaScalesOnlyThisCall) {
  const IRectangle box{0, 0, 120, 80};
  font.SetTextColor(0x80FFFFFF);
  Draw("AW", box, TextFlagUseColourAlpha);
  EXPECT_EQ(font.GetAlpha(), 1.0f);
  font.SetCombineMode(BlendCopy, 128.0f / 255.0f);  // the same weight, set on the font
  ExpectGlyphs({{'A', 0, 0}, {'W', 3, 0}}, box);
  Reset(0);
  font.SetTextColor(0x00FFFFFF);
  EXPECT_EQ(Draw("AW", box, TextFlagUseColourAlpha), 0);
  ExpectGlyphs({}, box);
}

TEST_F(TextTest, PrecachedFontsRenderOnlyAscii) {
  const int before = source.cellsDrawn;
  Reset(FontFlagPrecache);
  EXPECT_EQ(source.cellsDrawn - before, 128);
  Draw("A\xC3\xA9W", {0, 0, 120, 80}, 0);
  ExpectGlyphs({{'A', 0, 0}, {'W', 3, 0}}, {0, 0, 120, 80});
}

}  // namespace
