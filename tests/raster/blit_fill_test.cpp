// Blits and fills against the per-pixel reference on random rectangles, modes and weights, and
// the rules worth pinning one by one.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <random>

#include "raster/blend.h"
#include "raster_test_support.h"

namespace {

const float kWeights[] = {1.0f,   0.5f, 0.25f, 0.75f, 0.3f,
                          0.999f, 0.0f, -0.5f, 1.5f,  std::numeric_limits<float>::quiet_NaN()};
const int kModes[] = {0, 1, 2, 3, 4, 5, 6, 0xF0, 0xF6, 0xFB, 0x7F};

std::unique_ptr<Raster_IBitmap> MakeBitmap(bool flipped, int w, int h) {
  if (flipped) return std::make_unique<FlippedBitmap>(w, h);
  return std::make_unique<Raster_MemBitmap>(w, h);
}

int Pick(std::mt19937& random, int low, int high) {
  return std::uniform_int_distribution<int>(low, high)(random);
}

TEST(BlitAndFill, MatchTheReferenceOnRandomAreas) {
  std::mt19937 random(20240611);
  for (int round = 0; round < 3000; ++round) {
    const bool sameBitmap = round % 7 == 0;
    auto dest = MakeBitmap(Pick(random, 0, 1) == 1, Pick(random, 1, 23), Pick(random, 1, 19));
    auto source = MakeBitmap(Pick(random, 0, 1) == 1, Pick(random, 1, 23), Pick(random, 1, 19));
    Raster_IBitmap* src = sameBitmap ? dest.get() : source.get();
    FillNoise(dest.get(), &random);
    FillNoise(source.get(), &random);
    auto expected = MakeBitmap(dest->IsFlipped(), dest->Width(), dest->Height());
    for (int y = 0; y < dest->Height(); ++y) {
      for (int x = 0; x < dest->Width(); ++x)
        PixelAt(expected.get(), x, y) = PixelAt(dest.get(), x, y);
    }

    const float alpha = kWeights[Pick(random, 0, 9)];
    const int mode = kModes[Pick(random, 0, 10)] | (Pick(random, 0, 1) ? BlendUseSourceAlpha : 0) |
                     (Pick(random, 0, 3) == 0 ? 0x7F000300 : 0);
    const IRectangle rect{Pick(random, -8, 25), Pick(random, -8, 21), Pick(random, -8, 30),
                          Pick(random, -8, 26)};
    const bool wholeSource = Pick(random, 0, 5) == 0;
    const int x = Pick(random, -25, 25), y = Pick(random, -20, 20);
    const bool fill = round % 2 == 1;
    Raster_IBitmap* expectedSource = sameBitmap ? expected.get() : src;
    if (fill) {
      const uint32_t colour = std::uniform_int_distribution<uint32_t>()(random);
      Raster_FillArea(dest.get(), x, y, rect.right, rect.bottom, colour, alpha, mode & 0x100FF);
      ReferenceFill(expected.get(), x, y, rect.right, rect.bottom, colour, alpha, mode & 0x100FF);
    } else {
      Raster_BlitArea(dest.get(), src, x, y, wholeSource ? nullptr : &rect, alpha, mode);
      ReferenceBlit(expected.get(), expectedSource, x, y, wholeSource ? nullptr : &rect, alpha,
                    mode);
    }
    ASSERT_EQ(Snapshot(dest.get()), Snapshot(expected.get()))
        << "round " << round << (fill ? " fill" : " blit") << " mode " << std::hex << mode
        << std::dec << " alpha " << alpha << " at " << x << "," << y << " rect " << rect.left << ","
        << rect.top << "," << rect.right << "," << rect.bottom;
  }
}

TEST(BlitAndFill, OverlappingBlitWithinOneBitmapReadsTheOldPixels) {
  std::mt19937 random(7);
  for (int dy = -3; dy <= 3; ++dy) {
    for (int dx = -600; dx <= 600; dx += 100) {
      for (int mode : {0, 1, 0x10000}) {
        Raster_MemBitmap bitmap(1200, 8), expected(1200, 8);
        FillNoise(&bitmap, &random);
        Raster_BlitArea(&expected, &bitmap, 0, 0, nullptr, 1.0f, 0);
        const IRectangle area{200, 2, 1000, 6};
        Raster_BlitArea(&bitmap, &bitmap, 200 + dx, 2 + dy, &area, mode == 1 ? 0.7f : 1.0f, mode);
        ReferenceBlit(&expected, &expected, 200 + dx, 2 + dy, &area, mode == 1 ? 0.7f : 1.0f, mode);
        ASSERT_EQ(Snapshot(&bitmap), Snapshot(&expected)) << dx << "," << dy << " mode " << mode;
      }
    }
  }
}

TEST(BlitAndFill, ClipAsTheRulesSay) {
  Raster_MemBitmap source(10, 10), dest(30, 30);
  FillWith(&dest, 0);
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 10; ++x)
      PixelAt(&source, x, y) = 0xFF000000u | (y << 8) | x;
  }
  // A negative source left moves the destination right: columns 0-9 land from x = 8.
  const IRectangle shifted{-3, 0, 10, 10};
  Raster_BlitArea(&dest, &source, 5, 5, &shifted, 1.0f, BlendCopy);
  EXPECT_EQ(PixelAt(&dest, 7, 5), 0u);
  EXPECT_EQ(PixelAt(&dest, 8, 5), 0xFF000000u);
  EXPECT_EQ(PixelAt(&dest, 17, 14), 0xFF000909u);
  EXPECT_EQ(PixelAt(&dest, 18, 5), 0u);

  // Entirely outside, a null destination or source, a weight of 0: nothing, in every mode.
  FillWith(&dest, 0x12345678);
  for (int mode : {0, 1, 2, 3, 4, 5, 0xF6, 0x10000}) {
    Raster_BlitArea(&dest, &source, 30, 0, nullptr, 1.0f, mode);
    Raster_BlitArea(&dest, &source, -10, 0, nullptr, 1.0f, mode);
    Raster_BlitArea(&dest, &source, 0, 0, nullptr, 0.0f, mode);
    Raster_BlitArea(nullptr, &source, 0, 0, nullptr, 1.0f, mode);
    Raster_BlitArea(&dest, nullptr, 0, 0, nullptr, 1.0f, mode);
    Raster_FillArea(&dest, 0, 0, 30, 30, 0xFFFFFFFF, 0.0f, mode & 0x100FF);
    Raster_FillArea(&dest, 0, 0, 0, 30, 0xFFFFFFFF, 1.0f, mode & 0x100FF);
    Raster_FillArea(&dest, -5, 0, 5, 30, 0xFFFFFFFF, 1.0f, mode & 0x100FF);
  }
  Raster_FillArea(nullptr, 0, 0, 5, 5, 0, 1.0f, 0);
  Raster_BlitArea(&dest, &source, 0, 0, nullptr, 1.0f, 6);
  Raster_FillArea(&dest, 0, 0, 30, 30, 0xFFFFFFFF, 1.0f, 6);
  EXPECT_EQ(Snapshot(&dest), std::vector<uint32_t>(900, 0x12345678u));

  // Extreme coordinates neither wrap nor draw.
  const IRectangle huge{std::numeric_limits<int>::min(), std::numeric_limits<int>::min(),
                        std::numeric_limits<int>::max(), std::numeric_limits<int>::max()};
  Raster_BlitArea(&dest, &source, std::numeric_limits<int>::max(), 0, &huge, 1.0f, 0);
  Raster_FillArea(&dest, std::numeric_limits<int>::min(), 0, std::numeric_limits<int>::max(), 5, 0,
                  1.0f, 0);
  EXPECT_EQ(Snapshot(&dest), std::vector<uint32_t>(900, 0x12345678u));

  // Bitmaps without pixels are empty targets and sources.
  Raster_MemBitmap empty(0, 5);
  Raster_BlitArea(&empty, &source, 0, 0, nullptr, 1.0f, 0);
  Raster_BlitArea(&dest, &empty, 0, 0, nullptr, 1.0f, 0);
  Raster_FillArea(&empty, 0, 0, 4, 4, 0, 1.0f, 0);
  EXPECT_EQ(Snapshot(&dest), std::vector<uint32_t>(900, 0x12345678u));
}

TEST(BlitAndFill, NamedCasesGiveTheirPixels) {
  Raster_MemBitmap source(1, 1), dest(1, 1);
  auto blit = [&](uint32_t s, uint32_t d, float alpha, int mode) {
    PixelAt(&source, 0, 0) = s;
    PixelAt(&dest, 0, 0) = d;
    Raster_BlitArea(&dest, &source, 0, 0, nullptr, alpha, mode);
    return PixelAt(&dest, 0, 0);
  };
  auto fill = [&](uint32_t colour, uint32_t d, float alpha, int mode) {
    PixelAt(&dest, 0, 0) = d;
    Raster_FillArea(&dest, 0, 0, 1, 1, colour, alpha, mode);
    return PixelAt(&dest, 0, 0);
  };
  EXPECT_EQ(blit(0xFFFFFFFF, 0x00000000, 0.5f, 0), 0x7F7F7F7Fu);
  // Source-alpha copy at full strength: transparent leaves, opaque writes with alpha 255, the
  // rest mixes by (255 - alpha) / 256 and adds its alpha to the destination's.
  EXPECT_EQ(blit(0x00FFFFFF, 0xFF102030, 1.0f, 0x10000), 0xFF102030u);
  EXPECT_EQ(blit(0xFF405060, 0x00102030, 1.0f, 0x10000), 0xFF405060u);
  EXPECT_EQ(blit(0x80FF0000, 0xFF0000FF, 1.0f, 0x10000), 0xFF81007Eu);
  EXPECT_EQ(blit(0x40000000, 0x20000000, 1.0f, 0x10000), 0x60000000u);
  // The channel copy 0xF6 moves red into green and leaves the rest.
  EXPECT_EQ(blit(0x11223344, 0xAABBCCDD, 1.0f, 0xF6), 0xAABB22DDu);
  EXPECT_EQ(blit(0x11223344, 0xAABBCCDD, 0.1f, 0xF6 | 0x10000), 0xAABB22DDu);
  // Multiply divides by 256: white times 255 gives 254.
  EXPECT_EQ(blit(0xFFFFFFFF, 0xFFFFFFFF, 1.0f, BlendMultiply), 0xFEFEFEFEu);
  // A weight above 1 is full strength; a plain copy at 1.5 no longer wraps.
  EXPECT_EQ(blit(0xFFFFFFFF, 0x00000000, 1.5f, BlendAdd), 0xFFFFFFFFu);
  EXPECT_EQ(blit(0x80808080, 0x00000000, 1.5f, 0), 0x80808080u);
  EXPECT_EQ(blit(0x80808080, 0x11111111, std::numeric_limits<float>::quiet_NaN(), 0), 0x11111111u);
  EXPECT_EQ(blit(0x80808080, 0x11111111, std::numeric_limits<float>::infinity(), 1), 0x91919191u);
  // A fill of 0x80FF0000 with the colour's alpha weighs 128: the half-and-half path.
  EXPECT_EQ(fill(0x80FF0000, 0xFF0000FF, 1.0f, 0x10000), 0xBF7F007Fu);
  EXPECT_EQ(fill(0x12345678, 0xFFFFFFFF, 1.0f, 0), 0x12345678u);
  // A fill's alpha channel blends the weight itself: add at full weight saturates it.
  EXPECT_EQ(fill(0x00000000, 0x10000000, 1.0f, BlendAdd), 0xFF000000u);
  // HSV adjust writes the weight's low 8 bits as alpha: 0 at full weight.
  EXPECT_EQ(fill(0x00808080, 0xFF336699, 1.0f, BlendHsvAdjust) >> 24, 0u);
}

TEST(BlitAndFill, FlippedBitmapsKeepTheirLogicalRows) {
  FlippedBitmap flipped(3, 2);
  Raster_MemBitmap plain(3, 2);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x)
      PixelAt(&plain, x, y) = 0xFF000000u | (y * 3 + x);
  }
  Raster_BlitArea(&flipped, &plain, 0, 0, nullptr, 1.0f, 0);
  // Logical row 0 is the last row in memory.
  EXPECT_EQ(flipped.Bits()[flipped.RowSpan()], 0xFF000000u);
  EXPECT_EQ(flipped.Bits()[0], 0xFF000003u);
  Raster_FillArea(&flipped, 0, 0, 3, 1, 0xFFABCDEF, 1.0f, 0);
  EXPECT_EQ(flipped.Bits()[flipped.RowSpan() + 2], 0xFFABCDEFu);
  EXPECT_EQ(flipped.Bits()[2], 0xFF000005u);
}

}  // namespace
