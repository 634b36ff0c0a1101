// The harness's host window, message pumping and real input (SendInput, as a user's mouse and
// keyboard deliver it).
#include "editor_harness.h"

namespace EditorHarness {

namespace {

constexpr const wchar_t* kHostClassName = L"TovaluneTestHost";

LRESULT CALLBACK HostProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* host = reinterpret_cast<HostWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (message == WM_ERASEBKGND) return 1;  // the editor covers the client area
  if (message != WM_KEYDOWN && message != WM_KEYUP)
    return DefWindowProcW(hwnd, message, wParam, lParam);
  if (!host) return 0;
  ++(message == WM_KEYDOWN ? host->keyDowns : host->keyUps);
  if (host->bounceKeysTo) SendMessageW(host->bounceKeysTo, message, wParam, lParam);
  return 0;
}

void SendMouse(DWORD flags, LONG dx = 0, LONG dy = 0, DWORD data = 0) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi = {dx, dy, data, flags, 0, 0};
  SendInput(1, &input, sizeof input);
}

void SendKey(WORD virtualKey, WORD scan, DWORD flags) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki = {virtualKey, scan, flags, 0, 0};
  SendInput(1, &input, sizeof input);
}

DWORD ButtonFlag(Button button, bool down) {
  if (button == Button::kRight) return down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP;
  if (button == Button::kMiddle) return down ? MOUSEEVENTF_MIDDLEDOWN : MOUSEEVENTF_MIDDLEUP;
  return down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
}

}  // namespace

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
  for (;;) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    if (done()) return true;
    if (GetTickCount64() >= deadline) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
}

void SettleInput() {
  int quiet = 0;
  PumpUntil([&] {
    quiet = HIWORD(GetQueueStatus(QS_INPUT | QS_POSTMESSAGE)) == 0 ? quiet + 1 : 0;
    return quiet >= 3;
  });
}

HostWindow::HostWindow(int clientWidth, int clientHeight) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = HostProcedure;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = kHostClassName;
  RegisterClassW(&windowClass);  // fails harmlessly when registered already
  hwnd = CreateWindowExW(0, kHostClassName, L"Tovalune test host",
                         WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, clientWidth, clientHeight,
                         nullptr, nullptr, instance, nullptr);
  if (!hwnd) return;
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetForegroundWindow(hwnd);
  SetFocus(hwnd);
  PumpUntil([&] { return GetForegroundWindow() == hwnd; }, 2000);
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

void MoveMouse(HWND window, int x, int y) {
  POINT at = {x, y};
  ClientToScreen(window, &at);
  // Absolute positions run 0..65535 over the primary screen.
  const int w = GetSystemMetrics(SM_CXSCREEN) - 1;
  const int h = GetSystemMetrics(SM_CYSCREEN) - 1;
  SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE,
            static_cast<LONG>((at.x * 65535LL + w / 2) / w),
            static_cast<LONG>((at.y * 65535LL + h / 2) / h));
  PumpUntil([&] {
    POINT now;
    return GetCursorPos(&now) && now.x == at.x && now.y == at.y;
  });
}

void PressButton(Button button) {
  SendMouse(ButtonFlag(button, true));
}

void ReleaseButton(Button button) {
  SendMouse(ButtonFlag(button, false));
}

void Click(HWND window, int x, int y, Button button) {
  MoveMouse(window, x, y);
  PressButton(button);
  ReleaseButton(button);
}

void DoubleClick(HWND window, int x, int y) {
  Click(window, x, y);
  PressButton(Button::kLeft);
  ReleaseButton(Button::kLeft);
}

void TurnWheel(int delta) {
  SendMouse(MOUSEEVENTF_WHEEL, 0, 0, static_cast<DWORD>(delta));
}

void TapKey(WORD virtualKey, bool control) {
  if (control) SendKey(VK_CONTROL, 0, 0);
  SendKey(virtualKey, 0, 0);
  SendKey(virtualKey, 0, KEYEVENTF_KEYUP);
  if (control) SendKey(VK_CONTROL, 0, KEYEVENTF_KEYUP);
}

void TypeText(const std::wstring& text) {
  for (wchar_t c : text) {
    SendKey(0, static_cast<WORD>(c), KEYEVENTF_UNICODE);
    SendKey(0, static_cast<WORD>(c), KEYEVENTF_UNICODE | KEYEVENTF_KEYUP);
  }
}

}  // namespace EditorHarness
