#pragma once

// The raster graphics library.
//
// 32-bit 0xAARRGGBB bitmaps (not premultiplied) behind Raster_IBitmap: Raster_MemBitmap in a
// heap block, Raster_SysBitmap as a Windows DIB section with its own device context. Pixels are
// put into bitmaps by Raster_BlitArea and Raster_FillArea with a weight and a blend mode word
// (copy, add, dodge, multiply, overlay, HSV adjust, channel copy), in integer arithmetic, clipped
// to the bitmaps and honouring bottom-up (flipped) rows. Raster_CachedFont renders each character
// once through its glyph source and blends the cached coverage with the same operations; it lays
// out and measures UTF-8 text, or hands it to the platform's text function where that can do the
// job. PNG images decode through libpng from resources, memory or files.
//
// Nothing here takes a lock or throws: failures are null results, false or unchanged values. A
// bitmap or font is used by one thread at a time; the shared glyph bitmaps belong to the thread
// that draws the editor.

#include "raster/bitmap.h"
#include "raster/blend.h"
#include "raster/font.h"
#include "raster/glyph_source.h"
#include "raster/png_image.h"
#include "raster/rectangle.h"
#include "raster/sys_bitmap.h"
