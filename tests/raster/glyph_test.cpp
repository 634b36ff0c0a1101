// Cached glyphs: rendering and its post-processing, the blur, and glyphs drawn against a
// per-pixel reference in every kind, operation, weight and clip.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
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
template <class F>
std::vector<int> Expected(uint16_t code, int width, F f) {
  std::vector<int> cells;
  for (int i = 0; i < width * 16; ++i)
    cells.push_back(f(FakeGlyphSource::Coverage(code, i % width, i / width, 16)));
  return cells;
}

TEST_F(GlyphTest, RenderingTrimsKeepsOverhangingInkAndThresholds) {
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
  Attach(0, 1024);
  EXPECT_FALSE(font.RenderGlyph('B'));
}

TEST_F(GlyphTest, RotationTurnsTheCoverageAQuarterEitherWay) {
  const std::vector<int> upright = Expected('W', 7, [](int c) { return c; });
  for (bool counterClockwise : {false, true}) {
    Attach(FontFlagRotate | (counterClockwise ? FontFlagRotateCounterClockwise : 0));
    font.RenderGlyph('W');
    const GlyphRecord turned = *font.FindGlyph('W');
    ASSERT_EQ((std::vector<int>{turned.width, turned.height, turned.advance}),
              (std::vector<int>{16, 7, 5}));
    const std::vector<int> cover = Coverage('W');
    for (int i = 0; i < 16 * 7; ++i) {
      // Clockwise, the old left column becomes the top row, read bottom to top.
      const int x = i % 16, y = i / 16;
      const int oldX = counterClockwise ? 6 - y : y, oldY = counterClockwise ? x : 15 - x;
      ASSERT_EQ(cover[i], upright[oldY * 7 + oldX]) << x << "," << y;
    }
  }
}

TEST(GlyphBlur, MatchesItsRuleOnNarrowAndWideAreas) {
  auto part = [](uint32_t v, int shift) {  // each channel shifted on its own
    uint32_t r = 0;
    for (int c = 0; c < 32; c += 8)
      r |= (((v >> c) & 0xFF) >> shift) << c;
    return r;
  };
  std::mt19937 random(99);
  for (auto [w, h] : {std::pair{7, 5}, {2, 2}, {1300, 3}, {1, 9}}) {
    Raster_MemBitmap bitmap(w + 3, h + 2);
    FillNoise(&bitmap, &random);
    std::vector<uint32_t> expected = Snapshot(&bitmap);
    auto at = [&](int x, int y) { return PixelAt(&bitmap, x, y); };
    for (int i = 0; w > 1 && i < w * h; ++i) {
      // Half the pixel, an eighth of each neighbour; a missing neighbour's share goes inward.
      const int x = i % w, y = i / w;
      uint32_t v = part(at(x, y), 1);
      v += x == 0 ? part(at(1, y), 2)
                  : (x == w - 1 ? part(at(x - 1, y), 2)
                                : part(at(x - 1, y), 3) + part(at(x + 1, y), 3));
      v += y == 0 ? part(at(x, 1), 2)
                  : (y == h - 1 ? part(at(x, y - 1), 2)
                                : part(at(x, y - 1), 3) + part(at(x, y + 1), 3));
      expected[y * (w + 3) + x] = v;
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
  const float weights[] = {1.0f, 0.75f, 0.5f, 0.3f, 0.0f, 1.5f, std::nanf("")};
  const IRectangle clip{2, 3, 27, 26};
  font.SetTextColor(0x00FF2080);
  font.SetEffectColor(0x80FF0000);
  font.SetBackgroundColor(0x11223344);
  for (int flags : {0, FontFlagMono, FontFlagShadow, FontFlagOutline}) {
    Attach(flags);
    font.RenderGlyph('W');
    for (int mode = 0; mode <= 6; ++mode) {
      for (float alpha : weights) {
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
    EXPECT_EQ(source.fontsDeleted, 0);
    font.AttachFont(&second, FontFlagOwnsFont);
    EXPECT_EQ(source.fontsDeleted, 1);
    EXPECT_EQ(font.LineHeight(), 14);
    EXPECT_NE(Raster_GlyphBitmap(), nullptr);
  }
  EXPECT_EQ(source.fontsDeleted, 2);
  EXPECT_EQ(Raster_GlyphBitmap(), nullptr);
}

}  // namespace
