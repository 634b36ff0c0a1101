#include "vst2/host_text.h"

void CopyToHost(void* dest, const char* text, int32_t capacity) {
  if (!dest || capacity < 1) return;
  char* out = static_cast<char*>(dest);
  int32_t length = 0;
  // Byte by byte: a text is never read past its NUL, nor a buffer written past capacity.
  for (; text && length < capacity - 1 && text[length] != '\0'; ++length)
    out[length] = text[length];
  out[length] = '\0';
}

void ReadFromHost(char* out, const void* source, int32_t capacity) {
  CopyToHost(out, static_cast<const char*>(source), capacity);
}
