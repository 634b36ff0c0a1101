#pragma once

// The editor framework.
//
// IGraphics is the editor's portable core: the ordered list of controls (index 0 is the
// background), the back buffer the controls draw into, the drawing primitives (bitmap, bitmap
// frame, filled rectangle, text), mouse and key dispatch with the host's edit gestures, the
// value prompt of bound controls and the road from the plug-in to the controls. The platform's
// window, menus, text entry, dialogs and images come from a subclass through the required
// virtual operations; the back buffer and fonts come through two factories.
//
// Threads. The plug-in pushes values, texts and visibility from any thread under its instance
// lock (the audio thread included); they land in fixed slots and nothing else is touched. The
// window's frame tick calls Tick(), which moves them into the controls under the same lock and
// collects the dirty area; drawing then runs outside the lock. Everything else runs on the
// window thread.

#include "framework/graphics_link.h"
#include "framework/heap_buffer.h"
#include "framework/heap_string.h"
#include "framework/ptr_list.h"
#include "graphics/control.h"
#include "graphics/graphics_types.h"
#include "graphics/mouse_press.h"
#include "graphics/popup_menu.h"

// The platform headers define DrawText as a macro; the editor's operation keeps its name.
#ifdef DrawText
#undef DrawText
#endif

class IPluginCore;
class IParameter;
class Raster_IBitmap;
class Raster_CachedFont;

class IGraphics : public IGraphicsLink {
 public:
  static constexpr int kBackgroundImageId = 101;
  static constexpr const char* kBackgroundImageName = "resources/img/va_background_0001.png";
  static constexpr int kTextSlotSize = 256;  // bytes of a pushed text, the NUL included

  // An editor of the given size and frame rate, without controls or back buffer.
  // Creating thread; allocates the parameter slots.
  IGraphics(IPluginCore* plug, int width, int height, int fps = 25);
  // Deletes the key catcher, every control (last to first) and the back buffer. A press still
  // held is forgotten unheard: the plug-in deletes its editor from its own destructor, when it
  // can take no calls, so one that lets go of it earlier calls EndMousePress first. Window thread.
  ~IGraphics() override;

  IGraphics(const IGraphics&) = delete;
  IGraphics& operator=(const IGraphics&) = delete;

  // ---- The plug-in's side (IGraphicsLink) ----

  IGraphics* GetGraphics() override { return this; }
  // Stores the value (normalized here through the parameter's own mapping when it is not) in
  // the parameter's slot, clamped to [0, 1]; an unknown index is ignored. Any thread under the
  // instance lock; allocates nothing.
  void PushParamToControls(int paramIdx, double value, bool normalized) override;
  // Creates the back buffer at the editor's size. Window or creating thread; allocates.
  void PrepareBackBuffer() override;
  // Moves every pushed value, text and visibility into the controls. Under the instance lock,
  // on the window thread (or the thread attaching the editor); may allocate (texts).
  void ApplyPendingUpdates() override;

  // Registers a text control whose text the plug-in replaces through PushText; the slot number,
  // or -1 when none can be had. Window or creating thread; allocates.
  int AddTextSlot(ITextControl* control);
  // Stores a text (cut at kTextSlotSize - 1 bytes, on a character boundary) for the slot's
  // control. Any thread under the instance lock; allocates nothing.
  void PushText(int slot, const char* text);
  // Hides or shows control controlIdx at the next tick. Any thread under the instance lock;
  // allocates nothing.
  void PushHidden(int controlIdx, bool hide);

  // The frame tick's portable part: under the instance lock, ApplyPendingUpdates, then the
  // union of the dirty controls' rectangles into *dirty (zeroed first). True when something is
  // dirty; the caller then repaints that area (Draw) outside the lock. Window thread.
  bool Tick(IRectangle* dirty);

  // ---- Virtual operations. Window thread unless said; "required" ones have no base. ----

  // Copies that part of the back buffer to the window and completes the paint (required).
  virtual bool BlitToWindow(const IRectangle* rect) = 0;
  // DrawText in measuring mode. May allocate (glyphs).
  virtual bool MeasureText(ITextStyle* style, const char* text, IRectangle* rect);
  // Abandons an open text entry (required).
  virtual void CancelTextEntry() = 0;
  // New size: a press still held ends (its control hears the release), every control is
  // deleted, the back buffer made anew and the plug-in asked to resize. The caller adds the
  // controls again. Allocates.
  virtual void ChangeSize(int w, int h);
  virtual bool WindowIsOpen();           // base: GetWindow() is not null
  virtual const char* DrawingApiName();  // base: ""
  virtual int ShowMessageBox(const char* text, const char* caption, int type) = 0;
  // Shows the menu at the rectangle's left-bottom corner; the (sub)menu whose item was chosen,
  // with its chosen index set, or null when dismissed. A menu takes the mouse: implementations
  // call EndMousePress() before showing it (required).
  virtual IPopupMenu* ShowPopupMenu(IPopupMenu* menu, IRectangle* rect) = 0;
  // Opens a text entry over the control; its commit calls CommitTextEntry. The entry takes the
  // mouse: implementations call EndMousePress() (required).
  virtual void ShowTextEntry(IControl* control, ITextStyle* style, IRectangle* rect,
                             const char* text, IParameter* param) = 0;
  virtual void HostFolder(HeapString* out) = 0;
  virtual void PluginFolder(HeapString* out) = 0;
  virtual void DesktopFolder(HeapString* out) = 0;
  virtual void AppDataFolder(HeapString* out, bool common) = 0;
  virtual void UserAppDataFolder(HeapString* out) = 0;
  // A modal file dialog (action 1 save, else open) updating file ("" when cancelled) and
  // folder. A dialog takes the mouse: implementations call EndMousePress() first (required).
  virtual void PromptForFile(HeapString* file, int action, HeapString* folder,
                             const char* extensions) = 0;
  virtual bool PromptForColor(IColor* colour, const char* prompt) = 0;
  virtual bool OpenUrl(const char* url, const char* caption, const char* confirmText,
                       const char* errorText) = 0;
  // Opens the editor's window in parent; the window or null (required).
  virtual void* OpenWindow(void* parent) = 0;
  // Closes the window; implementations call OnWindowClosing() first (required).
  virtual void CloseWindow() = 0;
  virtual void* GetWindow() = 0;
  virtual bool GetClipboardText(HeapString* out) = 0;
  virtual void HideMouseCursor();  // base: nothing
  virtual void ShowMouseCursor();  // base: nothing
  // Decodes image id from the platform's resources, or null (required).
  virtual Raster_IBitmap* LoadImageResource(int id, const char* name) = 0;
  // The back buffer of w x h (base: a memory bitmap), or null. Allocates.
  virtual Raster_IBitmap* NewBackBuffer(int w, int h);
  // A font for the style, or null when it cannot be made (required). Allocates.
  virtual Raster_CachedFont* NewFont(const ITextStyle* style) = 0;

  // ---- Controls (window or creating thread) ----

  // Appends a control; the editor owns it from now on (also when the list cannot grow, in
  // which case it is deleted and -1 returned). The new control's index. Allocates.
  int AddControl(IControl* control);
  // Makes image 101 the background control 0 in front of all others. Allocates.
  void AttachBackground();
  int NControls() const { return controls.GetCount(); }
  IControl* GetControl(int idx) const { return controls.Get(idx); }
  // The key catcher receives keys that no control takes; the editor owns it.
  void SetKeyCatcher(IControl* control);
  IControl* GetKeyCatcher() const { return keyCatcher; }

  // ---- Images and fonts (window or creating thread) ----

  // The cached bitmap of image id; loaded and cached when absent. A missing image gives an
  // empty (transparent) placeholder of the given size, cached in its place, so the result is
  // null only when not even a placeholder could be made. Allocates.
  Raster_IBitmap* LoadCachedImage(int id, const char* name, int placeholderWidth,
                                  int placeholderHeight);
  // A vertical strip of that image with the given frame count. Allocates.
  IBitmapStrip LoadImageStrip(int id, const char* name, int frames, int placeholderWidth,
                              int placeholderHeight);
  // The style's font from the font cache, made through NewFont and cached when absent; the
  // style remembers it. Null when none can be made. Allocates.
  Raster_CachedFont* GetCachedFont(ITextStyle* style);

  // ---- Drawing (window thread, outside the instance lock) ----

  // Unites the rectangles of the dirty controls (hidden ones too) into *out; true when any.
  bool CollectDirtyRect(IRectangle* out);
  // Repaints rect: the controls that meet it are drawn, those it shows whole are cleaned, then
  // the back buffer goes to the window (BlitToWindow's result). May allocate (glyphs).
  bool Draw(const IRectangle* rect);
  // Blits the strip's bitmap from (srcX, srcY) at dest, clipped to the area being drawn.
  bool DrawBitmap(const IBitmapStrip* strip, const IRectangle* dest, int srcX, int srcY,
                  const IBlendSpec* blend);
  // Frame 1..N of the strip at dest.
  bool DrawBitmapFrame(const IBitmapStrip* strip, const IRectangle* dest, int frame,
                       const IBlendSpec* blend);
  // Fills rect (not clipped to the area being drawn).
  bool FillRect(const IColor* colour, const IRectangle* rect, const IBlendSpec* blend);
  // Draws text in rect, or with measure sets rect to the text's extent; false when the
  // style's font cannot be had. May allocate (glyphs, fonts).
  bool DrawText(ITextStyle* style, const char* text, IRectangle* rect, bool measure = false);

  // ---- Mouse and keys (window thread, client coordinates; see MousePress) ----

  // A button went down. A press still held ends; the control under the cursor holds the mouse
  // and a bound control begins a host edit (in VST3 a right press on a bound control opens the
  // host's context menu instead). Without the button, a press with the right button held and
  // the left not is a right press.
  void OnMouseDown(int x, int y, IMouseKeys* keys);
  void OnMouseDown(int x, int y, IMouseKeys* keys, IMouseButton button);
  // A button came up: the press it made ends, its control hearing the release. A release whose
  // press this editor did not see does nothing. Without the button, the held press's button.
  void OnMouseUp(int x, int y, IMouseKeys* keys);
  void OnMouseUp(int x, int y, IMouseKeys* keys, IMouseButton button);
  // The mouse moved with a button down while the window holds the system's capture.
  void OnMouseDrag(int x, int y, IMouseKeys* keys);
  // Hover without buttons; whether mouse-over handling is enabled.
  bool OnMouseOver(int x, int y, IMouseKeys* keys);
  void OnMouseOut();
  // Left double-click; true when the control took it as a press and the window must capture.
  bool OnMouseDoubleClick(int x, int y, IMouseKeys* keys);
  void OnMouseWheel(int x, int y, IMouseKeys* keys, int delta);
  // A key with a code (KeyCodeForVirtualKey); whether a control took it.
  bool OnKeyDown(int x, int y, int key);
  // The press ends wherever it is: its control hears the release, then its host edit ends
  // (inside the control's own press, once that returns). For the window losing the mouse, a
  // menu, dialog or text entry taking it, and a plug-in about to delete its editor.
  void EndMousePress();
  // The window is closing: the press ends and nothing is hovered.
  void OnWindowClosing();

  // ---- Value prompt (window thread) ----

  // A menu of display texts for enum parameters and bool ones with texts, else a text entry
  // pre-filled with the value. Nothing when any argument is null. May allocate.
  void PromptParamInput(IControl* control, IParameter* param, IRectangle* rect);
  // The commit of a text entry: with a parameter the text becomes its value (ParseEntryValue)
  // and goes to the control as a user change inside one host edit; without one the control
  // gets the text. False when the text was refused (nothing changed).
  bool CommitTextEntry(IControl* control, IParameter* param, const char* text);

  // ---- State (window thread; allocate nothing) ----

  IPluginCore* GetPlug() const { return plug; }
  Raster_IBitmap* GetBackBuffer() const { return backBuffer; }
  int Width() const { return width; }
  int Height() const { return height; }
  int FPS() const { return fps; }
  // The control holding the mouse, -1 when none.
  int CaptureIndex() const { return mouse.Control(); }
  int MouseOverIndex() const { return mouseOverIdx; }
  // The parameter of the open host edit, -1 when none is open.
  int OpenGestureParam() const { return mouse.EditParam(); }
  const IRectangle& DrawnRect() const { return drawnRect; }
  bool StrictDrawing() const { return strictDrawing; }
  void SetStrictDrawing(bool strict) { strictDrawing = strict; }
  bool MouseOverEnabled() const { return mouseOverEnabled; }
  void EnableMouseOver(bool enable) { mouseOverEnabled = enable; }
  bool TooltipsEnabled() const { return tooltipsEnabled; }
  void EnableTooltips(bool enable) { tooltipsEnabled = enable; }

 protected:
  // The topmost control under (x, y) that is visible and not grayed (grayed ones with their
  // mouse-over flag count for hovering); -1 when none.
  int HitTest(int x, int y, bool forMouseOver) const;
  // The control holding the mouse, else the hit test's.
  int TargetAt(int x, int y, bool forMouseOver) const;

  IPluginCore* plug;
  IRectangle drawnRect{0, 0, 0, 0};
  bool cursorHidden = false;
  int savedCursorX = -1;
  int savedCursorY = -1;
  int width;
  int height;
  int fps;
  int mouseOverIdx = -1;
  bool mouseOverEnabled = false;
  bool strictDrawing = true;
  bool tooltipsEnabled = false;

 private:
  struct ParamSlot {
    double value;
    bool pending;
  };
  struct TextSlot {
    ITextControl* control;
    bool pending;
    char text[kTextSlotSize];
  };
  enum PendingVisibility : signed char { kNoChange = -1, kShow = 0, kHideControl = 1 };

  void ApplyParamValue(int paramIdx, double normalized);
  void DrawStrict(const IRectangle& rect);
  // Without strict drawing: each dirty control with what overlaps it; only those the blitted
  // area shows whole count as clean.
  void DrawByDirtyControls(const IRectangle& area);
  void DrawControlsOver(int dirtyIdx, const IRectangle& area);
  ParamSlot* ParamSlots() const { return static_cast<ParamSlot*>(paramSlots.Get()); }
  signed char* PendingVisibilities() const {
    return static_cast<signed char*>(pendingVisibility.Get());
  }
  void DeleteControls();
  // Inserts at idx (clamped to the list), keeping the pending visibilities in step.
  int InsertControl(int idx, IControl* control);

  PtrList<IControl> controls;
  Raster_IBitmap* backBuffer = nullptr;
  IControl* keyCatcher = nullptr;
  MousePress mouse{this};
  HeapBuffer paramSlots{HeapBuffer::kPageGranularity};
  HeapBuffer pendingVisibility{HeapBuffer::kTextGranularity};  // one entry per control
  PtrList<TextSlot> textSlots;
  bool anyPending = false;
};

// The value a text entry gives a parameter: a display text that equals the text for bool and
// enum parameters (0 when none does); for other types the decimal number the text starts with
// (0 when it starts with none), negated for negate-display parameters, clamped to the range.
// False for an empty text and for a number that is not finite ("nan", "inf", overflow).
// Any thread; allocates nothing.
bool ParseEntryValue(const IParameter* param, const char* text, double* value);

// Whether a text entry for the parameter takes the typed character: bool, int and enum take
// signs and digits, double also the decimal point, other types (and a null parameter) any.
// Backspace is always taken. Any thread; allocates nothing.
bool EntryAcceptsChar(const IParameter* param, int ch);
