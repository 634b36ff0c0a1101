#pragma once

#include <cstdint>

#include "framework/heap_buffer.h"

// An in-memory preset the host can select by index: a name and a serialised parameter state.
struct IPresetSlot {
  static constexpr int kNameSize = 128;  // bytes, the NUL included; longer names are cut

  bool initialized = false;
  char name[kNameSize] = {};
  HeapBuffer state{HeapBuffer::kPageGranularity};

  // Owner's thread; these allocate nothing.
  explicit IPresetSlot(const char* presetName = "") { SetName(presetName); }
  // Copies the name, cut to kNameSize - 1 bytes on a character boundary; null counts as empty.
  void SetName(const char* presetName);
  // Copies at most length bytes of text (up to the first NUL), cut as above.
  void SetName(const char* text, int32_t length);
};
