#include "png_writer.h"

#include <png.h>
#include <zlib.h>

#include <cstdio>

namespace {

void Append(png_structp png, png_bytep data, size_t size) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + size);
}

void Flush(png_structp) {}

void PutUint32(std::vector<uint8_t>* out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8)
    out->push_back(static_cast<uint8_t>(v >> shift));
}

}  // namespace

std::vector<uint8_t> WritePng(const PngPicture& picture) {
  std::vector<uint8_t> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return {};
  }
  png_set_write_fn(png, &out, Append, Flush);
  png_set_IHDR(png, info, picture.width, picture.height, picture.bitDepth, picture.colourType,
               picture.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  std::vector<png_color> palette;
  for (size_t i = 0; i + 2 < picture.palette.size(); i += 3) {
    palette.push_back({picture.palette[i], picture.palette[i + 1], picture.palette[i + 2]});
  }
  if (!palette.empty()) png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
  if (!picture.transparency.empty()) {
    png_color_16 colour = {};
    const auto& t = picture.transparency;
    if (picture.colourType == PNG_COLOR_TYPE_GRAY)
      colour.gray = static_cast<png_uint_16>(t[0] << 8 | t[1]);
    if (picture.colourType == PNG_COLOR_TYPE_RGB) {
      colour.red = static_cast<png_uint_16>(t[0] << 8 | t[1]);
      colour.green = static_cast<png_uint_16>(t[2] << 8 | t[3]);
      colour.blue = static_cast<png_uint_16>(t[4] << 8 | t[5]);
    }
    if (picture.colourType == PNG_COLOR_TYPE_PALETTE) {
      png_set_tRNS(png, info, t.data(), static_cast<int>(t.size()), nullptr);
    } else {
      png_set_tRNS(png, info, nullptr, 1, &colour);
    }
  }
  png_write_info(png, info);
  const size_t stride = picture.rows.size() / static_cast<size_t>(picture.height);
  std::vector<png_bytep> rows;
  for (int y = 0; y < picture.height; ++y) {
    rows.push_back(const_cast<png_bytep>(picture.rows.data()) + stride * static_cast<size_t>(y));
  }
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

std::vector<uint8_t> PngChunk(const std::string& type, const std::vector<uint8_t>& data) {
  std::vector<uint8_t> chunk;
  PutUint32(&chunk, static_cast<uint32_t>(data.size()));
  for (char c : type)
    chunk.push_back(static_cast<uint8_t>(c));
  chunk.insert(chunk.end(), data.begin(), data.end());
  const uLong crc = crc32(0L, chunk.data() + 4, static_cast<uInt>(chunk.size() - 4));
  PutUint32(&chunk, static_cast<uint32_t>(crc));
  return chunk;
}

std::vector<uint8_t> PngHeader(uint32_t width, uint32_t height) {
  std::vector<uint8_t> bytes = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  std::vector<uint8_t> header;
  PutUint32(&header, width);
  PutUint32(&header, height);
  header.insert(header.end(), {8, PNG_COLOR_TYPE_RGBA, 0, 0, 0});
  const std::vector<uint8_t> chunk = PngChunk("IHDR", header);
  bytes.insert(bytes.end(), chunk.begin(), chunk.end());
  return bytes;
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}
