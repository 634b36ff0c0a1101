#pragma once

#include "raster/bitmap.h"

// PNG images decoded into 0xAARRGGBB bitmaps (straight alpha; images without alpha get 255).
// Every entry returns null on any failure (missing resource, bad signature, corrupt, truncated or
// oversized data, no memory) and prints nothing. Images are limited to 16384 pixels a side.
// Each call uses only its own structures, so calls on different threads are independent.

// The image of the module's resource of type "PNG" with the id's low 16 bits as its integer name
// (Windows only). Any thread; allocates the bitmap, which the caller owns.
Raster_MemBitmap* Raster_LoadPngResource(RasterModuleHandle module, int resourceId);

// Decodes size bytes at data. Any thread; allocates the bitmap, which the caller owns.
Raster_MemBitmap* Raster_ReadPngMemory(const void* data, int size);

// Decodes the file at the UTF-8 path into `into` (resized; returned on success) or, when into is
// null, into a new bitmap the caller owns. A bitmap handed in is never deleted, but a failure
// after its header was read may have resized it. Any thread; allocates.
Raster_MemBitmap* Raster_ReadPngFile(const char* path, Raster_MemBitmap* into);

// True when the name or path ends in the extension ".png", in any case. Any thread; allocates
// nothing.
bool Raster_HasPngExtension(const char* path);

// Raster_ReadPngFile, refusing (with checkExtension) a path whose extension is not ".png" in any
// case. Any thread; allocates.
Raster_MemBitmap* Raster_PngFileLoader(const char* path, bool checkExtension,
                                       Raster_MemBitmap* into);

// The file-dialog filter pair: "PNG files (*.PNG)" then "*.PNG", each NUL-terminated.
// Any thread; allocates nothing.
const char* Raster_PngFileDescription();
