// The instrument's base class in the VST3 module, and the module its editor loads images from.
#pragma once

#include "vst3/plugin_vst3.h"
#include "vst3/tovalune_module.h"

using TovaluneBinding = IPluginVST3;

// The module handle the module's load kept for the editor. Any thread; allocates nothing.
inline void* TovaluneModuleHandle() {
  return EditorInstanceHandle();
}
