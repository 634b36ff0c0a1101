// The Windows library entry: keeps the module instance handle.
#include <windows.h>

#include "vst2/tovalune_vst2.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD /*reason*/, LPVOID /*reserved*/) {
  SetModuleInstanceHandle(instance);
  return TRUE;
}
