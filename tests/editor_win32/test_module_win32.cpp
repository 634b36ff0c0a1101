// A VST3 module holding the harness plug-in and its test editor, with the pictures among its
// own resources: the editor view is opened through the module as a host opens a real one.
#include <windows.h>

#include "pluginterfaces/base/ipluginbase.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "test_editor.h"
#include "vst3/plugin_factory.h"
#include "vst3/vst3_ids.h"

using namespace Steinberg;

namespace {

HINSTANCE moduleInstance = nullptr;
CPluginFactory* factory = nullptr;

FUnknown* CreateHarnessPlugin(void*) {
  auto* plugin = new HarnessPlugin();
  TestEditor::Build(plugin, moduleInstance);
  return static_cast<Vst::IAudioProcessor*>(plugin);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) moduleInstance = instance;
  return TRUE;
}

extern "C" {
SMTG_EXPORT_SYMBOL bool InitDll() {
  return true;
}
SMTG_EXPORT_SYMBOL bool ExitDll() {
  if (factory) factory->release();
  factory = nullptr;
  return true;
}
}

IPluginFactory* PLUGIN_API GetPluginFactory() {
  if (!factory) {
    factory = new CPluginFactory(PFactoryInfo("VornAudio", "", "", PFactoryInfo::kUnicode));
    PClassInfo2 info(TovaluneVst3Ids::kClassId, PClassInfo::kManyInstances, "Audio Module Class",
                     "Harness", 0, "Instrument", "", "1.0.0", "VST 3.6.0");
    factory->registerClass(&info, CreateHarnessPlugin);
  }
  factory->addRef();
  return factory;
}
