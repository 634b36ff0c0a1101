#include <cstring>

#include "framework/utf8_files.h"
#include "raster/png_decode.h"
#include "raster/png_image.h"

namespace {

constexpr unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

// The tail of a path from its last '.' or '/', or from a backslash met before either of them.
const char* ExtensionOf(const char* path) {
  for (const char* p = path + std::strlen(path); p > path;) {
    --p;
    if (*p == '.' || *p == '/' || *p == '\\') return p;
  }
  return path;
}

}  // namespace

bool Raster_HasPngExtension(const char* path) {
  if (!path) return false;
  const char* tail = ExtensionOf(path);
  const char* expected = ".png";
  for (int i = 0; i < 4; ++i) {
    char c = tail[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != expected[i]) return false;
  }
  return tail[4] == '\0';
}

Raster_MemBitmap* Raster_ReadPngMemory(const void* data, int size) {
  if (!data || size < 8 || std::memcmp(data, kSignature, sizeof(kSignature)) != 0) return nullptr;
  RasterPng::PngMemoryReader reader{static_cast<const unsigned char*>(data), size};
  return RasterPng::Decode(nullptr, &reader, nullptr);
}

Raster_MemBitmap* Raster_ReadPngFile(const char* path, Raster_MemBitmap* into) {
  if (!path) return nullptr;
  std::FILE* file = OpenUtf8File(path, "rb");
  if (!file) return nullptr;
  Raster_MemBitmap* image = RasterPng::Decode(file, nullptr, into);
  std::fclose(file);
  return image;
}

Raster_MemBitmap* Raster_PngFileLoader(const char* path, bool checkExtension,
                                       Raster_MemBitmap* into) {
  if (!path) return nullptr;
  if (checkExtension && !Raster_HasPngExtension(path)) return nullptr;
  return Raster_ReadPngFile(path, into);
}

const char* Raster_PngFileDescription() {
  return "PNG files (*.PNG)\0*.PNG\0";
}
