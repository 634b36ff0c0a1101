#include "raster_test_support.h"

#include <algorithm>
#include <cmath>

#include "raster/blend.h"

namespace {

int Chan(uint32_t p, int c) {
  return static_cast<int>((p >> (8 * c)) & 0xFF);
}

uint32_t WithChan(uint32_t p, int c, int v) {
  return (p & ~(0xFFu << (8 * c))) | (static_cast<uint32_t>(v & 0xFF) << (8 * c));
}

int Limit(int v) {
  return std::min(255, std::max(0, v));
}

// One channel of a non-HSV operation with source value s, destination d and weight w.
int BlendChan(int op, int s, int d, int w) {
  switch (op) {
    case 0:
      return (s + (d - s) * (256 - w) / 256) & 0xFF;
    case 1:
      return Limit(d + s * w / 256);
    case 2: {
      const int k = 256 - s * w / 256;
      return Limit(k > 1 ? 256 * d / k : 256 * d);
    }
    case 3:
      return ((((s - 256) * w) + 65536) * d >> 16) & 0xFF;
    default: {
      const int t = s * w + (256 - w) * 128;
      return Limit((((32768 - t) * d / 256) + t) * d >> 15);
    }
  }
}

uint32_t HsvAdjust(uint32_t d, int r, int g, int b, int alpha, int w) {
  uint8_t bytes[4] = {static_cast<uint8_t>(d), static_cast<uint8_t>(d >> 8),
                      static_cast<uint8_t>(d >> 16), static_cast<uint8_t>(d >> 24)};
  Raster_HsvAdjustPixel(bytes, r, g, b, alpha, w);
  return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

uint32_t ReferenceBlitPixel(uint32_t s, uint32_t d, float alpha, int mode) {
  const int op = mode & 0xFF;
  if (op >= 0xF0) return WithChan(d, (op >> 2) & 3, Chan(s, op & 3));
  const bool useAlpha = (mode & BlendUseSourceAlpha) != 0;
  if (op == 0 && !useAlpha && alpha == 1.0f) return s;
  if (op == 0 && !useAlpha && alpha == 0.5f) {
    uint32_t out = 0;
    for (int c = 0; c < 4; ++c)
      out = WithChan(out, c, (Chan(s, c) >> 1) + (Chan(d, c) >> 1));
    return out;
  }
  const int a = static_cast<int>(static_cast<double>(alpha) * 256.0);
  if (a == 0 || op > 5) return d;
  const int sa = Chan(s, 3);
  if (!useAlpha) {
    if (op == 5) return HsvAdjust(d, Chan(s, 2), Chan(s, 1), Chan(s, 0), sa, a);
    uint32_t out = 0;
    for (int c = 0; c < 4; ++c)
      out = WithChan(out, c, BlendChan(op, Chan(s, c), Chan(d, c), a));
    return out;
  }
  if (sa == 0 && (op == 0 || op == 1 || op == 3)) return d;
  if (op == 0 && a == 256) {
    if (sa == 255) return s | 0xFF000000u;
    uint32_t out = WithChan(0, 3, std::min(Chan(d, 3) + sa, 255));
    for (int c = 0; c < 3; ++c) {
      out = WithChan(out, c, Chan(s, c) + (Chan(d, c) - Chan(s, c)) * (255 - sa) / 256);
    }
    return out;
  }
  const int w = a * (sa + 1) / 256;
  if (op == 5) return HsvAdjust(d, Chan(s, 2), Chan(s, 1), Chan(s, 0), sa, w);
  uint32_t out = 0;
  for (int c = 0; c < 4; ++c)
    out = WithChan(out, c, BlendChan(op, Chan(s, c), Chan(d, c), w));
  if (op == 0) out = WithChan(out, 3, std::min(Chan(d, 3) + w, 255));
  return out;
}

uint32_t ReferenceFillPixel(uint32_t colour, uint32_t d, int a, int op) {
  if (op == 0 && a == 256) return colour;
  if (op == 0 && (a == 64 || a == 128 || a == 192)) {
    uint32_t out = 0;
    for (int c = 0; c < 4; ++c) {
      const int s = Chan(colour, c), v = Chan(d, c);
      const int mixed = a == 128  ? (s >> 1) + (v >> 1)
                        : a == 64 ? (v >> 1) + (v >> 2) + (s >> 2)
                                  : (v >> 2) + (s >> 2) + (s >> 1);
      out = WithChan(out, c, mixed);
    }
    return out;
  }
  if (a == 0 || op > 5) return d;
  if (op == 5) return HsvAdjust(d, Chan(colour, 2), Chan(colour, 1), Chan(colour, 0), a & 0xFF, a);
  uint32_t out = 0;
  for (int c = 0; c < 4; ++c) {
    out = WithChan(out, c, BlendChan(op, c == 3 ? a : Chan(colour, c), Chan(d, c), a));
  }
  return out;
}

}  // namespace

uint32_t& PixelAt(Raster_IBitmap* bitmap, int x, int y) {
  const int row = bitmap->IsFlipped() ? bitmap->Height() - 1 - y : y;
  return bitmap->Bits()[static_cast<size_t>(row) * bitmap->RowSpan() + x];
}

std::vector<uint32_t> Snapshot(Raster_IBitmap* bitmap) {
  std::vector<uint32_t> pixels;
  for (int y = 0; y < bitmap->Height(); ++y) {
    for (int x = 0; x < bitmap->Width(); ++x)
      pixels.push_back(PixelAt(bitmap, x, y));
  }
  return pixels;
}

void FillNoise(Raster_IBitmap* bitmap, std::mt19937* random) {
  // Alpha often 0 or 255, so that the skip and opaque paths of the source-alpha modes run.
  std::uniform_int_distribution<uint32_t> any;
  for (int y = 0; y < bitmap->Height(); ++y) {
    for (int x = 0; x < bitmap->Width(); ++x) {
      uint32_t p = any(*random);
      const uint32_t pick = p % 5;
      if (pick == 0) p &= 0x00FFFFFFu;
      if (pick == 1) p |= 0xFF000000u;
      PixelAt(bitmap, x, y) = p;
    }
  }
}

void FillWith(Raster_IBitmap* bitmap, uint32_t colour) {
  for (int y = 0; y < bitmap->Height(); ++y) {
    for (int x = 0; x < bitmap->Width(); ++x)
      PixelAt(bitmap, x, y) = colour;
  }
}

void ReferenceBlit(Raster_IBitmap* dest, Raster_IBitmap* src, int dstX, int dstY,
                   const IRectangle* srcRect, float alpha, int mode) {
  if (!dest || !src || std::isnan(alpha) || alpha <= 0.0f) return;
  alpha = std::min(alpha, 1.0f);
  const std::vector<uint32_t> source = Snapshot(src);  // a blit onto itself reads the old pixels
  const int64_t left = srcRect ? srcRect->left : 0, top = srcRect ? srcRect->top : 0;
  const int64_t right = srcRect ? srcRect->right : src->Width();
  const int64_t bottom = srcRect ? srcRect->bottom : src->Height();
  for (int64_t sy = std::max<int64_t>(top, 0); sy < std::min<int64_t>(bottom, src->Height());
       ++sy) {
    for (int64_t sx = std::max<int64_t>(left, 0); sx < std::min<int64_t>(right, src->Width());
         ++sx) {
      const int64_t dx = dstX + sx - left, dy = dstY + sy - top;
      if (dx < 0 || dy < 0 || dx >= dest->Width() || dy >= dest->Height()) continue;
      uint32_t& d = PixelAt(dest, static_cast<int>(dx), static_cast<int>(dy));
      d = ReferenceBlitPixel(source[sy * src->Width() + sx], d, alpha, mode);
    }
  }
}

void ReferenceFill(Raster_IBitmap* dest, int x, int y, int w, int h, uint32_t colour, float alpha,
                   int mode) {
  if (!dest || std::isnan(alpha) || alpha <= 0.0f) return;
  float weight = std::min(alpha, 1.0f);
  if (mode & BlendUseSourceAlpha) weight *= static_cast<float>(colour >> 24) / 255.0f;
  const int a = static_cast<int>(static_cast<double>(weight) * 256.0);
  for (int64_t py = std::max(y, 0); py < std::min<int64_t>(int64_t{y} + h, dest->Height()); ++py) {
    for (int64_t px = std::max(x, 0); px < std::min<int64_t>(int64_t{x} + w, dest->Width()); ++px) {
      uint32_t& d = PixelAt(dest, static_cast<int>(px), static_cast<int>(py));
      d = ReferenceFillPixel(colour, d, a, mode & 0xFF);
    }
  }
}
