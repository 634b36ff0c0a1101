// IGraphicsWin: mouse and key messages into the core's dispatch.
#include <windows.h>
#include <windowsx.h>

#include "graphics/graphics_win.h"
#include "graphics/graphics_win_internal_win32.h"

namespace {

// A key on its way to the root window; a key that comes back meanwhile is not sent again.
// Window thread only.
bool forwardingKey = false;

IMouseKeys KeysOf(WPARAM keyState) {
  IMouseKeys keys;
  keys.left = (keyState & MK_LBUTTON) != 0;
  keys.right = (keyState & MK_RBUTTON) != 0;
  keys.shift = (keyState & MK_SHIFT) != 0;
  keys.control = (keyState & MK_CONTROL) != 0;
  keys.alt = GetKeyState(VK_MENU) < 0;
  return keys;
}

}  // namespace

intptr_t IGraphicsWin::HandleMouseMessage(void* handle, unsigned message, uintptr_t wParam,
                                          intptr_t lParam) {
  HWND hwnd = AsWindow(handle);
  const int x = GET_X_LPARAM(lParam);
  const int y = GET_Y_LPARAM(lParam);
  IMouseKeys keys = KeysOf(wParam);
  switch (message) {
    case WM_MOUSEMOVE:
      if (keys.left || keys.right) {
        if (GetCapture() == hwnd && !entryField) OnMouseDrag(x, y, &keys);
        return 0;
      }
      if (OnMouseOver(x, y, &keys)) {
        TRACKMOUSEEVENT track = {sizeof(TRACKMOUSEEVENT), TME_LEAVE, hwnd, HOVER_DEFAULT};
        if (TooltipsEnabled() && MouseOverIndex() != tooltipControlIdx) {
          tooltipControlIdx = MouseOverIndex();
          ShowTooltip(false);
        }
        // Every request names all it wants: some systems replace what an earlier one asked for.
        if (TooltipsEnabled() && tooltipControlIdx >= 0 && !tooltipShown)
          track.dwFlags |= TME_HOVER;
        TrackMouseEvent(&track);
      }
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:  // the right button has no double-click: a second press
      ShowTooltip(false);
      if (entryField) {
        entryState = kEntryCommit;
        return 0;
      }
      PressButton(x, y, wParam,
                  message == WM_LBUTTONDOWN ? IMouseButton::kLeft : IMouseButton::kRight);
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      // The press of that button ends first; the mouse goes free once nothing holds it (a
      // second button may still).
      OnMouseUp(x, y, &keys, message == WM_LBUTTONUP ? IMouseButton::kLeft : IMouseButton::kRight);
      if (CaptureIndex() < 0 && GetCapture() == hwnd) ReleaseCapture();
      return 0;
    case WM_LBUTTONDBLCLK:
      if (entryField) {
        entryState = kEntryCommit;
        return 0;
      }
      if (OnMouseDoubleClick(x, y, &keys) && window == hwnd && !entryField) SetCapture(hwnd);
      return 0;
    case WM_MOUSEWHEEL:
      if (entryField) {
        entryState = kEntryCancel;
        return 0;
      }
      {
        RECT placed;
        GetWindowRect(hwnd, &placed);
        keys = KeysOf(GET_KEYSTATE_WPARAM(wParam));
        OnMouseWheel(x - placed.left, y - placed.top, &keys,
                     GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA);
      }
      return 0;
    case WM_MOUSEHOVER:
      ShowTooltip(true);
      return 0;
    case WM_MOUSELEAVE:
      ShowTooltip(false);
      OnMouseOut();
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

void IGraphicsWin::PressButton(int x, int y, uintptr_t keyState, IMouseButton button) {
  HWND hwnd = AsWindow(window);
  SetFocus(hwnd);
  SetCapture(hwnd);
  IMouseKeys keys = KeysOf(keyState);
  OnMouseDown(x, y, &keys, button);
  // A press that no control took, or whose control opened a menu, a dialog or the host's
  // context menu, leaves nothing to drag: the mouse is free again. One that opened a text
  // entry keeps it until the button comes up (see the entry's release in HandleMessage).
  if (CaptureIndex() < 0 && !entryField && GetCapture() == hwnd) ReleaseCapture();
}

intptr_t IGraphicsWin::HandleKeyMessage(void* handle, unsigned message, uintptr_t wParam,
                                        intptr_t lParam) {
  HWND hwnd = AsWindow(handle);
  if (message == WM_KEYDOWN) {
    const int key = KeyCodeForVirtualKey(static_cast<int>(wParam));
    if (key != kKeyNone) {
      POINT cursor = {-1, -1};
      GetCursorPos(&cursor);
      ScreenToClient(hwnd, &cursor);
      if (OnKeyDown(cursor.x, cursor.y, key)) return 0;
    }
  }
  return ForwardToRoot(hwnd, message, wParam, lParam);
}

intptr_t IGraphicsWin::ForwardToRoot(void* handle, unsigned message, uintptr_t wParam,
                                     intptr_t lParam) {
  HWND hwnd = AsWindow(handle);
  HWND root = GetAncestor(hwnd, GA_ROOT);
  if (root && root != hwnd && !forwardingKey) {
    // The host's shortcuts keep working while the editor has the focus. A root window of
    // another thread (or process) gets the key posted, so a busy host never blocks the editor.
    if (GetWindowThreadProcessId(root, nullptr) == GetCurrentThreadId()) {
      forwardingKey = true;
      SendMessageW(root, message, wParam, lParam);
      forwardingKey = false;
    } else {
      PostMessageW(root, message, wParam, lParam);
    }
  }
  // The editor may be gone now (the host closed it on this key): only the handle is used.
  return DefWindowProcW(hwnd, message, wParam, lParam);
}
