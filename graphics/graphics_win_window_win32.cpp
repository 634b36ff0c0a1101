// IGraphicsWin: the window class, opening and closing, the window procedure, the frame tick,
// painting and resizing.
#include <windows.h>

#include "framework/plugin_core.h"
#include "graphics/graphics_win.h"
#include "graphics/graphics_win_internal_win32.h"
#include "raster/bitmap.h"

namespace {

constexpr const wchar_t* kWindowClassName = L"IPluginWndClass";
constexpr const wchar_t* kWindowName = L"IPlugin";

// Process-wide, touched on the window thread only.
int openWindows = 0;
bool classRegistered = false;
HINSTANCE classInstance = nullptr;
int timerFps = 25;

// Whether the module's class of that name exists with our procedure: a class left registered
// when its last window died with its parent (it could not be unregistered then).
bool OurClassExists(HINSTANCE instance) {
  WNDCLASSW existing = {};
  return GetClassInfoW(instance, kWindowClassName, &existing) &&
         existing.lpfnWndProc == IGraphicsWinProcedures::Window;
}

// Counts one more window; the class is registered with the first. Every window of the class
// belongs to one module instance.
bool AcquireWindowClass(HINSTANCE instance) {
  if (classRegistered && classInstance != instance && openWindows == 0 &&
      UnregisterClassW(kWindowClassName, classInstance)) {
    classRegistered = false;
  }
  if (classRegistered && classInstance != instance) return false;
  if (!classRegistered) {
    WNDCLASSW windowClass = {};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = IGraphicsWinProcedures::Window;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.lpszClassName = kWindowClassName;
    if (!RegisterClassW(&windowClass) && !OurClassExists(instance)) return false;
    classRegistered = true;
    classInstance = instance;
  }
  ++openWindows;
  return true;
}

// Unregisters the class once no editor counts a window of it, when the system lets it go (not
// while a window of the class still exists, as after a parent destroyed with it).
void UnregisterIdleWindowClass() {
  if (openWindows == 0 && classRegistered && UnregisterClassW(kWindowClassName, classInstance))
    classRegistered = false;
}

// Counts one window less; the class goes with the last.
void ReleaseWindowClass() {
  if (openWindows > 0) --openWindows;
  UnregisterIdleWindowClass();
}

}  // namespace

// ---- Window procedure ----

IGraphicsWin* IGraphicsWinProcedures::EditorOf(HWND hwnd) {
  auto* editor = reinterpret_cast<IGraphicsWin*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  return editor && editor->window == hwnd ? editor : nullptr;
}

LRESULT CALLBACK IGraphicsWinProcedures::Window(HWND hwnd, UINT message, WPARAM wParam,
                                                LPARAM lParam) {
  if (message == WM_CREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    auto* editor = static_cast<IGraphicsWin*>(create->lpCreateParams);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(editor));
    if (editor) editor->window = hwnd;
    SetTimer(hwnd, IGraphicsWin::kTimerId, static_cast<UINT>(1000 / timerFps), nullptr);
    SetFocus(hwnd);
    return 0;
  }
  IGraphicsWin* editor = EditorOf(hwnd);
  if (!editor) return DefWindowProcW(hwnd, message, wParam, lParam);
  return editor->HandleMessage(hwnd, message, wParam, lParam);
}

intptr_t IGraphicsWin::HandleMessage(void* handle, unsigned message, uintptr_t wParam,
                                     intptr_t lParam) {
  HWND hwnd = AsWindow(handle);
  // Bookkeeping that holds whatever the text entry does.
  switch (message) {
    case WM_DESTROY:
      // Destroyed by someone else (with the host's window, typically): cut every link now.
      ForgetWindow();
      ReleaseWindowClass();
      return 0;
    case WM_CAPTURECHANGED:
      // Taken by another window (not by this one capturing again for a second button).
      if (reinterpret_cast<HWND>(lParam) != hwnd) EndMousePress();
      return 0;
    case WM_CTLCOLOREDIT:
      if (!editedControl) return 0;
      {
        HDC dc = reinterpret_cast<HDC>(wParam);
        const ITextStyle& style = editedControl->GetTextStyle();
        SetDCBrushColor(dc, style.entryBackground.ToColorRef());
        SetBkColor(dc, style.entryBackground.ToColorRef());
        SetTextColor(dc, style.entryTextColour.ToColorRef());
        SetBkMode(dc, OPAQUE);
        return reinterpret_cast<intptr_t>(GetStockObject(DC_BRUSH));
      }
    default:
      break;
  }

  // While the entry field has the focus the editor stands still; a press cancels the entry.
  if (entryField && entryState == kEntryEditing) {
    switch (message) {
      case WM_LBUTTONDOWN:
      case WM_RBUTTONDOWN:
      case WM_LBUTTONDBLCLK:
      case WM_RBUTTONDBLCLK:
        entryState = kEntryCancel;
        return 0;
      case WM_LBUTTONUP:
      case WM_RBUTTONUP:
        // The release of the press that opened the entry (the editor kept the mouse until
        // now, so that the field never takes it for its own) or of one that cancels it.
        if (GetCapture() == hwnd) ReleaseCapture();
        return 0;
      case WM_PAINT:
        OnPaint(false);
        return 0;
      default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
  }

  switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      return 0;
    case WM_PAINT:
      OnPaint(true);
      return 0;
    case WM_CLOSE:
      CloseWindow();
      return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
      return HandleKeyMessage(hwnd, message, wParam, lParam);
    case WM_TIMER:
      if (wParam != kTimerId) break;
      OnFrameTick();
      return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MOUSEWHEEL:
    case WM_MOUSEHOVER:
    case WM_MOUSELEAVE:
      return HandleMouseMessage(hwnd, message, wParam, lParam);
    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// ---- Opening and closing ----

IGraphicsWin::IGraphicsWin(IPluginCore* plug, int w, int h, int framesPerSecond)
    : IGraphics(plug, w, h, framesPerSecond), processId(GetCurrentProcessId()) {}

IGraphicsWin::~IGraphicsWin() {
  // The plug-in deletes its editor from its own destructor: by now it can take no calls, so a
  // gesture still open when the window closes ends without telling it.
  plug = nullptr;
  CloseWindow();
  delete[] customColours;
  customColours = nullptr;
  // A class kept because its last window died with its parent goes now, when it can.
  UnregisterIdleWindowClass();
}

int IGraphicsWin::OpenWindowCount() {
  return openWindows;
}

bool IGraphicsWin::WindowClassRegistered() {
  return classRegistered;
}

void* IGraphicsWin::OpenWindow(void* parent) {
  HWND parentHwnd = AsWindow(parent);
  int x = 0;
  int y = 0;
  int w = Width();
  int h = Height();
  if (window) {
    // Moving to another parent keeps the place relative to the parent's client area.
    RECT placed;
    GetWindowRect(AsWindow(window), &placed);
    POINT origin = {0, 0};
    if (parentHwnd) ClientToScreen(parentHwnd, &origin);
    x = placed.left - origin.x;
    y = placed.top - origin.y;
    w = placed.right - placed.left;
    h = placed.bottom - placed.top;
    CloseWindow();
  }
  if (parent != parentWindow) mainWindow = nullptr;
  parentWindow = parent;

  HINSTANCE instance = static_cast<HINSTANCE>(moduleInstance);
  if (!AcquireWindowClass(instance)) return nullptr;
  timerFps = FPS() > 0 ? FPS() : 1;
  HWND hwnd = CreateWindowExW(0, kWindowClassName, kWindowName, WS_CHILD | WS_VISIBLE, x, y, w, h,
                              parentHwnd, nullptr, instance, this);
  if (!hwnd) {
    window = nullptr;
    ReleaseWindowClass();
    return nullptr;
  }
  window = hwnd;
  if (!GetBackBuffer()) PrepareBackBuffer();
  // The first tick paints everything.
  for (int i = 0, count = NControls(); i < count; ++i)
    GetControl(i)->SetDirty(false);
  if (TooltipsEnabled()) CreateTooltips();
  return hwnd;
}

void IGraphicsWin::CloseWindow() {
  if (!window) return;
  HWND hwnd = AsWindow(window);
  ForgetWindow();
  DestroyWindow(hwnd);
  ReleaseWindowClass();
}

void IGraphicsWin::ForgetWindow() {
  HWND hwnd = AsWindow(window);
  if (!hwnd) return;
  OnWindowClosing();
  CloseEntry(false);
  if (tooltipWindow) DestroyWindow(AsWindow(tooltipWindow));
  tooltipWindow = nullptr;
  tooltipShown = false;
  tooltipControlIdx = -1;
  ShowMouseCursor();
  KillTimer(hwnd, kTimerId);
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  window = nullptr;
  paintContext = nullptr;
}

void IGraphicsWin::LetGoOfMouse() {
  EndMousePress();
  HWND hwnd = AsWindow(window);
  if (hwnd && GetCapture() == hwnd) ReleaseCapture();
}

// ---- Frame tick and painting ----

void IGraphicsWin::OnFrameTick() {
  ++ticks;
  if (entryField && entryState != kEntryIdle) {
    if (entryState == kEntryCommit) CommitEntry();
    if (entryState == kEntryCommit || entryState == kEntryCancel) {
      CloseEntry(true);
    } else {
      entryState = kEntryIdle;
    }
    return;
  }
  HWND hwnd = AsWindow(window);
  IRectangle dirty;
  if (Tick(&dirty)) {
    const RECT area = AsRect(dirty);
    InvalidateRect(hwnd, &area, FALSE);
  }
  if (entryField && editedControl) {
    // The field keeps its own pixels.
    const RECT field = AsRect(editedControl->GetRect());
    ValidateRect(hwnd, &field);
    UpdateWindow(hwnd);
    entryState = kEntryRedrawn;
    return;
  }
  UpdateWindow(hwnd);
}

void IGraphicsWin::OnPaint(bool drawControls) {
  HWND hwnd = AsWindow(window);
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd, &paint);
  if (!dc) return;
  ++paints;
  if (entryField) {
    // An open entry field keeps its own pixels.
    RECT field;
    GetWindowRect(AsWindow(entryField), &field);
    MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&field), 2);
    ExcludeClipRect(dc, field.left, field.top, field.right, field.bottom);
  }
  const IRectangle area{paint.rcPaint.left, paint.rcPaint.top, paint.rcPaint.right,
                        paint.rcPaint.bottom};
  paintContext = dc;
  if (!area.IsEmpty()) {
    if (drawControls) {
      Draw(&area);
    } else {
      BlitToWindow(&area);
    }
  }
  paintContext = nullptr;
  EndPaint(hwnd, &paint);
}

bool IGraphicsWin::BlitToWindow(const IRectangle* rect) {
  Raster_IBitmap* buffer = GetBackBuffer();
  if (!window || !rect || !buffer || !buffer->DeviceContext()) return false;
  HWND hwnd = AsWindow(window);
  HDC target = paintContext ? static_cast<HDC>(paintContext) : GetDC(hwnd);
  if (!target) return false;
  const BOOL copied =
      BitBlt(target, rect->left, rect->top, rect->Width(), rect->Height(),
             static_cast<HDC>(buffer->DeviceContext()), rect->left, rect->top, SRCCOPY);
  if (!paintContext) ReleaseDC(hwnd, target);
  return copied != FALSE;
}

// ---- Size ----

void IGraphicsWin::ChangeSize(int w, int h) {
  if (w == Width() && h == Height()) return;
  const int dw = w - Width();
  const int dh = h - Height();
  // The entry's control goes with the others: the entry closes unread first.
  CloseEntry(true);
  ShowTooltip(false);
  tooltipControlIdx = -1;
  IGraphics::ChangeSize(w, h);
  HWND hwnd = AsWindow(window);
  if (!hwnd) return;

  constexpr UINT kResizeOnly = SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER;
  auto grow = [&](HWND target) {
    RECT r;
    GetWindowRect(target, &r);
    SetWindowPos(target, nullptr, 0, 0, r.right - r.left + dw, r.bottom - r.top + dh, kResizeOnly);
  };
  auto isPlainChild = [](HWND target) {
    const LONG_PTR style = GetWindowLongPtrW(target, GWL_STYLE);
    const LONG_PTR extended = GetWindowLongPtrW(target, GWL_EXSTYLE);
    return (style & WS_CHILD) != 0 && (extended & WS_EX_MDICHILD) == 0;
  };
  grow(hwnd);
  // A VST3 host sizes its own frame (it heard of the new size through RequestGuiResize).
  const int api = GetPlug() ? GetPlug()->GetApiId() : kApiVST3;
  if (api != kApiVST3 && api != kApiSpare && isPlainChild(hwnd)) {
    HWND parent = GetParent(hwnd);
    HWND grandparent = parent && isPlainChild(parent) ? GetParent(parent) : nullptr;
    if (parent) grow(parent);
    if (grandparent) grow(grandparent);
  }
  const RECT all = {0, 0, w, h};
  InvalidateRect(hwnd, &all, FALSE);
}

// ---- Cursor, images, fonts, back buffer ----

void IGraphicsWin::HideMouseCursor() {
  if (cursorHidden) return;
  POINT at;
  if (GetCursorPos(&at)) {
    savedCursorX = at.x;
    savedCursorY = at.y;
  }
  ShowCursor(FALSE);
  cursorHidden = true;
}

void IGraphicsWin::ShowMouseCursor() {
  if (!cursorHidden) return;
  SetCursorPos(savedCursorX, savedCursorY);
  ShowCursor(TRUE);
  cursorHidden = false;
}
