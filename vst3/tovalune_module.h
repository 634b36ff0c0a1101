// The VST3 module of the instrument: its exported entry points, the class
// factory with its one class, and instance creation.
#pragma once

#include "pluginterfaces/base/ipluginbase.h"

class IPluginVST3;

extern "C" {
// The host loaded the module: the module handle becomes the one the editor
// uses for its resources. Always true. Loading thread.
SMTG_EXPORT_SYMBOL bool InitDll();
// The host is about to unload the module: the module lets go of its factory.
// Always true. Loading thread.
SMTG_EXPORT_SYMBOL bool ExitDll();
}
// GetPluginFactory, declared by the SDK: builds the factory once and hands the
// caller a reference of its own (the module keeps one too). Any thread.

// Constructs one instrument instance under the process-wide creation lock;
// null when it cannot be built. Any thread; allocates.
IPluginVST3* CreateTovaluneInstance();
// The factory's create function: a new instance's IAudioProcessor with the one
// reference it was created with, or null. Any thread; allocates.
Steinberg::FUnknown* CreateTovaluneProcessor(void* context);

// The factory and class records the module publishes. Any thread; no allocation.
void FillFactoryInfo(Steinberg::PFactoryInfo* info);
void FillClassInfo(Steinberg::PClassInfo2* info, const Steinberg::TUID cid);

// The module instance handle the system gave when it attached the library
// (null in builds without a library entry), and the copy InitDll made for the
// editor. Any thread.
void SetModuleInstanceHandle(void* handle);
void* ModuleInstanceHandle();
void* EditorInstanceHandle();
