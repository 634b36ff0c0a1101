// The state the host stores with a project: the serialised parameter state
// followed by a little-endian int32 bypass word (1564 bytes for 195
// parameters). The component's and the controller's state calls both use it.
#include <cmath>
#include <cstdint>

#include "framework/little_endian.h"
#include "pluginterfaces/base/ibstream.h"
#include "vst3/plugin_vst3.h"

using namespace Steinberg;

namespace {

constexpr int32_t kBypassWordBytes = 4;

// Writes all count bytes, however the stream splits them; false when any write fails.
bool WriteAll(IBStream* stream, unsigned char* bytes, int32_t count) {
  while (count > 0) {
    int32 written = 0;
    if (stream->write(bytes, count, &written) != kResultOk || written <= 0 || written > count) {
      return false;
    }
    bytes += written;
    count -= written;
  }
  return true;
}

// Reads exactly count bytes, however the stream splits them; false when it ends early.
bool ReadAll(IBStream* stream, unsigned char* bytes, int32_t count) {
  while (count > 0) {
    int32 read = 0;
    if (stream->read(bytes, count, &read) != kResultOk || read <= 0 || read > count) return false;
    bytes += read;
    count -= read;
  }
  return true;
}

}  // namespace

tresult PLUGIN_API IPluginVST3::getState(IBStream* state) {
  if (!state) return kInvalidArgument;
  MutexLock lock(GetMutex());
  HeapBuffer chunk(HeapBuffer::kPageGranularity);
  if (!SerializeState(&chunk)) return kResultFalse;
  unsigned char bypassWord[kBypassWordBytes];
  LittleEndian::StoreInt32(bypassWord, IsBypassed() ? 1 : 0);
  if (!WriteAll(state, chunk.Bytes(), chunk.Size()) ||
      !WriteAll(state, bypassWord, kBypassWordBytes)) {
    return kResultFalse;
  }
  return kResultOk;
}

tresult PLUGIN_API IPluginVST3::setState(IBStream* state) {
  if (!state) return kInvalidArgument;
  MutexLock lock(GetMutex());
  // The current state tells how long the parameter part is.
  HeapBuffer current(HeapBuffer::kPageGranularity);
  if (!SerializeState(&current) || current.Size() <= 0) return kResultFalse;
  const int32_t stateBytes = current.Size();

  // The whole state is read and checked before any of it is applied.
  HeapBuffer incoming(HeapBuffer::kPageGranularity);
  incoming.Resize(stateBytes + kBypassWordBytes, false);
  if (incoming.Size() != stateBytes + kBypassWordBytes) return kOutOfMemory;
  if (!ReadAll(state, incoming.Bytes(), incoming.Size())) return kResultFalse;
  if (stateBytes == 8 * NParams()) {
    for (int i = 0; i < NParams(); ++i) {
      if (!std::isfinite(LittleEndian::LoadDouble(incoming.Bytes() + 8 * i))) return kResultFalse;
    }
  }
  const int32_t bypassWord = LittleEndian::LoadInt32(incoming.Bytes() + stateBytes);

  if (UnserializeState(&incoming, 0) != stateBytes) return kResultFalse;
  SetBypassed(bypassWord != 0);
  RefreshParamControls();
  return kResultOk;
}
