#include <algorithm>
#include <cstdint>
#include <cstring>

#include "raster/blend.h"
#include "raster/blend_ops.h"

using namespace RasterBlend;

namespace {

// The clipped area of one blit: the first source and destination pixels of the first row to
// process, the row steps (pixels, negative for bottom-up rows or reversed order), the size, and
// whether source and destination rows share memory within a row.
struct BlitRows {
  const uint32_t* src;
  uint32_t* dst;
  std::ptrdiff_t srcStep;
  std::ptrdiff_t dstStep;
  int columns;
  int rows;
  bool rowsOverlap;
};

// Blends one row whose source and destination overlap in memory: the source is copied in short
// pieces, taken in the order that reads every source pixel before it is overwritten.
template <class PixelOp>
void BlendOverlappingRow(uint32_t* d, const uint32_t* s, int n, PixelOp& op) {
  constexpr int kPiece = 256;
  uint32_t piece[kPiece];
  const bool backward = d > s;
  for (int done = 0; done < n;) {
    const int len = std::min(kPiece, n - done);
    const int start = backward ? n - done - len : done;
    std::memcpy(piece, s + start, sizeof(uint32_t) * static_cast<size_t>(len));
    for (int i = 0; i < len; ++i)
      d[start + i] = op(piece[i], d[start + i]);
    done += len;
  }
}

template <class PixelOp>
void ForEachPixel(const BlitRows& area, PixelOp op) {
  const uint32_t* s = area.src;
  uint32_t* d = area.dst;
  for (int y = 0; y < area.rows; ++y, s += area.srcStep, d += area.dstStep) {
    if (area.rowsOverlap) {
      BlendOverlappingRow(d, s, area.columns, op);
    } else {
      for (int x = 0; x < area.columns; ++x)
        d[x] = op(s[x], d[x]);
    }
  }
}

// The plain operations: every channel with the same weight.
template <int Op>
void BlendPlain(const BlitRows& area, int a) {
  ForEachPixel(area, [a](uint32_t s, uint32_t d) {
    return BlendWord<Op>(Channel(s, 0), Channel(s, 1), Channel(s, 2), Channel(s, 3), d, a);
  });
}

// The source-alpha operations: the weight follows each source pixel's alpha. Copy, add and
// multiply leave fully transparent source pixels alone.
template <int Op>
void BlendWithSourceAlpha(const BlitRows& area, int a) {
  ForEachPixel(area, [a](uint32_t s, uint32_t d) {
    const int sa = Channel(s, 3);
    if ((Op == kCopy || Op == kAdd || Op == kMultiply) && sa == 0) return d;
    const int w = a * (sa + 1) / 256;
    if constexpr (Op == kCopy) {
      // The colour mixes; the alpha adds up (it is not blended).
      return Pack(CopyChannel(Channel(s, 0), Channel(d, 0), w),
                  CopyChannel(Channel(s, 1), Channel(d, 1), w),
                  CopyChannel(Channel(s, 2), Channel(d, 2), w), std::min(Channel(d, 3) + w, 255));
    } else {
      return BlendWord<Op>(Channel(s, 0), Channel(s, 1), Channel(s, 2), sa, d, w);
    }
  });
}

// Source-alpha copy at full strength: opaque pixels are written as they are, transparent ones
// skipped, the rest mixed by (255 - alpha) / 256 with the alpha added.
inline uint32_t CopyWithSourceAlphaPixel(uint32_t s, uint32_t d) {
  const int sa = Channel(s, 3);
  if (sa == 255) return s;
  if (sa == 0) return d;
  auto mix = [sa](int sv, int dv) { return (sv + (dv - sv) * (255 - sa) / 256) & 0xFF; };
  return Pack(mix(Channel(s, 0), Channel(d, 0)), mix(Channel(s, 1), Channel(d, 1)),
              mix(Channel(s, 2), Channel(d, 2)), std::min(Channel(d, 3) + sa, 255));
}

void CopyWithSourceAlphaFull(const BlitRows& area) {
  if (area.rowsOverlap) return ForEachPixel(area, CopyWithSourceAlphaPixel);
  // Images are mostly runs of opaque or fully transparent pixels: four at a time they are
  // copied or skipped whole, and only mixed edges take the per-pixel path.
  const uint32_t* s = area.src;
  uint32_t* d = area.dst;
  for (int y = 0; y < area.rows; ++y, s += area.srcStep, d += area.dstStep) {
    int x = 0;
    for (; x + 4 <= area.columns; x += 4) {
      const uint32_t all = s[x] & s[x + 1] & s[x + 2] & s[x + 3];
      const uint32_t any = s[x] | s[x + 1] | s[x + 2] | s[x + 3];
      if ((all >> 24) == 0xFFu) {
        std::memcpy(d + x, s + x, 4 * sizeof(uint32_t));
      } else if ((any >> 24) != 0) {
        for (int i = x; i < x + 4; ++i)
          d[i] = CopyWithSourceAlphaPixel(s[i], d[i]);
      }
    }
    for (; x < area.columns; ++x)
      d[x] = CopyWithSourceAlphaPixel(s[x], d[x]);
  }
}

void CopyRows(const BlitRows& area) {
  const size_t bytes = sizeof(uint32_t) * static_cast<size_t>(area.columns);
  const uint32_t* s = area.src;
  uint32_t* d = area.dst;
  for (int y = 0; y < area.rows; ++y, s += area.srcStep, d += area.dstStep) {
    std::memmove(d, s, bytes);
  }
}

void CopyOneChannel(const BlitRows& area, int mode) {
  const int from = 8 * (mode & 3);
  const int to = 8 * ((mode >> 2) & 3);
  const uint32_t keep = ~(0xFFu << to);
  ForEachPixel(area, [from, to, keep](uint32_t s, uint32_t d) {
    return (d & keep) | (((s >> from) & 0xFFu) << to);
  });
}

// Clips the blit to both bitmaps; false when nothing is left. 64-bit arithmetic throughout, so
// that extreme rectangles cannot wrap.
bool ClipBlit(Raster_IBitmap* dest, Raster_IBitmap* src, int dstX, int dstY,
              const IRectangle* srcRect, BlitRows* area) {
  int64_t x = dstX, y = dstY;
  int64_t left = 0, top = 0, right = src->Width(), bottom = src->Height();
  if (srcRect) {
    left = srcRect->left;
    top = srcRect->top;
    right = std::min<int64_t>(srcRect->right, right);
    bottom = std::min<int64_t>(srcRect->bottom, bottom);
    if (left < 0) x -= left, left = 0;
    if (top < 0) y -= top, top = 0;
  }
  if (x < 0) left -= x, x = 0;
  if (y < 0) top -= y, y = 0;
  if (right <= left || bottom <= top || x >= dest->Width() || y >= dest->Height()) return false;
  right = std::min<int64_t>(right, dest->Width() - x + left);
  bottom = std::min<int64_t>(bottom, dest->Height() - y + top);
  if (right <= left || bottom <= top || !HasPixels(dest) || !HasPixels(src)) return false;

  const PixelRow s = RowAt(src, static_cast<int>(left), static_cast<int>(top));
  const PixelRow d = RowAt(dest, static_cast<int>(x), static_cast<int>(y));
  *area = {s.pixel,
           d.pixel,
           s.step,
           d.step,
           static_cast<int>(right - left),
           static_cast<int>(bottom - top),
           false};
  if (src->Bits() == dest->Bits()) {
    // One bitmap: rows are taken in the order that reads each source row before it is written,
    // and a row overlapping its own source is blended piecewise.
    const std::ptrdiff_t distance = area->dst - area->src;
    area->rowsOverlap = distance != 0 && distance > -area->columns && distance < area->columns;
    if (!area->rowsOverlap && (distance > 0) == (area->dstStep > 0)) {
      area->src += area->srcStep * (area->rows - 1);
      area->dst += area->dstStep * (area->rows - 1);
      area->srcStep = -area->srcStep;
      area->dstStep = -area->dstStep;
    }
  }
  return true;
}

}  // namespace

void Raster_BlitArea(Raster_IBitmap* dest, Raster_IBitmap* src, int dstX, int dstY,
                     const IRectangle* srcRect, float alpha, int mode) {
  if (!dest || !src || !(alpha > 0.0f)) return;  // a NaN draws nothing
  alpha = LimitAlpha(alpha);
  BlitRows area;
  if (!ClipBlit(dest, src, dstX, dstY, srcRect, &area)) return;

  const int op = mode & 0xFF;
  if (op >= BlendChannelCopy) return CopyOneChannel(area, mode);
  const bool sourceAlpha = (mode & BlendUseSourceAlpha) != 0;
  if (op == kCopy && !sourceAlpha) {
    if (alpha == 1.0f) return CopyRows(area);
    if (alpha == 0.5f) {
      return ForEachPixel(area, [](uint32_t s, uint32_t d) {
        return ((s >> 1) & 0x7F7F7F7Fu) + ((d >> 1) & 0x7F7F7F7Fu);
      });
    }
  }
  const int a = WeightOf(alpha);
  if (a == 0) return;
  if (sourceAlpha && op == kCopy && a == 256) return CopyWithSourceAlphaFull(area);
  DispatchOperation(op, [&](auto operation) {
    constexpr int kOp = decltype(operation)::value;
    if (sourceAlpha) {
      BlendWithSourceAlpha<kOp>(area, a);
    } else {
      BlendPlain<kOp>(area, a);
    }
  });
}
