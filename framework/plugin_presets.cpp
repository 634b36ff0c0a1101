#include <cstdio>
#include <cstring>
#include <utility>

#include "framework/little_endian.h"
#include "framework/plugin_core.h"

namespace {

constexpr const char* kUserPresetName = "user preset";

}  // namespace

const char* IPluginCore::GetPresetName(int i) const {
  const IPresetSlot* slot = presets.Get(i);
  return slot ? slot->name : "";
}

bool IPluginCore::StoreStateIntoSlot(IPresetSlot* slot) {
  // Serialise aside first, so that a failure leaves the slot as it was.
  HeapBuffer fresh(HeapBuffer::kPageGranularity);
  if (!SerializeState(&fresh)) return false;
  slot->state = std::move(fresh);
  slot->initialized = true;
  return true;
}

void IPluginCore::CreateInitPreset() {
  FillEmptyPresets("Init", 1);
}

void IPluginCore::FillEmptyPresets(const char* name, int count) {
  for (int n = 0; n < count; ++n) {
    IPresetSlot* empty = nullptr;
    for (int32_t i = 0; i < NPresets() && !empty; ++i) {
      if (!GetPresetSlot(i)->initialized) empty = GetPresetSlot(i);
    }
    if (!empty || !StoreStateIntoSlot(empty)) return;
    empty->SetName(name ? name : "Empty");
  }
}

bool IPluginCore::LoadPresetSlot(int i) {
  IPresetSlot* slot = presets.Get(i);
  if (!slot) return false;
  bool loaded;
  if (slot->initialized) {
    loaded = UnserializeState(&slot->state, 0) > 0;
  } else {
    // A slot never filled keeps the current sound as a new user preset.
    int users = 0;
    for (int32_t k = 0; k < NPresets(); ++k) {
      if (std::strstr(GetPresetSlot(k)->name, kUserPresetName)) ++users;
    }
    loaded = StoreStateIntoSlot(slot);
    if (loaded) {
      char name[IPresetSlot::kNameSize];
      std::snprintf(name, sizeof name, "%s %d", kUserPresetName, users + 1);
      slot->SetName(name);
    }
  }
  if (loaded) {
    currentPresetIdx = i;
    CurrentPresetChanged();
    RefreshParamControls();
  }
  return loaded;
}

bool IPluginCore::ModifyCurrentPreset(const char* name) {
  IPresetSlot* slot = presets.Get(currentPresetIdx);
  if (!slot || !StoreStateIntoSlot(slot)) return false;
  if (name && name[0] != '\0') slot->SetName(name);
  return true;
}

bool IPluginCore::SerializePresets(HeapBuffer* chunk) {
  if (!chunk) return false;
  MutexLock lock(&mutex);
  const int32_t oldSize = chunk->Size();
  for (int32_t i = 0; i < NPresets(); ++i) {
    const IPresetSlot* slot = GetPresetSlot(i);
    const int32_t before = chunk->Size();
    const unsigned char flag = slot->initialized ? 1 : 0;
    bool written = chunk->PutString(slot->name) > before && chunk->PutBytes(&flag, 1);
    if (written && slot->initialized) {
      written = chunk->PutBytes(slot->state.Get(), slot->state.Size());
    }
    if (!written) {
      chunk->Resize(oldSize, false);
      return false;
    }
  }
  return true;
}

int IPluginCore::MeasurePresets(const HeapBuffer* chunk, int pos) const {
  if (!chunk || pos < 0) return -1;
  const int64_t size = chunk->Size();
  const unsigned char* in = chunk->Bytes();
  const int64_t stateBytes = int64_t{8} * NParams();
  int64_t at = pos;
  for (int32_t i = 0; i < NPresets(); ++i) {
    if (size - at < 4) return -1;
    const int32_t nameLength = LittleEndian::LoadInt32(in + at);
    if (nameLength < 0) return -1;
    at += 4 + int64_t{nameLength};
    if (at + 1 > size) return -1;  // the name and the flag byte
    const bool filled = in[at] != 0;
    at += 1;
    if (filled) {
      at += stateBytes;
      if (at > size) return -1;
    }
  }
  return static_cast<int>(at);
}

int IPluginCore::UnserializePresets(const HeapBuffer* chunk, int pos) {
  // The whole bank is checked before anything changes.
  if (MeasurePresets(chunk, pos) < 0) return -1;
  MutexLock lock(&mutex);
  const unsigned char* in = chunk->Bytes();
  int at = pos;
  for (int32_t i = 0; i < NPresets() && at >= 0; ++i) {
    IPresetSlot* slot = GetPresetSlot(i);
    const int32_t nameLength = LittleEndian::LoadInt32(in + at);
    slot->SetName(reinterpret_cast<const char*>(in + at + 4), nameLength);
    at += 4 + nameLength;
    slot->initialized = in[at] != 0;
    at += 1;
    if (slot->initialized) {
      // The slot's values pass through the live parameters, which clamp them; the slot then
      // stores them as they came out.
      at = UnserializeState(chunk, at);
      if (at > 0) StoreStateIntoSlot(slot);
    }
  }
  LoadPresetSlot(currentPresetIdx);
  return at;
}
