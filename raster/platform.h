#pragma once

#include <cstdint>

#include "raster/bitmap.h"
#include "raster/rectangle.h"

// The few platform services the portable raster code calls. Windows builds implement them with
// GDI and the registry; other builds with plain memory and without platform text.

// A bitmap that the platform can draw into: a DIB section with a device context on Windows, a
// memory bitmap elsewhere. Caller owns it. Font thread; allocates.
Raster_IBitmap* Raster_NewDeviceBitmap(int w, int h);

// True when the platform's own text drawing exists. Any thread; allocates nothing.
bool Raster_HasPlatformText();

// Whether the process runs on a compatibility layer that hosts Windows programs elsewhere, found
// once through the registry (false where there is no registry). Font thread; allocates nothing.
bool Raster_ProbeCompatibilityLayer();

// The platform's colours and mode for one text call.
struct Raster_PlatformTextStyle {
  uint32_t textColour;        // 0xAARRGGBB; alpha ignored
  uint32_t backgroundColour;  // used in opaque background mode only
  int backgroundMode;         // 1 transparent, 2 opaque
};

// Draws (or with TextFlagCalcRect measures into rect) len bytes of UTF-8 text (len < 0: to the
// NUL) with the platform's text function into a device context, in font; returns the platform's
// height result, 0 when nothing was drawn. Font thread; may allocate for long texts.
int Raster_DrawPlatformText(RasterDeviceContext context, RasterFontHandle font, const char* text,
                            int len, IRectangle* rect, int flags,
                            const Raster_PlatformTextStyle& style);
