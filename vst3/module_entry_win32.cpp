// The Windows library entry: keeps the module instance handle.
#include <windows.h>

#include "vst3/tovalune_module.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
  if (reason == DLL_PROCESS_ATTACH) SetModuleInstanceHandle(instance);
  return TRUE;
}
