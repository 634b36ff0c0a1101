#pragma once

#include <cstdint>

// The plug-in interface a build talks to its host through.
enum IPluginApi : int32_t {
  kApiVST2 = 0,
  kApiVST3 = 1,
  kApiSpare = 3,  // no build uses it; the editor's resize treats it like kApiVST3
};

// A four-character code as an int32: the first character in the most significant byte.
constexpr int32_t FourCharCode(const char (&code)[5]) {
  return static_cast<int32_t>((static_cast<uint32_t>(static_cast<unsigned char>(code[0])) << 24) |
                              (static_cast<uint32_t>(static_cast<unsigned char>(code[1])) << 16) |
                              (static_cast<uint32_t>(static_cast<unsigned char>(code[2])) << 8) |
                              static_cast<uint32_t>(static_cast<unsigned char>(code[3])));
}
