#pragma once

// What the files of IGraphicsWin share: the two window procedures and the way back from a
// window to its editor. Windows builds only.

#include <windows.h>

#include "graphics/graphics_win.h"

struct IGraphicsWinProcedures {
  // The editor window's procedure (graphics_win_window_win32.cpp).
  static LRESULT CALLBACK Window(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  // The text entry field's procedure (graphics_win_entry_win32.cpp).
  static LRESULT CALLBACK Entry(HWND field, UINT message, WPARAM wParam, LPARAM lParam);
  // The editor that hwnd is the window of (through the window's user data), or null when the
  // window is not an editor's or no longer its editor's.
  static IGraphicsWin* EditorOf(HWND hwnd);
};

inline HWND AsWindow(void* handle) {
  return static_cast<HWND>(handle);
}

// A client rectangle of the platform for an editor rectangle.
inline RECT AsRect(const IRectangle& r) {
  return RECT{r.left, r.top, r.right, r.bottom};
}
