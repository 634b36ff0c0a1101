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
  // as a fill colour at 0.3. Worked out by hand from the formulas.
  const uint32_t golden[6][3] = {
      {0xA888681C, 0xF08E8619, 0x5A96B015}, {0xF0FFFF28, 0xCCE8FF22, 0x76C6F319},
      {0xDBFFFF11, 0xA6DEFF11, 0x69BBF110}, {0x4E646205, 0x52738108, 0x4B88AE0B},
      {0x76A0D507, 0x70A0D809, 0x58A0DB0C}, {0xC0425024, 0xC05C7429, 0x4C7EA725}};
  Raster_MemBitmap source(1, 1), dest(1, 1);
  PixelAt(&source, 0, 0) = 0xC0804020;
  for (int op = BlendCopy; op <= BlendHsvAdjust; ++op) {
    for (int kind = 0; kind < 3; ++kind) {
      PixelAt(&dest, 0, 0) = 0x60A0E010;
      if (kind < 2) {
        Raster_BlitArea(&dest, &source, 0, 0, nullptr, 0.75f,
                        op | (kind ? BlendUseSourceAlpha : 0));
      } else {
        Raster_FillArea(&dest, 0, 0, 1, 1, 0xC0804020, 0.3f, op);
      }
      EXPECT_EQ(PixelAt(&dest, 0, 0), golden[op][kind]) << "op " << op << " kind " << kind;
    }
  }
  // Neutral HSV controls keep the colour to within the integer split; red 0 turns it half
  // round; weights beyond full strength act as full strength; alpha 256 stores alpha 0.
  uint8_t neutral[4] = {0x99, 0x66, 0x33, 0xFF}, turned[4] = {0x99, 0x66, 0x33, 0xFF};
  Raster_HsvAdjustPixel(neutral, 128, 128, 128, 255, 256);
  Raster_HsvAdjustPixel(turned, 0, 128, 128, 255, 100000);
  EXPECT_EQ(std::vector<int>(neutral, neutral + 4), (std::vector<int>{0x99, 0x64, 0x33, 0xFF}));
  EXPECT_EQ(std::vector<int>(turned, turned + 4), (std::vector<int>{0x33, 0x67, 0x99, 0xFF}));
  EXPECT_EQ(Raster_HsvToPixel(0, 255, 255, 256), 0x00FF0000u);
}

// Source value x and destination value y in every channel, over all 256 x 256 pairs: weight 0
// changes nothing, no result wraps (each operation moves the value the way it should), and the
// whole-word paths stay within 1 of the general formula (a weight a hair above runs it).
TEST(BlendFormulas, SweepsOverEveryPair) {
  Raster_MemBitmap source(256, 256), dest(256, 256), general(256, 256);
  auto reset = [](Raster_MemBitmap* b) {
    for (int y = 0; y < 256; ++y) {
      for (int x = 0; x < 256; ++x)
        PixelAt(b, x, y) = 0x01010101u * static_cast<uint32_t>(y);
    }
  };
  for (int y = 0; y < 256; ++y) {
    for (int x = 0; x < 256; ++x)
      PixelAt(&source, x, y) = 0x01010101u * static_cast<uint32_t>(x);
  }
  for (int mode : {0, 1, 2, 3, 4, 5, 0x10000, 0x10001, 0x10002, 0x10003, 0x10004, 0x10005}) {
    const int op = mode & 0xFF;
    for (float alpha : {0.0f, 0.1f, 0.3f, 0.5f, 0.75f, 1.0f}) {
      reset(&dest);
      Raster_BlitArea(&dest, &source, 0, 0, nullptr, alpha, mode);
      for (int d = 0; d < 256; ++d) {
        for (int s = 0; s < 256; ++s) {
          const uint32_t out = PixelAt(&dest, s, d);
          const int v = Chan(out, 0);
          bool ok = alpha != 0.0f || out == 0x01010101u * d;
          // (The whole-word copy at 0.5 halves before it sums and may land one below.)
          if (mode == BlendCopy && alpha != 0.5f)
            ok = ok && v >= std::min(s, d) && v <= std::max(s, d);
          if (op == BlendAdd || op == BlendDodge) ok = ok && v >= d;
          if (op == BlendMultiply) ok = ok && v <= d;
          if (mode == (BlendCopy | BlendUseSourceAlpha)) ok = ok && Chan(out, 3) >= d;
          ASSERT_TRUE(ok) << "mode " << mode << " alpha " << alpha << " s " << s << " d " << d;
        }
      }
    }
  }
  auto within1 = [&](const char* what, int channels) {
    for (int d = 0; d < 256; ++d) {
      for (int s = 0; s < 256; ++s) {
        for (int c = 0; c < channels; ++c) {
          ASSERT_LE(std::abs(Chan(PixelAt(&dest, s, d), c) - Chan(PixelAt(&general, s, d), c)), 1)
              << what << " s " << s << " d " << d;
        }
      }
    }
  };
  reset(&dest);
  reset(&general);
  Raster_BlitArea(&dest, &source, 0, 0, nullptr, 0.5f, BlendCopy);
  Raster_BlitArea(&general, &source, 0, 0, nullptr, 0.5001f, BlendCopy);
  within1("blit 0.5", 4);
  for (float alpha : {0.25f, 0.5f, 0.75f}) {
    reset(&dest);
    reset(&general);
    for (int s = 0; s < 256; ++s) {
      const uint32_t colour = 0x00010101u * static_cast<uint32_t>(s);
      Raster_FillArea(&dest, s, 0, 1, 256, colour, alpha, BlendCopy);
      Raster_FillArea(&general, s, 0, 1, 256, colour, alpha + 0.0001f, BlendCopy);
    }
    // Alpha left out: the general formula blends the weight itself into it.
    within1("fill", 3);
  }
}

}  // namespace
