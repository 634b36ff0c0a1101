// Cached fonts: glyph rendering and its post-processing, the blur, glyphs drawn against a
// per-pixel reference in every kind, operation, weight and clip; UTF-8 decoding and the cached
// text path: line breaks, alignment, clipping, vertical text, measuring and the colour's alpha.
// Drawn text is compared with the same glyphs drawn one by one where the layout rules put them
// (advances: 3 + code % 5, lines 16 apart).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "fake_glyph_source.h"
#include "raster/blend.h"
#include "raster/font.h"
#include "raster_test_support.h"

namespace {

struct GlyphTest : ::testing::Test {
  FakeGlyphSource source;
  FakeFont face{16};
  Raster_CachedFont font{&source};

  void Attach(int flags, int lineHeight = 16) {
    face.lineHeight = lineHeight;
    font.AttachFont(&face, flags);
  }
  // The coverage of a rendered glyph, row by row.
  std::vector<int> Coverage(uint16_t code) {
    const GlyphRecord* record = font.FindGlyph(code);
    const uint8_t* bytes = font.GlyphPixels(record);
    return bytes ? std::vector<int>(bytes, bytes + record->width * record->height)
                 : std::vector<int>();
  }
};

// The fake's coverage of a 16-row cell, trimmed to the given width and mapped by f.
std::vector<int> Expected(uint16_t code, int width, int (*f)(int)) {
  std::vector<int> cells;
  for (int i = 0; i < width * 16; ++i)
    cells.push_back(f(FakeGlyphSource::Coverage(code, i % width, i / width, 16)));
  return cells;
}

TEST_F(GlyphTest, RenderingTrimsKeepsOverhangingInkThresholdsAndTurns) {
  const std::pair<int, int (*)(int)> kinds[] = {
      {0, [](int c) { return c; }},
      {FontFlagInvert, [](int c) { return 255 - c; }},
      {FontFlagMono, [](int c) { return c > 130 ? 255 : 0; }}};
  for (auto [flags, map] : kinds) {
    Attach(flags);
    ASSERT_TRUE(font.RenderGlyph('A') && font.RenderGlyph('W'));
    const GlyphRecord a = *font.FindGlyph('A');
    EXPECT_EQ((std::vector<int>{a.advance, a.width, a.height}), (std::vector<int>{3, 3, 16}));
    EXPECT_EQ(Coverage('A'), Expected('A', 3, map));
    EXPECT_EQ(Coverage('W'), Expected('W', 7, map));  // ink at advance + 1 stays
  }
  // Turned a quarter: clockwise the old left column becomes the top row, read bottom to top.
  const std::vector<int> upright = Expected('W', 7, [](int c) { return c; });
  for (bool counterClockwise : {false, true}) {
    Attach(FontFlagRotate | (counterClockwise ? FontFlagRotateCounterClockwise : 0));
    font.RenderGlyph('W');
    const GlyphRecord turned = *font.FindGlyph('W');
    ASSERT_EQ((std::vector<int>{turned.width, turned.height, turned.advance}),
              (std::vector<int>{16, 7, 5}));
    std::vector<int> expected;
    for (int i = 0; i < 16 * 7; ++i) {
      const int x = i % 16, y = i / 16;
      expected.push_back(counterClockwise ? upright[x * 7 + 6 - y] : upright[(15 - x) * 7 + y]);
    }
    EXPECT_EQ(Coverage('W'), expected) << counterClockwise;
  }
  font.RenderGlyph('~');  // a cell narrower than the advance bounds the glyph
  const GlyphRecord narrow = *font.FindGlyph('~');
  EXPECT_EQ((std::vector<int>{narrow.width, narrow.height, narrow.advance}),
            (std::vector<int>{16, 2, 4}));
  // The cell is 2 + line height / 16 columns wider than the advance (from 16 on).
  for (auto [height, extra] : {std::pair{15, 2}, {16, 3}, {32, 4}}) {
    Attach(0, height);
    EXPECT_EQ(font.FindGlyph('A')->offset, 0);  // attaching empties the cache
    font.RenderGlyph('A');
    EXPECT_EQ(source.lastExtraColumns, extra);
  }
  ASSERT_TRUE(font.RenderGlyph(0x7F));
  EXPECT_EQ(font.FindGlyph(0x7F)->offset, -1);  // no box: takes no room, draws nothing
  // Codes from 128 live in records kept sorted for the lookup.
  for (uint16_t code : {0x4E2D, 0x00E9, 0x20AC, 0x0100})
    ASSERT_TRUE(font.RenderGlyph(code));
  for (uint16_t code : {0x4E2D, 0x00E9, 0x20AC, 0x0100})
    EXPECT_EQ(font.FindGlyph(code)->code, code);
  EXPECT_EQ(font.FindGlyph(0x00EA), nullptr);
  // One dot at (1, 2) in a glyph 4 wide: the shadow falls right, below-right and below; the
  // outline rings it (the shadow wins when both are asked for).
  for (int flags : {FontFlagShadow, FontFlagOutline, FontFlagShadow | FontFlagOutline}) {
    Attach(flags);
    font.RenderGlyph('.');
    std::vector<int> dot(4 * 16, 0);
    for (int i : flags == FontFlagOutline ? std::vector{5, 8, 10, 13} : std::vector{10, 13, 14})
      dot[i] = 128;
    dot[9] = 255;
    EXPECT_EQ(Coverage('.'), dot) << flags;
  }
  // Blurred, the dot keeps half and gives an eighth to each neighbour (a quarter inward from
  // the first column).
  Attach(FontFlagBlur);
  font.RenderGlyph('.');
  std::vector<int> blurred(4 * 16, 0);
  blurred[8] = 63, blurred[9] = 127, blurred[10] = blurred[5] = blurred[13] = 31;
  EXPECT_EQ(Coverage('.'), blurred);
  Attach(0, 1024);
  EXPECT_FALSE(font.RenderGlyph('B'));
}

TEST(GlyphBlur, MatchesItsRuleOnNarrowAndWideAreas) {
  auto part = [](uint32_t v, int shift) {  // each channel shifted on its own
    return (v >> shift) & (0xFFu >> shift) * 0x01010101u;
  };
  std::mt19937 random(99);
  for (auto [w, h] : {std::pair{7, 5}, {2, 2}, {1300, 3}, {1, 9}}) {
    Raster_MemBitmap bitmap(w + 3, h + 2);
    FillNoise(&bitmap, &random);
    std::vector<uint32_t> expected = Snapshot(&bitmap);
    // Half the pixel, an eighth of each neighbour; a missing neighbour's share goes inward.
    auto share = [&](int x, int y, int dx, int dy, int at, int size) {
      if (at == 0 || at == size - 1)
        return part(PixelAt(&bitmap, at ? x - dx : x + dx, at ? y - dy : y + dy), 2);
      return part(PixelAt(&bitmap, x - dx, y - dy), 3) + part(PixelAt(&bitmap, x + dx, y + dy), 3);
    };
    for (int i = 0; w > 1 && i < w * h; ++i) {
      const int x = i % w, y = i / w;
      expected[y * (w + 3) + x] =
          part(PixelAt(&bitmap, x, y), 1) + share(x, y, 1, 0, x, w) + share(x, y, 0, 1, y, h);
    }
    Raster_BlurBitmap(&bitmap, w, h);
    EXPECT_EQ(Snapshot(&bitmap), expected) << w << " x " << h;
  }
}

// Draws 'W' at (x, y) into a noisy 30 x 30 bitmap (row span 32: the padding must stay untouched
// too) and compares it, with the result, against the rules applied pixel by pixel.
struct DrawGlyphTest : GlyphTest {
  Raster_MemBitmap bitmap{30, 30}, expected{30, 30};
  std::mt19937 random{3};

  void Check(int x, int y, const IRectangle& clip) {
    FillNoise(&bitmap, &random);
    std::copy(bitmap.Bits(), bitmap.Bits() + 32 * 30, expected.Bits());
    const bool drew = font.DrawGlyph(&bitmap, 'W', x, y, &clip);
    const GlyphRecord glyph = *font.FindGlyph('W');
    const std::vector<int> cover = Coverage('W');
    const int left = std::max({x, clip.left, 0}), top = std::max({y, clip.top, 0});
    const int right = std::min({x + glyph.width, clip.right, 30});
    const int bottom = std::min({y + glyph.height, clip.bottom, 30});
    const int op = font.GetCombineMode() & 0xFF;
    const bool thresholded = font.GetFlags() & (FontFlagMono | FontFlagShadow | FontFlagOutline);
    const float alpha = font.GetAlpha();
    const int a = std::isnan(alpha) ? 0 : static_cast<int>(std::clamp(alpha, 0.0f, 1.0f) * 256);
    const bool visible = right > left && bottom > top;
    if (visible && font.GetBackgroundMode() == FontBackgroundOpaque) {
      ReferenceFill(&expected, left, top, right - left, bottom - top, font.GetBackgroundColor(),
                    alpha, font.GetCombineMode() & ~BlendUseSourceAlpha);
    }
    for (int py = top; visible && py < bottom; ++py) {
      for (int px = left; px < right; ++px) {
        const int c = cover[(py - y) * glyph.width + (px - x)];
        const uint32_t colour =
            thresholded && c != 255 ? font.GetEffectColor() : font.GetTextColor();
        uint32_t& d = PixelAt(&expected, px, py);
        if (c == 0 || op > 5) continue;
        if (thresholded && alpha == 1.0f && op == BlendCopy) {
          d = colour;  // thresholded glyphs at full strength: whole colour words
        } else if (a > 0) {
          const int w = thresholded ? a : (a == 256 ? c + 1 : std::min(a * c / 256, 256));
          d = ReferenceBlend(op, colour, 255, d, w);  // the colour's own alpha takes no part
        }
      }
    }
    ASSERT_EQ(std::vector<uint32_t>(bitmap.Bits(), bitmap.Bits() + 32 * 30),
              std::vector<uint32_t>(expected.Bits(), expected.Bits() + 32 * 30))
        << x << "," << y << " flags " << font.GetFlags() << " op " << op << " alpha " << alpha;
    ASSERT_EQ(drew, visible) << x << "," << y;
  }
};

TEST_F(DrawGlyphTest, EveryKindOperationWeightAndSideOfTheClip) {
  const IRectangle clip{2, 3, 27, 26};
  font.SetTextColor(0x00FF2080);
  font.SetEffectColor(0x80FF0000);
  font.SetBackgroundColor(0x11223344);
  for (int flags : {0, FontFlagMono, FontFlagShadow, FontFlagOutline}) {
    Attach(flags);
    font.RenderGlyph('W');
    for (int mode = 0; mode <= 6; ++mode) {
      for (float alpha : {1.0f, 0.75f, 0.5f, 0.3f, 0.0f, 1.5f, std::nanf("")}) {
        for (int background : {FontBackgroundTransparent, FontBackgroundOpaque}) {
          font.SetBackgroundMode(background);
          font.SetCombineMode(mode | BlendUseSourceAlpha, alpha);  // bit 16 is ignored
          Check(10, 5, clip);
          Check(0, 20, clip);  // cut at the clip's left and bottom
        }
      }
    }
  }
  // Every position around four clips: inside, beyond the bitmap, empty, at its corner.
  font.SetCombineMode(BlendCopy, 1.0f);
  for (const IRectangle& clip : {IRectangle{5, 6, 20, 22}, IRectangle{-10, -10, 50, 50},
                                 IRectangle{8, 8, 8, 20}, IRectangle{29, 0, 30, 1}}) {
    for (int i = 0; i < (clip.Width() + 12) * (clip.Height() + 21); ++i)
      Check(clip.left - 9 + i % (clip.Width() + 12), clip.top - 18 + i / (clip.Width() + 12), clip);
  }
  const IRectangle all{0, 0, 30, 30};
  EXPECT_FALSE(font.DrawGlyph(&bitmap, 'Q', 0, 0, &all));  // never rendered
  Raster_MemBitmap empty(0, 0);
  EXPECT_FALSE(font.DrawGlyph(&empty, 'W', 0, 0, &all));
}

TEST(CachedFont, OwnedFontsAreDeletedAndTheLastFontFreesTheSharedBitmaps) {
  FakeGlyphSource source;
  FakeFont first{12}, second{14};
  {
    Raster_CachedFont font(&source);
    font.AttachFont(&first, FontFlagOwnsFont);
    font.AttachFont(&first, FontFlagOwnsFont);  // the same font is kept
    font.AttachFont(&second, FontFlagOwnsFont);
    EXPECT_EQ(source.fontsDeleted, 1);
    EXPECT_EQ(font.LineHeight(), 14);
    EXPECT_NE(Raster_GlyphBitmap(), nullptr);
  }
  EXPECT_EQ(source.fontsDeleted, 2);
  EXPECT_EQ(Raster_GlyphBitmap(), nullptr);
}

TEST(Utf8, DecodesWithinTheBytesItMayRead) {
  const std::tuple<std::string, int, uint16_t, int> cases[] = {
      // bytes, how many may be read (-1: up to the NUL), code, bytes used
      {"A", -1, 'A', 1},
      {"\xC3\xA9", 2, 0xE9, 2},
      {"\xE2\x82\xAC", 3, 0x20AC, 3},
      {"\xF0\x9F\x98\x80", 4, ' ', 4},  // beyond 16 bits: a space
      {"\xE9z", 2, 0xE9, 1},
      {"\xC3\xC0", 2, 0xC3, 1},
      {"\xC0\x80", 2, 0xC0, 1},  // overlong forms are single bytes
      {"\xF5\x80\x80\x80", 4, 0xF5, 1},
      // Sequences cut by the length or the NUL are one byte each.
      {"\xC3\xA9", 1, 0xC3, 1},
      {"\xE2\x82\xAC", 2, 0xE2, 1},
      {"\xF0\x9F\x98\x80", 3, 0xF0, 1},
      {"\xC3", -1, 0xC3, 1},
  };
  for (const auto& [bytes, available, code, used] : cases) {
    // The whole sequence follows: a decoder that reads past the bytes it may read completes it.
    uint16_t decoded = 0;
    EXPECT_EQ(Raster_DecodeUtf8Char(bytes.c_str(), available, &decoded), used) << bytes;
    EXPECT_EQ(decoded, code) << bytes;
  }
}

struct TextTest : GlyphTest {
  Raster_MemBitmap bitmap{120, 80}, expected{120, 80};
  const IRectangle all{0, 0, 120, 80};

  void SetUp() override { Reset(0); }
  void Reset(int fontFlags) {
    Attach(fontFlags);
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
    ExpectGlyphs(c.glyphs, c.flags & TextFlagNoClip ? all : clip);
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

TEST_F(TextTest, ColourAlphaScalesOnlyThisCallAndPrecachedFontsRenderOnlyAscii) {
  font.SetTextColor(0x80FFFFFF);
  Draw("AW", all, TextFlagUseColourAlpha);
  EXPECT_EQ(font.GetAlpha(), 1.0f);
  font.SetCombineMode(BlendCopy, 128.0f / 255.0f);  // the same weight, set on the font
  ExpectGlyphs({{'A', 0, 0}, {'W', 3, 0}}, all);
  Reset(0);
  font.SetTextColor(0x00FFFFFF);
  EXPECT_EQ(Draw("AW", all, TextFlagUseColourAlpha), 0);
  ExpectGlyphs({}, all);

  const int before = source.cellsDrawn;
  Reset(FontFlagPrecache);
  EXPECT_EQ(source.cellsDrawn - before, 128);
  Draw("A\xC3\xA9W", all, 0);
  ExpectGlyphs({{'A', 0, 0}, {'W', 3, 0}}, all);
}

}  // namespace
