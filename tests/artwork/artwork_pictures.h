// The editor's pictures as the editor gets them, decoded to straight RGBA.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The PNG bytes of picture id at scale 1 or 2 (empty when there are none): natively the
// generator's file, on Windows the resource of the binary that embeds that scale.
std::vector<std::uint8_t> PictureBytes(int id, int scale);
std::string PictureFile(int id, int scale);  // the generator's file

struct Picture {
  Picture(int id, int scale);  // width stays 0 when the bytes do not decode
  const std::uint8_t* At(int x, int y) const { return &rgba[(size_t(y) * width + x) * 4]; }
  int Alpha(int x, int y) const { return At(x, y)[3]; }
  std::vector<std::uint8_t> bytes, rgba;
  int width = 0, height = 0;
};
