#include <windows.h>

#include "module_loader.h"

namespace {

// A path of the build machine as Windows sees it: an absolute POSIX path lies on drive Z:
// under Wine; every separator becomes a backslash.
std::wstring WindowsPath(const std::string& path) {
  std::wstring wide = path.size() > 0 && path[0] == '/' ? L"Z:" : L"";
  for (char c : path)
    wide.push_back(c == '/' ? L'\\' : static_cast<wchar_t>(c));
  return wide;
}

template <class Function>
Function Entry(HMODULE library, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

}  // namespace

bool LoadVst3Module(const std::string& path, LoadedVst3Module* module) {
  HMODULE library = LoadLibraryW(WindowsPath(path).c_str());
  if (!library) return false;
  module->library = library;
  module->initDll = Entry<bool (*)()>(library, "InitDll");
  module->exitDll = Entry<bool (*)()>(library, "ExitDll");
  module->getPluginFactory =
      Entry<Steinberg::IPluginFactory*(PLUGIN_API*)()>(library, "GetPluginFactory");
  return module->initDll && module->exitDll && module->getPluginFactory;
}

void UnloadVst3Module(LoadedVst3Module* module) {
  if (module->library) FreeLibrary(static_cast<HMODULE>(module->library));
  *module = LoadedVst3Module();
}
