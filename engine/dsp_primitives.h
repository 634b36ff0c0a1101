// Small per-sample building blocks shared by every stage of the engine: guarded arithmetic, the
// wrapped phase accumulator, the table cosine oscillator, the noise source and the delay line.
// Every function here may run on any thread and allocates nothing, unless its comment says so.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace Dsp {

constexpr double kPi = 3.141592653589793;
constexpr double kTwoPow32 = 4294967296.0;

inline uint64_t Bits(double x) {
  uint64_t bits;
  std::memcpy(&bits, &x, sizeof bits);
  return bits;
}

inline int ExponentField(double x) {
  return static_cast<int>((Bits(x) >> 52) & 0x7FF);
}

// Flushes every magnitude below 2^-1021 to zero so decaying memories never turn subnormal.
inline double FixDenormal(double x) {
  return std::fabs(x) < 0x1p-1021 && x != 0.0 ? 0.0 : x;  // exponent field 0 or 1
}

inline double SafeDiv(double a, double b) {
  return b == 0.0 ? 0.0 : a / b;
}

// pow that answers 0 instead of a huge, infinite or NaN result.
inline double SafePow(double a, double b) {
  const double r = std::pow(a, b);
  return ExponentField(r) >= 0x7FE ? 0.0 : r;
}

inline double Clamp(double x, double low, double high) {
  if (x <= low) return low;
  if (x >= high) return high;
  return x;
}

inline double Sign(double x) {
  return x > 0.0 ? 1.0 : (x < 0.0 ? -1.0 : 0.0);
}

// Hyperbolic tangent from one exp call, accurate to a few units in the last place (at most about
// 2e-16 absolute); the same arithmetic on every platform, and several times faster than the
// library's tanh on the voice path.
inline double Tanh(double x) {
  const double a = std::fabs(x);
  double r;
  if (!(a < 22.0)) {
    if (a != a) return x;  // NaN
    r = 1.0;
  } else if (a < 0x1p-13) {
    r = a - a * a * a / 3;  // the next series term is below 2^-60 of a
  } else {
    const double u = std::exp(-2 * a);
    r = (1 - u) / (1 + u);
  }
  return std::copysign(r, x);
}

// Advances a phase in [0, 1) by frequency / sample rate and wraps it back into [0, 1).
inline double PhaseStep(double& phase, double frequency, double inverseSampleRate) {
  double p = frequency * inverseSampleRate + phase;
  if (!(p >= 0.0 && p < 1.0)) {
    p = p - std::floor(p);
    if (!(p < 1.0)) p = 0.0;  // rounding of a tiny negative step, or a non-finite input
  }
  phase = p;
  return p;
}

// Low 32 bits of trunc(x) for a finite x of any size up to 2^63.
inline uint32_t LowWord(double x) {
  return static_cast<uint32_t>(static_cast<uint64_t>(static_cast<int64_t>(x)));
}

// Every allocation of the engine goes through these two. Non-audio thread.
void* AllocateZeroed(size_t count, size_t size);
void FreeMemory(void* memory);
// Test hook: the next `allocations` allocations succeed, every later one fails; -1 restores
// normal allocation. Any thread.
void FailAllocationsAfter(int allocations);

// The engine's cosine table: 16384 entries of one period, then the first entry once more (so
// that every entry has its successor next to it).
constexpr int32_t kCosineTableSize = 16384;

struct CosineTable {
  // Allocates and fills the table; entries stays null (and count 0) when the allocation fails.
  // Non-audio thread; allocates.
  CosineTable();
  CosineTable(const CosineTable&) = delete;
  CosineTable& operator=(const CosineTable&) = delete;
  // Frees the entries. Non-audio thread.
  static void Free(CosineTable& table);

  int32_t count;
  int32_t channels;
  double* entries;
};

// 32-bit phase oscillator reading the cosine table; the full word range is one period.
struct CosineOsc {
  uint32_t phase;
  uint32_t increment;

  // Returns the interpolated cosine at the current phase, then advances the phase.
  static double Next(CosineOsc& osc, const double* table) {
    const uint32_t index = osc.phase >> 18;
    const uint32_t next = (index + 1) & 0x3FFF;
    // 1/262143 rather than 1/262144, so the fraction reaches exactly 1 at the top of a step.
    const double fraction = static_cast<double>(osc.phase & 0x3FFFF) * 3.81471181759574e-06;
    const double value = table[index] + (table[next] - table[index]) * fraction;
    osc.phase += osc.increment;
    return value;
  }
};

// Linear congruential white noise in [-1, 1), built from a float in [1, 2).
constexpr uint32_t kNoiseSeedStart = 2;

inline double NextNoise(uint32_t& seed) {
  seed = seed * 1664525u + 1013904223u;
  const uint32_t bits = (seed & 0x7FFFFFu) | 0x3F800000u;
  float unit;
  std::memcpy(&unit, &bits, sizeof unit);
  const float value = unit * 2.0f - 3.0f;
  return static_cast<double>(value);
}

// Largest sample count a buffer may hold (256 MB of doubles).
constexpr int32_t kMaxBufferSamples = 0x2000000;

// Growable mono sample memory behind a delay line.
struct SampleBuffer {
  // Makes the buffer hold count zeroed samples, keeping the first min(old, new) old samples when
  // the memory is replaced. Retries smaller sizes a bounded number of times; returns false when
  // no memory of the requested size could be had. Non-audio thread; allocates.
  static bool Resize(SampleBuffer& buffer, int32_t count);

  int32_t count;
  int32_t channels;
  double* samples;
  double savedPosition;
};

// Power-of-two circular delay memory; head is the cell of the current sample.
struct DelayLine {
  // Sizes the line on first use (or grows it when maxDelay needs more room than it has), else
  // clears it. Returns false when the line has no usable memory afterwards.
  // Non-audio thread; allocates when sizing.
  static bool Init(DelayLine& line, int32_t maxDelay);
  // Frees the sample memory. Non-audio thread.
  static void Free(DelayLine& line);

  // The functions below run per sample: any thread, no allocation.
  static void Write(DelayLine& line, double x) {
    line.lastWrite = line.head;
    line.cells[line.head] = x;
  }

  static void Step(DelayLine& line) { line.head = (line.head + 1) & line.mask; }

  // Before this sample's write the shortest delay is one sample, after it zero.
  static double LowerBound(const DelayLine& line) {
    return line.head != line.lastWrite ? 1.0 : 0.0;
  }

  // Reads round-half-down(d) samples back.
  static double Read(const DelayLine& line, double d) {
    const double lower = LowerBound(line);
    double e = d - 0.5;
    if (!(e >= lower)) e = lower;
    if (e > line.maxDelay) e = line.maxDelay;
    const int32_t index = static_cast<int32_t>(line.head + line.size - e) & line.mask;
    return line.cells[index];
  }

  // Reads d samples back with linear interpolation between the neighbouring cells.
  static double ReadLinear(const DelayLine& line, double d) {
    const double lower = LowerBound(line);
    double e = d;
    if (!(e >= lower)) e = lower;
    if (e > line.maxDelay) e = line.maxDelay;
    return ReadLinearFrom(line, e);
  }

  // Delay for ReadLinearFrom: limited to [1, maximum delay] once per block.
  static double LimitedDelay(const DelayLine& line, double d) {
    double e = d;
    if (!(e >= 1.0)) e = 1.0;
    if (e > line.maxDelay) e = line.maxDelay;
    return e;
  }

  // ReadLinear with a delay already limited. Equal to ReadLinear for a line read before this
  // sample's write, and for a line that holds only zeros; use LimitedDelay's values only for
  // lines whose head stands on their last write only while they hold zeros (the reverb's lines).
  static double ReadLinearFrom(const DelayLine& line, double limitedDelay) {
    const double p = line.head + line.size - limitedDelay;
    const int32_t i = static_cast<int32_t>(p);
    const double a = line.cells[i & line.mask];
    const double b = line.cells[(i + 1) & line.mask];
    return a + (b - a) * (p - i);
  }

  double* cells;
  int32_t size;
  int32_t mask;
  int32_t maxDelay;
  int32_t head;
  int32_t lastWrite;
  bool hasBuffer;
  SampleBuffer buffer;
};

}  // namespace Dsp
