#pragma once

#include "raster/bitmap.h"

// A device-independent bitmap section with its own memory device context (Windows only): the
// editor's back buffer and the font code's scratch bitmaps. GDI drawing through DeviceContext()
// reaches the same top-down pixels that Bits() exposes. Rows are padded to a multiple of 4 pixels;
// the section never shrinks, so a smaller size keeps the larger section and its row span.
class Raster_SysBitmap : public Raster_IBitmap {
 public:
  // Creates the device context, then Resize(w, h). Owner's thread; allocates.
  Raster_SysBitmap(int w, int h);
  // Owner's thread; frees the section and the device context.
  ~Raster_SysBitmap() override;

  Raster_SysBitmap(const Raster_SysBitmap&) = delete;
  Raster_SysBitmap& operator=(const Raster_SysBitmap&) = delete;

  uint32_t* Bits() override { return bits; }
  int Width() override { return width; }
  int Height() override { return height; }
  int RowSpan() override { return allocatedWidth; }
  // Same size or an empty size (w or h <= 0, which frees the section): false. A size that fits
  // the present section: true, the section stays. Otherwise a new section; true, also when it
  // could not be made (the bitmap is then 0 x 0). Owner's thread; may allocate.
  bool Resize(int w, int h) override;
  RasterDeviceContext DeviceContext() override { return deviceContext; }

 private:
  void ReleaseSection();

  int width = 0;
  int height = 0;
  RasterDeviceContext deviceContext = nullptr;
  uint32_t* bits = nullptr;
  int allocatedWidth = 0;
  int allocatedHeight = 0;
  void* section = nullptr;         // the HBITMAP
  void* previousObject = nullptr;  // what the device context held before the section
};
