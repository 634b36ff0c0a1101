// Memory behind the engine's delay lines and cosine table.
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/dsp_primitives.h"

namespace Dsp {
namespace {

int32_t PowerOfTwoAtLeast(int32_t n) {
  int64_t size = 2;
  while (size < n)
    size *= 2;
  return static_cast<int32_t>(size);
}

std::atomic<int> allocationsBeforeFailure{-1};

}  // namespace

void FailAllocationsAfter(int allocations) {
  allocationsBeforeFailure.store(allocations);
}

void* AllocateZeroed(size_t count, size_t size) {
  int left = allocationsBeforeFailure.load();
  while (left >= 0) {
    if (left == 0) return nullptr;
    if (allocationsBeforeFailure.compare_exchange_weak(left, left - 1)) break;
  }
  return std::calloc(count, size);
}

void FreeMemory(void* memory) {
  std::free(memory);
}

CosineTable::CosineTable()
    : count(0),
      channels(1),
      entries(static_cast<double*>(AllocateZeroed(kCosineTableSize + 1, sizeof(double)))) {
  if (entries == nullptr) {
    std::fputs("out of memory\n", stderr);
    return;
  }
  count = kCosineTableSize;
  for (int32_t j = 0; j < kCosineTableSize; ++j) {
    entries[j] = std::cos(j * kPi * 2 / kCosineTableSize);
  }
  entries[kCosineTableSize] = entries[0];
}

void CosineTable::Free(CosineTable& table) {
  FreeMemory(table.entries);
  table.entries = nullptr;
  table.count = 0;
}

bool SampleBuffer::Resize(SampleBuffer& buffer, int32_t count) {
  const int32_t requested = count < kMaxBufferSamples ? count : kMaxBufferSamples;
  if (count > kMaxBufferSamples) std::fputs("warning: constraining [data] to < 256MB\n", stdout);
  if (count < 0) count = 0;
  // The requested size first, then the two fallback sizes once each; never an endless retry.
  for (int attempt = 0; attempt < 3; ++attempt) {
    if (count > kMaxBufferSamples) count = kMaxBufferSamples;
    if (buffer.samples != nullptr && buffer.count == count && buffer.channels == 1) {
      std::memset(buffer.samples, 0, sizeof(double) * static_cast<size_t>(count));
      return count == requested;
    }
    double* memory = static_cast<double*>(AllocateZeroed(count > 0 ? count : 1, sizeof(double)));
    if (memory == nullptr) {
      std::fputs("allocating [data]: out of memory\n", stderr);
      count = count <= 512 ? 4 : 512;
      continue;
    }
    if (buffer.samples != nullptr) {
      const int32_t kept = buffer.count < count ? buffer.count : count;
      std::memcpy(memory, buffer.samples, sizeof(double) * static_cast<size_t>(kept));
      FreeMemory(buffer.samples);
    }
    buffer.samples = memory;
    buffer.count = count;
    buffer.channels = 1;
    return count == requested;
  }
  return false;
}

bool DelayLine::Init(DelayLine& line, int32_t maxDelay) {
  if (maxDelay < 0) maxDelay = 0;
  if (!line.hasBuffer) {
    line.buffer = SampleBuffer{0, 1, nullptr, 0.0};
    line.hasBuffer = true;
    line.cells = nullptr;
    line.size = 0;
  }
  // A sized line never shrinks; a later reset at a higher rate grows it.
  const int32_t wanted =
      line.cells != nullptr && line.maxDelay > maxDelay ? line.maxDelay : maxDelay;
  const int32_t size = PowerOfTwoAtLeast(wanted > 2 ? wanted : 2);
  if (line.cells == nullptr || size > line.size) {
    const bool sized = SampleBuffer::Resize(line.buffer, size);
    if (!sized || line.buffer.count != size) {
      std::fputs("delay memory size error\n", stderr);
      line.cells = nullptr;
      line.size = 0;
      line.mask = 0;
      line.maxDelay = 0;
      line.head = 0;
      line.lastWrite = 0;
      return false;
    }
    line.cells = line.buffer.samples;
    line.size = size;
  }
  std::memset(line.cells, 0, sizeof(double) * static_cast<size_t>(line.size));
  line.maxDelay = wanted;
  line.lastWrite = 0;
  line.head = line.lastWrite;
  line.mask = line.size - 1;
  return true;
}

void DelayLine::Free(DelayLine& line) {
  if (line.hasBuffer) {
    line.buffer.savedPosition = line.lastWrite;
    FreeMemory(line.buffer.samples);
    line.buffer.samples = nullptr;
    line.buffer.count = 0;
  }
  line.cells = nullptr;
  line.size = 0;
}

}  // namespace Dsp
