#include "framework/midi_queue.h"

#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

constexpr int64_t kMaxEntries = std::numeric_limits<int32_t>::max() / sizeof(IMidiMessage);

// n rounded up to whole pages of messages, or -1 when that is more than can be addressed.
int64_t RoundUpToPage(int64_t n) {
  const int64_t page = IMidiEventQueue::kEntriesPerPage;
  const int64_t rounded = (n + page - 1) / page * page;
  return rounded > kMaxEntries ? -1 : rounded;
}

}  // namespace

IMidiEventQueue::IMidiEventQueue(int32_t initialCapacity, int32_t step)
    : growthStep(step < kEntriesPerPage ? kEntriesPerPage : step) {
  if (initialCapacity > 0) Reallocate(initialCapacity);
}

IMidiEventQueue::~IMidiEventQueue() {
  std::free(entries);
}

bool IMidiEventQueue::Reallocate(int32_t newCapacity) {
  if (newCapacity <= 0 || newCapacity > kMaxEntries) return false;
  void* block = std::realloc(entries, sizeof(IMidiMessage) * static_cast<size_t>(newCapacity));
  if (!block) return false;
  entries = static_cast<IMidiMessage*>(block);
  capacity = newCapacity;
  return true;
}

void IMidiEventQueue::Compact() {
  if (front <= 0) return;
  std::memmove(entries, entries + front, sizeof(IMidiMessage) * static_cast<size_t>(end - front));
  end -= front;
  front = 0;
}

bool IMidiEventQueue::Add(const IMidiMessage* msg) {
  if (!msg) return false;
  if (end >= capacity) {
    if (front > 0) {
      Compact();
    } else if (!Grow()) {
      return false;
    }
  }
  int32_t at = end;
  if (end > front && msg->offset < entries[end - 1].offset) {
    // Equal offsets keep their arrival order: insert after the last message not later than msg.
    at = front;
    for (int32_t i = end - 1; i >= front; --i) {
      if (entries[i].offset <= msg->offset) {
        at = i + 1;
        break;
      }
    }
    std::memmove(entries + at + 1, entries + at,
                 sizeof(IMidiMessage) * static_cast<size_t>(end - at));
  }
  entries[at] = *msg;
  ++end;
  return true;
}

void IMidiEventQueue::RemoveFront() {
  if (front < end) ++front;
}

void IMidiEventQueue::Flush(int32_t nFrames) {
  Compact();
  for (int32_t i = 0; i < end; ++i) {
    const int64_t moved = int64_t{entries[i].offset} - nFrames;
    entries[i].offset =
        moved < std::numeric_limits<int32_t>::min()
            ? std::numeric_limits<int32_t>::min()
            : (moved > std::numeric_limits<int32_t>::max() ? std::numeric_limits<int32_t>::max()
                                                           : static_cast<int32_t>(moved));
  }
}

int32_t IMidiEventQueue::Resize(int32_t blockSize) {
  Compact();
  int64_t target = RoundUpToPage(blockSize > 0 ? blockSize : 0);
  if (target < 0) return capacity;
  // A block size of 0 must not leave the queue unable to grow.
  growthStep = target < kEntriesPerPage ? kEntriesPerPage : static_cast<int32_t>(target);
  if (target < end) target = RoundUpToPage(end);
  if (target > 0 && target != capacity) Reallocate(static_cast<int32_t>(target));
  return capacity;
}

bool IMidiEventQueue::Grow() {
  if (growthStep <= 0) return false;
  const int64_t newCapacity = int64_t{growthStep} * (capacity / growthStep + 1);
  if (newCapacity > kMaxEntries) return false;
  return Reallocate(static_cast<int32_t>(newCapacity));
}
