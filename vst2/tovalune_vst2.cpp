#include "vst2/tovalune_vst2.h"

#include <algorithm>
#include <atomic>
#include <new>

#include "framework/mutex.h"
#include "instrument/tovalune.h"

namespace {

std::atomic<void*> moduleInstance{nullptr};

// One lock for the whole process, created on first use and gone at process exit.
Mutex& CreationLock() {
  static Mutex lock;
  return lock;
}

}  // namespace

void SetModuleInstanceHandle(void* handle) {
  moduleInstance = handle;
}

void* ModuleInstanceHandle() {
  return moduleInstance;
}

IPluginVST2* CreateTovaluneVst2Instance(audioMasterCallback host) {
  MutexLock lock(&CreationLock());
  Tovalune* plug = nullptr;
  try {
    plug = new (std::nothrow) Tovalune();
  } catch (...) {
    return nullptr;  // nothing may escape into the host
  }
  if (!plug) return nullptr;
  plug->SetHostCallback(host);
  plug->FillEmptyPresets("Empty", plug->NPresets());
  AEffect* effect = plug->GetAEffect();
  effect->numPrograms = std::max(effect->numPrograms, 1);
  return plug;
}

AEffect* VSTPluginMain(audioMasterCallback host) {
  IPluginVST2* plug = CreateTovaluneVst2Instance(host);
  return plug ? plug->GetAEffect() : nullptr;
}
