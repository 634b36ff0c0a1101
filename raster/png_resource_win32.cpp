#include <windows.h>

#include <climits>

#include "raster/png_image.h"

Raster_MemBitmap* Raster_LoadPngResource(RasterModuleHandle module, int resourceId) {
  HMODULE library = static_cast<HMODULE>(module);
  HRSRC resource = FindResourceA(library, MAKEINTRESOURCEA(resourceId & 0xFFFF), "PNG");
  if (!resource) return nullptr;
  const DWORD size = SizeofResource(library, resource);
  if (size <= 7 || size > INT_MAX) return nullptr;
  HGLOBAL loaded = LoadResource(library, resource);
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  // The resource's memory belongs to the module and is never released here.
  return bytes ? Raster_ReadPngMemory(bytes, static_cast<int>(size)) : nullptr;
}
