#include "png_picture.h"

#include <png.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "instrument/editor/editor_images.h"

namespace {

std::uint32_t BigEndian32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3];
}

}  // namespace

PngHeader ParsePngHeader(const std::vector<std::uint8_t>& bytes) {
  static const std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  PngHeader header;
  if (bytes.size() < 33 || std::memcmp(bytes.data(), kSignature, 8) != 0) return header;
  if (BigEndian32(&bytes[8]) != 13 || std::memcmp(&bytes[12], "IHDR", 4) != 0) return header;
  header.valid = true;
  header.width = BigEndian32(&bytes[16]);
  header.height = BigEndian32(&bytes[20]);
  header.bitDepth = bytes[24];
  header.colourType = bytes[25];
  header.interlace = bytes[28];
  return header;
}

std::vector<std::uint8_t> ReadFileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(file), {});
}

bool Picture::Load(const std::string& path) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
  image.format = PNG_FORMAT_RGBA;
  rgba.assign(PNG_IMAGE_SIZE(image), 0);
  if (!png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr)) return false;
  width = static_cast<int>(image.width);
  height = static_cast<int>(image.height);
  return true;
}

std::string ImagePath(int id, int scale) {
  return std::string(TOVALUNE_ARTWORK_DIR) + "/scale" + std::to_string(scale) + "/va_" +
         EditorLayout::ImageById(id).stem + ".png";
}
