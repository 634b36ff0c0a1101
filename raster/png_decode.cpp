#include "raster/png_decode.h"

#include <png.h>

#include <csetjmp>
#include <cstdlib>
#include <cstring>
#include <new>

#include "raster/blend_ops.h"

namespace {

// Large enough for every image of the editor (2000 x 2000 at the most, 7920 rows at the most).
constexpr png_uint_32 kMaxSide = 16384;
// The chunks the decoder reads (header, palette, transparency) need a few hundred bytes and the
// image data is read in small pieces; no chunk may make libpng allocate more than this.
constexpr png_alloc_size_t kMaxChunkAllocation = 1 << 20;

void ReadFromMemory(png_structp png, png_bytep out, size_t count) {
  auto* reader = static_cast<RasterPng::PngMemoryReader*>(png_get_io_ptr(png));
  // A chunk that claims more bytes than there are ends the decode at once.
  if (reader->remaining < 0 || count > static_cast<size_t>(reader->remaining)) {
    png_error(png, "read past the end of the data");
  }
  std::memcpy(out, reader->next, count);
  reader->next += count;
  reader->remaining -= static_cast<int32_t>(count);
}

// libpng's own handlers print; these only return control to the decoder or stay silent.
[[noreturn]] void JumpBack(png_structp png, png_const_charp) {
  png_longjmp(png, 1);
}
void IgnoreWarning(png_structp, png_const_charp) {}

// Asks for rows of 8-bit pixels with four channels in the byte order alpha, red, green, blue,
// and refuses an image whose rows would come otherwise.
void RequestArgbRows(png_structp png, png_infop info) {
  png_uint_32 width = 0, height = 0;
  int depth = 0, colourType = 0;
  png_get_IHDR(png, info, &width, &height, &depth, &colourType, nullptr, nullptr, nullptr);
  if (colourType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (colourType == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(png);
  if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
  if (depth == 16) png_set_strip_16(png);
  if (depth < 8) png_set_packing(png);
  if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA) {
    png_set_gray_to_rgb(png);
  }
  // libpng puts the filler only into rows without alpha and swaps only rows with alpha, so the
  // rows come as 4-byte pixels whether or not it keeps the tRNS (it drops one that comes
  // before a PLTE).
  png_set_filler(png, 0xFF, PNG_FILLER_BEFORE);
  png_set_swap_alpha(png);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  if (png_get_rowbytes(png, info) != 4 * static_cast<size_t>(png_get_image_width(png, info))) {
    png_error(png, "rows without 4-byte pixels");
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
  png_set_chunk_malloc_max(png, kMaxChunkAllocation);
  // Only the header, palette, transparency and image data are read; every other chunk is
  // skipped unread, whatever size it claims.
  png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
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
