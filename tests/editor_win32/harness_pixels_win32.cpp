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

bool WritePixelsPng(const std::string& path, const Pixels& pixels) {
  wchar_t widePath[MAX_PATH] = {};
  if (pixels.width <= 0 || pixels.height <= 0 ||
      !MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, widePath, MAX_PATH))
    return false;
  std::vector<uint32_t> opaque(pixels.argb);
  for (uint32_t& p : opaque)
    p |= 0xFF000000u;
  png_image image = {};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(pixels.width);
  image.height = static_cast<png_uint_32>(pixels.height);
  image.format = PNG_FORMAT_BGRA;  // 0xAARRGGBB in memory, low byte first
  std::FILE* file = _wfopen(widePath, L"wb");
  if (!file) return false;
  const bool written = png_image_write_to_stdio(&image, file, 0, opaque.data(), 0, nullptr) != 0;
  return std::fclose(file) == 0 && written;
}

}  // namespace EditorHarness
