#include "raster/png_decode.h"

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstdlib>
#include <cstring>
#include <new>

#include "raster/blend_ops.h"

namespace {

// Large enough for every image of the editor (2000 x 2000 at the most, 7920 rows at the most).
constexpr png_uint_32 kMaxSide = 16384;

void ReadFromMemory(png_structp png, png_bytep out, size_t count) {
  auto* reader = static_cast<RasterPng::PngMemoryReader*>(png_get_io_ptr(png));
  // Reading past the end yields zeros, which the chunk checks then refuse.
  std::memset(out, 0, count);
  const size_t available = static_cast<size_t>(std::max<int32_t>(reader->remaining, 0));
  const size_t taken = std::min(count, available);
  if (taken > 0) std::memcpy(out, reader->next, taken);
  reader->next += taken;
  reader->remaining -= static_cast<int32_t>(taken);
}

// libpng's own handlers print; these only return control to the decoder or stay silent.
[[noreturn]] void JumpBack(png_structp png, png_const_charp) {
  png_longjmp(png, 1);
}
void IgnoreWarning(png_structp, png_const_charp) {}

// Asks for rows of 8-bit pixels with four channels in the byte order alpha, red, green, blue.
void RequestArgbRows(png_structp png, png_infop info) {
  png_uint_32 width = 0, height = 0;
  int depth = 0, colourType = 0;
  png_get_IHDR(png, info, &width, &height, &depth, &colourType, nullptr, nullptr, nullptr);
  if (colourType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (colourType == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(png);
  if (png_get_valid(png, info, PNG_INFO_tRNS)) {
    png_set_tRNS_to_alpha(png);
    colourType |= PNG_COLOR_MASK_ALPHA;
  }
  if (depth == 16) png_set_strip_16(png);
  if (depth < 8) png_set_packing(png);
  if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA) {
    png_set_gray_to_rgb(png);
  }
  if (colourType & PNG_COLOR_MASK_ALPHA) {
    png_set_swap_alpha(png);
  } else {
    png_set_filler(png, 0xFF, PNG_FILLER_BEFORE);
  }
}

// Rewrites the decoded bytes (alpha, red, green, blue) of the first width pixels of each row as
// 0xAARRGGBB words, in place.
void BytesToPixels(png_bytep* rows, int width, int height) {
  for (int y = 0; y < height; ++y) {
    png_bytep bytes = rows[y];
    uint32_t* pixel = reinterpret_cast<uint32_t*>(bytes);
    for (int x = 0; x < width; ++x, bytes += 4) {
      pixel[x] = (uint32_t{bytes[0]} << 24) | (uint32_t{bytes[1]} << 16) |
                 (uint32_t{bytes[2]} << 8) | uint32_t{bytes[3]};
    }
  }
}

}  // namespace

namespace RasterPng {

// libpng reports errors by a long jump back here. Nothing with a destructor lives across it,
// and what changes after the jump point is volatile.
Raster_MemBitmap* Decode(std::FILE* file, PngMemoryReader* memory, Raster_MemBitmap* into) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, JumpBack, IgnoreWarning);
  if (!png) return nullptr;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return nullptr;
  }
  Raster_MemBitmap* volatile created = nullptr;
  png_bytep* volatile rows = nullptr;
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    delete created;
    std::free(rows);
    return nullptr;
  }

  png_set_user_limits(png, kMaxSide, kMaxSide);
  if (file) {
    png_init_io(png, file);
  } else {
    png_set_read_fn(png, memory, ReadFromMemory);
  }
  png_read_info(png, info);
  const int width = static_cast<int>(png_get_image_width(png, info));
  const int height = static_cast<int>(png_get_image_height(png, info));
  RequestArgbRows(png, info);

  Raster_MemBitmap* target = into;
  if (target) {
    target->Resize(width, height);
  } else {
    target = created = new (std::nothrow) Raster_MemBitmap(width, height);
  }
  if (target && target->Width() == width && target->Height() == height) {
    rows = static_cast<png_bytep*>(std::malloc(sizeof(png_bytep) * static_cast<size_t>(height)));
  }
  if (!rows) png_error(png, "no memory for the image");
  for (int y = 0; y < height; ++y) {
    rows[y] = reinterpret_cast<png_bytep>(RasterBlend::RowAt(target, 0, y).pixel);
  }
  png_read_image(png, rows);
  png_destroy_read_struct(&png, &info, nullptr);

  BytesToPixels(rows, width, height);
  std::free(rows);
  return target;
}

}  // namespace RasterPng
