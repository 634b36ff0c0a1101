// Where the instrument's two entry names come from: the library file, loaded as a host loads it,
// in the Windows library tests; the binding linked in everywhere else.
#pragma once

#include "vst2_test_host.h"

struct TovaluneEntries {
  void* library = nullptr;
  Vst2Entry pluginMain = nullptr;  // "VSTPluginMain"
  Vst2Entry legacyMain = nullptr;  // "main"
};

// Finds both entries; false when one is missing.
bool OpenTovaluneEntries(TovaluneEntries* entries);
// Lets go of what Open took.
void CloseTovaluneEntries(TovaluneEntries* entries);
