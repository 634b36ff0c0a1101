#include "png_writer.h"

#include <png.h>
#include <zlib.h>

#include <cstdio>

namespace {

void Append(png_structp png, png_bytep data, size_t size) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + size);
}

}  // namespace

std::vector<uint8_t> WritePng(int width, int height, int colourType, int bitDepth,
                              const std::vector<uint8_t>& rows, const std::vector<uint8_t>& palette,
                              const std::vector<uint8_t>& transparency, bool interlaced) {
  std::vector<uint8_t> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return {};
  }
  png_set_write_fn(png, &out, Append, nullptr);
  png_set_IHDR(png, info, width, height, bitDepth, colourType,
               interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  std::vector<png_color> entries;
  for (size_t i = 0; i + 2 < palette.size(); i += 3) {
    entries.push_back({palette[i], palette[i + 1], palette[i + 2]});
  }
  if (!entries.empty()) png_set_PLTE(png, info, entries.data(), static_cast<int>(entries.size()));
  if (colourType == PNG_COLOR_TYPE_PALETTE && !transparency.empty()) {
    png_set_tRNS(png, info, transparency.data(), static_cast<int>(transparency.size()), nullptr);
  } else if (!transparency.empty()) {  // grey: one 16-bit value; RGB: three
    auto value = [&](size_t i) {
      return static_cast<png_uint_16>(transparency[i] << 8 | transparency[i + 1]);
    };
    const bool rgb = transparency.size() >= 6;
    png_color_16 colour = {0, value(0), rgb ? value(2) : png_uint_16(0),
                           rgb ? value(4) : png_uint_16(0), value(0)};
    png_set_tRNS(png, info, nullptr, 1, &colour);
  }
  png_write_info(png, info);
  std::vector<png_bytep> rowPointers;
  for (int y = 0; y < height; ++y) {
    rowPointers.push_back(const_cast<png_bytep>(rows.data()) + rows.size() / height * y);
  }
  png_write_image(png, rowPointers.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

std::vector<uint8_t> PngChunk(const std::string& type, const std::vector<uint8_t>& data) {
  const uint32_t length = static_cast<uint32_t>(data.size());
  std::vector<uint8_t> chunk = {uint8_t(length >> 24), uint8_t(length >> 16), uint8_t(length >> 8),
                                uint8_t(length)};
  for (char c : type)
    chunk.push_back(static_cast<uint8_t>(c));
  chunk.insert(chunk.end(), data.begin(), data.end());
  const uint32_t crc =
      static_cast<uint32_t>(crc32(0L, chunk.data() + 4, static_cast<uInt>(chunk.size() - 4)));
  for (int shift = 24; shift >= 0; shift -= 8)
    chunk.push_back(static_cast<uint8_t>(crc >> shift));
  return chunk;
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}
