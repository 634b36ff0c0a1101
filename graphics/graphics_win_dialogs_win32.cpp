// IGraphicsWin: message boxes, file and colour dialogs, well-known folders, web addresses and
// the clipboard. UTF-8 on the editor's side, the wide calls on the system's, bounded buffers.
#include <windows.h>

#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>
#include <wininet.h>

#include <cstring>
#include <cwchar>
#include <new>
#include <string>

#include "framework/wide_text_win32.h"
#include "graphics/graphics_win.h"
#include "graphics/graphics_win_internal_win32.h"

namespace {

constexpr int kFileNameSize = 256;
constexpr int kFilterSize = 255;
constexpr int kDefaultExtensionSize = 16;
constexpr int kPatternLimit = 126;  // bytes of the filter pattern
static_assert(2 * (kPatternLimit + 1) + 1 <= kFilterSize, "pattern twice and the list's end fit");
constexpr int kModulePathSize = 256;
constexpr int kClassNameSize = 128;
constexpr int kMaxParentDepth = 64;
constexpr int kCustomColourCount = 16;

// The filter of an extension list ("a b" -> "*.a;*.b" shown as itself) and its first extension
// as the default. Extensions that would overflow the pattern are left out. False for no list.
bool BuildFilter(const char* extensions, wchar_t* filter, wchar_t* defaultExtension) {
  std::string pattern;
  std::string first;
  const char* p = extensions ? extensions : "";
  while (*p) {
    while (*p == ' ')
      ++p;
    const char* start = p;
    while (*p && *p != ' ')
      ++p;
    if (p == start) break;
    const std::string extension(start, p);
    if (first.empty()) first = extension;
    const std::string entry = (pattern.empty() ? "*." : ";*.") + extension;
    if (pattern.size() + entry.size() > static_cast<size_t>(kPatternLimit)) break;
    pattern += entry;
  }
  if (pattern.empty()) return false;
  // Description and pattern are the same text; the list ends with an empty entry.
  wchar_t wide[kPatternLimit + 1];
  const int n = Utf8ToWide(pattern.c_str(), wide, kPatternLimit + 1);
  std::wmemcpy(filter, wide, static_cast<size_t>(n));
  filter[n] = L'\0';
  std::wmemcpy(filter + n + 1, wide, static_cast<size_t>(n));
  filter[2 * n + 1] = L'\0';
  filter[2 * n + 2] = L'\0';
  Utf8ToWide(first.c_str(), defaultExtension, kDefaultExtensionSize);
  return true;
}

// The module's folder: its path up to and including the last backslash, "" when unknown.
void ModuleFolder(HMODULE module, HeapString* out) {
  wchar_t path[kModulePathSize];
  const DWORD length = GetModuleFileNameW(module, path, kModulePathSize);
  int end = 0;
  if (length > 0 && length < static_cast<DWORD>(kModulePathSize)) {
    for (int i = 0; i < static_cast<int>(length); ++i) {
      if (path[i] == L'\\') end = i + 1;
    }
  }
  WideToUtf8(path, end, out);
}

void SpecialFolder(int folder, HeapString* out) {
  wchar_t path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, folder, nullptr, SHGFP_TYPE_CURRENT, path))) path[0] = 0;
  WideToUtf8(path, -1, out);
}

UINT_PTR CALLBACK ColourDialogHook(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    const auto* choose = reinterpret_cast<const CHOOSECOLORW*>(lParam);
    SetWindowTextW(dialog, reinterpret_cast<const wchar_t*>(choose->lCustData));
  }
  return 0;
}

struct WindowSearch {
  DWORD processId;
  const wchar_t* className;
  HWND found;
};

BOOL CALLBACK FindProcessWindow(HWND candidate, LPARAM lParam) {
  auto* search = reinterpret_cast<WindowSearch*>(lParam);
  DWORD owner = 0;
  GetWindowThreadProcessId(candidate, &owner);
  wchar_t name[kClassNameSize] = {};
  if (owner != search->processId || !GetClassNameW(candidate, name, kClassNameSize)) return TRUE;
  if (std::wcscmp(name, search->className) != 0) return TRUE;
  search->found = candidate;
  return FALSE;
}

}  // namespace

void* IGraphicsWin::MainWindow() {
  if (mainWindow && IsWindow(AsWindow(mainWindow))) return mainWindow;
  mainWindow = nullptr;
  HWND parent = AsWindow(parentWindow);
  if (parent && IsWindow(parent)) {
    HWND top = parent;
    for (int depth = 0; depth < kMaxParentDepth; ++depth) {
      HWND up = GetParent(top);
      if (!up) break;
      top = up;
    }
    wchar_t name[kClassNameSize] = {};
    GetClassNameW(top, name, kClassNameSize);
    WideToUtf8(name, -1, &mainWindowClass);
    mainWindow = top;
  } else if (mainWindowClass.Length() > 0) {
    const std::wstring className = Utf8ToWide(mainWindowClass.Get());
    WindowSearch search = {static_cast<DWORD>(processId), className.c_str(), nullptr};
    EnumWindows(FindProcessWindow, reinterpret_cast<LPARAM>(&search));
    mainWindow = search.found;
  }
  return mainWindow;
}

int IGraphicsWin::ShowMessageBox(const char* text, const char* caption, int type) {
  LetGoOfMouse();
  const std::wstring wideText = Utf8ToWide(text);
  const std::wstring wideCaption = Utf8ToWide(caption);
  return MessageBoxW(AsWindow(MainWindow()), wideText.c_str(),
                     caption ? wideCaption.c_str() : nullptr, static_cast<UINT>(type));
}

void IGraphicsWin::HostFolder(HeapString* out) {
  if (out) ModuleFolder(nullptr, out);
}

void IGraphicsWin::PluginFolder(HeapString* out) {
  if (out) ModuleFolder(static_cast<HMODULE>(moduleInstance), out);
}

void IGraphicsWin::DesktopFolder(HeapString* out) {
  if (out) SpecialFolder(CSIDL_DESKTOP, out);
}

void IGraphicsWin::AppDataFolder(HeapString* out, bool common) {
  if (out) SpecialFolder(common ? CSIDL_COMMON_APPDATA : CSIDL_LOCAL_APPDATA, out);
}

void IGraphicsWin::PromptForFile(HeapString* file, int action, HeapString* folder,
                                 const char* extensions) {
  LetGoOfMouse();
  if (!file) return;
  HWND hwnd = AsWindow(window);
  if (!hwnd) {
    file->Set("");
    return;
  }

  wchar_t name[kFileNameSize];
  Utf8ToWide(file->Get(), name, kFileNameSize, true);
  HeapString desktop;
  if (!folder) folder = &desktop;
  if (folder->Length() == 0) DesktopFolder(folder);
  wchar_t initialFolder[kFileNameSize];
  Utf8ToWide(folder->Get(), initialFolder, kFileNameSize, true);
  wchar_t filter[kFilterSize] = {};
  wchar_t defaultExtension[kDefaultExtensionSize] = {};
  const bool filtered = BuildFilter(extensions, filter, defaultExtension);

  const bool save = action == 1;
  OPENFILENAMEW dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = hwnd;
  dialog.lpstrFilter = filtered ? filter : nullptr;
  dialog.lpstrFile = name;
  dialog.nMaxFile = kFileNameSize;
  dialog.lpstrInitialDir = initialFolder[0] ? initialFolder : nullptr;
  dialog.lpstrDefExt = filtered ? defaultExtension : nullptr;
  // The host's working folder is not ours to change.
  dialog.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR |
                 (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
  const BOOL chosen = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
  if (!chosen) {
    file->Set("");
    return;
  }
  name[kFileNameSize - 1] = L'\0';
  const int folderLength = dialog.nFileOffset < std::wcslen(name) ? dialog.nFileOffset : 0;
  WideToUtf8(name, folderLength, folder);
  WideToUtf8(name, -1, file);
}

bool IGraphicsWin::PromptForColor(IColor* colour, const char* prompt) {
  HWND hwnd = AsWindow(window);
  if (!hwnd || !colour) return false;
  if (!customColours) {
    customColours = new (std::nothrow) uint32_t[kCustomColourCount]();
    if (!customColours) return false;
  }
  const std::wstring title = Utf8ToWide(prompt);
  CHOOSECOLORW dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = hwnd;
  dialog.rgbResult = colour->ToColorRef();
  dialog.lpCustColors = reinterpret_cast<COLORREF*>(customColours);
  dialog.Flags = CC_FULLOPEN | CC_SOLIDCOLOR | CC_RGBINIT;
  if (prompt) {
    dialog.Flags |= CC_ENABLEHOOK;
    dialog.lpfnHook = ColourDialogHook;
    dialog.lCustData = reinterpret_cast<LPARAM>(title.c_str());
  }
  LetGoOfMouse();
  if (!ChooseColorW(&dialog)) return false;
  colour->red = GetRValue(dialog.rgbResult);
  colour->green = GetGValue(dialog.rgbResult);
  colour->blue = GetBValue(dialog.rgbResult);
  return true;
}

bool IGraphicsWin::OpenUrl(const char* url, const char* caption, const char* confirmText,
                           const char* errorText) {
  LetGoOfMouse();  // for the message boxes and the browser
  HWND hwnd = AsWindow(window);
  const std::wstring wideCaption = Utf8ToWide(caption);
  const wchar_t* shownCaption = caption ? wideCaption.c_str() : nullptr;
  if (confirmText &&
      MessageBoxW(hwnd, Utf8ToWide(confirmText).c_str(), shownCaption, MB_YESNO) != IDYES) {
    return false;
  }
  DWORD connection = 0;
  if (url && InternetGetConnectedState(&connection, 0)) {
    const std::wstring wideUrl = Utf8ToWide(url);
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(hwnd, L"open", wideUrl.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result > 32) return true;
  }
  if (errorText) MessageBoxW(hwnd, Utf8ToWide(errorText).c_str(), shownCaption, MB_OK);
  return false;
}

bool IGraphicsWin::GetClipboardText(HeapString* out) {
  if (!out) return false;
  out->Set("");
  if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(AsWindow(window))) return false;
  bool read = false;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* text = static_cast<const wchar_t*>(GlobalLock(data))) {
      const size_t units = GlobalSize(data) / sizeof(wchar_t);
      read = WideToUtf8(text, static_cast<int>(wcsnlen(text, units)), out);
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return read;
}
