#pragma once

// The one PNG decoder behind the memory and file entries.

#include <cstdint>
#include <cstdio>

#include "raster/bitmap.h"

namespace RasterPng {

// Bytes still to be read from a memory image.
struct PngMemoryReader {
  const unsigned char* next;
  int32_t remaining;
};

// Decodes from file (when given) or from memory into `into` (resized) or, when into is null, a
// new bitmap. Null on any failure; the caller's bitmap is never deleted and the file is left for
// the caller to close. Any thread; allocates.
Raster_MemBitmap* Decode(std::FILE* file, PngMemoryReader* memory, Raster_MemBitmap* into);

}  // namespace RasterPng
