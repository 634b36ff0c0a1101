#include "vst3/tovalune_module.h"

#include <atomic>
#include <cstring>
#include <new>

#include "framework/mutex.h"
#include "instrument/tovalune.h"
#include "vst3/plugin_factory.h"
#include "vst3/vst3_ids.h"

using namespace Steinberg;

namespace {

std::atomic<void*> moduleInstance{nullptr};
std::atomic<void*> editorInstance{nullptr};
// The module's own reference; null until the first GetPluginFactory and after ExitDll.
CPluginFactory* factory = nullptr;

// One lock for the whole process, created on first use and gone at process exit.
Mutex& CreationLock() {
  static Mutex lock;
  return lock;
}

// Copies text into a fixed field of size bytes: at most size - 1 characters, the rest zeroed.
void CopyField(char* field, std::size_t size, const char* text) {
  std::memset(field, 0, size);
  std::strncpy(field, text, size - 1);
}

}  // namespace

void SetModuleInstanceHandle(void* handle) {
  moduleInstance = handle;
}
void* ModuleInstanceHandle() {
  return moduleInstance;
}
void* EditorInstanceHandle() {
  return editorInstance;
}

bool InitDll() {
  editorInstance = moduleInstance.load();
  return true;
}

bool ExitDll() {
  MutexLock lock(&CreationLock());
  if (factory) {
    factory->release();
    factory = nullptr;
  }
  return true;
}

void FillFactoryInfo(PFactoryInfo* info) {
  *info = PFactoryInfo();
  CopyField(info->vendor, sizeof info->vendor, "VornAudio");
  CopyField(info->url, sizeof info->url, "");
  CopyField(info->email, sizeof info->email, "");
  info->flags = PFactoryInfo::kUnicode;
}

void FillClassInfo(PClassInfo2* info, const TUID cid) {
  *info = PClassInfo2();  // every byte zeroed first
  std::memcpy(info->cid, cid, sizeof(TUID));
  info->cardinality = PClassInfo::kManyInstances;
  CopyField(info->category, sizeof info->category, "Audio Module Class");
  CopyField(info->name, sizeof info->name, "Tovalune");
  info->classFlags = Vst::kSimpleModeSupported;
  CopyField(info->subCategories, sizeof info->subCategories, "Instrument|Synth");
  CopyField(info->vendor, sizeof info->vendor, "");
  CopyField(info->version, sizeof info->version, "1.1.0");
  CopyField(info->sdkVersion, sizeof info->sdkVersion, "VST 3.6.0");
}

IPluginFactory* PLUGIN_API GetPluginFactory() {
  MutexLock lock(&CreationLock());
  if (!factory) {
    static PFactoryInfo factoryInfo;
    static PClassInfo2 classInfo;
    FillFactoryInfo(&factoryInfo);
    FillClassInfo(&classInfo, TovaluneVst3Ids::kClassId);
    factory = new (std::nothrow) CPluginFactory(factoryInfo);
    if (!factory) return nullptr;
    if (!factory->registerClass(&classInfo, CreateTovaluneProcessor)) {
      factory->release();
      factory = nullptr;
      return nullptr;
    }
  }
  // The caller's reference; the module keeps its own, so the pointer stays valid after the
  // host lets go of its one.
  factory->addRef();
  return factory;
}

IPluginVST3* CreateTovaluneInstance() {
  MutexLock lock(&CreationLock());
  try {
    return new (std::nothrow) Tovalune();
  } catch (...) {
    return nullptr;  // nothing may escape into the host
  }
}

FUnknown* CreateTovaluneProcessor(void* /*context*/) {
  IPluginVST3* instance = CreateTovaluneInstance();
  return instance ? static_cast<Vst::IAudioProcessor*>(instance) : nullptr;
}
