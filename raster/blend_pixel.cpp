#include <array>

#include "raster/blend.h"
#include "raster/blend_ops.h"

namespace {

// T[i] = floor(65536 / i) - 1 and T[0] = 0: a reciprocal that keeps the HSV split in integers.
constexpr std::array<uint16_t, 256> MakeReciprocals() {
  std::array<uint16_t, 256> table{};
  for (int i = 1; i < 256; ++i)
    table[i] = static_cast<uint16_t>(65536 / i - 1);
  return table;
}
constexpr std::array<uint16_t, 256> kReciprocal = MakeReciprocals();

}  // namespace

namespace RasterBlend {

uint32_t HsvAdjustWord(uint32_t d, int controlRed, int controlGreen, int controlBlue, int alpha,
                       int weight) {
  // Weights beyond full strength would turn the hue past the one wrap below.
  if (weight > 256) weight = 256;
  if (weight < -256) weight = -256;
  const int r = Channel(d, 2);
  const int g = Channel(d, 1);
  const int b = Channel(d, 0);
  // Value, chroma, the sixth of the circle it starts from and the offset within it (a full
  // circle is 384 units).
  int value, chroma, base, offset;
  if (g > r) {
    if (g > b) {
      value = g, chroma = g - (r < b ? r : b), base = 128, offset = b - r;
    } else {
      value = b, chroma = b - r, base = 256, offset = r - g;
    }
  } else if (r > b) {
    value = r, offset = g - b;
    if (g < b) {
      chroma = r - g, base = 383;
    } else {
      chroma = r - b, base = 0;
    }
  } else {
    value = b, chroma = b - (g < r ? g : r), base = 256, offset = r - g;
  }
  const int sat = kReciprocal[value] * chroma / 256;
  int hue = base + offset * (kReciprocal[chroma] + 1) / 1024;

  hue += (controlRed + controlRed / 2 - 192) * weight / 256;
  if (hue < 0) hue += 384;
  if (hue >= 384) hue -= 384;
  const int newSat = Clamp255(sat + (controlGreen - 128) * weight / 128);
  const int newValue = Clamp255(value + (controlBlue - 128) * weight / 128);
  return Raster_HsvToPixel(hue, newSat, newValue, alpha);
}

}  // namespace RasterBlend

using namespace RasterBlend;

void Raster_ClampStorePixel(uint8_t* pixel, int r, int g, int b, int a) {
  pixel[0] = static_cast<uint8_t>(Clamp255(b));
  pixel[1] = static_cast<uint8_t>(Clamp255(g));
  pixel[2] = static_cast<uint8_t>(Clamp255(r));
  pixel[3] = static_cast<uint8_t>(Clamp255(a));
}

uint32_t Raster_HsvToPixel(int hue, int sat, int val, int alpha) {
  const int p = (256 - sat) * val / 256;
  // The falling or rising channel of each sixth: x = v * (1 - k * s / 16384).
  auto ramp = [sat, val](int k) { return (16384 - k * sat) * val / 16384; };
  int r, g, b;
  if (hue < 64) {
    r = val, g = ramp(64 - hue), b = p;
  } else if (hue < 128) {
    r = ramp(hue - 64), g = val, b = p;
  } else if (hue < 192) {
    r = p, g = val, b = ramp(192 - hue);
  } else if (hue < 256) {
    r = p, g = ramp(hue - 192), b = val;
  } else if (hue < 320) {
    r = ramp(320 - hue), g = p, b = val;
  } else {
    r = val, g = p, b = ramp(hue - 320);
  }
  // Shifted as an unsigned word: an alpha of 256 gives alpha 0 and touches no other channel.
  return (static_cast<uint32_t>(alpha) << 24) | (static_cast<uint32_t>(r & 0xFF) << 16) |
         (static_cast<uint32_t>(g & 0xFF) << 8) | static_cast<uint32_t>(b & 0xFF);
}

void Raster_DodgePixel(uint8_t* pixel, int r, int g, int b, int a, int weight) {
  Raster_ClampStorePixel(pixel, DodgeChannel(r, pixel[2], weight),
                         DodgeChannel(g, pixel[1], weight), DodgeChannel(b, pixel[0], weight),
                         DodgeChannel(a, pixel[3], weight));
}

void Raster_OverlayPixel(uint8_t* pixel, int r, int g, int b, int a, int weight) {
  Raster_ClampStorePixel(pixel, OverlayChannel(r, pixel[2], weight),
                         OverlayChannel(g, pixel[1], weight), OverlayChannel(b, pixel[0], weight),
                         OverlayChannel(a, pixel[3], weight));
}

void Raster_HsvAdjustPixel(uint8_t* pixel, int r, int g, int b, int a, int weight) {
  const uint32_t d = Pack(pixel[0], pixel[1], pixel[2], pixel[3]);
  const uint32_t result = HsvAdjustWord(d, r, g, b, a, weight);
  pixel[0] = static_cast<uint8_t>(result);
  pixel[1] = static_cast<uint8_t>(result >> 8);
  pixel[2] = static_cast<uint8_t>(result >> 16);
  pixel[3] = static_cast<uint8_t>(result >> 24);
}
