#include "framework/heap_string.h"

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <utility>

namespace {

const char kEmptyText[1] = {'\0'};

}  // namespace

HeapString::HeapString(const char* text, int32_t maxLen) {
  if (!text) return;
  size_t length;
  if (maxLen <= 0) {
    length = std::strlen(text);
  } else {
    const void* nul = std::memchr(text, '\0', static_cast<size_t>(maxLen));
    length = nul ? static_cast<size_t>(static_cast<const char*>(nul) - text)
                 : static_cast<size_t>(maxLen);
  }
  if (length >= static_cast<size_t>(std::numeric_limits<int32_t>::max())) return;
  Set(0, text, static_cast<int32_t>(length));
}

const char* HeapString::Get() const {
  const char* text = static_cast<const char*>(buffer.Get());
  return text ? text : kEmptyText;
}

int32_t HeapString::Length() const {
  return static_cast<int32_t>(std::strlen(Get()));
}

void HeapString::Set(const char* src) {
  if (!src) {
    Set(0, nullptr, 0);
    return;
  }
  const size_t length = std::strlen(src);
  if (length >= static_cast<size_t>(std::numeric_limits<int32_t>::max())) return;
  Set(0, src, static_cast<int32_t>(length));
}

void HeapString::Set(int32_t pos, const char* src, int32_t len) {
  if (len == 0 && pos == 0) {
    if (buffer.Resize(1, false) && buffer.Size() == 1) buffer.Bytes()[0] = '\0';
    return;
  }
  if (len <= 0 || pos < 0) return;
  const int64_t needed64 = int64_t{pos} + len + 1;
  if (needed64 > std::numeric_limits<int32_t>::max()) return;
  const int32_t needed = static_cast<int32_t>(needed64);

  const int32_t sizeBefore = buffer.Size();
  if (sizeBefore < needed) {
    // src may point into this string's own block, which growing can move.
    const unsigned char* oldBlock = buffer.Bytes();
    const auto srcAddress = reinterpret_cast<uintptr_t>(src);
    const auto blockStart = reinterpret_cast<uintptr_t>(oldBlock);
    const bool srcInside = src && oldBlock && srcAddress >= blockStart &&
                           srcAddress < blockStart + static_cast<uintptr_t>(buffer.Capacity());
    const uintptr_t srcOffset = srcInside ? srcAddress - blockStart : 0;
    buffer.Resize(needed, false);
    if (buffer.Size() < needed) return;
    if (srcInside) src = reinterpret_cast<const char*>(buffer.Bytes() + srcOffset);
    // Bytes between the old text and pos would otherwise be undefined.
    std::memset(buffer.Bytes() + sizeBefore, 0, static_cast<size_t>(needed - sizeBefore));
  }
  char* text = reinterpret_cast<char*>(buffer.Bytes());
  if (src) std::memmove(text + pos, src, static_cast<size_t>(len));
  text[needed - 1] = '\0';
  if (needed < sizeBefore) buffer.Resize(needed, false);
}

void HeapString::SetFormatted(int32_t maxLen, const char* format, ...) {
  if (maxLen < 0 || maxLen == std::numeric_limits<int32_t>::max() || !format) return;
  // The text is formatted into a block of its own: an argument may point into this string,
  // whose block must neither move nor be overwritten while it is read.
  HeapBuffer formatted(HeapBuffer::kTextGranularity);
  formatted.Resize(maxLen + 1, false);
  if (formatted.Size() != maxLen + 1) return;
  char* text = reinterpret_cast<char*>(formatted.Bytes());
  text[0] = '\0';
  va_list args;
  va_start(args, format);
  const int written = std::vsnprintf(text, static_cast<size_t>(maxLen) + 1, format, args);
  va_end(args);
  if (written < 0 || written >= maxLen) text[maxLen] = '\0';
  formatted.Resize(static_cast<int32_t>(std::strlen(text)) + 1, false);
  buffer = std::move(formatted);
}
