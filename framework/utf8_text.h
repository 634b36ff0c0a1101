#pragma once

#include <climits>

// UTF-8 texts in fixed buffers: labels, names and texts for a host are cut to their buffers
// without leaving half a character behind.

// True for a byte that continues a UTF-8 character (10xxxxxx). Any thread; allocates nothing.
constexpr bool IsUtf8Continuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

// Copies text (null counts as empty), read up to its NUL or textBytes bytes, into out, which
// holds size bytes: at most size - 1 bytes, cut before a character that would not fit whole,
// and a NUL. Returns the bytes copied; nothing happens for a null out or a size below 1.
// Any thread; allocates nothing.
int CopyUtf8Cut(char* out, int size, const char* text, int textBytes = INT_MAX);
