// Cached glyphs: rendering and its post-processing, the blur, and drawing one glyph clipped.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "fake_glyph_source.h"
#include "raster/blend.h"
#include "raster/font.h"
#include "raster_test_support.h"

namespace {

// The coverage bytes of a rendered glyph, row by row.
std::vector<int> CoverageOf(Raster_CachedFont& font, uint16_t code) {
  const GlyphRecord* record = font.FindGlyph(code);
  const uint8_t* bytes = font.GlyphPixels(record);
  if (!bytes) return {};
  return std::vector<int>(bytes, bytes + record->width * record->height);
}

// The fake's coverage of a cell, trimmed to the given width.
std::vector<int> FakeCoverage(uint16_t code, int width, int height) {
  std::vector<int> cells;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x)
      cells.push_back(FakeGlyphSource::Coverage(code, x, y, height));
  }
  return cells;
}

struct GlyphTest : ::testing::Test {
  FakeGlyphSource source;
  FakeFont face{16};
  Raster_CachedFont font{&source};
  void Attach(int flags, int lineHeight = 16) {
    face.lineHeight = lineHeight;
    font.AttachFont(&face, flags);
  }
};

TEST_F(GlyphTest, RendersOnceTrimsBlankColumnsAndKeepsInkRightOfTheAdvance) {
  Attach(0);
  EXPECT_EQ(font.LineHeight(), 16);
  ASSERT_TRUE(font.RenderGlyph('A'));
  EXPECT_EQ(source.lastExtraColumns, 3);  // 2 + 16 / 16
  const GlyphRecord* a = font.FindGlyph('A');
  EXPECT_EQ(a->advance, 3);
  EXPECT_EQ(a->width, 3);  // the blank extra columns are trimmed
  EXPECT_EQ(a->height, 16);
  EXPECT_EQ(CoverageOf(font, 'A'), FakeCoverage('A', 3, 16));
  ASSERT_TRUE(font.RenderGlyph('W'));
  EXPECT_EQ(font.FindGlyph('W')->width, 7);  // ink at advance + 1 stays
  EXPECT_EQ(CoverageOf(font, 'W'), FakeCoverage('W', 7, 16));
  // Codes from 128 live in sorted records found by bisection.
  for (uint16_t code : {0x4E2Du, 0x00E9u, 0x20ACu, 0x0100u})
    ASSERT_TRUE(font.RenderGlyph(code));
  for (uint16_t code : {0x4E2Du, 0x00E9u, 0x20ACu, 0x0100u}) {
    ASSERT_NE(font.FindGlyph(code), nullptr);
    EXPECT_EQ(font.FindGlyph(code)->code, code);
    EXPECT_EQ(CoverageOf(font, code), FakeCoverage(code, FakeGlyphSource::Advance(code), 16));
  }
  EXPECT_EQ(font.FindGlyph(0x00EA), nullptr);
  // A character without a box takes no room and draws nothing.
  ASSERT_TRUE(font.RenderGlyph(0x7F));
  EXPECT_EQ(font.FindGlyph(0x7F)->offset, -1);
  EXPECT_EQ(font.FindGlyph(0x7F)->advance, 0);
}

TEST_F(GlyphTest, SmallFontsGetTwoExtraColumnsAndHugeOnesNone) {
  Attach(0, 15);
  font.RenderGlyph('B');
  EXPECT_EQ(source.lastExtraColumns, 2);
  Attach(0, 1024);
  EXPECT_FALSE(font.RenderGlyph('B'));
}

TEST_F(GlyphTest, PrecacheRendersAsciiAtAttachAndNothingElse) {
  Attach(FontFlagPrecache);
  EXPECT_EQ(source.cellsDrawn, 128);
  EXPECT_GT(font.FindGlyph('z')->offset, 0);
  EXPECT_FALSE(font.RenderGlyph(0xE9));
  EXPECT_EQ(font.FindGlyph(0xE9), nullptr);
  // Attaching again empties the cache.
  Attach(0);
  EXPECT_EQ(font.FindGlyph('z')->offset, 0);
}

TEST_F(GlyphTest, InvertMonoShadowAndOutline) {
  Attach(FontFlagInvert);
  font.RenderGlyph('A');
  std::vector<int> inverted = FakeCoverage('A', 3, 16);
  for (int& c : inverted)
    c = 255 - c;
  EXPECT_EQ(CoverageOf(font, 'A'), inverted);

  Attach(FontFlagMono);
  font.RenderGlyph('A');
  std::vector<int> mono = FakeCoverage('A', 3, 16);
  for (int& c : mono)
    c = c > 130 ? 255 : 0;
  EXPECT_EQ(CoverageOf(font, 'A'), mono);

  // One dot at (1, 2): the shadow falls right, below-right and below; the outline rings it.
  // The dot's glyph is 4 wide ('.' advances 4), so the shadow's column fits.
  auto effectPixels = [&](int flags) {
    Attach(flags);
    font.RenderGlyph('.');
    const GlyphRecord* dot = font.FindGlyph('.');
    const std::vector<int> cover = CoverageOf(font, '.');
    std::vector<std::pair<int, int>> marks;
    for (int i = 0; i < static_cast<int>(cover.size()); ++i) {
      if (cover[i] == 128) marks.push_back({i % dot->width, i / dot->width});
      if (cover[i] != 128 && cover[i] != 0) {
        EXPECT_EQ(cover[i], 255);
      }
    }
    return marks;
  };
  using Marks = std::vector<std::pair<int, int>>;
  EXPECT_EQ(effectPixels(FontFlagShadow), (Marks{{2, 2}, {1, 3}, {2, 3}}));
  EXPECT_EQ(effectPixels(FontFlagOutline), (Marks{{1, 1}, {0, 2}, {2, 2}, {1, 3}}));
  EXPECT_EQ(effectPixels(FontFlagOutline | FontFlagShadow), (Marks{{2, 2}, {1, 3}, {2, 3}}));
}

TEST_F(GlyphTest, RotationTurnsTheCoverageAQuarterEitherWay) {
  const std::vector<int> upright = FakeCoverage('W', 7, 16);
  for (bool counterClockwise : {false, true}) {
    Attach(FontFlagRotate | (counterClockwise ? FontFlagRotateCounterClockwise : 0));
    font.RenderGlyph('W');
    const GlyphRecord* turned = font.FindGlyph('W');
    ASSERT_EQ(turned->width, 16);
    ASSERT_EQ(turned->height, 7);
    EXPECT_EQ(turned->advance, 5);
    const std::vector<int> cover = CoverageOf(font, 'W');
    for (int y = 0; y < 7; ++y) {
      for (int x = 0; x < 16; ++x) {
        // Clockwise the old left column becomes the top row, read bottom to top.
        const int oldX = counterClockwise ? 6 - y : y, oldY = counterClockwise ? x : 15 - x;
        ASSERT_EQ(cover[y * 16 + x], upright[oldY * 7 + oldX]) << x << "," << y;
      }
    }
  }
}

// The blur straight from its rule: half the pixel and an eighth of each neighbour, a missing
// neighbour's share going to the inner one, every term truncated per channel.
std::vector<uint32_t> ReferenceBlur(Raster_IBitmap* bitmap, int w, int h) {
  std::vector<uint32_t> out = Snapshot(bitmap);
  const int stride = bitmap->Width();
  auto at = [&](int x, int y) { return PixelAt(bitmap, x, y); };
  auto part = [](uint32_t v, int shift) {
    uint32_t r = 0;
    for (int c = 0; c < 4; ++c)
      r |= ((((v >> (8 * c)) & 0xFF) >> shift) << (8 * c));
    return r;
  };
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      uint32_t v = part(at(x, y), 1);
      v += x == 0       ? part(at(1, y), 2)
           : x == w - 1 ? part(at(x - 1, y), 2)
                        : part(at(x - 1, y), 3) + part(at(x + 1, y), 3);
      v += y == 0       ? part(at(x, 1), 2)
           : y == h - 1 ? part(at(x, y - 1), 2)
                        : part(at(x, y - 1), 3) + part(at(x, y + 1), 3);
      out[y * stride + x] = v;
    }
  }
  return out;
}

TEST(GlyphBlur, MatchesItsRuleOnNarrowAndWideAreas) {
  std::mt19937 random(99);
  for (const auto& size : {std::pair<int, int>{7, 5}, {2, 2}, {1300, 3}}) {
    Raster_MemBitmap bitmap(size.first + 3, size.second + 2);
    FillNoise(&bitmap, &random);
    const std::vector<uint32_t> expected = ReferenceBlur(&bitmap, size.first, size.second);
    Raster_BlurBitmap(&bitmap, size.first, size.second);
    EXPECT_EQ(Snapshot(&bitmap), expected) << size.first << " x " << size.second;
  }
  Raster_MemBitmap tiny(1, 9);
  FillNoise(&tiny, &random);
  const std::vector<uint32_t> before = Snapshot(&tiny);
  Raster_BlurBitmap(&tiny, 5, 9);  // limited to 1 wide: below 2 x 2, nothing happens
  EXPECT_EQ(Snapshot(&tiny), before);
}

TEST_F(GlyphTest, DrawGlyphTouchesOnlyGlyphClipAndBitmapTogether) {
  Attach(FontFlagMono);
  font.RenderGlyph('W');
  const GlyphRecord glyph = *font.FindGlyph('W');
  const std::vector<int> cover = CoverageOf(font, 'W');
  font.SetTextColor(0xFF123456);
  Raster_MemBitmap bitmap(30, 30);  // row span 32: the padding must stay untouched too
  const IRectangle clips[] = {
      {5, 6, 20, 22}, {0, 0, 30, 30}, {-10, -10, 50, 50}, {8, 8, 8, 20}, {29, 0, 30, 1}};
  for (const IRectangle& clip : clips) {
    for (int y = clip.top - glyph.height - 2; y <= clip.bottom + 2; ++y) {
      for (int x = clip.left - glyph.width - 2; x <= clip.right + 2; ++x) {
        std::fill(bitmap.Bits(), bitmap.Bits() + 32 * 30, 0xAAAAAAAAu);
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
        ASSERT_EQ(std::vector<uint32_t>(bitmap.Bits(), bitmap.Bits() + 32 * 30), expected)
            << "glyph at " << x << "," << y << " clip " << clip.left << "," << clip.top;
        ASSERT_EQ(drew, any) << x << "," << y;
      }
    }
  }
  Raster_MemBitmap empty(0, 0);
  const IRectangle all{0, 0, 30, 30};
  EXPECT_FALSE(font.DrawGlyph(&empty, 'W', 0, 0, &all));
  EXPECT_FALSE(font.DrawGlyph(&bitmap, 'Q', 0, 0, &all));  // never rendered
  EXPECT_FALSE(font.DrawGlyph(nullptr, 'W', 0, 0, &all));
}

TEST_F(GlyphTest, DrawGlyphBlendsByCoverageAndFillsItsCellInOpaqueMode) {
  Attach(0);
  font.RenderGlyph('A');
  const std::vector<int> cover = CoverageOf(font, 'A');
  font.SetTextColor(0x00FF0000);  // the colour's own alpha takes no part
  Raster_MemBitmap bitmap(8, 20);
  const IRectangle clip{0, 0, 8, 20};
  for (float alpha : {1.0f, 0.5f}) {
    FillWith(&bitmap, 0x40204080);
    font.SetCombineMode(BlendCopy, alpha);
    ASSERT_TRUE(font.DrawGlyph(&bitmap, 'A', 2, 1, &clip));
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 3; ++x) {
        const int c = cover[y * 3 + x];
        const int w = alpha == 1.0f ? c + 1 : std::min(128 * c / 256, 256);
        const uint32_t expected =
            c == 0 ? 0x40204080u
                   : (uint32_t((255 + (0x40 - 255) * (256 - w) / 256) & 0xFF) << 24) |
                         (uint32_t((255 + (0x20 - 255) * (256 - w) / 256) & 0xFF) << 16) |
                         (uint32_t((0x40 * (256 - w) / 256) & 0xFF) << 8) |
                         uint32_t((0x80 * (256 - w) / 256) & 0xFF);
        ASSERT_EQ(PixelAt(&bitmap, x + 2, y + 1), expected) << alpha << " " << x << "," << y;
      }
    }
  }
  // Opaque background: the glyph's cell (only the visible part) takes the background colour.
  font.SetCombineMode(BlendCopy | BlendUseSourceAlpha, 1.0f);
  font.SetBackgroundMode(FontBackgroundOpaque);
  font.SetBackgroundColor(0x11223344);
  font.SetTextColor(0xFFFFFFFF);
  FillWith(&bitmap, 0);
  const IRectangle partial{0, 0, 8, 10};
  ASSERT_TRUE(font.DrawGlyph(&bitmap, 'A', 2, 1, &partial));
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 8; ++x) {
      const bool cell = x >= 2 && x < 5 && y >= 1 && y < 10;
      const bool blank = !cell || cover[(y - 1) * 3 + (x - 2)] == 0;
      if (blank) {
        ASSERT_EQ(PixelAt(&bitmap, x, y), cell ? 0x11223344u : 0u) << x << "," << y;
      }
    }
  }
}

TEST_F(GlyphTest, EffectGlyphsUseTheEffectColour) {
  Attach(FontFlagShadow);
  font.RenderGlyph('.');
  font.SetTextColor(0xFF0000FF);
  font.SetEffectColor(0x80FF0000);
  Raster_MemBitmap bitmap(6, 20);
  FillWith(&bitmap, 0);
  const IRectangle clip{0, 0, 6, 20};
  ASSERT_TRUE(font.DrawGlyph(&bitmap, '.', 0, 0, &clip));
  EXPECT_EQ(PixelAt(&bitmap, 1, 2), 0xFF0000FFu);
  EXPECT_EQ(PixelAt(&bitmap, 2, 3), 0x80FF0000u);
  // Below full strength both colours blend with the same weight and an opaque alpha channel.
  FillWith(&bitmap, 0);
  font.SetCombineMode(BlendAdd, 0.5f);
  ASSERT_TRUE(font.DrawGlyph(&bitmap, '.', 0, 0, &clip));
  EXPECT_EQ(PixelAt(&bitmap, 1, 2), 0x7F00007Fu);
  EXPECT_EQ(PixelAt(&bitmap, 2, 3), 0x7F7F0000u);
}

TEST(CachedFont, SettersReturnThePreviousValuesAndOwnedFontsAreDeleted) {
  FakeGlyphSource source;
  FakeFont first{12}, second{14};
  {
    Raster_CachedFont font(&source);
    EXPECT_EQ(font.SetTextColor(0x11), 0u);
    EXPECT_EQ(font.SetBackgroundColor(0x22), 0xFFFFFFFFu);
    EXPECT_EQ(font.SetEffectColor(0x33), 0xFFFFFFFFu);
    EXPECT_EQ(font.SetBackgroundMode(2), 1);
    EXPECT_EQ(font.GetTextColor(), 0x11u);
    EXPECT_EQ(font.LineHeight(), 0);
    font.AttachFont(&first, FontFlagOwnsFont);
    font.AttachFont(&first, FontFlagOwnsFont);  // the same font is kept
    EXPECT_EQ(source.fontsDeleted, 0);
    font.AttachFont(&second, FontFlagOwnsFont);
    EXPECT_EQ(source.fontsDeleted, 1);
    EXPECT_EQ(font.GetHFont(), &second);
    EXPECT_EQ(font.LineHeight(), 14);
    EXPECT_NE(Raster_GlyphBitmap(), nullptr);
  }
  EXPECT_EQ(source.fontsDeleted, 2);
  EXPECT_EQ(Raster_GlyphBitmap(), nullptr);  // the last font frees the shared bitmaps
}

}  // namespace
