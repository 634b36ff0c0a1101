// The per-channel blend results: a golden table for chosen pixels, and sweeps over every pair of
// source and destination values.
#include <gtest/gtest.h>

#include <cstdlib>

#include "raster/blend.h"
#include "raster_test_support.h"

namespace {

int Chan(uint32_t p, int c) {
  return static_cast<int>((p >> (8 * c)) & 0xFF);
}

TEST(BlendFormulas, GoldenPixels) {
  // Source 0xC0804020 over 0x60A0E010: blits at 0.75, plain and with source alpha; the source
  // as a fill colour at 0.3. Values worked out by hand from the formulas.
  struct Row {
    int op;
    uint32_t plain, sourceAlpha, fill;
  };
  const Row golden[] = {
      {BlendCopy, 0xA888681C, 0xF08E8619, 0x5A96B015},
      {BlendAdd, 0xF0FFFF28, 0xCCE8FF22, 0x76C6F319},
      {BlendDodge, 0xDBFFFF11, 0xA6DEFF11, 0x69BBF110},
      {BlendMultiply, 0x4E646205, 0x52738108, 0x4B88AE0B},
      {BlendOverlay, 0x76A0D507, 0x70A0D809, 0x58A0DB0C},
      {BlendHsvAdjust, 0xC0425024, 0xC05C7429, 0x4C7EA725},
  };
  Raster_MemBitmap source(1, 1), dest(1, 1);
  PixelAt(&source, 0, 0) = 0xC0804020;
  for (const Row& row : golden) {
    const uint32_t expected[3] = {row.plain, row.sourceAlpha, row.fill};
    for (int kind = 0; kind < 3; ++kind) {
      PixelAt(&dest, 0, 0) = 0x60A0E010;
      if (kind < 2) {
        Raster_BlitArea(&dest, &source, 0, 0, nullptr, 0.75f,
                        row.op | (kind ? BlendUseSourceAlpha : 0));
      } else {
        Raster_FillArea(&dest, 0, 0, 1, 1, 0xC0804020, 0.3f, row.op);
      }
      EXPECT_EQ(PixelAt(&dest, 0, 0), expected[kind]) << "op " << row.op << " kind " << kind;
    }
  }
  // Neutral HSV controls keep the colour (to within the integer split); red 0 turns it half round.
  EXPECT_EQ(Raster_HsvToPixel(0, 255, 255, 256), 0x00FF0000u);
  uint8_t pixel[4] = {0x99, 0x66, 0x33, 0xFF};
  Raster_HsvAdjustPixel(pixel, 128, 128, 128, 255, 256);
  EXPECT_EQ(pixel[0] | pixel[1] << 8 | pixel[2] << 16 | uint32_t{pixel[3]} << 24, 0xFF336499u);
  uint8_t turned[4] = {0x99, 0x66, 0x33, 0xFF};
  Raster_HsvAdjustPixel(turned, 0, 128, 128, 255, 256);
  EXPECT_EQ(turned[0] | turned[1] << 8 | turned[2] << 16 | uint32_t{turned[3]} << 24, 0xFF996733u);
}

// A 256 x 256 sweep: source value x and destination value y in every channel.
struct Sweep {
  Raster_MemBitmap source{256, 256}, dest{256, 256};
  Sweep() {
    for (int y = 0; y < 256; ++y) {
      for (int x = 0; x < 256; ++x) {
        PixelAt(&source, x, y) = 0x01010101u * static_cast<uint32_t>(x);
        PixelAt(&dest, x, y) = 0x01010101u * static_cast<uint32_t>(y);
      }
    }
  }
  void Reset() {
    for (int y = 0; y < 256; ++y) {
      for (int x = 0; x < 256; ++x)
        PixelAt(&dest, x, y) = 0x01010101u * static_cast<uint32_t>(y);
    }
  }
};

TEST(BlendFormulas, SweepsStayOrderedAndWeightZeroChangesNothing) {
  Sweep sweep;
  for (int op = BlendCopy; op <= BlendHsvAdjust; ++op) {
    for (int useAlpha : {0, BlendUseSourceAlpha}) {
      for (float alpha : {0.0f, 0.1f, 0.25f, 0.3f, 0.5f, 0.75f, 0.9f, 1.0f}) {
        sweep.Reset();
        Raster_BlitArea(&sweep.dest, &sweep.source, 0, 0, nullptr, alpha, op | useAlpha);
        for (int d = 0; d < 256; ++d) {
          for (int s = 0; s < 256; ++s) {
            const uint32_t out = PixelAt(&sweep.dest, s, d);
            const int blue = Chan(out, 0);
            if (alpha == 0.0f) {
              ASSERT_EQ(out, 0x01010101u * d);
            }
            // No result wraps: each operation moves the value the way it should.
            // (The whole-word path at 0.5 may land one below: it halves before it sums.)
            if (op == BlendCopy && !useAlpha && alpha != 0.5f) {
              ASSERT_TRUE(blue >= std::min(s, d) && blue <= std::max(s, d)) << s << " " << d;
            }
            if (op == BlendAdd || op == BlendDodge) {
              ASSERT_GE(blue, d) << op << " " << s << " " << d;
            }
            if (op == BlendMultiply) {
              ASSERT_LE(blue, d) << s << " " << d;
            }
            if (op == BlendCopy && useAlpha) {
              ASSERT_GE(Chan(out, 3), d);
            }
          }
        }
      }
    }
  }
}

TEST(BlendFormulas, WholeWordPathsStayWithinOneOfTheGeneralFormula) {
  Sweep sweep;
  Raster_MemBitmap general(256, 256);
  auto compare = [&](const char* what, float alpha) {
    for (int d = 0; d < 256; ++d) {
      for (int s = 0; s < 256; ++s) {
        for (int c = 0; c < 4; ++c) {
          ASSERT_LE(
              std::abs(Chan(PixelAt(&sweep.dest, s, d), c) - Chan(PixelAt(&general, s, d), c)), 1)
              << what << " " << alpha << " s " << s << " d " << d << " channel " << c;
        }
      }
    }
  };
  // The blit at 0.5 halves whole words; a weight just above it runs the general formula.
  sweep.Reset();
  Raster_BlitArea(&sweep.dest, &sweep.source, 0, 0, nullptr, 0.5f, BlendCopy);
  for (int y = 0; y < 256; ++y) {
    for (int x = 0; x < 256; ++x)
      PixelAt(&general, x, y) = 0x01010101u * static_cast<uint32_t>(y);
  }
  Raster_BlitArea(&general, &sweep.source, 0, 0, nullptr, 0.5001f, BlendCopy);
  compare("blit", 0.5f);
  // Fills at a quarter, a half and three quarters, colour s onto d (the general formula blends
  // the weight itself into alpha, so alpha is left out).
  for (float alpha : {0.25f, 0.5f, 0.75f}) {
    for (int s = 0; s < 256; ++s) {
      const uint32_t colour = 0x00010101u * static_cast<uint32_t>(s);
      sweep.Reset();
      Raster_FillArea(&sweep.dest, s, 0, 1, 256, colour, alpha, BlendCopy);
      for (int y = 0; y < 256; ++y)
        PixelAt(&general, s, y) = 0x01010101u * static_cast<uint32_t>(y);
      Raster_FillArea(&general, s, 0, 1, 256, colour, alpha + 0.0001f, BlendCopy);
      for (int d = 0; d < 256; ++d) {
        for (int c = 0; c < 3; ++c) {
          ASSERT_LE(
              std::abs(Chan(PixelAt(&sweep.dest, s, d), c) - Chan(PixelAt(&general, s, d), c)), 1)
              << "fill " << alpha << " s " << s << " d " << d;
        }
      }
    }
  }
}

TEST(BlendFormulas, HsvAdjustKeepsColoursWhole) {
  // Every colour at every weight: the hue stays on the circle, neutral controls keep the colour
  // close, and the alpha given is the alpha stored.
  for (int r = 0; r < 256; r += 3) {
    for (int g = 0; g < 256; g += 5) {
      for (int b = 0; b < 256; b += 7) {
        uint8_t pixel[4] = {static_cast<uint8_t>(b), static_cast<uint8_t>(g),
                            static_cast<uint8_t>(r), 9};
        Raster_HsvAdjustPixel(pixel, 128, 128, 128, 77, 256);
        ASSERT_LE(std::abs(pixel[0] - b), 5);
        ASSERT_LE(std::abs(pixel[1] - g), 5);
        ASSERT_LE(std::abs(pixel[2] - r), 5);
        ASSERT_EQ(pixel[3], 77);
      }
    }
  }
  // Weights beyond full strength act as full strength instead of leaving the circle.
  uint8_t strong[4] = {10, 200, 30, 255}, full[4] = {10, 200, 30, 255};
  Raster_HsvAdjustPixel(strong, 255, 0, 255, 255, 100000);
  Raster_HsvAdjustPixel(full, 255, 0, 255, 255, 256);
  EXPECT_EQ(std::vector<uint8_t>(strong, strong + 4), std::vector<uint8_t>(full, full + 4));
}

}  // namespace
