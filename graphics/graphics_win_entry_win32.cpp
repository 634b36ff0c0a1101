// IGraphicsWin: the text entry field over a control, popup menus and tooltips.
#include <windows.h>

#include <commctrl.h>

#include "framework/wide_text_win32.h"
#include "graphics/graphics_win.h"
#include "graphics/graphics_win_internal_win32.h"

namespace {

constexpr int kEntryInitialTextSize = 256;
constexpr int kTooltipTextSize = 256;
constexpr int kEscape = 27;
constexpr int kTab = '\t';

// The native menu of menu (ids as IPopupMenu::AssignIds gave them); null when it cannot be made.
// Submenus that cannot be made, or lie deeper than the numbering reaches, are left out.
HMENU BuildNativeMenu(const IPopupMenu* menu, int depth) {
  HMENU native = CreatePopupMenu();
  if (!native) return nullptr;
  for (int k = 0; k < menu->NItems(); ++k) {
    const IPopupMenuItem* item = menu->GetItem(k);
    if (item->IsSeparator()) {
      AppendMenuW(native, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    char label[IPopupMenu::kLabelSize];
    menu->ItemLabel(k, label, sizeof label);
    wchar_t wide[IPopupMenu::kLabelSize];
    Utf8ToWide(label, wide, IPopupMenu::kLabelSize);
    if (const IPopupMenu* submenu = item->GetSubmenu()) {
      HMENU nativeSubmenu =
          depth < IPopupMenu::kMaxDepth ? BuildNativeMenu(submenu, depth + 1) : nullptr;
      if (nativeSubmenu && !AppendMenuW(native, MF_POPUP | MF_STRING,
                                        reinterpret_cast<UINT_PTR>(nativeSubmenu), wide)) {
        DestroyMenu(nativeSubmenu);
      }
      continue;
    }
    UINT flags = MF_STRING;
    if (item->GetFlags() & IPopupMenuItem::kGrayed) flags |= MF_GRAYED;
    if (item->GetFlags() & IPopupMenuItem::kDisabled) flags |= MF_DISABLED;
    if (item->IsChecked()) flags |= MF_CHECKED;
    AppendMenuW(native, flags, static_cast<UINT_PTR>(menu->NativeCommandOf(k)), wide);
  }
  return native;
}

}  // namespace

// ---- Popup menus ----

IPopupMenu* IGraphicsWin::ShowPopupMenu(IPopupMenu* menu, IRectangle* rect) {
  LetGoOfMouse();
  HWND hwnd = AsWindow(window);
  if (!menu || !hwnd) return nullptr;
  menu->AssignIds();
  HMENU native = BuildNativeMenu(menu, 0);
  if (!native) return nullptr;
  POINT corner = {rect ? rect->left : 0, rect ? rect->bottom : 0};
  ClientToScreen(hwnd, &corner);
  const int command = static_cast<int>(TrackPopupMenu(
      native, TPM_LEFTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, corner.x, corner.y, 0, hwnd, nullptr));
  DestroyMenu(native);
  IPopupMenu* chosen = menu->ChooseByNativeCommand(command);
  if (window) {
    // The menu may have covered any part of the editor.
    const RECT all = {0, 0, Width(), Height()};
    InvalidateRect(AsWindow(window), &all, FALSE);
  }
  return chosen;
}

// ---- Text entry ----

void IGraphicsWin::ShowTextEntry(IControl* control, ITextStyle* style, IRectangle* rect,
                                 const char* text, IParameter* param) {
  if (!control || entryField || !window || !rect) return;
  // The field takes the mouse (the window keeps the system's capture until the button is up,
  // so that the field never takes that release for its own).
  EndMousePress();
  const ITextStyle& look = style ? *style : control->GetTextStyle();
  DWORD styles = WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOHSCROLL;
  if (look.alignment == kAlignCenter) styles |= ES_CENTER;
  if (look.alignment == kAlignRight) styles |= ES_RIGHT;
  wchar_t initial[kEntryInitialTextSize];
  Utf8ToWide(text, initial, kEntryInitialTextSize);
  HWND field = CreateWindowExW(0, L"EDIT", initial, styles, rect->left, rect->top,
                               rect->Width() + 1, rect->Height() + 1, AsWindow(window),
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEntryControlId)),
                               static_cast<HINSTANCE>(moduleInstance), nullptr);
  if (!field) return;

  char face[ITextStyle::kFaceSize];
  for (int i = 0; i < ITextStyle::kFaceSize; ++i)
    face[i] = look.face[i];
  face[ITextStyle::kFaceSize - 1] = '\0';
  HFONT font = CreateFontA(look.size, 0, 0, 0, look.style == kTextBold ? FW_BOLD : 0,
                           look.style == kTextItalic, FALSE, FALSE, 0, 0, 0, 0, 0, face);
  if (font) SendMessageW(field, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SendMessageW(field, EM_LIMITTEXT, static_cast<WPARAM>(control->TextEntryLength()), 0);
  SendMessageW(field, EM_SETSEL, 0, -1);

  // Everything is in place before the field takes the focus, so its focus message finds the
  // entry procedure and the editing state.
  entryField = field;
  entryFont = font;
  editedControl = control;
  editedParam = param;
  previousEntryProcedure = SetWindowLongPtrW(
      field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(IGraphicsWinProcedures::Entry));
  entryState = kEntryEditing;
  SetFocus(field);
}

LRESULT CALLBACK IGraphicsWinProcedures::Entry(HWND field, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
  IGraphicsWin* editor = EditorOf(GetParent(field));
  if (!editor || editor->entryField != field) return DefWindowProcW(field, message, wParam, lParam);
  return editor->HandleEntryMessage(field, message, wParam, lParam);
}

intptr_t IGraphicsWin::HandleEntryMessage(void* handle, unsigned message, uintptr_t wParam,
                                          intptr_t lParam) {
  HWND field = AsWindow(handle);
  const WNDPROC previous = reinterpret_cast<WNDPROC>(previousEntryProcedure);
  ShowTooltip(false);
  switch (message) {
    case WM_SETFOCUS:
      entryState = kEntryEditing;
      break;
    case WM_KILLFOCUS:
      entryState = kEntryCommit;
      break;
    case WM_GETDLGCODE:
      if (!editedParam) {
        LRESULT code = CallWindowProcW(previous, field, message, wParam, lParam);
        const MSG* examined = reinterpret_cast<const MSG*>(lParam);
        if (examined && examined->message == WM_KEYDOWN && examined->wParam == VK_RETURN)
          code |= DLGC_WANTALLKEYS;
        return code;
      }
      break;
    case WM_KEYDOWN:
      if (wParam == VK_RETURN) {
        entryState = kEntryCommit;
        return 0;
      }
      if (wParam == VK_ESCAPE) {
        entryState = kEntryCancel;
        return 0;
      }
      break;
    case WM_CHAR:
      // Return and Escape did their work as keys; in a multi-line field they would type.
      if (wParam == '\r' || wParam == '\n' || wParam == kEscape) return 0;
      // Other control characters are the field's editing shortcuts (copy, paste, select all);
      // what a paste brings in is checked when the text is committed.
      if ((wParam >= 0x20 || wParam == kTab) && editedParam &&
          !EntryAcceptsChar(editedParam, static_cast<int>(wParam))) {
        return 0;
      }
      break;
    case WM_COMMAND:
      if (HIWORD(wParam) == 1) {
        entryState = kEntryCommit;
        return 0;
      }
      break;
    default:
      break;
  }
  return CallWindowProcW(previous, field, message, wParam, lParam);
}

void IGraphicsWin::CommitEntry() {
  if (!entryField || !editedControl) return;
  wchar_t typed[kEntryTextSize] = {};
  GetWindowTextW(AsWindow(entryField), typed, kEntryTextSize);
  HeapString text;
  if (!WideToUtf8(typed, -1, &text)) return;
  // Empty, unreadable and non-finite texts change nothing: the entry is simply cancelled.
  CommitTextEntry(editedControl, editedParam, text.Get());
}

void IGraphicsWin::CloseEntry(bool refocus) {
  HWND field = AsWindow(entryField);
  HFONT font = static_cast<HFONT>(entryFont);
  if (field) {
    SetWindowLongPtrW(field, GWLP_WNDPROC, previousEntryProcedure);
    const bool hadFocus = GetFocus() == field;
    entryField = nullptr;
    if (refocus && hadFocus && window) SetFocus(AsWindow(window));
    DestroyWindow(field);
  }
  if (font) DeleteObject(font);
  entryField = nullptr;
  entryFont = nullptr;
  editedControl = nullptr;
  editedParam = nullptr;
  previousEntryProcedure = 0;
  entryState = kEntryIdle;
}

// ---- Tooltips ----

void IGraphicsWin::CreateTooltips() {
  HWND hwnd = AsWindow(window);
  INITCOMMONCONTROLSEX classes = {sizeof(INITCOMMONCONTROLSEX), ICC_TAB_CLASSES};
  HWND tooltip = nullptr;
  if (InitCommonControlsEx(&classes)) {
    tooltip = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd,
                              nullptr, static_cast<HINSTANCE>(moduleInstance), nullptr);
  }
  if (!tooltip) {
    EnableTooltips(false);
    return;
  }
  SetWindowPos(tooltip, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  wchar_t none[1] = L"";
  TOOLINFOW tool = {};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;  // understood by every version of the common controls
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = hwnd;
  tool.uId = reinterpret_cast<UINT_PTR>(hwnd);
  tool.hinst = static_cast<HINSTANCE>(moduleInstance);
  tool.lpszText = none;
  SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  tooltipWindow = tooltip;
}

void IGraphicsWin::ShowTooltip(bool show) {
  if (!tooltipWindow || (!show && !tooltipShown)) return;
  wchar_t text[kTooltipTextSize] = L"";
  if (show) {
    if (IControl* control = GetControl(tooltipControlIdx))
      Utf8ToWide(control->GetTooltip(), text, kTooltipTextSize);
  }
  TOOLINFOW tool = {};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.hwnd = AsWindow(window);
  tool.uId = reinterpret_cast<UINT_PTR>(window);
  tool.hinst = static_cast<HINSTANCE>(moduleInstance);
  tool.lpszText = text;
  SendMessageW(AsWindow(tooltipWindow), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  tooltipShown = show;
}
