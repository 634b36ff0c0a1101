#pragma once

#include <cstdint>

#include "framework/midi_message.h"

// Pending MIDI messages ordered by sample offset; messages with equal offsets keep their arrival
// order. Filled and drained on the audio thread; it has no lock of its own. The array is sized
// for a block by Resize (outside the audio path); Add grows it only when a block brings more
// messages than that.
//
// Reading: while Count() > 0, Front() is the next message; RemoveFront() consumes it. After the
// block, Flush(nFrames) keeps the unconsumed messages with offsets relative to the next block.
class IMidiEventQueue {
 public:
  static constexpr int32_t kEntriesPerPage = 512;  // 512 messages of 8 bytes fill 4096 bytes

  // Allocates capacity messages; when that fails the queue starts empty with capacity 0 and
  // grows on the first Add. A growth step below kEntriesPerPage becomes kEntriesPerPage.
  // Owner's thread; allocates.
  explicit IMidiEventQueue(int32_t capacity = 1024, int32_t growthStep = 1024);
  ~IMidiEventQueue();

  IMidiEventQueue(const IMidiEventQueue&) = delete;
  IMidiEventQueue& operator=(const IMidiEventQueue&) = delete;

  // Inserts a copy in offset order. Returns false when the message had to be dropped (null, or
  // the array could not grow). Audio thread; allocates only when the array is full.
  bool Add(const IMidiMessage* msg);
  // Consumes the front message; nothing when the queue is empty. Audio thread; no allocation.
  void RemoveFront();
  // Drops consumed messages and moves the rest into the next block (offsets reduced by
  // nFrames). Audio thread; allocates nothing.
  void Flush(int32_t nFrames);
  // Sizes the array for a block of blockSize frames, rounded up to whole pages of 512 messages
  // and never below the pending messages; the growth step becomes that size. Returns the
  // capacity. Outside the audio path; may allocate.
  int32_t Resize(int32_t blockSize);
  // Enlarges the array to the next multiple of the growth step. False (nothing changed) when
  // memory cannot be had. May allocate.
  bool Grow();
  // Drops every pending message. Audio thread; allocates nothing.
  void Clear() { front = end = 0; }

  // Any thread that owns the queue; allocate nothing.
  const IMidiMessage* Front() const { return front < end ? &entries[front] : nullptr; }
  int32_t Count() const { return end - front; }
  const IMidiMessage* At(int32_t i) const {
    return i >= 0 && i < Count() ? &entries[front + i] : nullptr;
  }
  int32_t Capacity() const { return capacity; }
  int32_t GrowthStep() const { return growthStep; }

 private:
  void Compact();
  bool Reallocate(int32_t newCapacity);

  IMidiMessage* entries = nullptr;
  int32_t capacity = 0;
  int32_t growthStep = 0;
  int32_t front = 0;
  int32_t end = 0;
};
