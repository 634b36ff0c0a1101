#include <cstdint>
#include <cstdlib>
#include <limits>

#include "raster/bitmap.h"

namespace {

constexpr int64_t kAlignReserve = 63;  // spare bytes that let row 0 start on a 64-byte boundary
constexpr int64_t kMaxBytes = std::numeric_limits<int32_t>::max() - kAlignReserve;

}  // namespace

Raster_MemBitmap::Raster_MemBitmap(int w, int h) {
  if (w > 0 && h > 0) Resize(w, h);
}

Raster_MemBitmap::~Raster_MemBitmap() {
  Release();
}

void Raster_MemBitmap::Release() {
  std::free(buffer);
  buffer = nullptr;
  allocated = 0;
}

uint32_t* Raster_MemBitmap::Bits() {
  if (!buffer) return nullptr;
  const uintptr_t aligned = (reinterpret_cast<uintptr_t>(buffer) + kAlignReserve) &
                            ~static_cast<uintptr_t>(kAlignReserve);
  return reinterpret_cast<uint32_t*>(aligned);
}

bool Raster_MemBitmap::Resize(int w, int h) {
  if (w == width && h == height) return false;
  width = w;
  height = h;
  // 64-bit sizes: a product that does not fit is refused instead of wrapping to a small block.
  const int64_t span = (int64_t{w} + kRowAlignMask) & ~int64_t{kRowAlignMask};
  const int64_t bytes = int64_t{h} * span * 4;
  if (w > 0 && h > 0 && bytes <= kMaxBytes) {
    if (!buffer) {
      buffer = static_cast<unsigned char*>(std::malloc(static_cast<size_t>(bytes + kAlignReserve)));
      allocated = buffer ? static_cast<int>(bytes) : 0;
    } else if (allocated < bytes) {
      int64_t roomy = bytes * 5 / 4;
      if (roomy > kMaxBytes) roomy = bytes;
      void* grown = std::realloc(buffer, static_cast<size_t>(roomy + kAlignReserve));
      if (grown) {
        buffer = static_cast<unsigned char*>(grown);
        allocated = static_cast<int>(roomy);
      } else {
        Release();
        buffer =
            static_cast<unsigned char*>(std::malloc(static_cast<size_t>(bytes + kAlignReserve)));
        allocated = buffer ? static_cast<int>(bytes) : 0;
      }
    }
  } else {
    Release();
  }
  if (!buffer) {
    width = 0;
    height = 0;
  }
  return true;
}
