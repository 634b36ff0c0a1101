// Text conversions between the framework's 8-bit texts and the UTF-16 texts
// of the VST3 interfaces. Any thread; no allocation.
#pragma once

#include "pluginterfaces/vst/vsttypes.h"

namespace Steinberg {
namespace Vst {

// Widens each byte of text (null: the empty text) into out, keeping at most
// capacity - 1 units and terminating; capacity <= 0 writes nothing.
void WidenText(const char* text, TChar* out, int capacity);

// Keeps the low byte of each unit of text (null: the empty text), at most
// capacity - 1 characters, and terminates; capacity <= 0 writes nothing.
void NarrowText(const TChar* text, char* out, int capacity);

}  // namespace Vst
}  // namespace Steinberg
