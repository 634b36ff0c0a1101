#include "vst2_test_host.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

using Dispatcher = intptr_t (*)(void*, int32_t, int32_t, intptr_t, void*, float);
using FloatProcess = void (*)(void*, float**, float**, int32_t);
using DoubleProcess = void (*)(void*, double**, double**, int32_t);
using SetParam = void (*)(void*, int32_t, float);
using GetParam = float (*)(void*, int32_t);

constexpr int kGuardBytes = 16;
constexpr int kEventBytes = 48;
constexpr int kProductBufferBytes = 256;  // what the plug-in offers for the product string

// The hosts alive, to find the one a callback is for; a host being created answers calls from
// an instance that has not returned its descriptor yet.
std::vector<Vst2TestHost*> liveHosts;
Vst2TestHost* creatingHost = nullptr;

template <class Function>
Function EntryAt(const void* effect, int offset) {
  Function entry;
  std::memcpy(&entry, static_cast<const unsigned char*>(effect) + offset, sizeof entry);
  return entry;
}

template <class T>
void Store(void* at, T value) {
  std::memcpy(at, &value, sizeof value);
}

}  // namespace

void TimeRecord::SetDouble(int offset, double value) {
  Store(bytes + offset, value);
}

void TimeRecord::SetInt32(int offset, int32_t value) {
  Store(bytes + offset, value);
}

void EventList::AddMidi(int32_t delta, uint8_t status, uint8_t data1, uint8_t data2) {
  std::vector<uint64_t> event(kEventBytes / 8, 0);
  auto* bytes = reinterpret_cast<unsigned char*>(event.data());
  Store<int32_t>(bytes, 1);  // MIDI
  Store<int32_t>(bytes + 4, 32);
  Store<int32_t>(bytes + 8, delta);
  bytes[24] = status;
  bytes[25] = data1;
  bytes[26] = data2;
  events.push_back(event);
}

void EventList::AddSysEx(int32_t delta, int32_t dumpBytes, const uint8_t* dump) {
  std::vector<uint64_t> event(kEventBytes / 8, 0);
  auto* bytes = reinterpret_cast<unsigned char*>(event.data());
  Store<int32_t>(bytes, 6);  // system exclusive
  Store<int32_t>(bytes + 4, kEventBytes);
  Store<int32_t>(bytes + 8, delta);
  Store<int32_t>(bytes + 16, dumpBytes);
  Store(bytes + 32, dump);
  events.push_back(event);
}

void EventList::AddOther(int32_t type) {
  std::vector<uint64_t> event(kEventBytes / 8, 0);
  Store<int32_t>(event.data(), type);
  events.push_back(event);
}

void EventList::AddNull() {
  events.emplace_back();
}

void* EventList::Data(int32_t count) {
  list.assign(2 + std::max<size_t>(events.size(), 2), 0);
  Store<int32_t>(list.data(), count);
  for (size_t i = 0; i < events.size(); ++i) {
    void* event = events[i].empty() ? nullptr : events[i].data();
    Store(&list[2 + i], event);
  }
  return list.data();
}

template <class Sample>
double TestChannels<Sample>::Peak(int channel) const {
  double peak = 0.0;
  for (Sample s : data[channel])
    peak = std::max(peak, std::fabs(static_cast<double>(s)));
  return peak;
}
template struct TestChannels<float>;
template struct TestChannels<double>;

Vst2TestHost::~Vst2TestHost() {
  Close();
  liveHosts.erase(std::remove(liveHosts.begin(), liveHosts.end(), this), liveHosts.end());
}

bool Vst2TestHost::Create(Vst2Entry entry) {
  creatingHost = this;
  effect = entry ? entry(&Vst2TestHost::Callback) : nullptr;
  creatingHost = nullptr;
  if (effect) liveHosts.push_back(this);
  return effect != nullptr;
}

void Vst2TestHost::Start(float sampleRate, intptr_t blockSize) {
  Dispatch(Op::kOpen);
  Dispatch(Op::kSetSampleRate, 0, 0, nullptr, sampleRate);
  Dispatch(Op::kSetBlockSize, 0, blockSize);
  Dispatch(Op::kMainsChanged, 0, 1);
}

void Vst2TestHost::Close() {
  if (!effect) return;
  Dispatch(Op::kClose);
  effect = nullptr;
}

int32_t Vst2TestHost::Int32At(int offset) const {
  int32_t value;
  std::memcpy(&value, static_cast<const unsigned char*>(effect) + offset, sizeof value);
  return value;
}

float Vst2TestHost::FloatAt(int offset) const {
  float value;
  std::memcpy(&value, static_cast<const unsigned char*>(effect) + offset, sizeof value);
  return value;
}

void* Vst2TestHost::PointerAt(int offset) const {
  return EntryAt<void*>(effect, offset);
}

intptr_t Vst2TestHost::Dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr,
                                float opt) {
  return EntryAt<Dispatcher>(effect, Field::kDispatcher)(effect, opcode, index, value, ptr, opt);
}

std::string Vst2TestHost::Text(int32_t opcode, int32_t index, int capacity, bool* guardsIntact,
                               intptr_t value, float opt, intptr_t* result) {
  std::vector<char> buffer(capacity + kGuardBytes, 'x');
  const intptr_t answer = Dispatch(opcode, index, value, buffer.data(), opt);
  if (result) *result = answer;
  *guardsIntact =
      std::all_of(buffer.begin() + capacity, buffer.end(), [](char c) { return c == 'x'; });
  const auto end = std::find(buffer.begin(), buffer.begin() + capacity, '\0');
  return std::string(buffer.begin(), end);
}

void Vst2TestHost::SetParameter(int32_t index, float value) {
  EntryAt<SetParam>(effect, Field::kSetParameter)(effect, index, value);
}

float Vst2TestHost::GetParameter(int32_t index) {
  return EntryAt<GetParam>(effect, Field::kGetParameter)(effect, index);
}

void Vst2TestHost::ProcessReplacing(float** inputs, float** outputs, int32_t frames) {
  EntryAt<FloatProcess>(effect, Field::kProcessReplacing)(effect, inputs, outputs, frames);
}

void Vst2TestHost::ProcessAccumulating(float** inputs, float** outputs, int32_t frames) {
  EntryAt<FloatProcess>(effect, Field::kProcess)(effect, inputs, outputs, frames);
}

void Vst2TestHost::ProcessDouble(double** inputs, double** outputs, int32_t frames) {
  EntryAt<DoubleProcess>(effect, Field::kProcessDoubleReplacing)(effect, inputs, outputs, frames);
}

std::vector<uint8_t> Vst2TestHost::GetChunk(int32_t index) {
  void* data = nullptr;
  const intptr_t size = Dispatch(Op::kGetChunk, index, 0, &data);
  if (size <= 0 || !data) return {};
  const auto* bytes = static_cast<const uint8_t*>(data);
  return std::vector<uint8_t>(bytes, bytes + size);
}

intptr_t Vst2TestHost::SetChunk(int32_t index, const std::vector<uint8_t>& bytes) {
  std::vector<uint8_t> copy(bytes);  // the plug-in may not keep the host's memory
  return Dispatch(Op::kSetChunk, index, static_cast<intptr_t>(copy.size()), copy.data());
}

int Vst2TestHost::CountCalls(int32_t opcode) const {
  return static_cast<int>(std::count_if(calls.begin(), calls.end(),
                                        [&](const auto& call) { return call.opcode == opcode; }));
}

intptr_t Vst2TestHost::Callback(void* effect, int32_t opcode, int32_t index, intptr_t value,
                                void* ptr, float opt) {
  for (Vst2TestHost* host : liveHosts) {
    if (host->effect == effect) return host->Answer(opcode, index, value, ptr, opt);
  }
  return creatingHost ? creatingHost->Answer(opcode, index, value, ptr, opt) : 0;
}

intptr_t Vst2TestHost::Answer(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) {
  calls.push_back({opcode, index, value, opt});
  switch (opcode) {
    case Op::kHostGetTime:
      return time ? reinterpret_cast<intptr_t>(time->Data()) : 0;
    case Op::kHostProductString: {
      // A name that fills the whole buffer arrives without its NUL.
      const size_t length = std::min<size_t>(productName.size() + 1, kProductBufferBytes);
      std::memcpy(ptr, productName.c_str(), length);
      return 1;
    }
    case Op::kHostVendorVersion:
      return vendorVersion;
    case Op::kHostProcessLevel:
      return processLevel;
    case Op::kHostProcessEvents: {
      void* first;
      std::memcpy(&first, static_cast<unsigned char*>(ptr) + 16, sizeof first);
      const auto* bytes = static_cast<const uint8_t*>(first);
      int32_t byteSize;
      std::memcpy(&byteSize, bytes + 4, sizeof byteSize);
      firstSentEvent.assign(bytes, bytes + std::clamp(byteSize, 0, kEventBytes));
      return eventsAnswer;
    }
    default:
      return 0;
  }
}
