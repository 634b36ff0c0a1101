// Blits and fills: the per-pixel reference on random rectangles, modes and weights, sweeps over
// every pair of source and destination values, and a table of chosen pixels.
#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>
#include <memory>

#include "raster/blend.h"
#include "raster_test_support.h"

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

int Chan(uint32_t p, int c) {
  return static_cast<int>((p >> (8 * c)) & 0xFF);
}

// One pixel s blitted onto d, or with fill the colour s filled onto d.
uint32_t OnePixel(bool fill, uint32_t s, uint32_t d, float alpha, int mode) {
  Raster_MemBitmap source(1, 1), dest(1, 1);
  PixelAt(&source, 0, 0) = s;
  PixelAt(&dest, 0, 0) = d;
  if (fill) {
    Raster_FillArea(&dest, 0, 0, 1, 1, s, alpha, mode);
  } else {
    Raster_BlitArea(&dest, &source, 0, 0, nullptr, alpha, mode);
  }
  return PixelAt(&dest, 0, 0);
}

TEST(BlitAndFill, ChosenPixels) {
  // 0xC0804020 over 0x60A0E010 in every operation: blits at 0.75, plain and with source alpha,
  // and a fill at 0.3. Worked out by hand from the formulas.
  const uint32_t golden[6][3] = {
      {0xA888681C, 0xF08E8619, 0x5A96B015}, {0xF0FFFF28, 0xCCE8FF22, 0x76C6F319},
      {0xDBFFFF11, 0xA6DEFF11, 0x69BBF110}, {0x4E646205, 0x52738108, 0x4B88AE0B},
      {0x76A0D507, 0x70A0D809, 0x58A0DB0C}, {0xC0425024, 0xC05C7429, 0x4C7EA725}};
  for (int op = BlendCopy; op <= BlendHsvAdjust; ++op) {
    for (int kind = 0; kind < 3; ++kind) {
      EXPECT_EQ(OnePixel(kind == 2, 0xC0804020, 0x60A0E010, kind == 2 ? 0.3f : 0.75f,
                         op | (kind == 1 ? BlendUseSourceAlpha : 0)),
                golden[op][kind])
          << "op " << op << " kind " << kind;
    }
  }
  struct Case {
    bool fill;
    uint32_t s, d;
    float alpha;
    int mode;
    uint32_t expected;
  };
  const Case cases[] = {
      {false, 0xFFFFFFFF, 0x00000000, 0.5f, 0, 0x7F7F7F7F},  // halves truncate before they add
      {false, 0xFFFFFFFF, 0xFFFFFFFF, 1.0f, BlendMultiply, 0xFEFEFEFE},  // divides by 256
      // Source-alpha copy at full strength mixes by (255 - alpha) / 256 and adds the alphas.
      {false, 0x20405060, 0x00102030, 1.0f, 0x10000, 0x20172737},
      {false, 0x80FF0000, 0xFF0000FF, 1.0f, 0x10000, 0xFF81007E},
      {false, 0x00FFFFFF, 0xFF808080, 1.0f, 0x10003, 0xFF808080},  // multiply skips alpha 0 too
      {false, 0x11223344, 0xAABBCCDD, 0.1f, 0x100F6, 0xAABB22DD},  // red into green, nothing else
      {false, 0x80808080, 0x11111111, 1.5f, 0, 0x80808080},        // weights are limited to 1
      {false, 0x80808080, 0x11111111, kNaN, 0, 0x11111111},        // a NaN draws nothing
      // HSV at full weight: neutral controls keep the colour within the integer split; red 0
      // turns the hue half round (here below 0, wrapping); red 255 turns it past the end.
      {false, 0xFF808080, 0xFF336699, 1.0f, BlendHsvAdjust, 0xFF336499},
      {false, 0xFF008080, 0xFF996633, 1.0f, BlendHsvAdjust, 0xFF336799},
      {false, 0x40FF40C0, 0xFF993366, 1.0f, BlendHsvAdjust, 0x40D5FFE8},
      // A fill weighed by its colour's alpha 0x80 takes the half path; HSV stores the low 8 bits
      // of the weight as alpha.
      {true, 0x80FF0000, 0xFF0000FF, 1.0f, 0x10000, 0xBF7F007F},
      {true, 0x00808080, 0xFF336699, 1.0f, BlendHsvAdjust, 0x00336499},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(OnePixel(c.fill, c.s, c.d, c.alpha, c.mode), c.expected)
        << std::hex << c.s << " onto " << c.d << " mode " << c.mode;
  }
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

// Source value x and destination value y in every channel, over all 256 x 256 pairs, blitted
// and filled: weight 0 changes nothing, no result wraps (each operation moves the value the way
// it should), and the whole-word copies stay near the general formula at the same weight: within
// 1 for halves, 2 for the quarter fills (three terms, each truncated).
TEST(BlitAndFill, SweepsOverEveryPair) {
  Raster_MemBitmap source(256, 256), dest(256, 256);
  for (int i = 0; i < 256 * 256; ++i)
    PixelAt(&source, i % 256, i / 256) = 0x01010101u * static_cast<uint32_t>(i % 256);
  for (int mode : {0, 1, 2, 3, 4, 5, 0x10000, 0x10001, 0x10002, 0x10003, 0x10004, 0x10005}) {
    for (float alpha : {0.0f, 0.1f, 0.25f, 0.3f, 0.5f, 0.75f, 1.0f}) {
      for (bool fill : {false, true}) {
        for (int i = 0; i < 256 * 256; ++i)
          PixelAt(&dest, i % 256, i / 256) = 0x01010101u * static_cast<uint32_t>(i / 256);
        if (!fill) Raster_BlitArea(&dest, &source, 0, 0, nullptr, alpha, mode);
        for (int s = 0; fill && s < 256; ++s)
          Raster_FillArea(&dest, s, 0, 1, 256, 0x01010101u * s, alpha, mode);
        // Fills choose the whole-word copies by their integer weight, the colour's alpha included.
        const int op = mode & 0xFF, a = static_cast<int>(alpha * 256);
        const bool whole = op == BlendCopy && (fill || alpha == 0.5f);
        const bool near = mode == BlendCopy && (fill ? a % 64 == 0 : alpha == 0.5f) && a < 256;
        for (int i = 0; i < 256 * 256; ++i) {
          const int s = i % 256, d = i / 256, v = Chan(PixelAt(&dest, s, d), 0);
          bool ok = alpha != 0.0f || PixelAt(&dest, s, d) == 0x01010101u * d;
          if (op == BlendCopy) ok = ok && v + 2 * whole >= std::min(s, d) && v <= std::max(s, d);
          if (op == BlendAdd || op == BlendDodge) ok = ok && v >= d;
          if (op == BlendMultiply) ok = ok && v <= d;
          if (!fill && mode == BlendUseSourceAlpha) ok = ok && Chan(PixelAt(&dest, s, d), 3) >= d;
          if (near)
            ok = ok && std::abs(v - Chan(ReferenceBlend(0, s, 0, d, a), 0)) <= 1 + (a != 128);
          ASSERT_TRUE(ok) << "mode " << mode << " alpha " << alpha << " s " << s << " d " << d;
        }
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
      Raster_FillArea(dest.get(), x, y, rect.right, rect.bottom, colour, alpha, mode & 0x100FF);
      ReferenceFill(expected.get(), x, y, rect.right, rect.bottom, colour, alpha, mode & 0x100FF);
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
