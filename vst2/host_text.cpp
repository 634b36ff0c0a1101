#include "vst2/host_text.h"

#include "framework/utf8_text.h"

void CopyToHost(void* dest, const char* text, int32_t capacity) {
  CopyUtf8Cut(static_cast<char*>(dest), capacity, text);
}

void ReadFromHost(char* out, const void* source, int32_t capacity) {
  CopyUtf8Cut(out, capacity, static_cast<const char*>(source));
}
