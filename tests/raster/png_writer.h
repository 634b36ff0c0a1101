#pragma once

// Writes small PNG images for the decoder tests, through libpng's own writer, and builds raw
// chunks for images libpng would refuse to write.

#include <cstdint>
#include <string>
#include <vector>

struct PngPicture {
  int width;
  int height;
  int colourType;  // PNG_COLOR_TYPE_*
  int bitDepth;
  std::vector<uint8_t> rows;          // packed row bytes, row after row
  std::vector<uint8_t> palette;       // red, green, blue per entry
  std::vector<uint8_t> transparency;  // tRNS bytes, as the chunk holds them
  bool interlaced;
};

inline PngPicture Picture(int width, int height, int colourType, int bitDepth,
                          std::vector<uint8_t> rows, std::vector<uint8_t> palette = {},
                          std::vector<uint8_t> transparency = {}, bool interlaced = false) {
  return {width, height, colourType, bitDepth, rows, palette, transparency, interlaced};
}

std::vector<uint8_t> WritePng(const PngPicture& picture);

// One chunk: length, type, data and a correct CRC.
std::vector<uint8_t> PngChunk(const std::string& type, const std::vector<uint8_t>& data);

// The signature followed by an IHDR of the given size (8-bit RGBA).
std::vector<uint8_t> PngHeader(uint32_t width, uint32_t height);

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);
