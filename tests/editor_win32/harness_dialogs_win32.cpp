// The harness's dialog driver and window searches, the clipboard and editors opened through a
// VST3 module.
#include "editor_harness.h"
// After the harness, which brings the platform's main header.
#include <commdlg.h>
#include <dlgs.h>

#include <cstring>

#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"

namespace EditorHarness {

namespace {

constexpr int kTextSize = 512;

// The first visible top-level window of className in z-order (the one that appeared last) that
// belongs to this process.
HWND FindVisibleWindowOfClass(const wchar_t* className) {
  HWND found = nullptr;
  while ((found = FindWindowExW(nullptr, found, className, nullptr))) {
    DWORD owner = 0;
    GetWindowThreadProcessId(found, &owner);
    if (owner == GetCurrentProcessId() && IsWindowVisible(found)) return found;
  }
  return nullptr;
}

// Polls on a helper thread (sleeping between polls: the window thread runs the dialog).
bool WaitFor(const std::function<bool()>& done, int timeoutMs = kDefaultTimeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
  while (!done()) {
    if (GetTickCount64() >= deadline) return false;
    Sleep(10);
  }
  return true;
}

void PressDialogButton(HWND dialog, int button) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}

HWND FindProcessDialog() {
  return FindVisibleWindowOfClass(L"#32770");
}

}  // namespace

HWND FindProcessPopupMenu() {
  return FindVisibleWindowOfClass(L"#32768");
}

HWND WaitForWindow(const std::function<HWND()>& find, int timeoutMs) {
  HWND found = nullptr;
  WaitFor([&] { return (found = find()) != nullptr; }, timeoutMs);
  return found;
}

DialogDriver::DialogDriver(int button, std::function<void(HWND dialog)> act)
    : worker([this, button, act] {
        if (HWND dialog = WaitForWindow(FindProcessDialog)) {
          if (act) act(dialog);
          PressDialogButton(dialog, button);
          pressed = WaitFor([&] { return !IsWindow(dialog); });
        }
        // Nothing may stay open: a test waiting in a modal call would never return.
        while (HWND left = FindProcessDialog()) {
          PressDialogButton(left, IDCANCEL);
          if (!WaitFor([&] { return !IsWindow(left); })) {
            PostMessageW(left, WM_CLOSE, 0, 0);
            break;
          }
        }
      }) {}

bool DialogDriver::Pressed() {
  if (worker.joinable()) worker.join();
  return pressed;
}

std::wstring FileDialogFolder(HWND dialog) {
  wchar_t text[kTextSize] = {};
  SendMessageW(dialog, CDM_GETFOLDERPATH, kTextSize, reinterpret_cast<LPARAM>(text));
  return text;
}

void SetFileDialogName(HWND dialog, const std::wstring& name) {
  // The name field is an edit control or, in newer dialogs, a combo box holding one.
  SendMessageW(dialog, CDM_SETCONTROLTEXT, edt1, reinterpret_cast<LPARAM>(name.c_str()));
  SendMessageW(dialog, CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(name.c_str()));
}

bool SetClipboardText(const wchar_t* text) {
  if (!OpenClipboard(nullptr)) return false;
  EmptyClipboard();
  const size_t bytes = text ? (wcslen(text) + 1) * sizeof(wchar_t) : 0;
  if (HGLOBAL memory = text ? GlobalAlloc(GMEM_MOVEABLE, bytes) : nullptr) {
    memcpy(GlobalLock(memory), text, bytes);
    GlobalUnlock(memory);
    if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);
  }
  CloseClipboard();
  return true;
}

ModuleEditor::ModuleEditor(const std::string& modulePath) {
  if (!LoadVst3Module(modulePath, &module) || !module.initDll()) return;
  auto prepared = std::make_unique<Vst3TestSession>(module.getPluginFactory());
  if (prepared->Prepare()) session = std::move(prepared);
}

ModuleEditor::~ModuleEditor() {
  Remove();
  if (view) view->release();
  session.reset();
  if (module.exitDll) module.exitDll();
  UnloadVst3Module(&module);
}

Steinberg::tresult ModuleEditor::Attach(HWND parent) {
  if (!session) return Steinberg::kResultFalse;
  if (!view) view = session->controller->createView(Steinberg::Vst::ViewType::kEditor);
  if (!view) return Steinberg::kResultFalse;
  const Steinberg::tresult result = view->attached(parent, Steinberg::kPlatformTypeHWND);
  attached = result == Steinberg::kResultOk;
  return result;
}

void ModuleEditor::Remove() {
  if (view && attached) view->removed();
  attached = false;
}

}  // namespace EditorHarness
