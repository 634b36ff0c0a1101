// The instrument's base class in the VST3 module.
#pragma once

#include "vst3/plugin_vst3.h"

using TovaluneBinding = IPluginVST3;
