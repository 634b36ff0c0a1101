#include "framework/utf8_text.h"

#include <cstring>

int CopyUtf8Cut(char* out, int size, const char* text) {
  if (!out || size < 1) return 0;
  if (!text) text = "";
  int length = static_cast<int>(strnlen(text, static_cast<size_t>(size - 1)));
  if (text[length] != '\0') {
    // Cut: a character whose first bytes fit but whose last byte does not goes whole.
    while (length > 0 && IsUtf8Continuation(static_cast<unsigned char>(text[length])))
      --length;
  }
  std::memcpy(out, text, static_cast<size_t>(length));
  out[length] = '\0';
  return length;
}
