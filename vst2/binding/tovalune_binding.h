// The instrument's base class in the VST2 library, and the module its editor loads images from.
#pragma once

#include "vst2/plugin_vst2.h"
#include "vst2/tovalune_vst2.h"

using TovaluneBinding = IPluginVST2;

// The library's module handle. Any thread; allocates nothing.
inline void* TovaluneModuleHandle() {
  return ModuleInstanceHandle();
}
