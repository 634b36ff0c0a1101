#pragma once

#include <cstdint>

#include "framework/heap_buffer.h"

// Delays every input channel by the plug-in's latency when the plug-in is bypassed, so that a
// bypassed plug-in stays time-aligned with what the host compensates for. Memory holds length
// doubles per input channel, channel after channel.
class LatencyDelay {
 public:
  // Owner's thread; allocates nothing (the memory is sized by SetLength).
  LatencyDelay(int32_t inputCount, int32_t outputCount);

  // Sets the delay in frames (a negative length counts as 0), clears the memory and rewinds.
  // False when the memory cannot be had; the delay is then 0. Outside the audio path; allocates.
  bool SetLength(int32_t frames);

  // Output j = input j delayed by the length, for every input channel that also has an output;
  // outputs without an input are zeroed, and so is every output when the delay has no memory.
  // Inputs and outputs may be the same buffers. Null entries are skipped (a null input reads as
  // silence). Audio thread; allocates nothing.
  void Process(double** inputs, double** outputs, int32_t nFrames);

  int32_t Length() const { return length; }
  int32_t InputCount() const { return inputCount; }
  int32_t OutputCount() const { return outputCount; }

 private:
  HeapBuffer memory{HeapBuffer::kPageGranularity};
  int32_t position = 0;
  int32_t inputCount;
  int32_t outputCount;
  int32_t length = 0;
};
