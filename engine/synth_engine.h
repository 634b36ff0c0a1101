// Tovalune's synthesis engine: a plain record and five free functions that render the stereo
// sound of four voices (arpeggiator, glide, bend, spread, overtone oscillators, noise, three
// envelopes, two LFOs, a modulation matrix, two filters) through two effect slots. Everything the
// engine can be told is one of 195 double parameters addressed by index (engine/engine_params.h).
#pragma once

#include <cstdint>

// One row of the parameter table; rows are stored in index order.
struct EngineParamInfo {
  double defaultValue;
  void* reserved;
  uint8_t flag0;
  uint8_t flag1;
  double normalizedLow;
  double normalizedHigh;
  double minimum;
  double maximum;
  const char* name;
  const char* units;
  int32_t type;
  double reservedValue;
};

// The header of the engine record, readable by callers. The engine keeps the rest of its state
// behind this header; callers never create this record themselves (use SynthEngine::Create).
struct SynthEngineState {
  double sampleRate;  // the rate given to Create; later resets use their own working rate
  int32_t blockSize;
  int32_t inputCount;
  int32_t outputCount;
  const char* inputNames[2];
  const char* outputNames[2];
  int32_t parameterCount;
  EngineParamInfo* paramInfo;  // parameterCount rows, owned by the engine
};

namespace SynthEngine {

constexpr int32_t kErrorNone = 0;
// A null buffer (or fewer than two of either kind) was passed; sticky until the next Reset.
constexpr int32_t kErrorBuffers = 101;
// The engine lacks memory it needs (a delay line could not be sized) or the engine is null.
constexpr int32_t kErrorMemory = 102;
// A negative frame count was passed; nothing is written and nothing changes.
constexpr int32_t kErrorFrameCount = 103;

constexpr double kMinSampleRate = 1.0;
constexpr double kMaxSampleRate = 768000.0;

// Creates an engine reset at sampleRate with block size 1024 and every parameter at its default.
// Returns null when memory cannot be had or the rate is outside [kMinSampleRate, kMaxSampleRate].
// Any non-audio thread; allocates.
SynthEngineState* Create(double sampleRate);

// Sets the working rate and block size, clears all sound history and restores every parameter to
// its default. A rate outside [kMinSampleRate, kMaxSampleRate] (or not finite) or a negative block
// size is refused and changes nothing. Caller's thread, serialised with Perform; allocates only
// when the new rate needs longer delay lines.
void Reset(SynthEngineState* state, double sampleRate, int32_t blockSize);

// Stores value clamped to the parameter's range. Indices outside 0..194 and non-finite values
// change nothing. Any thread serialised with Perform; no allocation.
void SetParameter(SynthEngineState* state, uint32_t index, double value);

// Renders frames samples into outputs[0] and outputs[1] (inputs are required but never read).
// Returns 0, or an error code after writing zeros to every non-null output. Audio thread; never
// allocates or blocks.
int32_t Perform(SynthEngineState* state, double** inputs, int32_t inputCount, double** outputs,
                int32_t outputCount, int32_t frames);

// Frees everything the engine allocated; null is ignored. Non-audio thread.
void Destroy(SynthEngineState* state);

}  // namespace SynthEngine
