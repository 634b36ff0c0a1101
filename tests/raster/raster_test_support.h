#pragma once

// Helpers shared by the raster tests: bottom-up bitmaps, logical pixel access, seeded noise and a
// per-pixel reference of the blend rules.

#include <cstdint>
#include <random>
#include <vector>

#include "raster/bitmap.h"
#include "raster/rectangle.h"

// A memory bitmap that keeps its rows bottom-up.
class FlippedBitmap : public Raster_MemBitmap {
 public:
  using Raster_MemBitmap::Raster_MemBitmap;
  bool IsFlipped() override { return true; }
};

// The pixel at logical (x, y), honouring bottom-up rows; every logical pixel, row by row.
uint32_t& PixelAt(Raster_IBitmap* bitmap, int x, int y);
std::vector<uint32_t> Snapshot(Raster_IBitmap* bitmap);
// Random pixels in runs of transparent, opaque and translucent ones; or one colour everywhere.
void FillNoise(Raster_IBitmap* bitmap, std::mt19937* random);
void FillWith(Raster_IBitmap* bitmap, uint32_t colour);

// Operation op (0-5) on the four channels of d with the source colour s, the alpha channel's
// source value sa and the weight w, straight from the per-channel rules.
uint32_t ReferenceBlend(int op, uint32_t s, int sa, uint32_t d, int w);
// What a blit or fill must leave, pixel by pixel: each source pixel lands where the unclipped
// rectangles put it, if it lies inside both bitmaps.
void ReferenceBlit(Raster_IBitmap* dest, Raster_IBitmap* src, int dstX, int dstY,
                   const IRectangle* srcRect, float alpha, int mode);
void ReferenceFill(Raster_IBitmap* dest, int x, int y, int w, int h, uint32_t colour, float alpha,
                   int mode);
