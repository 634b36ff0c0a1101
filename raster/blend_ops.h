#pragma once

// Per-channel blend formulas shared by blits, fills and glyph drawing. Integer arithmetic only:
// s is the source value (0..255, or the weight itself, up to 256, for a fill's alpha channel), d
// the destination value 0..255, w the weight 0..256. Division truncates toward zero.

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "raster/blend.h"

namespace RasterBlend {

inline int Clamp255(int v) {
  return v < 0 ? 0 : (v > 255 ? 255 : v);
}

// Channel c of a pixel word by byte position: 0 blue, 1 green, 2 red, 3 alpha.
inline int Channel(uint32_t pixel, int c) {
  return static_cast<int>((pixel >> (8 * c)) & 0xFFu);
}

inline uint32_t Pack(int b, int g, int r, int a) {
  return (static_cast<uint32_t>(a & 0xFF) << 24) | (static_cast<uint32_t>(r & 0xFF) << 16) |
         (static_cast<uint32_t>(g & 0xFF) << 8) | static_cast<uint32_t>(b & 0xFF);
}

inline int CopyChannel(int s, int d, int w) {
  return (s + (d - s) * (256 - w) / 256) & 0xFF;
}
inline int AddChannel(int s, int d, int w) {
  return Clamp255(d + s * w / 256);
}
inline int DodgeChannel(int s, int d, int w) {
  const int k = 256 - s * w / 256;
  return Clamp255(k > 1 ? 256 * d / k : 256 * d);
}
// Divides by 256, not 255: full-strength white times 255 gives 254.
inline int MultiplyChannel(int s, int d, int w) {
  return ((((s - 256) * w + 65536) * d) >> 16) & 0xFF;
}
inline int OverlayChannel(int s, int d, int w) {
  const int t = s * w + (256 - w) * 128;
  return Clamp255((((32768 - t) * d / 256 + t) * d) >> 15);
}

// HSV adjust of the destination word by the controls (r, g, b) at weight w; alpha becomes a.
uint32_t HsvAdjustWord(uint32_t d, int r, int g, int b, int a, int w);

enum Operation { kCopy = BlendCopy, kAdd, kDodge, kMultiply, kOverlay, kHsvAdjust, kOperations };

// One operation on all four channels of d with the source values (sb, sg, sr, sa).
template <int Op>
inline uint32_t BlendWord(int sb, int sg, int sr, int sa, uint32_t d, int w) {
  static_assert(Op >= kCopy && Op < kOperations, "no such operation");
  if constexpr (Op == kHsvAdjust) {
    return HsvAdjustWord(d, sr, sg, sb, sa, w);
  } else {
    constexpr int (*f)(int, int, int) = Op == kCopy       ? CopyChannel
                                        : Op == kAdd      ? AddChannel
                                        : Op == kDodge    ? DodgeChannel
                                        : Op == kMultiply ? MultiplyChannel
                                                          : OverlayChannel;
    return Pack(f(sb, Channel(d, 0), w), f(sg, Channel(d, 1), w), f(sr, Channel(d, 2), w),
                f(sa, Channel(d, 3), w));
  }
}

// The weight of a float alpha: trunc(alpha * 256) with alpha limited to [0, 1]; 0 for a NaN.
inline int WeightOf(float alpha) {
  if (!(alpha > 0.0f)) return 0;  // also a NaN
  if (alpha >= 1.0f) return 256;
  return static_cast<int>(static_cast<double>(alpha) * 256.0);
}

// Alpha limited to [0, 1]; a NaN becomes 0.
inline float LimitAlpha(float alpha) {
  if (!(alpha > 0.0f)) return 0.0f;
  return alpha < 1.0f ? alpha : 1.0f;
}

// Calls body(std::integral_constant<int, Op>()) for the operation op (0..5); false for any other,
// so that each operation gets a loop of its own without a per-pixel dispatch.
template <class Body>
inline bool DispatchOperation(int op, Body&& body) {
  switch (op) {
    case kCopy:
      body(std::integral_constant<int, kCopy>());
      return true;
    case kAdd:
      body(std::integral_constant<int, kAdd>());
      return true;
    case kDodge:
      body(std::integral_constant<int, kDodge>());
      return true;
    case kMultiply:
      body(std::integral_constant<int, kMultiply>());
      return true;
    case kOverlay:
      body(std::integral_constant<int, kOverlay>());
      return true;
    case kHsvAdjust:
      body(std::integral_constant<int, kHsvAdjust>());
      return true;
    default:
      return false;
  }
}

// A logical pixel position of a bitmap as a pointer, with the step from one logical row to the
// next (negative for bottom-up rows). The caller has checked that (x, y) lies inside.
struct PixelRow {
  uint32_t* pixel;
  std::ptrdiff_t step;
};
inline PixelRow RowAt(Raster_IBitmap* bitmap, int x, int y) {
  const std::ptrdiff_t span = bitmap->RowSpan();
  if (bitmap->IsFlipped()) {
    return {bitmap->Bits() + (bitmap->Height() - 1 - y) * span + x, -span};
  }
  return {bitmap->Bits() + y * span + x, span};
}

// True when the bitmap has pixels to draw on.
inline bool HasPixels(Raster_IBitmap* bitmap) {
  return bitmap->Bits() && bitmap->Width() > 0 && bitmap->Height() > 0 &&
         bitmap->RowSpan() >= bitmap->Width();
}

}  // namespace RasterBlend
