#pragma once

#include <cstdint>

#include "raster/bitmap.h"
#include "raster/rectangle.h"

// Blend mode word. Bits 0-7 pick the operation; bit 16 makes the source's alpha (blit) or the
// colour's alpha (fill) scale the strength; every other bit is ignored. For the channel copy
// (0xF0-0xFF, blits only) bits 0-1 name the source channel and bits 2-3 the destination channel,
// by byte position: 0 blue, 1 green, 2 red, 3 alpha. Other operation values draw nothing.
constexpr int BlendCopy = 0;
constexpr int BlendAdd = 1;
constexpr int BlendDodge = 2;
constexpr int BlendMultiply = 3;
constexpr int BlendOverlay = 4;
constexpr int BlendHsvAdjust = 5;
constexpr int BlendChannelCopy = 0xF0;
constexpr int BlendUseSourceAlpha = 0x10000;

// The weight (alpha) is a float where 1.0 is full strength; it is limited to [0, 1] and a NaN
// draws nothing. Inside, the weight is the integer trunc(alpha * 256) and every channel is
// blended with integer arithmetic on 0..255 values.

// Draws srcRect of src (the whole source when null) with its top-left corner at (dstX, dstY) of
// dest, clipped to both bitmaps. A blit within one bitmap may overlap itself: the result is as if
// the source had been read before anything was written. Drawing thread; allocates nothing.
void Raster_BlitArea(Raster_IBitmap* dest, Raster_IBitmap* src, int dstX, int dstY,
                     const IRectangle* srcRect, float alpha, int mode);

// Fills w x h pixels at (x, y) of dest with colour, clipped to the bitmap. Drawing thread;
// allocates nothing.
void Raster_FillArea(Raster_IBitmap* dest, int x, int y, int w, int h, uint32_t colour, float alpha,
                     int mode);

// Per-pixel helpers shared with the glyph drawing. Any thread; allocate nothing.

// Clamps each value to 0..255 and stores blue, green, red, alpha at bytes 0-3 of the pixel.
void Raster_ClampStorePixel(uint8_t* pixel, int r, int g, int b, int a);

// A pixel from hue 0..383 (a sixth of the circle is 64), saturation and value 0..255 and an alpha
// whose low 8 bits are used (256 gives alpha 0).
uint32_t Raster_HsvToPixel(int hue, int sat, int val, int alpha);

// Colour dodge and overlay of (r, g, b, a) onto one destination pixel at the given weight
// (0..256), stored clamped.
void Raster_DodgePixel(uint8_t* pixel, int r, int g, int b, int a, int weight);
void Raster_OverlayPixel(uint8_t* pixel, int r, int g, int b, int a, int weight);

// Adjusts the destination's hue, saturation and value by the controls (r, g, b) at the given
// weight: 128 in a control changes nothing, red 0 turns the hue half round. The pixel's alpha
// becomes a.
void Raster_HsvAdjustPixel(uint8_t* pixel, int r, int g, int b, int a, int weight);
