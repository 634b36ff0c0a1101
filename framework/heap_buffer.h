#pragma once

#include <cstdint>

// A growable byte block with its own rounding rule. It carries state chunks, channel scratch
// samples, the latency delay memory, pointer lists and texts. Nothing here throws: a failed
// allocation leaves the buffer as it was, and callers notice it by the size they got.
//
// Growth: a new capacity is the requested size plus half of it (at least the granularity).
// Buffers with a granularity of 4096 or more keep whole pages minus 96 bytes.
class HeapBuffer {
 public:
  static constexpr int32_t kPageGranularity = 4096;  // chunks, scratch, delay memory, lists
  static constexpr int32_t kTextGranularity = 128;   // texts

  // Any thread; allocates nothing.
  explicit HeapBuffer(int32_t granularity = kPageGranularity);
  // Any thread; frees the block.
  ~HeapBuffer();

  HeapBuffer(const HeapBuffer&) = delete;
  HeapBuffer& operator=(const HeapBuffer&) = delete;
  // Any thread; takes the other's block, which is left empty. Allocates nothing.
  HeapBuffer(HeapBuffer&& other) noexcept;
  HeapBuffer& operator=(HeapBuffer&& other) noexcept;

  // Sets the logical size to n bytes (a negative n counts as 0) and returns the block, or null
  // when the size is 0. On allocation failure the buffer stays as it was; compare Size() with n.
  // Owner's thread; may allocate.
  void* Resize(int32_t n, bool allowShrink = false);

  // Resizes to n bytes and zeroes the bytes beyond the old size; returns the old size.
  // Owner's thread; may allocate.
  int32_t ResizeZeroFill(int32_t n);

  // Appends an int32 length (little-endian) and the text's bytes without the terminating zero;
  // returns the new size (unchanged on failure). A null text counts as empty.
  // Owner's thread; may allocate.
  int32_t PutString(const char* text);

  // Appends count bytes; false (and nothing appended) when the buffer cannot grow or count is
  // negative. Owner's thread; may allocate.
  bool PutBytes(const void* bytes, int32_t count);

  // The block when the size is above 0, else null (even when memory is still reserved).
  // Any thread; allocates nothing.
  void* Get() const { return used > 0 ? data : nullptr; }
  unsigned char* Bytes() const { return static_cast<unsigned char*>(Get()); }
  int32_t Size() const { return used; }
  int32_t Capacity() const { return allocated; }
  int32_t Granularity() const { return granularity; }

  // The capacity the rounding rule gives for a request of n bytes (0 for n <= 0), or -1 when it
  // does not fit an int32. Any thread; allocates nothing.
  static int64_t CapacityFor(int64_t n, int32_t granularity);

 private:
  void* data = nullptr;
  int32_t allocated = 0;
  int32_t used = 0;
  int32_t granularity;
};
