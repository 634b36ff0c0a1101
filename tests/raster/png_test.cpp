// PNG decoding from memory and files: the colour types and depths, the byte order of the
// result, and every way an image can be bad.
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
PngPicture RgbPicture(bool interlaced) {
  PngPicture picture = Picture(5, 3, PNG_COLOR_TYPE_RGB, 8, {}, {}, {}, interlaced);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x)
      picture.rows.insert(picture.rows.end(), {uint8_t(40 * x), uint8_t(80 * y), uint8_t(x + y)});
  }
  return picture;
}

uint32_t RgbPixel(int x, int y) {
  return 0xFF000000u | (40u * x) << 16 | (80u * y) << 8 | static_cast<uint32_t>(x + y);
}

std::string TempPath(const std::string& name) {
  return ::testing::TempDir() + name;
}

TEST(Png, ColourTypesDecodeToStraightArgb) {
  struct Case {
    const char* what;
    PngPicture picture;
    uint32_t first, last;
  };
  const Case cases[] = {
      {"grey 8", Picture(1, 1, PNG_COLOR_TYPE_GRAY, 8, {0x80}), 0xFF808080, 0xFF808080},
      {"grey 1", Picture(2, 1, PNG_COLOR_TYPE_GRAY, 1, {0x40}), 0xFF000000, 0xFFFFFFFF},
      {"grey 4 with tRNS", Picture(2, 1, PNG_COLOR_TYPE_GRAY, 4, {0x3F}, {}, {0, 3}), 0x00333333,
       0xFFFFFFFF},
      {"grey alpha", Picture(1, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, {0x20, 0x90}), 0x90202020,
       0x90202020},
      {"palette with tRNS",
       Picture(2, 1, PNG_COLOR_TYPE_PALETTE, 8, {0, 1}, {10, 20, 30, 40, 50, 60}, {0}), 0x000A141E,
       0xFF28323C},
      {"palette 2-bit",
       Picture(3, 1, PNG_COLOR_TYPE_PALETTE, 2, {0x18}, {1, 2, 3, 4, 5, 6, 7, 8, 9}), 0xFF010203,
       0xFF070809},
      {"rgba 16",
       Picture(1, 1, PNG_COLOR_TYPE_RGBA, 16, {0x12, 0xFF, 0x34, 0x00, 0x56, 0x11, 0x78, 0x99}),
       0x78123456, 0x78123456},
      {"rgb 16 with tRNS",
       Picture(2, 1, PNG_COLOR_TYPE_RGB, 16, {1, 0, 2, 0, 3, 0, 9, 9, 9, 9, 9, 9}, {},
               {1, 0, 2, 0, 3, 0}),
       0x00010203, 0xFF090909},
  };
  for (const Case& c : cases) {
    auto image = Decode(WritePng(c.picture));
    ASSERT_NE(image, nullptr) << c.what;
    EXPECT_EQ(image->Width(), c.picture.width);
    EXPECT_EQ(image->Height(), c.picture.height);
    EXPECT_EQ(PixelAt(image.get(), 0, 0), c.first) << c.what;
    EXPECT_EQ(PixelAt(image.get(), c.picture.width - 1, 0), c.last) << c.what;
  }
}

TEST(Png, InterlacedAndPlainImagesGiveTheSamePixels) {
  for (bool interlaced : {false, true}) {
    auto image = Decode(WritePng(RgbPicture(interlaced)));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->RowSpan(), 8);
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < 5; ++x)
        EXPECT_EQ(PixelAt(image.get(), x, y), RgbPixel(x, y)) << interlaced;
    }
  }
}

TEST(Png, BadImagesGiveNullWithoutTouchingMore) {
  const std::vector<uint8_t> good = WritePng(RgbPicture(false));
  EXPECT_EQ(Raster_ReadPngMemory(good.data(), 7), nullptr);
  EXPECT_EQ(Raster_ReadPngMemory(nullptr, 100), nullptr);
  std::vector<uint8_t> signature = good;
  signature[1] = 'Q';
  EXPECT_EQ(Decode(signature), nullptr);
  std::vector<uint8_t> crc = good;
  crc[20] ^= 0x01;  // inside IHDR's data: its CRC no longer matches
  EXPECT_EQ(Decode(crc), nullptr);
  // Cut inside the image data, or just after the header: null, and nothing left allocated.
  for (size_t keep : {good.size() - 20, size_t{45}, size_t{33}, size_t{8}}) {
    const std::vector<uint8_t> cut(good.begin(), good.begin() + static_cast<long>(keep));
    EXPECT_EQ(Decode(cut), nullptr) << keep;
  }
  // A header whose byte count wraps in 32 bits (65536 x 16385 x 4), sides past the limit, a side
  // of 0: refused before anything is allocated, from a few hundred bytes.
  for (auto size : {std::pair<uint32_t, uint32_t>{65536, 16385}, {16385, 1}, {1, 16385}, {0, 5}}) {
    std::vector<uint8_t> bytes = PngHeader(size.first, size.second);
    const std::vector<uint8_t> data = PngChunk("IDAT", std::vector<uint8_t>(300, 0));
    bytes.insert(bytes.end(), data.begin(), data.end());
    EXPECT_EQ(Decode(bytes), nullptr) << size.first << " x " << size.second;
  }
}

TEST(Png, FilesDecodeIntoTheCallersBitmapAndFailuresKeepIt) {
  const std::string path = TempPath("tovalune raster image.png");
  ASSERT_TRUE(WriteFile(path, WritePng(RgbPicture(false))));
  Raster_MemBitmap into(5, 3);
  FillWith(&into, 0);
  for (int y = 0; y < 3; ++y) {
    for (int x = 5; x < 8; ++x)
      into.Bits()[y * 8 + x] = 0xDEADBEEF;
  }
  EXPECT_EQ(Raster_ReadPngFile(path.c_str(), &into), &into);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x)
      EXPECT_EQ(PixelAt(&into, x, y), RgbPixel(x, y));
    for (int x = 5; x < 8; ++x)
      EXPECT_EQ(into.Bits()[y * 8 + x], 0xDEADBEEFu);  // not written
  }
  std::unique_ptr<Raster_MemBitmap> fresh(Raster_ReadPngFile(path.c_str(), nullptr));
  ASSERT_NE(fresh, nullptr);
  EXPECT_EQ(PixelAt(fresh.get(), 4, 2), RgbPixel(4, 2));

  // A truncated file fails; the caller's bitmap stays the caller's, usable at its size.
  const std::vector<uint8_t> good = WritePng(RgbPicture(false));
  const std::string cutPath = TempPath("tovalune raster cut.png");
  ASSERT_TRUE(WriteFile(cutPath, std::vector<uint8_t>(good.begin(), good.end() - 20)));
  EXPECT_EQ(Raster_ReadPngFile(cutPath.c_str(), &into), nullptr);
  FillWith(&into, 0x01020304);
  EXPECT_EQ(PixelAt(&into, into.Width() - 1, into.Height() - 1), 0x01020304u);
  EXPECT_EQ(Raster_ReadPngFile(TempPath("no such image.png").c_str(), nullptr), nullptr);
  EXPECT_EQ(Raster_ReadPngFile(nullptr, nullptr), nullptr);
  std::remove(cutPath.c_str());
  std::remove(path.c_str());
}

TEST(Png, FileLoaderChecksTheExtension) {
  const std::vector<uint8_t> png = WritePng(RgbPicture(false));
  const std::string upper = TempPath("loader.PNG"), jpg = TempPath("loader.jpg");
  ASSERT_TRUE(WriteFile(upper, png));
  ASSERT_TRUE(WriteFile(jpg, png));
  std::unique_ptr<Raster_MemBitmap> image(Raster_PngFileLoader(upper.c_str(), true, nullptr));
  EXPECT_NE(image, nullptr);
  EXPECT_EQ(Raster_PngFileLoader(jpg.c_str(), true, nullptr), nullptr);
  std::unique_ptr<Raster_MemBitmap> unchecked(Raster_PngFileLoader(jpg.c_str(), false, nullptr));
  EXPECT_NE(unchecked, nullptr);
  EXPECT_EQ(Raster_PngFileLoader("C:\\images.png\\picture", true, nullptr), nullptr);
  EXPECT_EQ(Raster_PngFileLoader("folder.png/picture", true, nullptr), nullptr);
  EXPECT_EQ(Raster_PngFileLoader("picture", true, nullptr), nullptr);
  const char* description = Raster_PngFileDescription();
  EXPECT_STREQ(description, "PNG files (*.PNG)");
  EXPECT_STREQ(description + std::strlen(description) + 1, "*.PNG");
  std::remove(upper.c_str());
  std::remove(jpg.c_str());
}

}  // namespace
