// A VST2 host for the binding's tests. It knows the interface only as bytes: it reads the
// descriptor at its published 64-bit offsets, calls the entries through the function pointers
// stored there, builds its own event lists and time records, and records every call the
// plug-in makes back. Natively it drives the binding linked in; under Wine the library file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using Vst2HostCallback = intptr_t (*)(void* effect, int32_t opcode, int32_t index, intptr_t value,
                                      void* ptr, float opt);
using Vst2Entry = void* (*)(Vst2HostCallback host);

// Byte offsets of the descriptor's fields.
namespace Field {
constexpr int kMagic = 0, kDispatcher = 8, kProcess = 16, kSetParameter = 24, kGetParameter = 32,
              kNumPrograms = 40, kNumParams = 44, kNumInputs = 48, kNumOutputs = 52, kFlags = 56,
              kInitialDelay = 80, kIoRatio = 92, kObject = 96, kUniqueId = 112, kVersion = 116,
              kProcessReplacing = 120, kProcessDoubleReplacing = 128;
}

// Dispatcher and host callback opcodes the tests use.
namespace Op {
constexpr int32_t kOpen = 0, kClose = 1, kSetProgram = 2, kGetProgram = 3, kSetProgramName = 4,
                  kGetProgramName = 5, kGetParamLabel = 6, kGetParamDisplay = 7, kGetParamName = 8,
                  kSetSampleRate = 10, kSetBlockSize = 11, kMainsChanged = 12, kEditGetRect = 13,
                  kEditOpen = 14, kEditClose = 15, kIdentify = 22, kGetChunk = 23, kSetChunk = 24,
                  kProcessEvents = 25, kCanBeAutomated = 26, kString2Parameter = 27,
                  kGetProgramNameIndexed = 29, kGetInputProperties = 33, kGetOutputProperties = 34,
                  kGetPlugCategory = 35, kSetSpeakerArrangement = 42, kGetEffectName = 45,
                  kGetVendorString = 47, kGetProductString = 48, kGetVendorVersion = 49,
                  kVendorSpecific = 50, kCanDo = 51, kGetTailSize = 52, kGetVstVersion = 58,
                  kGetMidiKeyName = 66, kGetSpeakerArrangement = 69;
constexpr int32_t kHostAutomate = 0, kHostWantMidi = 6, kHostGetTime = 7, kHostProcessEvents = 8,
                  kHostProcessLevel = 23, kHostProductString = 33, kHostVendorVersion = 34,
                  kHostBeginEdit = 43, kHostEndEdit = 44;
}  // namespace Op

struct RecordedHostCall {
  int32_t opcode;
  int32_t index;
  intptr_t value;
  float opt;
};

// The host's answer to a time request: the 88-byte time record, filled field by field.
class TimeRecord {
 public:
  static constexpr int kSamplePos = 0, kPpqPos = 24, kTempo = 32, kBarStartPos = 40,
                       kCycleStart = 48, kCycleEnd = 56, kNumerator = 64, kDenominator = 68,
                       kFlags = 84;
  void SetDouble(int offset, double value);
  void SetInt32(int offset, int32_t value);
  void* Data() { return bytes; }

 private:
  alignas(8) unsigned char bytes[88] = {};
};

// A list of events as the host hands it over: a count, a reserved word and event pointers.
class EventList {
 public:
  void AddMidi(int32_t delta, uint8_t status, uint8_t data1, uint8_t data2);
  void AddSysEx(int32_t delta, int32_t dumpBytes, const uint8_t* dump);
  void AddOther(int32_t type);
  void AddNull();
  // The list's bytes, valid until the list changes; with a count written in place of the
  // number of events.
  void* Data() { return Data(static_cast<int32_t>(events.size())); }
  void* Data(int32_t count);

 private:
  std::vector<std::vector<uint64_t>> events;  // each 48 bytes; empty for a null entry
  std::vector<uint64_t> list;
};

// Audio buffers of one block, pre-filled so that tests see what was written.
template <class Sample>
struct TestChannels {
  TestChannels(int channels, int frames, Sample fill = 0)
      : data(channels, std::vector<Sample>(frames, fill)) {
    for (auto& channel : data)
      pointers.push_back(channel.data());
  }
  Sample** Pointers() { return pointers.data(); }
  double Peak(int channel) const;

  std::vector<std::vector<Sample>> data;
  std::vector<Sample*> pointers;
};

class Vst2TestHost {
 public:
  Vst2TestHost() = default;
  // Closes the instance when it is still open.
  ~Vst2TestHost();
  Vst2TestHost(const Vst2TestHost&) = delete;
  Vst2TestHost& operator=(const Vst2TestHost&) = delete;

  // Calls the entry with this host's callback; false when it gives no descriptor.
  bool Create(Vst2Entry entry);
  // effOpen, the sample rate, the block size and processing on, as hosts start an instance.
  void Start(float sampleRate = 44100.0f, intptr_t blockSize = 512);
  void Close();

  int32_t Int32At(int offset) const;
  float FloatAt(int offset) const;
  void* PointerAt(int offset) const;

  intptr_t Dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                    float opt = 0.0f);
  // A text opcode into a buffer of capacity bytes followed by guard bytes; the text written, and
  // whether the guards survived. The buffer starts filled with 'x'.
  std::string Text(int32_t opcode, int32_t index, int capacity, bool* guardsIntact,
                   intptr_t value = 0, float opt = 0.0f, intptr_t* result = nullptr);
  void SetParameter(int32_t index, float value);
  float GetParameter(int32_t index);
  void ProcessReplacing(float** inputs, float** outputs, int32_t frames);
  void ProcessAccumulating(float** inputs, float** outputs, int32_t frames);
  void ProcessDouble(double** inputs, double** outputs, int32_t frames);
  // The effGetChunk bytes (empty when it answers 0).
  std::vector<uint8_t> GetChunk(int32_t index);
  intptr_t SetChunk(int32_t index, const std::vector<uint8_t>& bytes);

  int CountCalls(int32_t opcode) const;

  // What this host answers.
  std::string productName = "Tovalune Test Host";
  intptr_t vendorVersion = 1000;
  intptr_t processLevel = 1;
  intptr_t eventsAnswer = 1;
  TimeRecord* time = nullptr;  // null: no time information
  // What the plug-in told it.
  std::vector<RecordedHostCall> calls;
  std::vector<uint8_t> firstSentEvent;  // the first event of the last list, byteSize bytes
  void* effect = nullptr;

 private:
  static intptr_t Callback(void* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr,
                           float opt);
  intptr_t Answer(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt);
};
