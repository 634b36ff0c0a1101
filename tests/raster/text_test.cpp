// UTF-8 decoding and the cached text path: line breaks, alignment, clipping, vertical text,
// measuring and the colour's alpha. Each drawing test compares the text with the same glyphs
// drawn one by one where the layout rules put them (advances: 3 + code % 5, lines 16 apart).
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <tuple>

#include "fake_glyph_source.h"
#include "raster/blend.h"
#include "raster/font.h"
#include "raster_test_support.h"

namespace {

TEST(Utf8, DecodesWithinTheBytesItMayRead) {
  struct Case {
    std::string bytes;
    int available;
    uint16_t code;
    int used;
  };
  const Case cases[] = {
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
  for (const Case& c : cases) {
    // Exactly the bytes allowed, in a block of their own, so that reading past them is caught.
    const size_t size = c.available < 0 ? c.bytes.size() + 1 : static_cast<size_t>(c.available);
    std::unique_ptr<char[]> block(new char[size]);
    std::memcpy(block.get(), c.bytes.c_str(), size);
    uint16_t code = 0;
    EXPECT_EQ(Raster_DecodeUtf8Char(block.get(), c.available, &code), c.used) << c.bytes;
    EXPECT_EQ(code, c.code) << c.bytes;
  }
}

struct TextTest : ::testing::Test {
  FakeGlyphSource source;
  FakeFont face{16};
  Raster_CachedFont font{&source};
  CachedTextBitmap bitmap{120, 80}, expected{120, 80};

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
  void ExpectGlyphs(std::initializer_list<std::tuple<uint16_t, int, int>> glyphs, IRectangle clip) {
    for (auto [code, x, y] : glyphs)
      font.DrawGlyph(&expected, code, x, y, &clip);
    EXPECT_EQ(Snapshot(&bitmap), Snapshot(&expected));
  }
};

TEST_F(TextTest, LinesAlignmentAndClipping) {
  const IRectangle rect{10, 5, 110, 75};
  EXPECT_EQ(Draw("A\r\nB", rect, 0), 32);  // two lines
  ExpectGlyphs({{'A', 10, 5}, {'B', 10, 21}}, rect);
  Reset(0);
  EXPECT_EQ(Draw("A\r\nB", rect, TextFlagSingleLine), 16);  // the LF is a space (advance 5)
  ExpectGlyphs({{'A', 10, 5}, {'B', 18, 5}}, rect);
  Reset(0);
  Draw(
      "AB\x7F"
      "CD",
      rect, 0, 4);  // the length ends it; a glyph without a box takes no room
  ExpectGlyphs({{'A', 10, 5}, {'B', 13, 5}, {'C', 17, 5}}, rect);

  // "DDDDE" is 31 wide: centred in 100 it starts at 34.
  const IRectangle box{0, 0, 100, 40};
  Reset(0);
  Draw("DDDDE", box, TextFlagCenter | TextFlagVCenter);
  ExpectGlyphs({{'D', 34, 12}, {'D', 40, 12}, {'D', 46, 12}, {'D', 52, 12}, {'E', 58, 12}}, box);
  Reset(0);
  Draw("DE", box, TextFlagRight | TextFlagBottom);
  ExpectGlyphs({{'D', 87, 24}, {'E', 93, 24}}, box);

  const IRectangle small{10, 10, 14, 30};
  Reset(0);
  Draw("DD", small, 0);
  ExpectGlyphs({{'D', 10, 10}, {'D', 16, 10}}, small);
  Reset(0);
  Draw("DD", small, TextFlagNoClip);
  ExpectGlyphs({{'D', 10, 10}, {'D', 16, 10}}, IRectangle{0, 0, 120, 80});
  EXPECT_EQ(Draw("DD", IRectangle{200, 0, 300, 40}, 0), 0);
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
}

TEST_F(TextTest, VerticalTextRunsDownOrUp) {
  Reset(FontFlagRotate);
  // As wide as the widest turned glyph; as tall as the advances unless the last glyph's height
  // reaches further (W turned is 7 tall with an advance of 5).
  EXPECT_EQ(Measure("AW"), (IRectangle{3, 4, 3 + 16, 4 + 3 + 7}));
  IRectangle rect{0, 0, 0, 0};
  EXPECT_EQ(font.DrawText(nullptr, "AW", -1, &rect, TextFlagCalcRect), 16);
  const IRectangle box{10, 0, 110, 80};
  EXPECT_EQ(Draw("AB\nC", box, 0), 32);
  ExpectGlyphs({{'A', 10, 0}, {'B', 10, 3}, {'C', 26, 0}}, box);
  Reset(FontFlagRotate | FontFlagRotateCounterClockwise);
  Draw("AW", box, 0);  // bottom to top, from the measured height (10) down
  ExpectGlyphs({{'A', 10, 7}, {'W', 10, 0}}, box);
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

TEST_F(TextTest, GlyphsBeyondAsciiRenderOnFirstUseUnlessPrecached) {
  const IRectangle box{0, 0, 120, 80};
  Draw("\xC3\xA9\xE2\x82\xAC", box, 0);
  ExpectGlyphs({{0xE9, 0, 0}, {0x20AC, 6, 0}}, box);
  Reset(FontFlagPrecache);
  EXPECT_EQ(source.cellsDrawn, 2 + 128);  // the two above, then codes 0-127 at attach
  Draw("A\xC3\xA9W", box, 0);
  ExpectGlyphs({{'A', 0, 0}, {'W', 3, 0}}, box);
}

}  // namespace
