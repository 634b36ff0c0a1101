#include "canvas.h"

#include <png.h>

#include <cstdio>

Canvas::Canvas(int width, int height, int scale) : width(width), height(height), scale(scale) {
  surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width * scale, height * scale);
  cr = cairo_create(surface);
  cairo_scale(cr, scale, scale);
}

Canvas::~Canvas() {
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
}

bool Canvas::Ok() const {
  return cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS &&
         cairo_status(cr) == CAIRO_STATUS_SUCCESS;
}

std::vector<std::uint8_t> Canvas::StraightRgba() const {
  cairo_surface_flush(surface);
  const int w = PixelWidth();
  const int h = PixelHeight();
  const int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  std::vector<std::uint8_t> rgba(static_cast<size_t>(w) * h * 4);
  for (int y = 0; y < h; ++y) {
    const auto* row =
        reinterpret_cast<const std::uint32_t*>(data + static_cast<size_t>(y) * stride);
    std::uint8_t* out = rgba.data() + static_cast<size_t>(y) * w * 4;
    for (int x = 0; x < w; ++x, out += 4) {
      const std::uint32_t pixel = row[x];
      const unsigned alpha = pixel >> 24;
      if (alpha == 0) continue;  // stays 0, 0, 0, 0
      // Undo cairo's premultiplication, rounding to nearest.
      for (int c = 0; c < 3; ++c) {
        const unsigned premultiplied = (pixel >> (16 - 8 * c)) & 0xFF;
        const unsigned straight = (premultiplied * 255 + alpha / 2) / alpha;
        out[c] = static_cast<std::uint8_t>(straight > 255 ? 255 : straight);
      }
      out[3] = static_cast<std::uint8_t>(alpha);
    }
  }
  return rgba;
}

bool Canvas::WritePng(const std::string& path) const {
  if (!Ok()) return false;
  const std::vector<std::uint8_t> rgba = StraightRgba();
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  volatile bool written = false;  // read after a libpng error jump
  if (info && setjmp(png_jmpbuf(png)) == 0) {
    png_init_io(png, file);
    png_set_IHDR(png, info, PixelWidth(), PixelHeight(), 8, PNG_COLOR_TYPE_RGB_ALPHA,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 6);
    png_write_info(png, info);
    for (int y = 0; y < PixelHeight(); ++y) {
      png_write_row(png, rgba.data() + static_cast<size_t>(y) * PixelWidth() * 4);
    }
    png_write_end(png, nullptr);
    written = true;
  }
  png_destroy_write_struct(&png, &info);
  return std::fclose(file) == 0 && written;
}
