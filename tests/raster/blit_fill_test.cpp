// Blits and fills against the per-pixel reference on random rectangles, modes and weights, and
// the cases worth pinning one by one.
#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <random>

#include "raster/blend.h"
#include "raster_test_support.h"

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

TEST(BlitAndFill, MatchTheReferenceOnRandomAreasModesAndWeights) {
  const float weights[] = {1.0f, 0.5f, 0.25f, 0.75f, 0.3f, 0.999f, 0.0f, -0.5f, 1.5f, kNaN};
  const int modes[] = {0, 1, 2, 3, 4, 5, 6, 0xF0, 0xF6, 0xFB, 0x7F};
  std::mt19937 random(20240611);
  auto pick = [&](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  auto make = [&](int w, int h) -> std::unique_ptr<Raster_IBitmap> {
    if (pick(0, 1)) return std::make_unique<FlippedBitmap>(w, h);
    return std::make_unique<Raster_MemBitmap>(w, h);
  };
  for (int round = 0; round < 3000; ++round) {
    auto dest = make(pick(1, 23), pick(1, 19));
    auto source = make(pick(1, 23), pick(1, 19));
    FillNoise(dest.get(), &random);
    FillNoise(source.get(), &random);
    auto expected = std::make_unique<FlippedBitmap>(dest->Width(), dest->Height());
    Raster_BlitArea(expected.get(), dest.get(), 0, 0, nullptr, 1.0f, BlendCopy);
    // Every seventh blit draws a bitmap onto itself, overlapping or not.
    const bool self = round % 7 == 0;
    const float alpha = weights[pick(0, 9)];
    const int mode = modes[pick(0, 10)] | (pick(0, 1) ? BlendUseSourceAlpha : 0) |
                     (pick(0, 3) == 0 ? 0x7F000300 : 0);  // high bits are ignored
    const IRectangle rect{pick(-8, 25), pick(-8, 21), pick(-8, 30), pick(-8, 26)};
    const IRectangle* area = pick(0, 5) == 0 ? nullptr : &rect;
    const int x = pick(-25, 25), y = pick(-20, 20);
    if (round % 2) {
      const uint32_t colour = random();
      Raster_FillArea(dest.get(), x, y, rect.right, rect.bottom, colour, alpha, mode & 0x100FF);
      ReferenceFill(expected.get(), x, y, rect.right, rect.bottom, colour, alpha, mode & 0x100FF);
    } else {
      Raster_BlitArea(dest.get(), self ? dest.get() : source.get(), x, y, area, alpha, mode);
      ReferenceBlit(expected.get(), self ? expected.get() : source.get(), x, y, area, alpha, mode);
    }
    ASSERT_EQ(Snapshot(dest.get()), Snapshot(expected.get()))
        << "round " << round << " mode " << std::hex << mode << std::dec << " alpha " << alpha
        << " at " << x << "," << y << " rect " << rect.left << "," << rect.top << "," << rect.right
        << "," << rect.bottom;
  }
}

TEST(BlitAndFill, LongOverlappingRowsWithinOneBitmapReadTheOldPixels) {
  std::mt19937 random(7);
  const IRectangle area{200, 2, 1000, 6};
  for (int dy = -2; dy <= 2; ++dy) {
    for (int dx = -600; dx <= 600; dx += 150) {
      for (int mode : {BlendCopy, BlendAdd, BlendUseSourceAlpha}) {
        Raster_MemBitmap bitmap(1200, 8), expected(1200, 8);
        FillNoise(&bitmap, &random);
        Raster_BlitArea(&expected, &bitmap, 0, 0, nullptr, 1.0f, BlendCopy);
        Raster_BlitArea(&bitmap, &bitmap, 200 + dx, 2 + dy, &area, 1.0f, mode);
        ReferenceBlit(&expected, &expected, 200 + dx, 2 + dy, &area, 1.0f, mode);
        ASSERT_EQ(Snapshot(&bitmap), Snapshot(&expected)) << dx << "," << dy << " mode " << mode;
      }
    }
  }
}

TEST(BlitAndFill, PinnedCases) {
  Raster_MemBitmap source(10, 10), dest(30, 30), one(1, 1), target(1, 1);
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 10; ++x)
      PixelAt(&source, x, y) = 0xFF000000u | (y << 8) | x;
  }
  // A negative source left moves the destination right: columns 0-9 land from x = 8.
  FillWith(&dest, 0);
  const IRectangle shifted{-3, 0, 10, 10};
  Raster_BlitArea(&dest, &source, 5, 5, &shifted, 1.0f, BlendCopy);
  EXPECT_EQ(PixelAt(&dest, 7, 5), 0u);
  EXPECT_EQ(PixelAt(&dest, 8, 5), 0xFF000000u);
  EXPECT_EQ(PixelAt(&dest, 17, 14), 0xFF000909u);
  EXPECT_EQ(PixelAt(&dest, 18, 5), 0u);

  // Null bitmaps, empty bitmaps and extreme coordinates draw nothing and do not wrap.
  FillWith(&dest, 0x12345678);
  constexpr int kMax = std::numeric_limits<int>::max(), kMin = std::numeric_limits<int>::min();
  const IRectangle huge{kMin, kMin, kMax, kMax};
  Raster_MemBitmap empty(0, 5);
  Raster_BlitArea(nullptr, &source, 0, 0, nullptr, 1.0f, 0);
  Raster_BlitArea(&dest, &empty, 0, 0, nullptr, 1.0f, 0);
  Raster_BlitArea(&dest, &source, kMax, 0, &huge, 1.0f, 0);
  Raster_FillArea(nullptr, 0, 0, 5, 5, 0, 1.0f, 0);
  Raster_FillArea(&dest, kMin, 0, kMax, 5, 0, 1.0f, 0);
  Raster_FillArea(&empty, 0, 0, 4, 4, 0, 1.0f, 0);
  EXPECT_EQ(Snapshot(&dest), std::vector<uint32_t>(900, 0x12345678u));

  auto blit = [&](uint32_t s, uint32_t d, float alpha, int mode) {
    PixelAt(&one, 0, 0) = s;
    PixelAt(&target, 0, 0) = d;
    Raster_BlitArea(&target, &one, 0, 0, nullptr, alpha, mode);
    return PixelAt(&target, 0, 0);
  };
  auto fill = [&](uint32_t colour, uint32_t d, float alpha, int mode) {
    PixelAt(&target, 0, 0) = d;
    Raster_FillArea(&target, 0, 0, 1, 1, colour, alpha, mode);
    return PixelAt(&target, 0, 0);
  };
  EXPECT_EQ(blit(0xFFFFFFFF, 0x00000000, 0.5f, 0), 0x7F7F7F7Fu);
  // Source-alpha copy at full strength: transparent leaves, opaque writes with alpha 255, the
  // rest mixes by (255 - alpha) / 256 and adds its alpha to the destination's.
  EXPECT_EQ(blit(0x00FFFFFF, 0xFF102030, 1.0f, 0x10000), 0xFF102030u);
  EXPECT_EQ(blit(0x20405060, 0x00102030, 1.0f, 0x10000), 0x20172737u);
  EXPECT_EQ(blit(0xFF405060, 0x00102030, 1.0f, 0x10000), 0xFF405060u);
  EXPECT_EQ(blit(0x80FF0000, 0xFF0000FF, 1.0f, 0x10000), 0xFF81007Eu);
  EXPECT_EQ(blit(0x11223344, 0xAABBCCDD, 0.1f, 0xF6 | 0x10000), 0xAABB22DDu);  // red into green
  // Multiply divides by 256: white times 255 gives 254.
  EXPECT_EQ(blit(0xFFFFFFFF, 0xFFFFFFFF, 1.0f, BlendMultiply), 0xFEFEFEFEu);
  // Weights are limited to [0, 1]: 1.5 no longer wraps, a NaN draws nothing.
  EXPECT_EQ(blit(0x80808080, 0x11111111, 1.5f, 0), 0x80808080u);
  EXPECT_EQ(blit(0x80808080, 0x11111111, 1e30f, BlendAdd), 0x91919191u);
  EXPECT_EQ(blit(0x80808080, 0x11111111, kNaN, 0), 0x11111111u);
  EXPECT_EQ(fill(0x80808080, 0x11111111, kNaN, BlendHsvAdjust), 0x11111111u);
  // A fill of 0x80FF0000 weighed by its alpha takes the half-and-half path.
  EXPECT_EQ(fill(0x80FF0000, 0xFF0000FF, 1.0f, 0x10000), 0xBF7F007Fu);
  EXPECT_EQ(fill(0x12345678, 0xFFFFFFFF, 1.0f, 0), 0x12345678u);
  // A fill's alpha channel blends the weight itself; HSV adjust stores its low 8 bits (0 at 256).
  EXPECT_EQ(fill(0x00000000, 0x10000000, 1.0f, BlendAdd), 0xFF000000u);
  EXPECT_EQ(fill(0x00808080, 0xFF336699, 1.0f, BlendHsvAdjust) >> 24, 0u);
}

}  // namespace
