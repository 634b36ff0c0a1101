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

// One channel of operation op (0-4) with source value s, destination d and weight w.
int BlendChan(int op, int s, int d, int w) {
  const int k = 256 - s * w / 256, t = s * w + (256 - w) * 128;
  if (op == 0) return (s + (d - s) * (256 - w) / 256) & 0xFF;
  if (op == 1) return std::clamp(d + s * w / 256, 0, 255);
  if (op == 2) return std::clamp(k > 1 ? 256 * d / k : 256 * d, 0, 255);
  if (op == 3) return ((((s - 256) * w) + 65536) * d >> 16) & 0xFF;
  return std::clamp((((32768 - t) * d / 256) + t) * d >> 15, 0, 255);
}

uint32_t Half(uint32_t v) {
  return (v >> 1) & 0x7F7F7F7F;
}
uint32_t Quarter(uint32_t v) {
  return (v >> 2) & 0x3F3F3F3F;
}

uint32_t BlitPixel(uint32_t s, uint32_t d, float alpha, int mode) {
  const int op = mode & 0xFF, sa = Chan(s, 3);
  const bool useAlpha = (mode & BlendUseSourceAlpha) != 0;
  if (op >= 0xF0) return WithChan(d, (op >> 2) & 3, Chan(s, op & 3));
  if (op == 0 && !useAlpha && alpha == 1.0f) return s;
  if (op == 0 && !useAlpha && alpha == 0.5f) return Half(s) + Half(d);
  const int a = static_cast<int>(static_cast<double>(alpha) * 256.0);
  if (a == 0 || op > 5) return d;
  if (!useAlpha) return ReferenceBlend(op, s, sa, d, a);
  if (sa == 0 && (op == 0 || op == 1 || op == 3)) return d;
  if (op == 0 && a == 256) {
    if (sa == 255) return s | 0xFF000000u;
    uint32_t out = WithChan(0, 3, std::min(Chan(d, 3) + sa, 255));
    for (int c = 0; c < 3; ++c)
      out = WithChan(out, c, Chan(s, c) + (Chan(d, c) - Chan(s, c)) * (255 - sa) / 256);
    return out;
  }
  const int w = a * (sa + 1) / 256;
  const uint32_t out = ReferenceBlend(op, s, sa, d, w);
  return op == 0 ? WithChan(out, 3, std::min(Chan(d, 3) + w, 255)) : out;
}

uint32_t FillPixel(uint32_t colour, uint32_t d, int a, int op) {
  if (op == 0 && a == 256) return colour;
  if (op == 0 && a == 128) return Half(colour) + Half(d);
  if (op == 0 && a == 64) return Half(d) + Quarter(d) + Quarter(colour);
  if (op == 0 && a == 192) return Quarter(d) + Quarter(colour) + Half(colour);
  if (a == 0 || op > 5) return d;
  return ReferenceBlend(op, colour, op == 5 ? (a & 0xFF) : a, d, a);
}

}  // namespace

uint32_t ReferenceBlend(int op, uint32_t s, int sa, uint32_t d, int w) {
  if (op == 5) {
    uint8_t bytes[4] = {uint8_t(d), uint8_t(d >> 8), uint8_t(d >> 16), uint8_t(d >> 24)};
    Raster_HsvAdjustPixel(bytes, Chan(s, 2), Chan(s, 1), Chan(s, 0), sa, w);
    return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | uint32_t{bytes[3]} << 24;
  }
  uint32_t out = 0;
  for (int c = 0; c < 4; ++c)
    out = WithChan(out, c, BlendChan(op, c == 3 ? sa : Chan(s, c), Chan(d, c), w));
  return out;
}

uint32_t& PixelAt(Raster_IBitmap* bitmap, int x, int y) {
  const int row = bitmap->IsFlipped() ? bitmap->Height() - 1 - y : y;
  return bitmap->Bits()[static_cast<size_t>(row) * bitmap->RowSpan() + x];
}

std::vector<uint32_t> Snapshot(Raster_IBitmap* bitmap) {
  std::vector<uint32_t> pixels;
  for (int i = 0; i < bitmap->Width() * bitmap->Height(); ++i)
    pixels.push_back(PixelAt(bitmap, i % bitmap->Width(), i / bitmap->Width()));
  return pixels;
}

void FillNoise(Raster_IBitmap* bitmap, std::mt19937* random) {
  // Runs, as in real images, so that paths taking several pixels at once meet whole runs.
  uint32_t pick = 0;
  for (int i = 0; i < bitmap->Width() * bitmap->Height(); ++i) {
    const uint32_t p = (*random)();
    if (p % 4 == 0) pick = (p >> 8) % 5;
    PixelAt(bitmap, i % bitmap->Width(), i / bitmap->Width()) =
        pick == 0 ? p & 0x00FFFFFFu : (pick == 1 ? p | 0xFF000000u : p);
  }
}

void FillWith(Raster_IBitmap* bitmap, uint32_t colour) {
  for (int i = 0; i < bitmap->Width() * bitmap->Height(); ++i)
    PixelAt(bitmap, i % bitmap->Width(), i / bitmap->Width()) = colour;
}

void ReferenceBlit(Raster_IBitmap* dest, Raster_IBitmap* src, int dstX, int dstY,
                   const IRectangle* srcRect, float alpha, int mode) {
  if (!dest || !src || std::isnan(alpha) || alpha <= 0.0f) return;
  const std::vector<uint32_t> source = Snapshot(src);  // a blit onto itself reads the old pixels
  const IRectangle r = srcRect ? *srcRect : IRectangle{0, 0, src->Width(), src->Height()};
  for (int64_t sy = std::max(r.top, 0); sy < std::min(r.bottom, src->Height()); ++sy) {
    for (int64_t sx = std::max(r.left, 0); sx < std::min(r.right, src->Width()); ++sx) {
      const int64_t dx = dstX + sx - r.left, dy = dstY + sy - r.top;
      if (dx < 0 || dy < 0 || dx >= dest->Width() || dy >= dest->Height()) continue;
      uint32_t& d = PixelAt(dest, static_cast<int>(dx), static_cast<int>(dy));
      d = BlitPixel(source[sy * src->Width() + sx], d, std::min(alpha, 1.0f), mode);
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
      d = FillPixel(colour, d, a, mode & 0xFF);
    }
  }
}
