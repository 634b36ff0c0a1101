#include "framework/latency_delay.h"

#include <cstring>

LatencyDelay::LatencyDelay(int32_t inputs, int32_t outputs)
    : inputCount(inputs > 0 ? inputs : 0), outputCount(outputs > 0 ? outputs : 0) {}

bool LatencyDelay::SetLength(int32_t frames) {
  if (frames < 0) frames = 0;
  position = 0;
  const int64_t bytes = int64_t{frames} * inputCount * static_cast<int64_t>(sizeof(double));
  if (bytes > INT32_MAX) {
    memory.Resize(0, true);
    length = 0;
    return false;
  }
  memory.Resize(static_cast<int32_t>(bytes), true);
  if (memory.Size() != bytes) {
    length = 0;
    return false;
  }
  length = frames;
  if (bytes > 0) std::memset(memory.Get(), 0, static_cast<size_t>(bytes));
  return true;
}

void LatencyDelay::Process(double** inputs, double** outputs, int32_t nFrames) {
  if (!outputs || nFrames <= 0) return;
  double* stored = static_cast<double*>(memory.Get());
  const bool ready = length > 0 && stored;
  for (int32_t j = 0; j < outputCount; ++j) {
    double* out = outputs[j];
    const double* in = (inputs && j < inputCount) ? inputs[j] : nullptr;
    if (!ready || j >= inputCount) {
      if (out) std::memset(out, 0, sizeof(double) * static_cast<size_t>(nFrames));
      continue;
    }
    double* line = stored + static_cast<size_t>(j) * static_cast<size_t>(length);
    int32_t at = position;
    for (int32_t f = 0; f < nFrames; ++f) {
      // Read the input before writing the output: they may be the same buffer.
      const double incoming = in ? in[f] : 0.0;
      if (out) out[f] = line[at];
      line[at] = incoming;
      if (++at == length) at = 0;
    }
  }
  if (ready) position = static_cast<int32_t>((int64_t{position} + nFrames) % length);
}
