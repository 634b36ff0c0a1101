#pragma once

#include <cstdint>

#include "framework/heap_buffer.h"
#include "framework/heap_string.h"

// The per-channel records of the plug-in base. Each owns a scratch buffer of block-size doubles
// and knows its entry in the base's input or output pointer array: the buffer that ProcessBlock
// reads or writes for this channel. All members are used by the thread that runs the block,
// under the instance lock, and allocate nothing.

// What input and output channels share.
struct IChannel {
  bool connected = false;
  double** pointerSlot = nullptr;  // this channel's entry in the input or output pointer array
  HeapBuffer scratch{HeapBuffer::kPageGranularity};
  HeapString label;

  double* Scratch() const { return static_cast<double*>(scratch.Get()); }
  int32_t ScratchFrames() const { return scratch.Size() / static_cast<int32_t>(sizeof(double)); }
  // The buffer ProcessBlock reads or writes for this channel.
  double* Buffer() const { return pointerSlot ? *pointerSlot : nullptr; }
  void PointAt(double* buffer) const {
    if (pointerSlot) *pointerSlot = buffer;
  }
  void PointAtScratch() const { PointAt(Scratch()); }
};

struct IInputChannel : IChannel {
  // The host's float input attached for the coming block and how many frames it holds; cleared
  // after every processed block.
  const float* hostSource = nullptr;
  int32_t hostSourceFrames = 0;
};

struct IOutputChannel : IChannel {
  // The host's float output for the coming block, or null; cleared after every processed block.
  float* hostDestination = nullptr;
};
