// Where the picture tests find the editor's pictures.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The PNG bytes of picture id at scale 1 or 2 (empty when there are none): natively the
// generator's file, on Windows the resource of the binary that embeds that scale.
std::vector<std::uint8_t> PictureBytes(int id, int scale);
std::string PictureFile(int id, int scale);  // the generator's file
