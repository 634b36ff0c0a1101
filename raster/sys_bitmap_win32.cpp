#include <windows.h>

#include <cstdint>

#include "raster/sys_bitmap.h"

namespace {

HDC Dc(RasterDeviceContext context) {
  return static_cast<HDC>(context);
}

}  // namespace

Raster_SysBitmap::Raster_SysBitmap(int w, int h) {
  deviceContext = CreateCompatibleDC(nullptr);
  Resize(w, h);
}

Raster_SysBitmap::~Raster_SysBitmap() {
  ReleaseSection();
  if (deviceContext) DeleteDC(Dc(deviceContext));
}

void Raster_SysBitmap::ReleaseSection() {
  if (section) {
    if (previousObject) SelectObject(Dc(deviceContext), static_cast<HGDIOBJ>(previousObject));
    DeleteObject(static_cast<HBITMAP>(section));
  }
  section = nullptr;
  previousObject = nullptr;
  bits = nullptr;
}

bool Raster_SysBitmap::Resize(int w, int h) {
  if (!deviceContext) {
    width = height = 0;
    bits = nullptr;
    return false;
  }
  if (w <= 0 || h <= 0) {
    // An empty size frees the section; negative sizes are empty too.
    ReleaseSection();
    allocatedWidth = allocatedHeight = 0;
    width = height = 0;
    return false;
  }
  if (w == width && h == height) return false;
  width = w;
  height = h;
  if (w <= allocatedWidth && h <= allocatedHeight && bits) return true;

  const int64_t rounded = (int64_t{w} + 3) & ~int64_t{3};
  ReleaseSection();
  allocatedWidth = allocatedHeight = 0;
  if (rounded * h * 4 > INT32_MAX) {
    width = height = 0;
    return true;
  }
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = static_cast<LONG>(rounded);
  info.bmiHeader.biHeight = -h;  // negative: rows top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* pixels = nullptr;
  HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
  if (!dib || !pixels) {
    if (dib) DeleteObject(dib);
    width = height = 0;
    return true;
  }
  section = dib;
  bits = static_cast<uint32_t*>(pixels);
  allocatedWidth = static_cast<int>(rounded);
  allocatedHeight = h;
  previousObject = SelectObject(Dc(deviceContext), dib);
  return true;
}
