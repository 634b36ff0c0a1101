#pragma once

// Helpers shared by the raster tests: a bitmap with bottom-up rows, logical pixel access,
// seeded pixel noise and a per-pixel reference of the blit and fill rules.

#include <cstdint>
#include <random>
#include <vector>

#include "raster/bitmap.h"
#include "raster/rectangle.h"

// A bitmap that keeps its rows bottom-up, with a row span wider than its width.
class FlippedBitmap : public Raster_IBitmap {
 public:
  FlippedBitmap(int w, int h) : width(w), height(h), pixels(static_cast<size_t>((w + 5) * h)) {}
  uint32_t* Bits() override { return pixels.data(); }
  int Width() override { return width; }
  int Height() override { return height; }
  int RowSpan() override { return width + 5; }
  bool IsFlipped() override { return true; }
  bool Resize(int, int) override { return false; }

 private:
  int width, height;
  std::vector<uint32_t> pixels;
};

// A memory bitmap that asks text drawing to stay on the cached path.
class CachedTextBitmap : public Raster_MemBitmap {
 public:
  using Raster_MemBitmap::Raster_MemBitmap;
  intptr_t Extended(int id, void*) override { return id == kRasterCachedTextQuery ? 1 : 0; }
};

// The pixel at logical (x, y), honouring bottom-up rows.
uint32_t& PixelAt(Raster_IBitmap* bitmap, int x, int y);
// Every logical pixel, row by row.
std::vector<uint32_t> Snapshot(Raster_IBitmap* bitmap);
// Random pixels, alpha often 0 or 255; or one colour.
void FillNoise(Raster_IBitmap* bitmap, std::mt19937* random);
void FillWith(Raster_IBitmap* bitmap, uint32_t colour);

// What a blit or fill must leave, pixel by pixel straight from the rules: each source pixel lands
// where the unclipped rectangles put it, if it lies inside both bitmaps.
void ReferenceBlit(Raster_IBitmap* dest, Raster_IBitmap* src, int dstX, int dstY,
                   const IRectangle* srcRect, float alpha, int mode);
void ReferenceFill(Raster_IBitmap* dest, int x, int y, int w, int h, uint32_t colour, float alpha,
                   int mode);
