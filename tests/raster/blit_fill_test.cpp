// Rectangles, memory bitmaps, and blits and fills: the per-pixel reference on random rectangles,
// modes and weights, the whole-word copies over every pair of values, and chosen pixels.
#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>
#include <memory>

#include "raster/blend.h"
#include "raster_test_support.h"

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

TEST(Bitmaps, RectanglesAndMemoryBitmaps) {
  const IRectangle zero{0, 0, 0, 0}, box{0, 0, 10, 10}, right{10, 0, 20, 10};
  EXPECT_TRUE(zero.IsEmpty() && !(IRectangle{5, 5, 5, 5}.IsEmpty()) && box.Contains(0, 0));
  EXPECT_FALSE(box.Contains(10, 5) || zero.Contains(0, 0) || box.Intersects(zero));
  // A's right edge meets B's left, not the other way round.
  EXPECT_TRUE(box.Intersects(right) && !right.Intersects(box));
  EXPECT_EQ(zero.Union(box), box);
  EXPECT_EQ(right.Union({0, 10, 10, 20}), (IRectangle{0, 0, 20, 20}));

  Raster_MemBitmap none(0, 5);
  EXPECT_EQ(none.Width() + none.Height() + none.RowSpan(), 0);
  EXPECT_EQ(none.Bits(), nullptr);
  EXPECT_EQ(Raster_MemBitmap(5, 1).RowSpan(), 8);
  Raster_MemBitmap bitmap(10, 10);
  EXPECT_FALSE(bitmap.Resize(10, 10));
  EXPECT_TRUE(bitmap.Resize(9, 10));
  EXPECT_EQ(bitmap.AllocatedBytes(), 480);
  EXPECT_TRUE(bitmap.Resize(20, 20));
  EXPECT_EQ(bitmap.AllocatedBytes(), 2000);  // a quarter more than asked
  EXPECT_EQ(reinterpret_cast<uintptr_t>(bitmap.Bits()) % 64, 0u);
  EXPECT_EQ(bitmap.Extended(kRasterCachedTextQuery, nullptr), 0);
  // Byte counts that wrap in 32 bits (65536 x 16385 x 4 wraps to 262,144) or pass 2 GB, and
  // sizes below 1, leave the bitmap empty instead of undersized.
  for (auto [w, h] :
       {std::pair{65536, 16385}, {46341, 46341}, {0x7FFFFFFF, 1}, {-1, -1}, {5, -3}}) {
    EXPECT_TRUE(bitmap.Resize(w, h));
    EXPECT_EQ(bitmap.Width() + bitmap.Height() + bitmap.AllocatedBytes(), 0) << w;
    EXPECT_EQ(bitmap.Bits(), nullptr);
    bitmap.Resize(16, 16);
  }
}

// One pixel s blitted onto d, or with fill the colour s filled onto d.
uint32_t OnePixel(bool fill, uint32_t s, uint32_t d, float alpha, int mode) {
  Raster_MemBitmap source(1, 1), dest(1, 1);
  PixelAt(&source, 0, 0) = s;
  PixelAt(&dest, 0, 0) = d;
  if (fill) Raster_FillArea(&dest, 0, 0, 1, 1, s, alpha, mode);
  if (!fill) Raster_BlitArea(&dest, &source, 0, 0, nullptr, alpha, mode);
  return PixelAt(&dest, 0, 0);
}

TEST(BlitAndFill, ChosenPixels) {
  // 0xC0804020 over 0x60A0E010 in every operation: blits at 0.75, plain and with source alpha,
  // and a fill at 0.3. Worked out by hand from the formulas.
  const uint32_t golden[6][3] = {
      {0xA888681C, 0xF08E8619, 0x5A96B015}, {0xF0FFFF28, 0xCCE8FF22, 0x76C6F319},
      {0xDBFFFF11, 0xA6DEFF11, 0x69BBF110}, {0x4E646205, 0x52738108, 0x4B88AE0B},
      {0x76A0D507, 0x70A0D809, 0x58A0DB0C}, {0xC0425024, 0xC05C7429, 0x4C7EA725}};
  for (int i = 0; i < 18; ++i) {
    const int op = i / 3, kind = i % 3;
    EXPECT_EQ(OnePixel(kind == 2, 0xC0804020, 0x60A0E010, kind == 2 ? 0.3f : 0.75f,
                       op | (kind == 1 ? BlendUseSourceAlpha : 0)),
              golden[op][kind])
        << "op " << op << " kind " << kind;
  }
  struct Case {
    uint32_t s, d;
    int mode;
    float alpha;
    uint32_t expected;
  } const cases[] = {
      {0xFFFFFFFF, 0x00000000, 0, 0.5f, 0x7F7F7F7F},              // halves truncate before they add
      {0xFFFFFFFF, 0xFFFFFFFF, BlendMultiply, 1.0f, 0xFEFEFEFE},  // divides by 256
      // Source-alpha copy at full strength mixes by (255 - alpha) / 256 and adds the alphas.
      {0x20405060, 0x00102030, 0x10000, 1.0f, 0x20172737},
      {0x80FF0000, 0xFF0000FF, 0x10000, 1.0f, 0xFF81007E},
      // HSV at full weight: neutral controls keep the colour within the integer split; red 0
      // turns the hue half round (here below 0, wrapping); red 255 turns it past the end.
      {0xFF808080, 0xFF336699, BlendHsvAdjust, 1.0f, 0xFF336499},
      {0xFF008080, 0xFF996633, BlendHsvAdjust, 1.0f, 0xFF336799},
      {0x40FF40C0, 0xFF993366, BlendHsvAdjust, 1.0f, 0x40D5FFE8},
  };
  for (const Case& c : cases)
    EXPECT_EQ(OnePixel(false, c.s, c.d, c.alpha, c.mode), c.expected) << std::hex << c.s;
  EXPECT_EQ(Raster_HsvToPixel(0, 255, 255, 256), 0x00FF0000u);  // alpha 256 stores 0, alone
  // HSV weights beyond full strength act as full strength.
  auto adjust = [](int weight) {
    uint8_t pixel[4] = {0x33, 0x66, 0x99, 0xFF};
    Raster_HsvAdjustPixel(pixel, 0, 200, 60, 255, weight);
    return std::vector<int>(pixel, pixel + 4);
  };
  EXPECT_EQ(adjust(100000), adjust(256));
  EXPECT_EQ(adjust(-100000), adjust(-256));
}

// Every source value against every destination value, in all four channels: the whole-word
// copies (blit at 0.5, fills at 0.25, 0.5, 0.75) stay within 1 of the general formula for halves
// and 2 for quarters (three truncated terms), never above both values; other weights, 0
// included, match it exactly.
TEST(BlitAndFill, WholeWordCopiesStayNearTheGeneralFormula) {
  Raster_MemBitmap source(256, 256), dest(256, 256);
  for (int i = 0; i < 256 * 256; ++i)
    PixelAt(&source, i % 256, i / 256) = 0x01010101u * static_cast<uint32_t>(i % 256);
  for (float alpha : {0.0f, 0.25f, 0.5f, 0.75f}) {
    for (bool fill : {false, true}) {
      for (int i = 0; i < 256 * 256; ++i)
        PixelAt(&dest, i % 256, i / 256) = 0x01010101u * static_cast<uint32_t>(i / 256);
      if (!fill) Raster_BlitArea(&dest, &source, 0, 0, nullptr, alpha, BlendCopy);
      for (int s = 0; fill && s < 256; ++s)
        Raster_FillArea(&dest, s, 0, 1, 256, 0x01010101u * s, alpha, BlendCopy);
      const int a = static_cast<int>(alpha * 256), near = a == 128 ? 1 : (fill && a ? 2 : 0);
      for (int i = 0; i < 256 * 256 * 4; ++i) {
        const int s = i % 256, d = i / 256 % 256, c = 8 * (i >> 16);
        const int v = PixelAt(&dest, s, d) >> c & 0xFF;
        const int general = ReferenceBlend(0, 0x01010101u * s, s, 0x01010101u * d, a) >> c & 0xFF;
        ASSERT_TRUE(std::abs(v - general) <= near && v <= std::max(s, d))
            << alpha << (fill ? " fill s " : " s ") << s << " d " << d;
      }
    }
  }
}

// Random bitmaps (bottom-up or not, sometimes empty), areas (now and then at the ends of int),
// modes and weights against the reference. Every seventh blit draws a bitmap onto itself, every
// 50th along rows longer than the pieces an overlapping row is blended in.
TEST(BlitAndFill, MatchTheReferenceOnRandomAreasModesAndWeights) {
  const float weights[] = {1.0f, 0.5f, 0.25f, 0.75f, 0.3f, 0.999f, 0.0f, -0.5f, 1.5f, kNaN};
  const int modes[] = {0, 1, 2, 3, 4, 5, 6, 0xF0, 0xF6, 0xFB, 0x7F};
  constexpr int kMax = std::numeric_limits<int>::max(), kMin = std::numeric_limits<int>::min();
  std::mt19937 random(20240611);
  auto pick = [&](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  auto coord = [&](int low, int high) {
    return pick(0, 40) ? pick(low, high) : pick(0, 1) ? kMin : kMax;
  };
  auto make = [&](int w, int h) -> std::unique_ptr<Raster_IBitmap> {
    if (pick(0, 1)) return std::make_unique<FlippedBitmap>(w, h);
    return std::make_unique<Raster_MemBitmap>(w, h);
  };
  for (int round = 0; round < 3000; ++round) {
    const bool wide = round % 50 == 0, self = wide || round % 7 == 0;
    auto dest = wide ? make(1200, 8) : make(pick(0, 23), pick(1, 19));
    auto source = make(pick(0, 23), pick(1, 19));
    FillNoise(dest.get(), &random);
    FillNoise(source.get(), &random);
    auto expected = std::make_unique<FlippedBitmap>(dest->Width(), dest->Height());
    Raster_BlitArea(expected.get(), dest.get(), 0, 0, nullptr, 1.0f, BlendCopy);
    float alpha = weights[pick(0, 9)];
    int mode = modes[pick(0, 10)] | (pick(0, 1) ? BlendUseSourceAlpha : 0) |
               (pick(0, 3) == 0 ? 0x7F000300 : 0);  // high bits are ignored
    IRectangle rect{coord(-8, 25), coord(-8, 21), coord(-8, 30), coord(-8, 26)};
    const IRectangle* area = pick(0, 5) == 0 ? nullptr : &rect;
    int x = coord(-25, 25), y = coord(-20, 20);
    if (wide) {
      const int wideModes[] = {BlendCopy, BlendAdd, BlendUseSourceAlpha};
      alpha = 1.0f, mode = wideModes[round / 50 % 3], area = &rect;
      rect = {200, 2, 1000, 6}, x = pick(-400, 800), y = pick(0, 4);
    }
    if (round % 2) {
      const uint32_t colour = random();
      Raster_FillArea(dest.get(), x, y, rect.right, rect.bottom, colour, alpha, mode);
      ReferenceFill(expected.get(), x, y, rect.right, rect.bottom, colour, alpha, mode);
    } else {
      Raster_BlitArea(dest.get(), self ? dest.get() : source.get(), x, y, area, alpha, mode);
      ReferenceBlit(expected.get(), self ? expected.get() : source.get(), x, y, area, alpha, mode);
    }
    ASSERT_EQ(Snapshot(dest.get()), Snapshot(expected.get())) << "round " << round;
  }
  Raster_BlitArea(nullptr, make(4, 4).get(), 0, 0, nullptr, 1.0f, 0);  // nothing to draw on
  Raster_FillArea(nullptr, 0, 0, 5, 5, 0, 1.0f, 0);
}

}  // namespace
