// A VST2 host for tests that knows the interface only as bytes: it reads the descriptor at its
// 64-bit offsets, calls the entries stored there, builds its own event lists and time records and
// records every call the plug-in makes back. Natively it drives the binding linked in, under Wine
// the library file.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

using Vst2HostCallback = intptr_t (*)(void*, int32_t, int32_t, intptr_t, void*, float);
using Vst2Entry = void* (*)(Vst2HostCallback host);

// Byte offsets of the descriptor's fields, then of the 88-byte time record's.
namespace Field {
constexpr int kMagic = 0, kDispatcher = 8, kProcess = 16, kSetParameter = 24, kGetParameter = 32,
              kNumPrograms = 40, kNumParams = 44, kNumInputs = 48, kNumOutputs = 52, kFlags = 56,
              kInitialDelay = 80, kIoRatio = 92, kObject = 96, kUniqueId = 112, kVersion = 116,
              kProcessReplacing = 120, kProcessDoubleReplacing = 128;
constexpr int kSamplePos = 0, kPpqPos = 24, kTempo = 32, kNumerator = 64, kDenominator = 68,
              kTimeFlags = 84, kTimeBytes = 88;
}  // namespace Field

// Dispatcher opcodes, then host callback opcodes.
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

// The value of type T at a byte offset of a record, and its store.
template <class T>
T Get(const void* record, int offset) {
  T value;
  std::memcpy(&value, static_cast<const unsigned char*>(record) + offset, sizeof value);
  return value;
}
template <class T>
void Put(void* record, int offset, T value) {
  std::memcpy(static_cast<unsigned char*>(record) + offset, &value, sizeof value);
}

// A host's event list: a count, a reserved word, then one pointer per 48-byte event record.
struct EventList {
  // An event of type (1 MIDI with its three bytes, 6 system exclusive; 0 adds a null entry) at
  // delta; further fields are set with Put.
  unsigned char* Add(int32_t type, int32_t delta = 0, uint8_t status = 0, uint8_t data1 = 0,
                     uint8_t data2 = 0) {
    events.emplace_back(type ? 6 : 0, 0);
    if (!type) return nullptr;
    auto* event = reinterpret_cast<unsigned char*>(events.back().data());
    Put(event, 0, type);
    Put(event, 4, type == 1 ? 32 : 48);
    Put(event, 8, delta);
    Put(event, 24, (data2 << 16) | (data1 << 8) | status);
    return event;
  }
  void* Data(int32_t count) {  // the list's bytes, with count as its count
    list.assign(2 + std::max<size_t>(events.size(), 2), 0);
    Put(list.data(), 0, count);
    for (size_t i = 0; i < events.size(); ++i)
      Put<void*>(&list[2 + i], 0, events[i].empty() ? nullptr : events[i].data());
    return list.data();
  }
  std::vector<std::vector<uint64_t>> events;  // empty for a null entry
  std::vector<uint64_t> list;
};

// The host's two audio buffers of one block, pre-filled so that tests see what was written.
template <class Sample>
struct TestChannels {
  explicit TestChannels(int frames, Sample fill = 0)
      : data(2, std::vector<Sample>(frames, fill)), pointers{data[0].data(), data[1].data()} {}
  std::vector<std::vector<Sample>> data;
  Sample* pointers[2];
};

class Vst2TestHost {
 public:
  struct Call {
    int32_t opcode, index;
    intptr_t value;
    float opt;
    bool operator==(const Call& o) const {
      return std::tie(opcode, index, value, opt) == std::tie(o.opcode, o.index, o.value, o.opt);
    }
  };

  ~Vst2TestHost() { Close(); }
  // Calls the entry with this host's callback; false when it gives no descriptor.
  bool Create(Vst2Entry entry) {
    creating = this;
    effect = entry(&Vst2TestHost::Callback);
    creating = nullptr;
    if (effect) live.push_back(this);
    return effect != nullptr;
  }
  // effOpen, the sample rate, the block size and processing on, as hosts start an instance.
  void Start(float sampleRate = 44100.0f, intptr_t blockSize = 512) {
    Dispatch(Op::kOpen);
    Dispatch(Op::kSetSampleRate, 0, 0, nullptr, sampleRate);
    Dispatch(Op::kSetBlockSize, 0, blockSize);
    Dispatch(Op::kMainsChanged, 0, 1);
  }
  void Close() {
    if (effect) Dispatch(Op::kClose);
    effect = nullptr;
    live.erase(std::remove(live.begin(), live.end(), this), live.end());
  }

  template <class T>
  T At(int offset) const {
    return Get<T>(effect, offset);
  }
  intptr_t Dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                    float opt = 0.0f) {
    using Dispatcher = intptr_t (*)(void*, int32_t, int32_t, intptr_t, void*, float);
    return lastAnswer = At<Dispatcher>(Field::kDispatcher)(effect, opcode, index, value, ptr, opt);
  }
  // A text opcode into capacity bytes of 'x' and 16 guard bytes: the text up to its NUL (the x's
  // when nothing was written). The answer goes to lastAnswer; a damaged guard counts in overruns.
  std::string Text(int32_t opcode, int32_t index, int capacity, intptr_t value = 0,
                   float opt = 0.0f) {
    std::vector<char> buffer(capacity + 16, 'x');
    Dispatch(opcode, index, value, buffer.data(), opt);
    if (std::count(buffer.begin() + capacity, buffer.end(), 'x') != 16) ++overruns;
    return std::string(buffer.begin(), std::find(buffer.begin(), buffer.begin() + capacity, 0));
  }
  void SetParameter(int32_t index, float value) {
    At<void (*)(void*, int32_t, float)>(Field::kSetParameter)(effect, index, value);
  }
  float GetParameter(int32_t index) {
    return At<float (*)(void*, int32_t)>(Field::kGetParameter)(effect, index);
  }
  // One of the three audio entries (Field::kProcess, kProcessReplacing, kProcessDoubleReplacing).
  template <class Sample>
  void Process(int entry, Sample** inputs, Sample** outputs, int32_t frames) {
    At<void (*)(void*, Sample**, Sample**, int32_t)>(entry)(effect, inputs, outputs, frames);
  }
  // The effGetChunk bytes (empty when it answers 0); effSetChunk with a copy of bytes.
  std::vector<uint8_t> GetChunk(int32_t index) {
    uint8_t* data = nullptr;
    const intptr_t size = Dispatch(Op::kGetChunk, index, 0, &data);
    return size > 0 && data ? std::vector<uint8_t>(data, data + size) : std::vector<uint8_t>();
  }
  intptr_t SetChunk(int32_t index, std::vector<uint8_t> bytes) {
    return Dispatch(Op::kSetChunk, index, static_cast<intptr_t>(bytes.size()), bytes.data());
  }
  int CountCalls(int32_t opcode) const {
    return std::count_if(calls.begin(), calls.end(),
                         [&](const Call& c) { return c.opcode == opcode; });
  }

  // What this host answers.
  std::string productName = "Tovalune Test Host";
  intptr_t vendorVersion = 1000, processLevel = 1, eventsAnswer = 1;
  void* time = nullptr;  // the time record; null: no time information
  // What the plug-in did.
  void* effect = nullptr;
  intptr_t lastAnswer = 0;
  int overruns = 0;
  std::vector<Call> calls;
  std::vector<uint8_t> sentEvent;  // the first event of the last list sent, byteSize bytes

 private:
  // The hosts with an instance; the host being created answers an instance that has not
  // returned its descriptor yet.
  static inline std::vector<Vst2TestHost*> live;
  static inline Vst2TestHost* creating = nullptr;

  static intptr_t Callback(void* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr,
                           float opt) {
    auto host =
        std::find_if(live.begin(), live.end(), [&](auto* h) { return h->effect == effect; });
    Vst2TestHost* answering = host != live.end() ? *host : creating;
    return answering ? answering->Answer(opcode, index, value, ptr, opt) : 0;
  }
  intptr_t Answer(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) {
    calls.push_back({opcode, index, value, opt});
    if (opcode == Op::kHostGetTime) return reinterpret_cast<intptr_t>(time);
    if (opcode == Op::kHostVendorVersion) return vendorVersion;
    if (opcode == Op::kHostProcessLevel) return processLevel;
    if (opcode == Op::kHostProductString) {  // a name that fills 256 bytes comes without NUL
      std::memcpy(ptr, productName.c_str(), std::min<size_t>(productName.size() + 1, 256));
      return 1;
    }
    if (opcode != Op::kHostProcessEvents) return 0;
    const auto* event = Get<const uint8_t*>(ptr, 16);
    sentEvent.assign(event, event + std::clamp(Get<int32_t>(event, 4), 0, 48));
    return eventsAnswer;
  }
};

// Where the instrument's entries "VSTPluginMain" and "main" come from: the library file, loaded
// as a host loads it, in the Windows library tests; the binding linked in everywhere else.
struct TovaluneEntries {
  void* library = nullptr;
  Vst2Entry pluginMain = nullptr, legacyMain = nullptr;
};
bool OpenTovaluneEntries(TovaluneEntries* entries);  // false when an entry is missing
void CloseTovaluneEntries(TovaluneEntries* entries);
