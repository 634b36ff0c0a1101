// The harness's pixel read-back, comparison and PNG files.
#include <cstdio>

#include <png.h>

#include "editor_harness.h"
#include "raster/bitmap.h"

namespace EditorHarness {

Pixels ReadWindowPixels(HWND window) {
  Pixels pixels;
  RECT client;
  if (!window || !GetClientRect(window, &client)) return pixels;
  const int w = client.right;
  const int h = client.bottom;
  HDC screen = GetDC(window);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP section = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (section && bits) {
    HGDIOBJ previous = SelectObject(memory, section);
    BitBlt(memory, 0, 0, w, h, screen, 0, 0, SRCCOPY);
    GdiFlush();
    pixels.width = w;
    pixels.height = h;
    const auto* source = static_cast<const uint32_t*>(bits);
    pixels.argb.assign(source, source + static_cast<size_t>(w) * h);
    for (uint32_t& p : pixels.argb)
      p |= 0xFF000000u;
    SelectObject(memory, previous);
  }
  if (section) DeleteObject(section);
  DeleteDC(memory);
  ReleaseDC(window, screen);
  return pixels;
}

Pixels ReadBitmapPixels(Raster_IBitmap* bitmap, int width, int height) {
  Pixels pixels;
  if (!bitmap || !bitmap->Bits() || width > bitmap->Width() || height > bitmap->Height())
    return pixels;
  pixels.width = width;
  pixels.height = height;
  pixels.argb.resize(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    const int row = bitmap->IsFlipped() ? bitmap->Height() - 1 - y : y;
    const uint32_t* source = bitmap->Bits() + static_cast<size_t>(row) * bitmap->RowSpan();
    for (int x = 0; x < width; ++x)
      pixels.argb[static_cast<size_t>(y) * width + x] = source[x];
  }
  return pixels;
}

int CountRgbDifferences(const Pixels& a, const Pixels& b) {
  if (a.width != b.width || a.height != b.height) return a.width * a.height + b.width * b.height;
  int differences = 0;
  for (size_t i = 0; i < a.argb.size(); ++i)
    differences += ((a.argb[i] ^ b.argb[i]) & 0xFFFFFFu) != 0;
  return differences;
}

namespace {

// Encodes 8-bit RGB rows into an open file; false when libpng fails.
bool EncodeRgbPng(std::FILE* file, int width, int height, png_bytep* rows) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_write_image(png, rows);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

bool WritePixelsPng(const std::string& path, const Pixels& pixels) {
  if (pixels.width <= 0 || pixels.height <= 0) return false;
  std::vector<uint8_t> rows;
  rows.reserve(pixels.argb.size() * 3);
  for (uint32_t p : pixels.argb) {
    rows.push_back(static_cast<uint8_t>(p >> 16));
    rows.push_back(static_cast<uint8_t>(p >> 8));
    rows.push_back(static_cast<uint8_t>(p));
  }
  std::vector<png_bytep> rowPointers;
  for (int y = 0; y < pixels.height; ++y)
    rowPointers.push_back(rows.data() + static_cast<size_t>(y) * pixels.width * 3);
  const int units = MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, nullptr, 0);
  if (units <= 0) return false;
  std::wstring widePath(static_cast<size_t>(units), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, &widePath[0], units);
  std::FILE* file = _wfopen(widePath.c_str(), L"wb");
  if (!file) return false;
  const bool encoded = EncodeRgbPng(file, pixels.width, pixels.height, rowPointers.data());
  return std::fclose(file) == 0 && encoded;
}

}  // namespace EditorHarness
