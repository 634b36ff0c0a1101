#pragma once

#include <cstdint>
#include <cstring>

// Byte order of stored chunks: every integer and double is little-endian, whatever the machine.
// Any thread; nothing here allocates.
namespace LittleEndian {

inline void StoreUint32(unsigned char* out, uint32_t v) {
  for (int i = 0; i < 4; ++i)
    out[i] = static_cast<unsigned char>(v >> (8 * i));
}

inline uint32_t LoadUint32(const unsigned char* in) {
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i)
    v |= static_cast<uint32_t>(in[i]) << (8 * i);
  return v;
}

inline void StoreInt32(unsigned char* out, int32_t v) {
  StoreUint32(out, static_cast<uint32_t>(v));
}
inline int32_t LoadInt32(const unsigned char* in) {
  return static_cast<int32_t>(LoadUint32(in));
}

inline void StoreDouble(unsigned char* out, double v) {
  uint64_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  for (int i = 0; i < 8; ++i)
    out[i] = static_cast<unsigned char>(bits >> (8 * i));
}

inline double LoadDouble(const unsigned char* in) {
  uint64_t bits = 0;
  for (int i = 0; i < 8; ++i)
    bits |= static_cast<uint64_t>(in[i]) << (8 * i);
  double v;
  std::memcpy(&v, &bits, sizeof v);
  return v;
}

}  // namespace LittleEndian
