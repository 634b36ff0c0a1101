// Loads a VST3 module as a host does and finds its entry points.
#pragma once

#include <string>

#include "pluginterfaces/base/ipluginbase.h"

struct LoadedVst3Module {
  void* library = nullptr;
  bool (*initDll)() = nullptr;
  bool (*exitDll)() = nullptr;
  Steinberg::IPluginFactory*(PLUGIN_API* getPluginFactory)() = nullptr;
};

// Loads the library at path (a path of the build machine); false when it or an
// entry point is missing.
bool LoadVst3Module(const std::string& path, LoadedVst3Module* module);
// Frees the library.
void UnloadVst3Module(LoadedVst3Module* module);
