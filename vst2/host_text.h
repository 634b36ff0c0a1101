// Texts that cross between host memory and the plug-in. Every copy is bounded by the size of
// its destination and cut on a character boundary, so that no text of the plug-in, however
// long, writes past a host's buffer or leaves half a character in it, and no host text without
// its NUL is read past a fixed length.
#pragma once

#include <cstdint>

// Writes at most capacity - 1 bytes of text (whole characters) and a NUL into the host's buffer
// dest; a null text counts as empty. Nothing happens for a null dest or a capacity below 1. Any
// thread; allocates nothing.
void CopyToHost(void* dest, const char* text, int32_t capacity);

// Copies the host's text at source into out (capacity bytes), reading at most capacity bytes
// and stopping at the first NUL, cut as above; out is always terminated (empty for a null
// source). Any thread; allocates nothing.
void ReadFromHost(char* out, const void* source, int32_t capacity);
