#pragma once

// Writes small PNG images for the decoder tests through libpng's own writer, and builds raw
// chunks for images libpng would refuse to write.

#include <cstdint>
#include <string>
#include <vector>

// An image as libpng's writer takes it: packed row bytes, row after row; a palette as red, green,
// blue per entry; tRNS bytes as the chunk holds them.
std::vector<uint8_t> WritePng(int width, int height, int colourType, int bitDepth,
                              const std::vector<uint8_t>& rows,
                              const std::vector<uint8_t>& palette = {},
                              const std::vector<uint8_t>& transparency = {},
                              bool interlaced = false);

// One chunk with its length and a correct CRC.
std::vector<uint8_t> PngChunk(const std::string& type, const std::vector<uint8_t>& data);

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);
