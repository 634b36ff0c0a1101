// The harness's host window and message pumping.
#include "editor_harness.h"

namespace EditorHarness {

namespace {

constexpr const wchar_t* kHostClassName = L"TovaluneTestHost";
constexpr int kPollMs = 5;

LRESULT CALLBACK HostProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* host = reinterpret_cast<HostWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
      if (!host) return 0;
      ++(message == WM_KEYDOWN ? host->keyDowns : host->keyUps);
      if (host->bounceKeysTo) SendMessageW(host->bounceKeysTo, message, wParam, lParam);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the editor covers the client area; nothing of ours shows through
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

void DispatchPending() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
  for (;;) {
    DispatchPending();
    if (done()) return true;
    if (GetTickCount64() >= deadline) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, kPollMs, QS_ALLINPUT);
  }
}

void SettleInput(int timeoutMs) {
  int quiet = 0;
  PumpUntil(
      [&] {
        quiet = HIWORD(GetQueueStatus(QS_INPUT | QS_POSTMESSAGE)) == 0 ? quiet + 1 : 0;
        return quiet >= 3;
      },
      timeoutMs);
}

HostWindow::HostWindow(int clientWidth, int clientHeight) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = HostProcedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.lpszClassName = kHostClassName;
  RegisterClassW(&windowClass);  // fails harmlessly when a host window made it already
  RECT frame = {0, 0, clientWidth, clientHeight};
  const DWORD style = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN;
  AdjustWindowRect(&frame, style, FALSE);
  hwnd = CreateWindowExW(0, kHostClassName, L"Tovalune test host", style, 0, 0,
                         frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                         instance, nullptr);
  if (!hwnd) return;
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetForegroundWindow(hwnd);
  SetFocus(hwnd);
  PumpUntil([&] { return GetForegroundWindow() == hwnd; }, 2000);
}

HostWindow::~HostWindow() {
  Destroy();
}

void HostWindow::Destroy() {
  if (!hwnd) return;
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  DestroyWindow(hwnd);
  hwnd = nullptr;
}

HWND HostWindow::EditorChild() const {
  return hwnd ? FindWindowExW(hwnd, nullptr, L"IPluginWndClass", nullptr) : nullptr;
}

}  // namespace EditorHarness
