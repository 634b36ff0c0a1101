#include "framework/utf8_text.h"

#include <algorithm>
#include <cstring>

int CopyUtf8Cut(char* out, int size, const char* text, int textBytes) {
  if (!out || size < 1) return 0;
  if (!text || textBytes < 0) textBytes = 0;
  // One byte more than fits tells whether the text goes on past the buffer.
  const int readable = std::min(textBytes, size);
  int length = text ? static_cast<int>(strnlen(text, static_cast<size_t>(readable))) : 0;
  if (length == size) {
    // Cut: a character whose first bytes fit but whose last byte does not goes whole.
    length = size - 1;
    while (length > 0 && IsUtf8Continuation(static_cast<unsigned char>(text[length])))
      --length;
  }
  if (length > 0) std::memcpy(out, text, static_cast<size_t>(length));
  out[length] = '\0';
  return length;
}
