// PNG images from the test program's own resources, and from a file whose name is not ASCII.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "raster/png_image.h"
#include "raster_test_support.h"

namespace {

uint32_t ResourcePixel(int x, int y) {
  return static_cast<uint32_t>(255 - 100 * x) << 24 | static_cast<uint32_t>(100 + 50 * x) << 16 |
         static_cast<uint32_t>(60 * y) << 8 | 7u;
}

TEST(PngResource, DecodesTheEmbeddedImageByItsId) {
  HMODULE self = GetModuleHandleW(nullptr);
  // The id's low 16 bits name the resource.
  for (int id : {101, 101 | 0x50000}) {
    std::unique_ptr<Raster_MemBitmap> image(Raster_LoadPngResource(self, id));
    ASSERT_NE(image, nullptr) << id;
    ASSERT_EQ(image->Width(), 3);
    ASSERT_EQ(image->Height(), 2);
    for (int y = 0; y < 2; ++y) {
      for (int x = 0; x < 3; ++x)
        EXPECT_EQ(PixelAt(image.get(), x, y), ResourcePixel(x, y));
    }
  }
  EXPECT_EQ(Raster_LoadPngResource(self, 102), nullptr);
}

TEST(PngResource, FilePathsAreUtf8) {
  HMODULE self = GetModuleHandleW(nullptr);
  HRSRC resource = FindResourceA(self, MAKEINTRESOURCEA(101), "PNG");
  ASSERT_NE(resource, nullptr);
  const auto* bytes = static_cast<const unsigned char*>(LockResource(LoadResource(self, resource)));
  const std::vector<unsigned char> png(bytes, bytes + SizeofResource(self, resource));

  wchar_t folder[MAX_PATH];
  ASSERT_GT(GetTempPathW(MAX_PATH, folder), 0u);
  const std::wstring path = std::wstring(folder) + L"tovalune \u00e9\u4e2d\u6587.png";
  std::FILE* file = _wfopen(path.c_str(), L"wb");
  ASSERT_NE(file, nullptr);
  std::fwrite(png.data(), 1, png.size(), file);
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
