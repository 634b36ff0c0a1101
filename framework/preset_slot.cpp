#include "framework/preset_slot.h"

#include <cstring>

void IPresetSlot::SetName(const char* presetName) {
  SetName(presetName, kNameSize - 1);
}

void IPresetSlot::SetName(const char* text, int32_t length) {
  if (!text || length < 0) length = 0;
  if (length > kNameSize - 1) length = kNameSize - 1;
  int32_t copied = 0;
  for (; copied < length && text[copied] != '\0'; ++copied)
    name[copied] = text[copied];
  name[copied] = '\0';
}
