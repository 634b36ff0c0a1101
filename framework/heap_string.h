#pragma once

#include <cstdint>

#include "framework/heap_buffer.h"

// A NUL-terminated text kept in a HeapBuffer of granularity 128. The size counts the terminating
// NUL: a never-set text has size 0, an empty but set text has size 1.
class HeapString {
 public:
  // Empty when text is null. With maxLen <= 0 the whole text is taken, otherwise at most maxLen
  // bytes (up to the first NUL). Owner's thread; may allocate.
  explicit HeapString(const char* text = nullptr, int32_t maxLen = 0);

  HeapString(const HeapString&) = delete;
  HeapString& operator=(const HeapString&) = delete;

  // The text; a shared empty text when nothing was ever set. Any thread; allocates nothing.
  const char* Get() const;
  // Bytes in use including the NUL (0 when never set). Any thread; allocates nothing.
  int32_t Size() const { return buffer.Size(); }
  // Length of the text without the NUL. Any thread; allocates nothing.
  int32_t Length() const;

  // Replaces the text from byte pos on with len bytes of src (src may point into this string)
  // and terminates it. len 0 at pos 0 empties the text; a negative pos or len, or a failed
  // allocation, leaves the text as it was. Owner's thread; may allocate.
  void Set(int32_t pos, const char* src, int32_t len);
  // Replaces the whole text with a NUL-terminated src (null empties it). Owner's thread; may
  // allocate.
  void Set(const char* src);

  // printf-style formatting, cut to at most maxLen characters. A negative maxLen or a failed
  // allocation leaves the text as it was. Owner's thread; may allocate.
  void SetFormatted(int32_t maxLen, const char* format, ...) __attribute__((format(printf, 3, 4)));

 private:
  HeapBuffer buffer{HeapBuffer::kTextGranularity};
};
