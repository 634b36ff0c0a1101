#include "framework/preset_slot.h"

#include "framework/utf8_text.h"

void IPresetSlot::SetName(const char* presetName) {
  CopyUtf8Cut(name, kNameSize, presetName);
}

void IPresetSlot::SetName(const char* text, int32_t length) {
  CopyUtf8Cut(name, kNameSize, text, length);
}
