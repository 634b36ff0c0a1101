// PNG images from the test program's own resources, and from a file whose name is not ASCII.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "raster/png_image.h"
#include "raster_test_support.h"

namespace {

// The embedded image: 3 x 2, pixel (x, y) red 100 + 50 x, green 60 y, blue 7, alpha 255 - 100 x.
uint32_t ResourcePixel(int x, int y) {
  return static_cast<uint32_t>(255 - 100 * x) << 24 | static_cast<uint32_t>(100 + 50 * x) << 16 |
         static_cast<uint32_t>(60 * y) << 8 | 7u;
}

TEST(PngResource, DecodesTheEmbeddedImageByItsIdAndFromAUtf8Path) {
  HMODULE self = GetModuleHandleW(nullptr);
  for (int id : {101, 101 | 0x50000}) {  // the id's low 16 bits name the resource
    std::unique_ptr<Raster_MemBitmap> image(Raster_LoadPngResource(self, id));
    ASSERT_NE(image, nullptr) << id;
    ASSERT_EQ(image->Width() * 10 + image->Height(), 32);
    for (int i = 0; i < 6; ++i)
      EXPECT_EQ(PixelAt(image.get(), i % 3, i / 3), ResourcePixel(i % 3, i / 3));
  }
  EXPECT_EQ(Raster_LoadPngResource(self, 102), nullptr);

  HRSRC resource = FindResourceA(self, MAKEINTRESOURCEA(101), "PNG");
  const void* bytes = LockResource(LoadResource(self, resource));
  wchar_t folder[MAX_PATH];
  ASSERT_GT(GetTempPathW(MAX_PATH, folder), 0u);
  const std::wstring path = std::wstring(folder) + L"tovalune \u00e9\u4e2d\u6587.png";
  std::FILE* file = _wfopen(path.c_str(), L"wb");
  ASSERT_NE(file, nullptr);
  std::fwrite(bytes, 1, SizeofResource(self, resource), file);
  std::fclose(file);
  char utf8[4 * MAX_PATH];
  ASSERT_GT(WideCharToMultiByte(CP_UTF8, 0, path.c_str(), -1, utf8, sizeof(utf8), nullptr, nullptr),
            0);
  std::unique_ptr<Raster_MemBitmap> image(Raster_PngFileLoader(utf8, true, nullptr));
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(PixelAt(image.get(), 2, 1), ResourcePixel(2, 1));
  _wremove(path.c_str());
}

}  // namespace
