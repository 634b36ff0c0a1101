#include <windows.h>

#include <string>

#include "vst2_test_host.h"

namespace {

// A path of the build machine as Windows sees it: an absolute POSIX path lies on drive Z:
// under Wine; every separator becomes a backslash.
std::wstring WindowsPath(const std::string& path) {
  std::wstring wide = !path.empty() && path[0] == '/' ? L"Z:" : L"";
  for (char c : path)
    wide.push_back(c == '/' ? L'\\' : static_cast<wchar_t>(c));
  return wide;
}

Vst2Entry Entry(void* library, const char* name) {
  return reinterpret_cast<Vst2Entry>(
      reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name)));
}

}  // namespace

bool OpenTovaluneEntries(TovaluneEntries* entries) {
  entries->library = LoadLibraryW(WindowsPath(TOVALUNE_VST2_LIBRARY).c_str());
  if (!entries->library) return false;
  entries->pluginMain = Entry(entries->library, "VSTPluginMain");
  entries->legacyMain = Entry(entries->library, "main");
  return entries->pluginMain && entries->legacyMain;
}

void CloseTovaluneEntries(TovaluneEntries* entries) {
  if (entries->library) FreeLibrary(static_cast<HMODULE>(entries->library));
  *entries = TovaluneEntries();
}
