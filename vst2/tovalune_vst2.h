// The VST2 library of the instrument: its creation entry, instance creation and the module
// handle the editor loads its images with.
#pragma once

#include "vst2/vst2_abi.h"

class IPluginVST2;

extern "C" {
// Creates one instance for the host and returns its descriptor, or null when it cannot be
// built. The Windows library also exports it under the legacy name "main". Any thread;
// allocates.
AEffect* VSTPluginMain(audioMasterCallback host);
}

// Constructs one instrument instance under the process-wide creation lock, connected to host
// and with every preset slot filled; null when it cannot be built. Any thread; allocates.
IPluginVST2* CreateTovaluneVst2Instance(audioMasterCallback host);

// The module instance handle the system gave the library (null in builds without a library
// entry). Any thread.
void SetModuleInstanceHandle(void* handle);
void* ModuleInstanceHandle();
