#include "framework/heap_buffer.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <utility>

#include "framework/little_endian.h"

namespace {

constexpr int64_t kPage = 4096;
constexpr int64_t kPageReserve = 96;  // bytes left free at the end of each page-rounded block
constexpr int64_t kMaxPageStep = 4194304;
constexpr int64_t kMaxSize = std::numeric_limits<int32_t>::max();

// The offset of p inside [block, block + size), or -1 when p lies outside.
int64_t OffsetInside(const void* p, const void* block, int32_t size) {
  if (!p || !block) return -1;
  const auto address = reinterpret_cast<uintptr_t>(p);
  const auto start = reinterpret_cast<uintptr_t>(block);
  if (address < start || address >= start + static_cast<uintptr_t>(size)) return -1;
  return static_cast<int64_t>(address - start);
}

}  // namespace

HeapBuffer::HeapBuffer(int32_t granularity) : granularity(granularity) {}

HeapBuffer::~HeapBuffer() {
  std::free(data);
}

HeapBuffer::HeapBuffer(HeapBuffer&& other) noexcept
    : data(std::exchange(other.data, nullptr)),
      allocated(std::exchange(other.allocated, 0)),
      used(std::exchange(other.used, 0)),
      granularity(other.granularity) {}

HeapBuffer& HeapBuffer::operator=(HeapBuffer&& other) noexcept {
  if (this != &other) {
    std::free(data);
    data = std::exchange(other.data, nullptr);
    allocated = std::exchange(other.allocated, 0);
    used = std::exchange(other.used, 0);
    granularity = other.granularity;
  }
  return *this;
}

int64_t HeapBuffer::CapacityFor(int64_t n, int32_t granularity) {
  if (n <= 0) return 0;
  // Sizes are computed in 64 bits so that large requests cannot wrap into a negative capacity.
  int64_t step = std::max<int64_t>(n / 2, granularity);
  int64_t capacity;
  if (granularity > kPage - 1) {
    step = std::clamp<int64_t>(step / kPage * kPage, kPage, kMaxPageStep);
    capacity = (n + kPageReserve + step) / kPage * kPage - kPageReserve;
  } else {
    capacity = n + step;
  }
  return capacity > kMaxSize ? -1 : capacity;
}

void* HeapBuffer::Resize(int32_t n, bool allowShrink) {
  if (n < 0) n = 0;
  if (n == used) return Get();

  int64_t shrinkThreshold = 0;
  if (allowShrink && n < used) {
    shrinkThreshold =
        std::min<int64_t>(allocated / 2, int64_t{allocated} - 4 * int64_t{granularity});
    if (shrinkThreshold <= 0) shrinkThreshold = 1;
  }

  if (n > allocated || n < shrinkThreshold) {
    const int64_t capacity = CapacityFor(n, granularity);
    if (capacity < 0) return Get();  // too large to represent: unchanged
    if (capacity != allocated) {
      if (capacity == 0) {
        std::free(data);
        data = nullptr;
        allocated = 0;
        used = 0;
        return nullptr;
      }
      void* block = std::realloc(data, static_cast<size_t>(capacity));
      if (!block) {
        block = std::malloc(static_cast<size_t>(capacity));
        if (block) {
          if (data) std::memcpy(block, data, static_cast<size_t>(std::min(used, n)));
          std::free(data);
        }
      }
      if (!block) {
        // A smaller block that cannot be had is not needed: the old one still holds n bytes.
        if (n <= allocated) used = n;
        return Get();
      }
      data = block;
      allocated = static_cast<int32_t>(capacity);
    }
  }
  used = n;
  return Get();
}

int32_t HeapBuffer::ResizeZeroFill(int32_t n) {
  const int32_t oldSize = used;
  Resize(n, false);
  if (used > oldSize) std::memset(static_cast<unsigned char*>(data) + oldSize, 0, used - oldSize);
  return oldSize;
}

bool HeapBuffer::PutBytes(const void* bytes, int32_t count) {
  if (count < 0 || int64_t{used} + count > kMaxSize) return false;
  const int32_t oldSize = used;
  const int64_t ownOffset = OffsetInside(bytes, data, allocated);
  Resize(oldSize + count, false);
  if (used != oldSize + count) return false;
  if (ownOffset >= 0) bytes = static_cast<unsigned char*>(data) + ownOffset;
  if (count > 0) {
    if (bytes) {
      std::memmove(static_cast<unsigned char*>(data) + oldSize, bytes, static_cast<size_t>(count));
    } else {
      std::memset(static_cast<unsigned char*>(data) + oldSize, 0, static_cast<size_t>(count));
    }
  }
  return true;
}

int32_t HeapBuffer::PutString(const char* text) {
  const size_t length = text ? std::strlen(text) : 0;
  if (length > static_cast<size_t>(kMaxSize) ||
      int64_t{used} + 4 + static_cast<int64_t>(length) > kMaxSize) {
    return used;
  }
  const int32_t textSize = static_cast<int32_t>(length);
  const int32_t oldSize = used;
  const int64_t ownOffset = OffsetInside(text, data, allocated);
  Resize(oldSize + 4 + textSize, false);
  if (used != oldSize + 4 + textSize) return used;
  unsigned char* out = static_cast<unsigned char*>(data) + oldSize;
  if (ownOffset >= 0) text = static_cast<const char*>(data) + ownOffset;
  if (textSize > 0) std::memmove(out + 4, text, length);
  LittleEndian::StoreInt32(out, textSize);
  return used;
}
