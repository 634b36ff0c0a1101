#include <windows.h>

#include <algorithm>
#include <string>

#include "vst2_test_host.h"

bool OpenTovaluneEntries(TovaluneEntries* entries) {
  // A path of the build machine as Windows sees it: an absolute POSIX path lies on drive Z:
  // under Wine; every separator becomes a backslash.
  std::string path = TOVALUNE_VST2_LIBRARY;
  if (path[0] == '/') path = "Z:" + path;
  std::replace(path.begin(), path.end(), '/', '\\');
  HMODULE library = LoadLibraryA(path.c_str());
  entries->library = library;
  if (!library) return false;
  auto entry = [library](const char* name) {
    return reinterpret_cast<Vst2Entry>(reinterpret_cast<void*>(GetProcAddress(library, name)));
  };
  entries->pluginMain = entry("VSTPluginMain");
  entries->legacyMain = entry("main");
  return entries->pluginMain && entries->legacyMain;
}

void CloseTovaluneEntries(TovaluneEntries* entries) {
  if (entries->library) FreeLibrary(static_cast<HMODULE>(entries->library));
  *entries = TovaluneEntries();
}
