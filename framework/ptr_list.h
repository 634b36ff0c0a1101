#pragma once

#include <cstdint>
#include <cstring>

#include "framework/heap_buffer.h"

// A list of owned pointers kept in a HeapBuffer (granularity 4096). Deleting an entry deletes
// the object, and with it what the object owns (its destructor frees its buffers and texts).
// The list is not locked; its owner locks.
template <class T>
class PtrList {
 public:
  PtrList() = default;
  // Deletes every entry. Owner's thread.
  ~PtrList() { DeleteAll(); }

  PtrList(const PtrList&) = delete;
  PtrList& operator=(const PtrList&) = delete;

  // Any thread; allocates nothing.
  int32_t GetCount() const { return buffer.Size() / static_cast<int32_t>(sizeof(T*)); }

  // Entry i, or null when i is outside [0, count). Any thread; allocates nothing.
  T* Get(int32_t i) const {
    if (i < 0 || i >= GetCount()) return nullptr;
    return Entries()[i];
  }

  // Inserts p at i clamped to [0, count] and returns p. Returns null when the list cannot grow;
  // the caller then still owns p. Owner's thread; may allocate.
  T* Insert(int32_t i, T* p) {
    const int32_t count = GetCount();
    buffer.Resize((count + 1) * static_cast<int32_t>(sizeof(T*)), false);
    if (GetCount() != count + 1) return nullptr;
    if (i < 0) i = 0;
    if (i > count) i = count;
    T** entries = Entries();
    std::memmove(entries + i + 1, entries + i, sizeof(T*) * static_cast<size_t>(count - i));
    entries[i] = p;
    return p;
  }

  // Appends p; see Insert. Owner's thread; may allocate.
  T* Add(T* p) { return Insert(GetCount(), p); }

  // Deletes entry i and closes the gap; an index outside the list does nothing.
  // Owner's thread; frees memory.
  void DeleteAt(int32_t i) {
    const int32_t count = GetCount();
    if (i < 0 || i >= count) return;
    T** entries = Entries();
    T* doomed = entries[i];
    std::memmove(entries + i, entries + i + 1, sizeof(T*) * static_cast<size_t>(count - i - 1));
    buffer.Resize((count - 1) * static_cast<int32_t>(sizeof(T*)), false);
    delete doomed;
  }

  // Deletes every entry from the last to the first and empties the list (memory stays reserved).
  // Owner's thread; frees memory.
  void DeleteAll() {
    for (int32_t count = GetCount(); count > 0; --count) {
      T* doomed = Entries()[count - 1];
      buffer.Resize((count - 1) * static_cast<int32_t>(sizeof(T*)), false);
      delete doomed;
    }
  }

 private:
  T** Entries() const { return static_cast<T**>(buffer.Get()); }

  HeapBuffer buffer{HeapBuffer::kPageGranularity};
};
