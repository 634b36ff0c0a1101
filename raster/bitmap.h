#pragma once

#include <cstdint>

// Handles of the platform's drawing objects, kept opaque so that portable code never sees the
// platform headers: a device context, a font and a module (the library whose resources hold the
// images). The platform files convert them back.
using RasterDeviceContext = void*;
using RasterFontHandle = void*;
using RasterModuleHandle = void*;

// A 32-bit image. Pixels are 0xAARRGGBB words, not premultiplied; in memory the bytes of a pixel
// are blue, green, red, alpha. Row y starts at Bits() + y * RowSpan() (RowSpan counts pixels and
// may exceed Width()). A bitmap whose IsFlipped() answers true keeps its rows bottom-up: row y
// then starts at Bits() + (Height() - 1 - y) * RowSpan(). Every drawing operation honours that.
// A bitmap is used by one thread at a time.
class Raster_IBitmap {
 public:
  // Owner's thread; frees the pixels.
  virtual ~Raster_IBitmap() = default;

  // First pixel of memory row 0, or null when there are no pixels. Any thread; allocates nothing.
  virtual uint32_t* Bits() = 0;
  // Any thread; allocates nothing (as every accessor below).
  virtual int Width() = 0;
  virtual int Height() = 0;
  // Pixels from one row start to the next.
  virtual int RowSpan() = 0;
  virtual bool IsFlipped() { return false; }

  // Changes the size; true when it changed. Pixel values afterwards are unspecified.
  // Owner's thread; may allocate.
  virtual bool Resize(int w, int h) = 0;

  // A device context that draws into the same pixels, or null. Owner's thread.
  virtual RasterDeviceContext DeviceContext() { return nullptr; }

  // A query hook; every bitmap of this library answers 0. Text drawing asks it with
  // kRasterCachedTextQuery: a non-zero answer keeps text off the platform's text path.
  virtual intptr_t Extended(int id, void* data) {
    (void)id;
    (void)data;
    return 0;
  }
};

// The id of the query that keeps text drawing on the cached path for a bitmap that answers it.
constexpr int kRasterCachedTextQuery = 0x59555678;

// A bitmap in a heap block. Row 0 starts on a 64-byte boundary and rows are padded to a multiple
// of 4 pixels. The block never shrinks and grows by a quarter more than asked, so repeated
// resizing seldom reallocates. Sizes whose byte count would not fit (or any w or h <= 0) leave
// the bitmap empty: 0 x 0 without pixels.
class Raster_MemBitmap : public Raster_IBitmap {
 public:
  // Empty unless w > 0 and h > 0, then Resize(w, h). Owner's thread; may allocate.
  Raster_MemBitmap(int w = 0, int h = 0);
  // Owner's thread; frees the block.
  ~Raster_MemBitmap() override;

  Raster_MemBitmap(const Raster_MemBitmap&) = delete;
  Raster_MemBitmap& operator=(const Raster_MemBitmap&) = delete;

  uint32_t* Bits() override;
  int Width() override { return width; }
  int Height() override { return height; }
  int RowSpan() override { return (width + kRowAlignMask) & ~kRowAlignMask; }
  // Same size: false. Otherwise true, also when the bitmap ended up empty (callers compare
  // Width() and Height() with what they asked for). Owner's thread; may allocate.
  bool Resize(int w, int h) override;

  // Usable bytes of the block (not counting the alignment reserve). Any thread; no allocation.
  int AllocatedBytes() const { return allocated; }

 private:
  static constexpr int kRowAlignMask = 3;

  void Release();

  unsigned char* buffer = nullptr;
  int width = 0;
  int height = 0;
  int allocated = 0;
};
