// The instrument's base class in the VST2 library.
#pragma once

#include "vst2/plugin_vst2.h"

using TovaluneBinding = IPluginVST2;
