#include <algorithm>
#include <cstdint>

#include "raster/blend.h"
#include "raster/blend_ops.h"

using namespace RasterBlend;

namespace {

struct FillRows {
  uint32_t* first;
  std::ptrdiff_t step;
  int columns;
  int rows;
};

template <class PixelOp>
void ForEachPixel(const FillRows& area, PixelOp op) {
  uint32_t* d = area.first;
  for (int y = 0; y < area.rows; ++y, d += area.step) {
    for (int x = 0; x < area.columns; ++x)
      d[x] = op(d[x]);
  }
}

// The copy weights of a quarter, a half, three quarters and full strength work on whole words:
// each channel halved or quartered with truncation and summed.
bool CopyOnWholeWords(const FillRows& area, uint32_t c, int a) {
  switch (a) {
    case 256:
      ForEachPixel(area, [c](uint32_t) { return c; });
      return true;
    case 128:
      ForEachPixel(area,
                   [c](uint32_t d) { return ((c >> 1) & 0x7F7F7F7Fu) + ((d >> 1) & 0x7F7F7F7Fu); });
      return true;
    case 64:
      ForEachPixel(area, [c](uint32_t d) {
        return ((d >> 1) & 0x7F7F7F7Fu) + ((d >> 2) & 0x3F3F3F3Fu) + ((c >> 2) & 0x3F3F3F3Fu);
      });
      return true;
    case 192:
      ForEachPixel(area, [c](uint32_t d) {
        return ((d >> 2) & 0x3F3F3F3Fu) + ((c >> 2) & 0x3F3F3F3Fu) + ((c >> 1) & 0x7F7F7F7Fu);
      });
      return true;
    default:
      return false;
  }
}

}  // namespace

void Raster_FillArea(Raster_IBitmap* dest, int x, int y, int w, int h, uint32_t colour, float alpha,
                     int mode) {
  if (!dest) return;
  float weight = LimitAlpha(alpha);
  if (mode & BlendUseSourceAlpha) weight *= static_cast<float>(colour >> 24) / 255.0f;

  int64_t left = x, top = y, width = w, height = h;
  if (left < 0) width += left, left = 0;
  if (top < 0) height += top, top = 0;
  if (weight == 0.0f || !HasPixels(dest) || width < 1 || height < 1 || left >= dest->Width() ||
      top >= dest->Height()) {
    return;
  }
  width = std::min<int64_t>(width, dest->Width() - left);
  height = std::min<int64_t>(height, dest->Height() - top);
  const PixelRow row = RowAt(dest, static_cast<int>(left), static_cast<int>(top));
  const FillRows area{row.pixel, row.step, static_cast<int>(width), static_cast<int>(height)};

  const int a = WeightOf(weight);
  const int op = mode & 0xFF;
  if (op == kCopy && CopyOnWholeWords(area, colour, a)) return;
  if (a == 0) return;
  const int r = Channel(colour, 2), g = Channel(colour, 1), b = Channel(colour, 0);
  DispatchOperation(op, [&](auto operation) {
    constexpr int kOp = decltype(operation)::value;
    // The weight stands in for the colour's alpha; HSV adjust stores its low 8 bits as alpha.
    const int sourceAlpha = kOp == kHsvAdjust ? (a & 0xFF) : a;
    ForEachPixel(area, [=](uint32_t d) { return BlendWord<kOp>(b, g, r, sourceAlpha, d, a); });
  });
}
