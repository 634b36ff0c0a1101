// PNG decoding from memory and files: colour types and depths, the byte order of the result, and
// every way an image can be bad. The images are put together here chunk by chunk.
#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "raster/png_image.h"
#include "raster_test_support.h"

namespace {

using Bytes = std::vector<uint8_t>;

void Append32(Bytes* out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8)
    out->push_back(static_cast<uint8_t>(v >> shift));
}

Bytes Chunk(const char* type, const Bytes& data) {
  Bytes chunk, body(type, type + 4);
  body.insert(body.end(), data.begin(), data.end());
  Append32(&chunk, static_cast<uint32_t>(data.size()));
  chunk.insert(chunk.end(), body.begin(), body.end());
  Append32(&chunk, crc32(0, body.data(), static_cast<uInt>(body.size())));
  return chunk;
}

// An image from its stored rows (each starts with its filter byte, 0 here; an interlaced image
// gives the rows of its seven passes in turn), with extra chunks before the data.
Bytes Png(uint32_t w, uint32_t h, uint8_t depth, uint8_t type, const Bytes& rows,
          const std::vector<Bytes>& extra = {}, bool interlaced = false) {
  Bytes header, png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  Append32(&header, w);
  Append32(&header, h);
  header.insert(header.end(), {depth, type, 0, 0, interlaced});
  uLongf size = compressBound(rows.size());
  Bytes packed(size);
  compress(packed.data(), &size, rows.data(), rows.size());
  packed.resize(size);
  std::vector<Bytes> chunks = {Chunk("IHDR", header)};
  chunks.insert(chunks.end(), extra.begin(), extra.end());
  chunks.insert(chunks.end(), {Chunk("IDAT", packed), Chunk("IEND", {})});
  for (const Bytes& chunk : chunks)
    png.insert(png.end(), chunk.begin(), chunk.end());
  return png;
}

// A 5 x 3 RGB image whose pixel (x, y) is red 40 x, green 80 y, blue x + y.
Bytes RgbImage() {
  Bytes rows;
  for (int i = 0; i < 15; ++i) {
    if (i % 5 == 0) rows.push_back(0);
    rows.insert(rows.end(), {uint8_t(40 * (i % 5)), uint8_t(80 * (i / 5)), uint8_t(i % 5 + i / 5)});
  }
  return Png(5, 3, 8, PNG_COLOR_TYPE_RGB, rows);
}
uint32_t RgbPixel(int x, int y) {
  return 0xFF000000u | (40u * x) << 16 | (80u * y) << 8 | static_cast<uint32_t>(x + y);
}

Bytes Cut(Bytes bytes, size_t keep, size_t flip = 0) {
  bytes.resize(keep);
  if (flip) bytes[flip] ^= 0x01;
  return bytes;
}

// Each image decoded from a block of exactly its bytes (reading past them is caught): its first
// and last pixel of row 0, or null (0, 0) for an image that must be refused.
TEST(Png, DecodesEveryColourTypeAndRefusesBadImages) {
  const Bytes palette = {10, 20, 30, 40, 50, 60, 70, 80, 90}, good = RgbImage();
  const struct {
    const char* what;
    Bytes png;
    uint32_t first, last;
  } cases[] = {
      {"grey 8", Png(1, 1, 8, PNG_COLOR_TYPE_GRAY, {0, 0x80}), 0xFF808080, 0xFF808080},
      {"grey 1", Png(2, 1, 1, PNG_COLOR_TYPE_GRAY, {0, 0x40}), 0xFF000000, 0xFFFFFFFF},
      {"grey 4, tRNS", Png(2, 1, 4, PNG_COLOR_TYPE_GRAY, {0, 0x3F}, {Chunk("tRNS", {0, 3})}),
       0x00333333, 0xFFFFFFFF},
      {"grey alpha", Png(1, 1, 8, PNG_COLOR_TYPE_GRAY_ALPHA, {0, 0x20, 0x90}), 0x90202020,
       0x90202020},
      {"palette, tRNS",
       Png(2, 1, 8, PNG_COLOR_TYPE_PALETTE, {0, 0, 1},
           {Chunk("PLTE", palette), Chunk("tRNS", {0})}),
       0x000A141E, 0xFF28323C},
      {"palette 2", Png(3, 1, 2, PNG_COLOR_TYPE_PALETTE, {0, 0x18}, {Chunk("PLTE", palette)}),
       0xFF0A141E, 0xFF46505A},
      {"rgba 16", Png(1, 1, 16, PNG_COLOR_TYPE_RGBA, {0, 0x12, 0xFF, 0x34, 0, 0x56, 0x11, 0x78, 9}),
       0x78123456, 0x78123456},
      {"rgb 16, tRNS",
       Png(2, 1, 16, PNG_COLOR_TYPE_RGB, {0, 1, 0, 2, 0, 3, 0, 9, 9, 9, 9, 9, 9},
           {Chunk("tRNS", {1, 0, 2, 0, 3, 0})}),
       0x00010203, 0xFF090909},
      {"rgb 8, 5 wide", good, RgbPixel(0, 0), RgbPixel(4, 0)},
      // A tRNS before the PLTE is dropped: the pixels are opaque, every byte of them decoded.
      {"rgb, tRNS before PLTE",
       Png(2, 1, 8, PNG_COLOR_TYPE_RGB, {0, 1, 2, 3, 9, 9, 9},
           {Chunk("tRNS", {0, 1, 0, 2, 0, 3}), Chunk("PLTE", palette)}),
       0xFF010203, 0xFF090909},
      // Three pixels in passes 1, 4 and 6: the first, the last, the middle one.
      {"interlaced", Png(3, 1, 8, PNG_COLOR_TYPE_GRAY, {0, 0x10, 0, 0x30, 0, 0x20}, {}, true),
       0xFF101010, 0xFF303030},
      // 16384 pixels a side at the most.
      {"16384 wide", Png(16384, 1, 1, PNG_COLOR_TYPE_GRAY, Bytes(2049)), 0xFF000000, 0xFF000000},
      {"16385 wide", Png(16385, 1, 1, PNG_COLOR_TYPE_GRAY, Bytes(2050)), 0, 0},
      {"16385 tall", Png(1, 16385, 8, PNG_COLOR_TYPE_GRAY, Bytes(2 * 16385)), 0, 0},
      // Byte counts that wrap in 32 bits (65536 x 16385 x 4 is 262,144 then), or a side of 0.
      {"65536 x 16385", Png(65536, 16385, 8, PNG_COLOR_TYPE_RGBA, {}), 0, 0},
      {"0 wide", Png(0, 5, 8, PNG_COLOR_TYPE_RGBA, {}), 0, 0},
      {"bad signature", Cut(good, good.size(), 1), 0, 0},
      {"bad header CRC", Cut(good, good.size(), 20), 0, 0},
      {"cut in the data", Cut(good, good.size() - 20), 0, 0},
      {"cut in the header", Cut(good, 20), 0, 0},
      {"7 bytes", Cut(good, 7), 0, 0},
      // After the header, a tEXt claims 2^31 - 1 bytes that are not there.
      {"41 bytes, a 2 GB tEXt",
       Bytes{0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48,
             0x44, 0x52, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x08, 0x00, 0x00, 0x00,
             0x00, 0x3A, 0x7E, 0x9B, 0x55, 0x7F, 0xFF, 0xFF, 0xFF, 0x74, 0x45, 0x58, 0x74},
       0, 0},
  };
  testing::internal::CaptureStderr();  // whatever it meets, libpng prints nothing
  for (const auto& c : cases) {
    std::unique_ptr<uint8_t[]> block(new uint8_t[c.png.size()]);
    std::memcpy(block.get(), c.png.data(), c.png.size());
    std::unique_ptr<Raster_MemBitmap> image(
        Raster_ReadPngMemory(block.get(), static_cast<int>(c.png.size())));
    EXPECT_EQ(image != nullptr, c.first != 0) << c.what;
    if (!image || !c.first) continue;
    EXPECT_EQ(PixelAt(image.get(), 0, 0), c.first) << c.what;
    EXPECT_EQ(PixelAt(image.get(), image->Width() - 1, 0), c.last) << c.what;
  }
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST(Png, FilesDecodeIntoTheCallersBitmapAndFailuresKeepIt) {
  const std::string path = ::testing::TempDir() + "tovalune raster.PNG", cut = path + ".cut.png";
  const Bytes good = RgbImage();
  for (const auto& [name, size] : {std::pair{path, good.size()}, {cut, good.size() - 20}}) {
    std::FILE* file = std::fopen(name.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    ASSERT_EQ(std::fwrite(good.data(), 1, size, file), size);
    std::fclose(file);
  }
  Raster_MemBitmap into(5, 3);
  std::fill(into.Bits(), into.Bits() + 3 * 8, 0xDEADBEEF);
  EXPECT_EQ(Raster_PngFileLoader(path.c_str(), true, &into), &into);
  for (int i = 0; i < 24; ++i)  // row span 8: the padding stays
    EXPECT_EQ(into.Bits()[i], i % 8 < 5 ? RgbPixel(i % 8, i / 8) : 0xDEADBEEFu) << i;
  // A truncated file fails; the caller's bitmap stays the caller's, usable at its size.
  into.Resize(2, 2);
  EXPECT_EQ(Raster_ReadPngFile(cut.c_str(), &into), nullptr);
  FillWith(&into, 0x01020304);
  EXPECT_EQ(Raster_ReadPngFile((path + ".missing").c_str(), nullptr), nullptr);
  std::remove(path.c_str());
  std::remove(cut.c_str());
  // The loader wants ".png", in any case, as the extension of the last part of the path.
  EXPECT_EQ(Raster_PngFileLoader((path + ".jpg").c_str(), true, nullptr), nullptr);
  const std::pair<const char*, bool> names[] = {{"img/va_background_0001.png", true},
                                                {"C:\\Images\\KNOB.Png", true},
                                                {"a.png.jpg", false},
                                                {"a.pngx", false},
                                                {"png", false},
                                                {"folder.png/picture", false},
                                                {"C:\\images.png\\picture", false},
                                                {"", false},
                                                {nullptr, false}};
  for (const auto& [name, png] : names)
    EXPECT_EQ(Raster_HasPngExtension(name), png) << (name ? name : "(null)");
  const char* description = Raster_PngFileDescription();
  EXPECT_STREQ(description, "PNG files (*.PNG)");
  EXPECT_STREQ(description + std::strlen(description) + 1, "*.PNG");
}

}  // namespace
