// Cached glyphs: rendering and its post-processing, the blur, and one glyph drawn clipped.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "fake_glyph_source.h"
#include "raster/blend.h"
#include "raster/font.h"
#include "raster_test_support.h"

namespace {

using Marks = std::vector<std::pair<int, int>>;

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
  // The pixels of a rendered glyph holding the given coverage value.
  Marks Holding(uint16_t code, int value) {
    Marks marks;
    const std::vector<int> cover = Coverage(code);
    const int width = font.FindGlyph(code)->width;
    for (int i = 0; i < static_cast<int>(cover.size()); ++i) {
      if (cover[i] == value) marks.push_back({i % width, i / width});
    }
    return marks;
  }
};

// The fake's coverage of a cell, trimmed to the given width, mapped by f.
template <class F>
std::vector<int> Expected(uint16_t code, int width, F f) {
  std::vector<int> cells;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < width; ++x)
      cells.push_back(f(FakeGlyphSource::Coverage(code, x, y, 16)));
  }
  return cells;
}
int Same(int c) {
  return c;
}

TEST_F(GlyphTest, RenderingTrimsKeepsOverhangingInkAndThresholds) {
  Attach(0);
  ASSERT_TRUE(font.RenderGlyph('A') && font.RenderGlyph('W') && font.RenderGlyph(0x7F));
  EXPECT_EQ(source.lastExtraColumns, 3);  // 2 + 16 / 16
  const GlyphRecord a = *font.FindGlyph('A');
  EXPECT_EQ((std::vector<int>{a.advance, a.width, a.height}), (std::vector<int>{3, 3, 16}));
  EXPECT_EQ(Coverage('A'), Expected('A', 3, Same));
  EXPECT_EQ(font.FindGlyph('W')->width, 7);  // ink at advance + 1 stays
  EXPECT_EQ(Coverage('W'), Expected('W', 7, Same));
  EXPECT_EQ(font.FindGlyph(0x7F)->offset, -1);  // no box: takes no room, draws nothing
  // Codes from 128 live in sorted records.
  for (uint16_t code : {0x4E2D, 0x00E9, 0x20AC, 0x0100})
    ASSERT_TRUE(font.RenderGlyph(code));
  for (uint16_t code : {0x4E2D, 0x00E9, 0x20AC, 0x0100})
    EXPECT_EQ(font.FindGlyph(code)->code, code);
  EXPECT_EQ(font.FindGlyph(0x00EA), nullptr);

  Attach(FontFlagInvert);
  font.RenderGlyph('A');
  EXPECT_EQ(Coverage('A'), Expected('A', 3, [](int c) { return 255 - c; }));
  Attach(FontFlagMono, 15);
  EXPECT_EQ(font.FindGlyph('A')->offset, 0);  // attaching empties the cache
  face.lineHeight = 16;  // cells 16 tall again; the extra columns follow the attached height
  font.RenderGlyph('A');
  EXPECT_EQ(source.lastExtraColumns, 2);
  EXPECT_EQ(Coverage('A'), Expected('A', 3, [](int c) { return c > 130 ? 255 : 0; }));
  // One dot at (1, 2): the shadow falls right, below-right and below; the outline rings it.
  for (int flags : {FontFlagShadow, FontFlagOutline, FontFlagShadow | FontFlagOutline}) {
    Attach(flags);
    font.RenderGlyph('.');
    EXPECT_EQ(Holding('.', 255), (Marks{{1, 2}}));
    EXPECT_EQ(Holding('.', 128), flags == FontFlagOutline ? (Marks{{1, 1}, {0, 2}, {2, 2}, {1, 3}})
                                                          : (Marks{{2, 2}, {1, 3}, {2, 3}}));
  }
  Attach(0, 1024);
  EXPECT_FALSE(font.RenderGlyph('B'));
}

TEST_F(GlyphTest, RotationTurnsTheCoverageAQuarterEitherWay) {
  const std::vector<int> upright = Expected('W', 7, Same);
  for (bool counterClockwise : {false, true}) {
    Attach(FontFlagRotate | (counterClockwise ? FontFlagRotateCounterClockwise : 0));
    font.RenderGlyph('W');
    const GlyphRecord turned = *font.FindGlyph('W');
    ASSERT_EQ((std::vector<int>{turned.width, turned.height, turned.advance}),
              (std::vector<int>{16, 7, 5}));
    const std::vector<int> cover = Coverage('W');
    for (int y = 0; y < 7; ++y) {
      for (int x = 0; x < 16; ++x) {
        // Clockwise, the old left column becomes the top row, read bottom to top.
        const int oldX = counterClockwise ? 6 - y : y, oldY = counterClockwise ? x : 15 - x;
        ASSERT_EQ(cover[y * 16 + x], upright[oldY * 7 + oldX]) << x << "," << y;
      }
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
  for (auto size : {std::pair<int, int>{7, 5}, {2, 2}, {1300, 3}, {1, 9}}) {
    const int w = size.first, h = size.second;
    Raster_MemBitmap bitmap(w + 3, h + 2);
    FillNoise(&bitmap, &random);
    std::vector<uint32_t> expected = Snapshot(&bitmap);
    auto at = [&](int x, int y) { return PixelAt(&bitmap, x, y); };
    for (int y = 0; w > 1 && y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        // Half the pixel, an eighth of each neighbour; a missing neighbour's share goes inward.
        uint32_t v = part(at(x, y), 1);
        v += x == 0 ? part(at(1, y), 2)
                    : (x == w - 1 ? part(at(x - 1, y), 2)
                                  : part(at(x - 1, y), 3) + part(at(x + 1, y), 3));
        v += y == 0 ? part(at(x, 1), 2)
                    : (y == h - 1 ? part(at(x, y - 1), 2)
                                  : part(at(x, y - 1), 3) + part(at(x, y + 1), 3));
        expected[y * (w + 3) + x] = v;
      }
    }
    Raster_BlurBitmap(&bitmap, w, h);
    EXPECT_EQ(Snapshot(&bitmap), expected) << w << " x " << h;
  }
}

TEST_F(GlyphTest, DrawGlyphTouchesOnlyGlyphClipAndBitmapTogether) {
  Attach(FontFlagMono);
  font.RenderGlyph('W');
  const GlyphRecord glyph = *font.FindGlyph('W');
  const std::vector<int> cover = Coverage('W');
  font.SetTextColor(0xFF123456);
  Raster_MemBitmap bitmap(30, 30);  // row span 32: the padding must stay untouched too
  uint32_t* bits = bitmap.Bits();
  for (const IRectangle& clip : {IRectangle{5, 6, 20, 22}, IRectangle{-10, -10, 50, 50},
                                 IRectangle{8, 8, 8, 20}, IRectangle{29, 0, 30, 1}}) {
    for (int y = clip.top - glyph.height - 2; y <= clip.bottom + 2; ++y) {
      for (int x = clip.left - glyph.width - 2; x <= clip.right + 2; ++x) {
        std::fill(bits, bits + 32 * 30, 0xAAAAAAAAu);
        const bool drew = font.DrawGlyph(&bitmap, 'W', x, y, &clip);
        std::vector<uint32_t> expected(32 * 30, 0xAAAAAAAAu);
        bool any = false;
        for (int py = std::max({y, clip.top, 0});
             py < std::min({y + glyph.height, clip.bottom, 30}); ++py) {
          for (int px = std::max({x, clip.left, 0});
               px < std::min({x + glyph.width, clip.right, 30}); ++px) {
            any = true;
            if (cover[(py - y) * glyph.width + (px - x)] == 255)
              expected[py * 32 + px] = 0xFF123456u;
          }
        }
        ASSERT_EQ(std::vector<uint32_t>(bits, bits + 32 * 30), expected)
            << "glyph at " << x << "," << y;
        ASSERT_EQ(drew, any) << x << "," << y;
      }
    }
  }
  const IRectangle all{0, 0, 30, 30};
  EXPECT_FALSE(font.DrawGlyph(&bitmap, 'Q', 0, 0, &all));  // never rendered
  Raster_MemBitmap empty(0, 0);
  EXPECT_FALSE(font.DrawGlyph(&empty, 'W', 0, 0, &all));
}

TEST_F(GlyphTest, DrawGlyphBlendsByCoverageWithItsColours) {
  Attach(0);
  font.RenderGlyph('A');
  const std::vector<int> cover = Coverage('A');
  font.SetTextColor(0x00FF0000);  // the colour's own alpha takes no part
  Raster_MemBitmap bitmap(3, 16);
  const IRectangle clip{0, 0, 3, 16};
  auto copy = [](int s, int d, int w) { return (s + (d - s) * (256 - w) / 256) & 0xFF; };
  for (float alpha : {1.0f, 0.5f}) {
    FillWith(&bitmap, 0x40204080);
    font.SetCombineMode(BlendCopy, alpha);
    ASSERT_TRUE(font.DrawGlyph(&bitmap, 'A', 0, 0, &clip));
    for (int i = 0; i < 48; ++i) {
      const int c = cover[i], w = alpha == 1.0f ? c + 1 : 128 * c / 256;
      const uint32_t expected =
          c == 0 ? 0x40204080u
                 : uint32_t(copy(255, 0x40, w)) << 24 | uint32_t(copy(255, 0x20, w)) << 16 |
                       uint32_t(copy(0, 0x40, w)) << 8 | uint32_t(copy(0, 0x80, w));
      ASSERT_EQ(PixelAt(&bitmap, i % 3, i / 3), expected) << alpha << " at " << i;
    }
  }
  // Opaque background: each glyph's visible cell takes the background colour first.
  font.SetCombineMode(BlendCopy, 1.0f);
  font.SetBackgroundMode(FontBackgroundOpaque);
  font.SetBackgroundColor(0x11223344);
  FillWith(&bitmap, 0);
  ASSERT_TRUE(font.DrawGlyph(&bitmap, 'A', 1, 1, &clip));
  EXPECT_EQ(PixelAt(&bitmap, 0, 5), 0u);
  EXPECT_EQ(PixelAt(&bitmap, 1, 1), 0x11223344u);

  // Effect glyphs: full ink in the text colour, shadow pixels in the effect colour, written
  // whole at full strength and blended with an opaque alpha channel below it.
  Attach(FontFlagShadow);
  font.RenderGlyph('.');
  font.SetBackgroundMode(FontBackgroundTransparent);
  font.SetTextColor(0xFF0000FF);
  font.SetEffectColor(0x80FF0000);
  for (float alpha : {1.0f, 0.5f}) {
    FillWith(&bitmap, 0);
    font.SetCombineMode(alpha == 1.0f ? BlendCopy : BlendAdd, alpha);
    ASSERT_TRUE(font.DrawGlyph(&bitmap, '.', 0, 0, &clip));
    EXPECT_EQ(PixelAt(&bitmap, 1, 2), alpha == 1.0f ? 0xFF0000FFu : 0x7F00007Fu);
    EXPECT_EQ(PixelAt(&bitmap, 2, 3), alpha == 1.0f ? 0x80FF0000u : 0x7F7F0000u);
  }
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
