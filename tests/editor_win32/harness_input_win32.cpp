// The harness's real input: SendInput, as a user's mouse and keyboard would deliver it.
#include "editor_harness.h"

namespace EditorHarness {

namespace {

void SendMouse(DWORD flags, LONG dx = 0, LONG dy = 0, DWORD data = 0) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dx = dx;
  input.mi.dy = dy;
  input.mi.mouseData = data;
  input.mi.dwFlags = flags;
  SendInput(1, &input, sizeof input);
}

void SendKey(WORD virtualKey, WORD scan, DWORD flags) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.wScan = scan;
  input.ki.dwFlags = flags;
  SendInput(1, &input, sizeof input);
}

DWORD ButtonFlag(Button button, bool down) {
  switch (button) {
    case Button::kRight:
      return down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP;
    case Button::kMiddle:
      return down ? MOUSEEVENTF_MIDDLEDOWN : MOUSEEVENTF_MIDDLEUP;
    default:
      return down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  }
}

}  // namespace

void MoveMouse(HWND window, int x, int y) {
  POINT at = {x, y};
  ClientToScreen(window, &at);
  // Absolute positions run 0..65535 over the primary screen.
  const int w = GetSystemMetrics(SM_CXSCREEN);
  const int h = GetSystemMetrics(SM_CYSCREEN);
  const LONG dx = static_cast<LONG>((at.x * 65535LL + (w - 1) / 2) / (w - 1));
  const LONG dy = static_cast<LONG>((at.y * 65535LL + (h - 1) / 2) / (h - 1));
  SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, dx, dy);
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
