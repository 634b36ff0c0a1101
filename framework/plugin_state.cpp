#include <cmath>
#include <cstdint>

#include "framework/little_endian.h"
#include "framework/plugin_core.h"

namespace {

constexpr int64_t kValueBytes = 8;

}  // namespace

bool IPluginCore::SerializeState(HeapBuffer* chunk) {
  return SerializeParams(chunk);
}

int IPluginCore::UnserializeState(const HeapBuffer* chunk, int pos) {
  return UnserializeParams(chunk, pos);
}

bool IPluginCore::SerializeParams(HeapBuffer* chunk) {
  if (!chunk) return false;
  MutexLock lock(&mutex);
  const int32_t count = NParams();
  const int32_t oldSize = chunk->Size();
  const int64_t newSize = oldSize + kValueBytes * count;
  if (newSize > INT32_MAX) return false;
  // One resize for the whole state: either every value is appended or none.
  chunk->Resize(static_cast<int32_t>(newSize), true);
  if (chunk->Size() != newSize) return false;
  unsigned char* out = chunk->Bytes() + oldSize;
  for (int32_t i = 0; i < count; ++i) {
    LittleEndian::StoreDouble(out + kValueBytes * i, GetParam(i)->Value());
  }
  return true;
}

int IPluginCore::UnserializeParams(const HeapBuffer* chunk, int pos) {
  if (!chunk || pos < 0) return -1;
  MutexLock lock(&mutex);
  const int32_t count = NParams();
  const int64_t end = int64_t{pos} + kValueBytes * count;
  // A short chunk is refused as a whole: nothing is applied halfway.
  if (end > chunk->Size()) return -1;
  const unsigned char* in = chunk->Bytes();
  for (int32_t i = 0; i < count; ++i) {
    const double v = LittleEndian::LoadDouble(in + pos + kValueBytes * i);
    if (std::isfinite(v)) GetParam(i)->SetClamped(v);  // a non-finite entry keeps the value
  }
  for (int32_t i = 0; i < count; ++i)
    ParamChanged(i);
  return static_cast<int>(end);
}

bool IPluginCore::StateEquals(const unsigned char* data, int pos) {
  if (!data || pos < 0) return false;
  for (int32_t i = 0, count = NParams(); i < count; ++i) {
    const double stored = LittleEndian::LoadDouble(data + kValueBytes * (int64_t{pos} + i));
    const float difference = static_cast<float>(GetParam(i)->Value()) - static_cast<float>(stored);
    if (!(std::fabs(difference) < 0.00001f)) return false;
  }
  return true;
}

void IPluginCore::RefreshParamControls() {
  if (!gui) return;
  MutexLock lock(&mutex);
  for (int32_t i = 0, count = NParams(); i < count; ++i) {
    PushParamToGui(i, GetParam(i)->Value(), false);
  }
}
