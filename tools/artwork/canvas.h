// A drawing surface for one picture: a cairo image surface whose user space is the picture's
// single-scale pixels, so the same drawing code yields the single- and double-scale pictures.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

class Canvas {
 public:
  // width and height in single-scale pixels; scale 1 or 2.
  Canvas(int width, int height, int scale);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  cairo_t* Context() const { return cr; }
  cairo_surface_t* Surface() const { return surface; }
  int Scale() const { return scale; }
  int PixelWidth() const { return width * scale; }
  int PixelHeight() const { return height * scale; }
  bool Ok() const;

  // Straight (not premultiplied) 8-bit RGBA rows, top to bottom.
  std::vector<std::uint8_t> StraightRgba() const;
  // Writes an 8-bit RGBA, non-interlaced PNG with no time or text chunks; false on failure.
  bool WritePng(const std::string& path) const;

 private:
  int width;
  int height;
  int scale;
  cairo_surface_t* surface;
  cairo_t* cr;
};
