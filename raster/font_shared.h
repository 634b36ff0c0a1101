#pragma once

// The bitmaps every cached font shares: the glyph bitmap that characters are rendered into and
// the scratch bitmap of the platform text path. Both are created on first need and freed with
// the last font. Font thread only.

#include "raster/bitmap.h"

namespace RasterFontShared {

// The shared bitmap, created (0 x 0) when absent; null only when it cannot be created.
Raster_IBitmap* GlyphBitmap();
Raster_IBitmap* TextScratchBitmap();

// True while the process runs on the compatibility layer (probed once, or as a test set it).
bool OnCompatibilityLayer();

}  // namespace RasterFontShared
