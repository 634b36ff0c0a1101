// PNG decoding from memory and files: colour types and depths, the byte order of the result, and
// every way an image can be bad.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "png_writer.h"
#include "raster/png_image.h"
#include "raster_test_support.h"

namespace {

std::unique_ptr<Raster_MemBitmap> Decode(const std::vector<uint8_t>& bytes) {
  return std::unique_ptr<Raster_MemBitmap>(
      Raster_ReadPngMemory(bytes.data(), static_cast<int>(bytes.size())));
}

// A 5 x 3 RGB image whose pixel (x, y) is red 40 x, green 80 y, blue x + y.
std::vector<uint8_t> RgbImage(bool interlaced = false) {
  std::vector<uint8_t> rows;
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x)
      rows.insert(rows.end(), {uint8_t(40 * x), uint8_t(80 * y), uint8_t(x + y)});
  }
  return WritePng(5, 3, PNG_COLOR_TYPE_RGB, 8, rows, {}, {}, interlaced);
}
uint32_t RgbPixel(int x, int y) {
  return 0xFF000000u | (40u * x) << 16 | (80u * y) << 8 | static_cast<uint32_t>(x + y);
}

TEST(Png, ColourTypesDecodeToStraightArgb) {
  struct Case {
    const char* what;
    std::vector<uint8_t> png;
    uint32_t first, last;
  };
  const Case cases[] = {
      {"grey 8", WritePng(1, 1, PNG_COLOR_TYPE_GRAY, 8, {0x80}), 0xFF808080, 0xFF808080},
      {"grey 1", WritePng(2, 1, PNG_COLOR_TYPE_GRAY, 1, {0x40}), 0xFF000000, 0xFFFFFFFF},
      {"grey 4, tRNS", WritePng(2, 1, PNG_COLOR_TYPE_GRAY, 4, {0x3F}, {}, {0, 3}), 0x00333333,
       0xFFFFFFFF},
      {"grey alpha", WritePng(1, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, {0x20, 0x90}), 0x90202020,
       0x90202020},
      {"palette, tRNS",
       WritePng(2, 1, PNG_COLOR_TYPE_PALETTE, 8, {0, 1}, {10, 20, 30, 40, 50, 60}, {0}), 0x000A141E,
       0xFF28323C},
      {"palette 2", WritePng(3, 1, PNG_COLOR_TYPE_PALETTE, 2, {0x18}, {1, 2, 3, 4, 5, 6, 7, 8, 9}),
       0xFF010203, 0xFF070809},
      {"rgba 16",
       WritePng(1, 1, PNG_COLOR_TYPE_RGBA, 16, {0x12, 0xFF, 0x34, 0, 0x56, 0x11, 0x78, 0x99}),
       0x78123456, 0x78123456},
      {"rgb 16, tRNS",
       WritePng(2, 1, PNG_COLOR_TYPE_RGB, 16, {1, 0, 2, 0, 3, 0, 9, 9, 9, 9, 9, 9}, {},
                {1, 0, 2, 0, 3, 0}),
       0x00010203, 0xFF090909},
  };
  for (const Case& c : cases) {
    auto image = Decode(c.png);
    ASSERT_NE(image, nullptr) << c.what;
    EXPECT_EQ(PixelAt(image.get(), 0, 0), c.first) << c.what;
    EXPECT_EQ(PixelAt(image.get(), image->Width() - 1, 0), c.last) << c.what;
  }
  for (bool interlaced : {false, true}) {
    auto image = Decode(RgbImage(interlaced));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->RowSpan(), 8);
    for (int i = 0; i < 15; ++i)
      EXPECT_EQ(PixelAt(image.get(), i % 5, i / 5), RgbPixel(i % 5, i / 5));
  }
}

TEST(Png, BadImagesGiveNull) {
  const std::vector<uint8_t> good = RgbImage();
  EXPECT_EQ(Raster_ReadPngMemory(good.data(), 7), nullptr);
  std::vector<uint8_t> signature = good, crc = good;
  signature[1] = 'Q';
  crc[20] ^= 0x01;  // inside IHDR's data: its CRC no longer matches
  EXPECT_EQ(Decode(signature), nullptr);
  EXPECT_EQ(Decode(crc), nullptr);
  // Cut inside the image data or the header: null, and nothing left allocated.
  for (size_t keep : {good.size() - 20, size_t{45}, size_t{20}}) {
    EXPECT_EQ(Decode(std::vector<uint8_t>(good.begin(), good.begin() + keep)), nullptr) << keep;
  }
  // A header whose byte count wraps in 32 bits (65536 x 16385 x 4), sides past the limit, a side
  // of 0: refused before anything is allocated, from a few hundred bytes.
  for (auto size : {std::pair<uint32_t, uint32_t>{65536, 16385}, {16385, 1}, {1, 16385}, {0, 5}}) {
    std::vector<uint8_t> header(good.begin(), good.begin() + 8), fields;
    for (uint32_t v : {size.first, size.second})
      fields.insert(fields.end(),
                    {uint8_t(v >> 24), uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)});
    fields.insert(fields.end(), {8, PNG_COLOR_TYPE_RGBA, 0, 0, 0});
    for (const auto& chunk :
         {PngChunk("IHDR", fields), PngChunk("IDAT", std::vector<uint8_t>(300, 0))}) {
      header.insert(header.end(), chunk.begin(), chunk.end());
    }
    EXPECT_EQ(Decode(header), nullptr) << size.first << " x " << size.second;
  }
}

TEST(Png, FilesDecodeIntoTheCallersBitmapAndFailuresKeepIt) {
  const std::string path = ::testing::TempDir() + "tovalune raster.PNG", cut = path + ".cut.png";
  const std::vector<uint8_t> good = RgbImage();
  ASSERT_TRUE(WriteFile(path, good));
  ASSERT_TRUE(WriteFile(cut, std::vector<uint8_t>(good.begin(), good.end() - 20)));
  Raster_MemBitmap into(5, 3);
  FillWith(&into, 0);
  for (int y = 0; y < 3; ++y)
    std::fill(into.Bits() + y * 8 + 5, into.Bits() + y * 8 + 8, 0xDEADBEEF);
  EXPECT_EQ(Raster_PngFileLoader(path.c_str(), true, &into), &into);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x)
      EXPECT_EQ(PixelAt(&into, x, y), RgbPixel(x, y));
    for (int x = 5; x < 8; ++x)
      EXPECT_EQ(into.Bits()[y * 8 + x], 0xDEADBEEFu);  // not written
  }
  // A truncated file fails; the caller's bitmap stays the caller's, usable at its size.
  EXPECT_EQ(Raster_ReadPngFile(cut.c_str(), &into), nullptr);
  FillWith(&into, 0x01020304);
  EXPECT_EQ(Raster_ReadPngFile((path + ".missing").c_str(), nullptr), nullptr);
  // The loader wants ".png" in any case as the extension.
  EXPECT_EQ(Raster_PngFileLoader((path + ".jpg").c_str(), true, nullptr), nullptr);
  EXPECT_EQ(Raster_PngFileLoader("C:\\images.png\\picture", true, nullptr), nullptr);
  EXPECT_EQ(Raster_PngFileLoader("folder.png/picture", true, nullptr), nullptr);
  const char* description = Raster_PngFileDescription();
  EXPECT_STREQ(description + std::strlen(description) + 1, "*.PNG");
  std::remove(path.c_str());
  std::remove(cut.c_str());
}

}  // namespace
