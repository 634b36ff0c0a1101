// The harness's dialog driver, file dialog helpers, the clipboard and temporary folders.
#include "editor_harness.h"
// After the harness, which brings the platform's main header.
#include <commdlg.h>
#include <dlgs.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <vector>

namespace EditorHarness {

namespace {

constexpr int kTextSize = 512;
constexpr DWORD kPollMs = 10;

struct WindowSearch {
  const wchar_t* className;
  HWND found;
};

BOOL CALLBACK TakeProcessWindow(HWND candidate, LPARAM lParam) {
  auto* search = reinterpret_cast<WindowSearch*>(lParam);
  DWORD owner = 0;
  GetWindowThreadProcessId(candidate, &owner);
  wchar_t name[16] = {};
  if (owner != GetCurrentProcessId() || !IsWindowVisible(candidate) ||
      !GetClassNameW(candidate, name, 16) || std::wstring(name) != search->className) {
    return TRUE;
  }
  search->found = candidate;
  return FALSE;  // the first in z-order: the one that appeared last
}

HWND FindVisibleWindowOfClass(const wchar_t* className) {
  WindowSearch search = {className, nullptr};
  EnumWindows(TakeProcessWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void PressDialogButton(HWND dialog, int button) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}

bool WaitFor(const std::function<bool()>& done, ULONGLONG deadline) {
  while (!done()) {
    if (GetTickCount64() >= deadline) return false;
    Sleep(kPollMs);  // the helper thread polls; the window thread keeps running the dialog
  }
  return true;
}

std::string Utf8(const std::wstring& wide) {
  if (wide.empty()) return std::string();
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, &out[0], bytes, nullptr, nullptr);
  out.resize(static_cast<size_t>(bytes - 1));
  return out;
}

std::wstring Wide(const std::string& utf8) {
  if (utf8.empty()) return std::wstring();
  const int units = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
  std::wstring out(static_cast<size_t>(units), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, &out[0], units);
  out.resize(static_cast<size_t>(units - 1));
  return out;
}

}  // namespace

HWND FindProcessDialog() {
  return FindVisibleWindowOfClass(L"#32770");
}

HWND FindProcessPopupMenu() {
  return FindVisibleWindowOfClass(L"#32768");
}

HWND WaitForWindow(const std::function<HWND()>& find, int timeoutMs) {
  HWND found = nullptr;
  WaitFor([&] { return (found = find()) != nullptr; }, GetTickCount64() + timeoutMs);
  return found;
}

std::wstring DialogText(HWND dialog, int item) {
  wchar_t text[kTextSize] = {};
  if (item == 0) {
    GetWindowTextW(dialog, text, kTextSize);
  } else {
    GetDlgItemTextW(dialog, item, text, kTextSize);
  }
  return text;
}

std::wstring FileDialogFolder(HWND dialog) {
  wchar_t text[kTextSize] = {};
  SendMessageW(dialog, CDM_GETFOLDERPATH, kTextSize, reinterpret_cast<LPARAM>(text));
  return text;
}

std::wstring FileDialogName(HWND dialog) {
  wchar_t text[kTextSize] = {};
  SendMessageW(dialog, CDM_GETSPEC, kTextSize, reinterpret_cast<LPARAM>(text));
  return text;
}

void SetFileDialogName(HWND dialog, const std::wstring& name) {
  // The name field is an edit control or, in newer dialogs, a combo box holding one.
  SendMessageW(dialog, CDM_SETCONTROLTEXT, edt1, reinterpret_cast<LPARAM>(name.c_str()));
  SendMessageW(dialog, CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(name.c_str()));
}

DialogDriver::DialogDriver(int button, Action act, int timeoutMs)
    : worker([this, button, act, timeoutMs] { Run(button, act, timeoutMs); }) {}

DialogDriver::~DialogDriver() {
  Finish();
}

void DialogDriver::Finish() {
  if (worker.joinable()) worker.join();
}

bool DialogDriver::Pressed() {
  Finish();
  return pressed;
}

std::wstring DialogDriver::Title() {
  Finish();
  return title;
}

void DialogDriver::Run(int button, Action act, int timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
  HWND dialog = nullptr;
  if (WaitFor([&] { return (dialog = FindProcessDialog()) != nullptr; }, deadline)) {
    title = DialogText(dialog);
    if (act) act(dialog);
    PressDialogButton(dialog, button);
    pressed = WaitFor([&] { return !IsWindow(dialog); }, deadline);
  }
  // Nothing may stay open: a test waiting in a modal call would never return.
  while (HWND left = FindProcessDialog()) {
    PressDialogButton(left, IDCANCEL);
    if (!WaitFor([&] { return !IsWindow(left); }, GetTickCount64() + timeoutMs)) {
      PostMessageW(left, WM_CLOSE, 0, 0);
      break;
    }
  }
}

bool SetClipboardText(const wchar_t* text) {
  if (!OpenClipboard(nullptr)) return false;
  EmptyClipboard();
  if (text) {
    const size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
      memcpy(GlobalLock(memory), text, bytes);
      GlobalUnlock(memory);
      if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);
    }
  }
  CloseClipboard();
  return true;
}

TempFolder::TempFolder(const char* prefix) {
  static int made = 0;
  wchar_t base[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, base);
  char name[96];
  std::snprintf(name, sizeof name, "%s_%lu_%d", prefix, GetCurrentProcessId(), ++made);
  std::wstring folder = base;
  if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
  folder += Wide(name);
  CreateDirectoryW(folder.c_str(), nullptr);
  path = Utf8(folder);
}

TempFolder::~TempFolder() {
  const std::wstring folder = Wide(path);
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        DeleteFileW((folder + L"\\" + found.cFileName).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(folder.c_str());
}

std::string TempFolder::AddFile(const char* name) {
  const std::string file = path + "\\" + name;
  HANDLE handle = CreateFileW(Wide(file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle != INVALID_HANDLE_VALUE) {
    DWORD written = 0;
    ::WriteFile(handle, "x", 1, &written, nullptr);
    CloseHandle(handle);
  }
  return file;
}

}  // namespace EditorHarness
