#pragma once

// The editor on Windows.
//
// IGraphicsWin opens the editor as a child window ("IPluginWndClass") of the window the host
// gives, redraws the dirty controls from its frame timer (the portable Tick under the instance
// lock, the drawing and the blit outside it), turns window messages into the core's dispatch and
// supplies the platform's services: popup menus, a text entry over a control, tooltips, cursor
// hiding, images from the library's PNG resources, GDI fonts, a DIB back buffer, message boxes,
// file and colour dialogs, well-known folders, web addresses and the clipboard. Texts are UTF-8
// inside the editor and UTF-16 at every Win32 call.
//
// Threads: everything runs on the thread that opened the window (the host's window thread); the
// plug-in reaches the controls only through the core's slots. Only the Windows build defines
// this class; the header itself names no platform type.

#include <cstdint>

#include "framework/heap_string.h"
#include "graphics/graphics.h"

class IGraphicsWin : public IGraphics {
 public:
  static constexpr int kTimerId = 2;
  static constexpr int kEntryControlId = 99;
  static constexpr int kEntryTextSize = 32;  // characters read back from an entry, the NUL included

  // The text entry's progress, as the window procedure and the frame tick see it.
  enum EntryState : int {
    kEntryIdle = 0,
    kEntryEditing = 1,  // the entry field has the keyboard focus: the editor stands still
    kEntryRedrawn = 2,  // the editor redrew around the open field
    kEntryCancel = 3,   // the next tick closes the field
    kEntryCommit = 4,   // the next tick commits the text, then closes the field
  };

  // A closed editor of the given size and frame rate. Creating thread; allocates.
  IGraphicsWin(IPluginCore* plug, int width, int height, int fps = 25);
  // Closes the window, frees the colour dialog's colours. Window thread.
  ~IGraphicsWin() override;

  // The library whose resources hold the images and which owns the window class (the module
  // instance handle). Set before the window opens. Any thread; allocates nothing.
  void SetModuleInstance(void* instance) { moduleInstance = instance; }
  void* GetModuleInstance() const { return moduleInstance; }

  // ---- Window (window thread) ----

  // Opens the editor in parent (an open editor moves there, keeping its place); the window, or
  // null when it cannot be created. Allocates.
  void* OpenWindow(void* parent) override;
  // Ends the press held and the text entry, then destroys the window. Nothing when closed.
  // Allocates nothing.
  void CloseWindow() override;
  void* GetWindow() override { return window; }
  bool WindowIsOpen() override { return window != nullptr; }
  const char* DrawingApiName() override { return "Windows GDI"; }
  // Copies rect of the back buffer to the window: into the paint in progress, else directly.
  // Allocates nothing.
  bool BlitToWindow(const IRectangle* rect) override;
  // Same size: nothing. Otherwise an open text entry is cancelled (its control is about to go),
  // the core's resize runs, then the window (and, outside VST3, its parent and grandparent)
  // grows by the difference and everything is repainted. Allocates.
  void ChangeSize(int w, int h) override;
  // The cursor hides where it is and comes back there. Allocate nothing.
  void HideMouseCursor() override;
  void ShowMouseCursor() override;
  // The image of resource id (type "PNG") when name ends in ".png" (any case), else null.
  // Allocates the bitmap.
  Raster_IBitmap* LoadImageResource(int id, const char* name) override;
  // A DIB section of w x h, or null. Allocates.
  Raster_IBitmap* NewBackBuffer(int w, int h) override;
  // A GDI font for the style inside a cached font that owns it, or null. Allocates.
  Raster_CachedFont* NewFont(const ITextStyle* style) override;

  // ---- Menus and text entry (window thread) ----

  // Shows the menu tree at the rectangle's left-bottom corner and waits for the choice.
  // Allocates (the native menu).
  IPopupMenu* ShowPopupMenu(IPopupMenu* menu, IRectangle* rect) override;
  // Opens a single-line entry field over rect; nothing while one is open. Allocates.
  void ShowTextEntry(IControl* control, ITextStyle* style, IRectangle* rect, const char* text,
                     IParameter* param) override;
  // The next tick closes the open entry without committing it. Allocates nothing.
  void CancelTextEntry() override { entryState = kEntryCancel; }

  // ---- Dialogs and services (window thread; allocate) ----

  int ShowMessageBox(const char* text, const char* caption, int type) override;
  void HostFolder(HeapString* out) override;
  void PluginFolder(HeapString* out) override;
  void DesktopFolder(HeapString* out) override;
  void AppDataFolder(HeapString* out, bool common) override;
  void UserAppDataFolder(HeapString* out) override { AppDataFolder(out, false); }
  void PromptForFile(HeapString* file, int action, HeapString* folder,
                     const char* extensions) override;
  bool PromptForColor(IColor* colour, const char* prompt) override;
  bool OpenUrl(const char* url, const char* caption, const char* confirmText,
               const char* errorText) override;
  bool GetClipboardText(HeapString* out) override;

  // ---- State for tests and tools (window thread; allocate nothing) ----

  void* GetEntryField() const { return entryField; }
  EntryState GetEntryState() const { return entryState; }
  IControl* GetEditedControl() const { return editedControl; }
  void* GetTooltipWindow() const { return tooltipWindow; }
  // Frame ticks and repaints since construction.
  int TickCount() const { return ticks; }
  int PaintCount() const { return paints; }
  // Open editor windows in the process; whether the window class is registered.
  static int OpenWindowCount();
  static bool WindowClassRegistered();

 private:
  friend struct IGraphicsWinProcedures;

  // The window procedure's work for a window that belongs to this editor.
  intptr_t HandleMessage(void* hwnd, unsigned message, uintptr_t wParam, intptr_t lParam);
  intptr_t HandleMouseMessage(void* hwnd, unsigned message, uintptr_t wParam, intptr_t lParam);
  intptr_t HandleKeyMessage(void* hwnd, unsigned message, uintptr_t wParam, intptr_t lParam);
  intptr_t ForwardToRoot(void* hwnd, unsigned message, uintptr_t wParam, intptr_t lParam);
  void OnFrameTick();
  // Before a dialog or menu takes the mouse: the press ends and the window lets go of the mouse.
  void LetGoOfMouse();
  // Paints the update area: the controls redrawn first, or (while a text entry stands) only the
  // back buffer copied.
  void OnPaint(bool drawControls);
  void PressButton(int x, int y, uintptr_t keyState, IMouseButton button);
  // The window is going away (closed by us or destroyed with its parent): the gesture and the
  // entry end, the tooltip and timer go, the links between window and editor are cut.
  void ForgetWindow();

  // Text entry (graphics_win_entry_win32.cpp).
  intptr_t HandleEntryMessage(void* field, unsigned message, uintptr_t wParam, intptr_t lParam);
  void CommitEntry();
  // Restores the field's procedure and destroys it; with refocus the editor takes the focus
  // back from the field.
  void CloseEntry(bool refocus);

  // Tooltips (graphics_win_entry_win32.cpp).
  void CreateTooltips();
  void ShowTooltip(bool show);

  // The owner of message boxes: the host's top-level window, when it can be found.
  void* MainWindow();

  void* moduleInstance = nullptr;
  void* window = nullptr;
  void* entryField = nullptr;
  void* tooltipWindow = nullptr;
  IControl* editedControl = nullptr;
  IParameter* editedParam = nullptr;
  intptr_t previousEntryProcedure = 0;
  void* entryFont = nullptr;
  EntryState entryState = kEntryIdle;
  bool tooltipShown = false;
  int tooltipControlIdx = -1;
  uint32_t* customColours = nullptr;  // the colour dialog's 16, from its first use
  unsigned long processId = 0;
  void* parentWindow = nullptr;
  void* mainWindow = nullptr;
  HeapString mainWindowClass;

  void* paintContext = nullptr;  // the device context of the paint in progress
  int ticks = 0;
  int paints = 0;
};
