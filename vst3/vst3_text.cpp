#include "vst3/vst3_text.h"

namespace Steinberg {
namespace Vst {

void WidenText(const char* text, TChar* out, int capacity) {
  if (!out || capacity <= 0) return;
  int length = 0;
  if (text) {
    for (; length < capacity - 1 && text[length] != 0; ++length) {
      out[length] = static_cast<TChar>(static_cast<unsigned char>(text[length]));
    }
  }
  out[length] = 0;
}

void NarrowText(const TChar* text, char* out, int capacity) {
  if (!out || capacity <= 0) return;
  int length = 0;
  if (text) {
    for (; length < capacity - 1 && text[length] != 0; ++length) {
      out[length] = static_cast<char>(text[length] & 0xFF);
    }
  }
  out[length] = 0;
}

}  // namespace Vst
}  // namespace Steinberg
