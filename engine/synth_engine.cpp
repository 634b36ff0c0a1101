#include "engine/synth_engine.h"

#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <limits>
#include <new>

#include "engine/arpeggiator.h"
#include "engine/block_values.h"
#include "engine/effect_slot1.h"
#include "engine/effect_slot2.h"
#include "engine/engine_record.h"
#include "engine/param_table.h"
#include "engine/voice.h"
#include "engine/voice_paths.h"

namespace SynthEngine {
namespace {

using Engine::EngineRecord;

constexpr int32_t kHeaderBlockSize = 1024;

bool UsableSampleRate(double sampleRate) {
  return std::isfinite(sampleRate) && sampleRate >= kMinSampleRate && sampleRate <= kMaxSampleRate;
}

// Maximum delay of every line at a sample rate (products truncated to whole samples).
int32_t MaxDelay(int line, double sr) {
  using namespace Engine;
  switch (line) {
    case kFlanger0:
    case kFlanger1:
      return static_cast<int32_t>(sr * 0.1);
    case kTempoDelay0:
    case kTempoDelay1:
      return 500000;
    case kReverbInputDiffuser:
      return static_cast<int32_t>(sr * 0.125);
    case kReverbOut0Diffuser1:
    case kReverbOut0Diffuser3:
    case kReverbOut1Diffuser1:
    case kReverbOut1Diffuser3:
      return static_cast<int32_t>(sr * 0.25);
    case kReverbOut0Diffuser2:
    case kReverbOut1Diffuser2:
      return static_cast<int32_t>(sr * 0.5);
    default:
      return static_cast<int32_t>(sr);
  }
}

void ZeroOutputs(double** outputs, int32_t outputCount, int32_t frames) {
  if (outputs == nullptr || frames <= 0) return;
  const int32_t count = outputCount < 2 ? outputCount : 2;
  for (int32_t channel = 0; channel < count; ++channel) {
    double* out = outputs[channel];
    if (out == nullptr) continue;
    for (int32_t i = 0; i < frames; ++i)
      out[i] = 0.0;
  }
}

// The engine's last stage: limits to +-1.2 and never lets a non-finite sample out.
double LimitOutput(double x) {
  if (!std::isfinite(x)) return 0.0;
  return Dsp::Clamp(x, -1.2, 1.2);
}

void StepLines(Dsp::DelayLine* lines, int first, int last) {
  for (int id = first; id <= last; ++id)
    Dsp::DelayLine::Step(lines[id]);
}

// Every line of the first slot's effects that may hold signal moves on by one sample; quiet
// groups stand still (they hold only zeros, so where their heads stand makes no difference).
// The second slot steps its own lines.
void StepSlot1Lines(EngineRecord& record) {
  using namespace Engine;
  const EngineHistory& h = record.history;
  Dsp::DelayLine* lines = record.lines;
  if (h.chorusLines.live) StepLines(lines, kChorus0, kChorus1);
  if (h.flangerLines.live) StepLines(lines, kFlanger0, kFlanger1);
}

// The block's loop, in passes of up to kFramesPerPass samples: the shared values and gates of
// each sample, then the voices of all of them (in the build chosen at creation), then each
// effect slot over all of them. The voices depend on nothing the effects compute, and the slots
// share no state, so every sample comes out as it would alone. Flattened so that
// every step it calls is inlined into it.
__attribute__((flatten)) void PerformBlock(EngineRecord& record, double* out0, double* out1,
                                           int32_t frames) {
  Engine::BlockValues values;
  Engine::ComputeBlockValues(record, values);
  Engine::SampleOffsets offsets;
  Engine::SampleSetupStart(record, values, offsets);
  for (int32_t done = 0; done < frames; done += Engine::kFramesPerPass) {
    const int32_t count =
        frames - done < Engine::kFramesPerPass ? frames - done : Engine::kFramesPerPass;
    const bool settled = Engine::FillSampleFrames(record, values, offsets, record.frames, count);
    // Without the arpeggiator every frame has the block's gates.
    record.framesRepeat = settled && !values.arpOn;
    for (int32_t i = 0; i < count; ++i) {
      Engine::ArpeggiatorStep(record, values, record.frames[i].gate);
      Dsp::DelayLine::Step(record.lines[Engine::kArpeggiatorClock]);
    }
    record.path.renderVoices(record, values, record.frames, count, record.voiceSums);
    for (int32_t i = 0; i < count; ++i)
      record.voiceSums[i] = record.voiceSums[i] * 0.25 * 2.5;
    Engine::EffectSlot1PassStart(record, values, record.voiceSums, count);
    double* channel0 = out0 + done;
    double* channel1 = out1 + done;
    for (int32_t i = 0; i < count; ++i) {
      Engine::EffectSlot1Step(record, values, i, record.voiceSums[i], channel0[i], channel1[i]);
      StepSlot1Lines(record);
    }
    Engine::EffectSlot2Pass(record, values, channel0, channel1, count);
    for (int32_t i = 0; i < count; ++i) {
      channel0[i] = LimitOutput(channel0[i]);
      channel1[i] = LimitOutput(channel1[i]);
    }
  }
}

// Keys of NaN match no pitch or cutoff, so the voices' first samples compute their values.
void InvalidateVoiceCaches(Engine::VoiceState& voices) {
  const double none = std::numeric_limits<double>::quiet_NaN();
  for (int voice = 0; voice < Engine::kVoiceCount; ++voice) {
    for (Engine::OvertoneOscState* osc : {&voices.osc1, &voices.osc2})
      osc->cache.pitch[voice] = none;
    voices.lowPassCache.cutoff[voice] = none;
  }
}

void FreeRecord(EngineRecord* record) {
  Dsp::FreeMemory(record->paramInfo);
  for (Dsp::DelayLine& line : record->lines)
    Dsp::DelayLine::Free(line);
  Dsp::CosineTable::Free(record->cosineTable);
  record->~EngineRecord();
  Dsp::FreeMemory(record);
}

}  // namespace

SynthEngineState* Create(double sampleRate) {
  if (!UsableSampleRate(sampleRate)) return nullptr;
  void* memory = Dsp::AllocateZeroed(1, sizeof(EngineRecord));
  if (memory == nullptr) {
    std::fputs("allocating engine: out of memory\n", stderr);
    return nullptr;
  }
  // Constructing the record builds the cosine table; every delay line starts empty.
  EngineRecord* record = new (memory) EngineRecord();
  record->noiseSeed = Dsp::kNoiseSeedStart;
  record->path = Engine::ChooseLanePath();
  bool ready = record->cosineTable.entries != nullptr;
  if (ready) {
    Reset(record, sampleRate, kHeaderBlockSize);
    ready = !record->memoryMissing;
  }
  if (ready) {
    record->paramInfo = static_cast<EngineParamInfo*>(
        Dsp::AllocateZeroed(EngineParam::kCount, sizeof(EngineParamInfo)));
    ready = record->paramInfo != nullptr;
    if (!ready) std::fputs("allocating parameter table: out of memory\n", stderr);
  }
  if (!ready) {
    FreeRecord(record);
    return nullptr;
  }
  record->sampleRate = sampleRate;
  record->blockSize = kHeaderBlockSize;
  record->inputCount = 2;
  record->outputCount = 2;
  record->inputNames[0] = "in1";
  record->inputNames[1] = "in2";
  record->outputNames[0] = "audio_out_1";
  record->outputNames[1] = "audio_out_2";
  record->parameterCount = EngineParam::kCount;
  const EngineParamTable::Row* rows = EngineParamTable::Rows();
  for (int i = 0; i < EngineParam::kCount; ++i) {
    EngineParamInfo& info = record->paramInfo[i];
    info.defaultValue = record->params[i];
    info.reserved = nullptr;
    info.flag0 = 0;
    info.flag1 = 1;
    info.normalizedLow = 0.0;
    info.normalizedHigh = 1.0;
    info.minimum = rows[i].minimum;
    info.maximum = rows[i].maximum;
    info.name = rows[i].name;
    info.units = "";
    info.type = 0;
    info.reservedValue = 0.0;
  }
  return record;
}

void Reset(SynthEngineState* state, double sampleRate, int32_t blockSize) {
  if (state == nullptr || !UsableSampleRate(sampleRate) || blockSize < 0) return;
  EngineRecord& record = *Engine::Record(state);
  record.workingSampleRate = sampleRate;
  record.workingBlockSize = blockSize;
  record.errorCode = kErrorNone;

  bool allLines = record.cosineTable.entries != nullptr;
  for (int line = 0; line < Engine::kDelayLineCount; ++line) {
    if (!Dsp::DelayLine::Init(record.lines[line], MaxDelay(line, sampleRate))) allLines = false;
  }
  record.memoryMissing = !allLines;

  record.history = Engine::EngineHistory{};
  InvalidateVoiceCaches(record.history.voices);
  const EngineParamTable::Row* rows = EngineParamTable::Rows();
  for (int i = 0; i < EngineParam::kCount; ++i)
    record.params[i] = rows[i].defaultValue;

  const double phaseScale = Dsp::kTwoPow32 / sampleRate;
  for (Engine::EffectLfo* lfo :
       {&record.chorusLfoA, &record.chorusLfoB, &record.flangerLfoC, &record.flangerLfoD}) {
    *lfo = Engine::EffectLfo{{0, 0}, phaseScale};
  }
  record.oscPhaseScale = phaseScale;
  record.inverseSampleRate = 1 / sampleRate;
}

void SetParameter(SynthEngineState* state, uint32_t index, double value) {
  if (state == nullptr || index >= static_cast<uint32_t>(EngineParam::kCount)) return;
  if (!std::isfinite(value)) return;
  const EngineParamTable::Row& row = EngineParamTable::Rows()[index];
  if (value < row.minimum) {
    value = row.minimum;
  } else if (value > row.maximum) {
    value = row.maximum;
  }
  Engine::Record(state)->params[index] = value;
}

int32_t Perform(SynthEngineState* state, double** inputs, int32_t inputCount, double** outputs,
                int32_t outputCount, int32_t frames) {
  if (frames < 0) return kErrorFrameCount;
  if (state == nullptr) {
    ZeroOutputs(outputs, outputCount, frames);
    return kErrorMemory;
  }
  EngineRecord& record = *Engine::Record(state);
  record.workingBlockSize = frames;
  if (record.errorCode == kErrorNone) {
    const bool buffersPresent = inputs != nullptr && outputs != nullptr && inputCount >= 2 &&
                                outputCount >= 2 && inputs[0] != nullptr && inputs[1] != nullptr &&
                                outputs[0] != nullptr && outputs[1] != nullptr;
    if (!buffersPresent) record.errorCode = kErrorBuffers;
  }
  if (record.errorCode != kErrorNone) {
    ZeroOutputs(outputs, outputCount, frames);
    return record.errorCode;
  }
  if (record.memoryMissing) {
    ZeroOutputs(outputs, outputCount, frames);
    return kErrorMemory;
  }
  PerformBlock(record, outputs[0], outputs[1], frames);
  return kErrorNone;
}

void Destroy(SynthEngineState* state) {
  if (state == nullptr) return;
  FreeRecord(Engine::Record(state));
}

}  // namespace SynthEngine
