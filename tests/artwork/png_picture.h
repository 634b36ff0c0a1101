// Reading the generated pictures back: the PNG header as bytes, the pixels through libpng.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct PngHeader {
  bool valid = false;  // signature and an IHDR chunk first
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  int bitDepth = 0;
  int colourType = 0;
  int interlace = 0;
};

// The header fields of PNG bytes.
PngHeader ParsePngHeader(const std::vector<std::uint8_t>& bytes);
std::vector<std::uint8_t> ReadFileBytes(const std::string& path);

// Straight RGBA pixels of a PNG file.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;

  bool Load(const std::string& path);
  const std::uint8_t* At(int x, int y) const {
    return &rgba[(static_cast<size_t>(y) * width + x) * 4];
  }
  int Alpha(int x, int y) const { return At(x, y)[3]; }
};

// The generated file of image id at scale.
std::string ImagePath(int id, int scale);
