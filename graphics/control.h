#pragma once

#include "framework/heap_buffer.h"
#include "framework/heap_string.h"
#include "graphics/graphics_types.h"

class IGraphics;
class IPluginCore;
class IParameter;
class ITextControl;

// The base of everything the editor shows and the user touches: a rectangle, an optional
// binding to one plug-in parameter, a normalized value, dirty tracking for the frame tick and
// mouse, key and drawing hooks. A value the user changes goes to the plug-in (SetDirty(true));
// a value from the plug-in only redraws.
//
// Threads: every operation runs on the editor's window thread. Values the plug-in pushes from
// other threads wait in the editor's fixed slots and reach the controls at the window's tick
// (IGraphics::ApplyPendingUpdates), so a control is never touched by two threads.
class IControl {
 public:
  static constexpr int kDefaultEntryLength = 7;

  // Window thread; allocates nothing.
  IControl(IPluginCore* plug, const IRectangle* rect, int paramIdx = -1,
           IBlendSpec blend = {kBlendSourceAlpha, 1.0f});
  // Frees the auxiliary bindings and the tooltip. Window thread.
  virtual ~IControl();

  IControl(const IControl&) = delete;
  IControl& operator=(const IControl&) = delete;

  // ---- Hooks, in the order of the family; base behaviour in brackets. Window thread. ----

  // [right button: PromptUserInput]
  virtual void MouseDown(int x, int y, IMouseKeys* keys);
  virtual void MouseUp(int x, int y, IMouseKeys* keys);                    // [nothing]
  virtual void MouseDrag(int x, int y, int dx, int dy, IMouseKeys* keys);  // [nothing]
  // [value := default value and push, when a default is known]
  virtual void MouseDoubleClick(int x, int y, IMouseKeys* keys);
  virtual void MouseWheel(int x, int y, IMouseKeys* keys, int delta);  // [nothing]
  virtual bool KeyDown(int x, int y, int key);                         // [false]
  virtual void MouseOver(int x, int y, IMouseKeys* keys);              // [nothing]
  virtual void MouseOut();                                             // [nothing]
  // Draws into the editor's back buffer; false when drawing failed. May allocate (glyphs).
  virtual bool Draw(IGraphics* graphics) = 0;
  // A value from the plug-in: the first becomes the default; a change marks the control dirty
  // for two ticks. Never pushes back.
  virtual void SetValueFromPlug(double v);
  // A value from the user (menu, text entry): a change is pushed to the plug-in.
  virtual void SetValueFromUser(double v);
  virtual void SetTextFromUser(const char* text);  // [nothing]
  virtual void Hide(bool hide);
  // A grayed control draws at a quarter of its weight and is not hit.
  virtual void GrayOut(bool gray);
  virtual bool IsHit(int x, int y);
  // Clamps the value and marks the control dirty; with push, a bound control hands the value
  // to the plug-in (which tells the host) and refreshes its value and name displays.
  virtual void SetDirty(bool push);
  // After drawing: dirty := redraw, redraw := false.
  virtual void SetClean();
  virtual bool IsDirty();
  // A value for auxiliary binding auxIdx: a change marks the control dirty for two ticks.
  virtual void SetAuxValueFromPlug(int auxIdx, double v);

  // Opens the value prompt of the bound parameter (a menu for parameters with display texts,
  // else a text entry) unless the control is unbound or its prompt is disabled. May allocate.
  void PromptUserInput();

  // ---- Fields (window thread; allocate nothing unless said) ----

  IPluginCore* GetPlug() const { return plug; }
  const IRectangle& GetRect() const { return rect; }
  const IRectangle& GetTargetRect() const { return targetRect; }
  void SetTargetRect(const IRectangle& target) { targetRect = target; }
  int ParamIdx() const { return paramIdx; }
  bool IsBound() const { return paramIdx >= 0; }
  // The bound parameter record, or null.
  IParameter* GetParam() const;

  double GetValue() const { return value; }
  void SetValue(double v) { value = v; }
  double GetDefaultValue() const { return defaultValue; }
  void SetDefaultValue(double v) { defaultValue = v; }
  void SetClampRange(double low, double high) {
    clampLow = low;
    clampHigh = high;
  }

  bool IsHidden() const { return hidden; }
  bool IsGrayed() const { return grayed; }
  bool NeedsRedraw() const { return redraw; }
  void SetRedraw() { redraw = true; }
  bool PromptDisabled() const { return promptDisabled; }
  void DisablePrompt(bool disable) { promptDisabled = disable; }
  bool DoubleClickActsAsPress() const { return doubleClickAsPress; }
  void SetDoubleClickActsAsPress(bool asPress) { doubleClickAsPress = asPress; }
  bool MouseOverWhenGrayed() const { return mouseOverWhenGrayed; }
  void SetMouseOverWhenGrayed(bool allow) { mouseOverWhenGrayed = allow; }
  int TextEntryLength() const { return textEntryLength; }
  void SetTextEntryLength(int length) { textEntryLength = length; }

  const ITextStyle& GetTextStyle() const { return textStyle; }
  ITextStyle* TextStyle() { return &textStyle; }
  void SetTextStyle(const ITextStyle& style) { textStyle = style; }
  const IBlendSpec& GetBlend() const { return blend; }
  IBlendSpec* Blend() { return &blend; }

  // Text controls that show the bound parameter's display text and name (not owned).
  void SetValueDisplay(ITextControl* display) { valueDisplay = display; }
  void SetNameDisplay(ITextControl* display) { nameDisplay = display; }

  const char* GetTooltip() const { return tooltip.Get(); }
  void SetTooltip(const char* text) { tooltip.Set(text); }  // allocates

  // Auxiliary bindings: further parameters the control follows. AddAuxParam allocates and
  // returns false when the list cannot grow.
  bool AddAuxParam(int auxParamIdx);
  int NAuxParams() const;
  int AuxParamIdx(int auxIdx) const;
  double AuxValue(int auxIdx) const;

 protected:
  // Marks the control dirty again after the next drawing (a value change is drawn twice).
  void MarkChanged(bool push);

  int textEntryLength = kDefaultEntryLength;
  ITextStyle textStyle;
  IPluginCore* plug;
  IRectangle rect;
  IRectangle targetRect;
  int paramIdx;
  double value = 0.0;
  double defaultValue = -1.0;
  double clampLow = 0.0;
  double clampHigh = 1.0;
  bool dirty = true;
  bool hidden = false;
  bool grayed = false;
  bool redraw = false;
  bool promptDisabled = true;
  bool doubleClickAsPress = false;
  bool mouseOverWhenGrayed = false;
  IBlendSpec blend;
  ITextControl* valueDisplay = nullptr;
  ITextControl* nameDisplay = nullptr;
  HeapString tooltip;

 private:
  struct AuxBinding {
    double value;
    int paramIdx;
  };
  AuxBinding* AuxBindings() const { return static_cast<AuxBinding*>(auxBindings.Get()); }

  HeapBuffer auxBindings{HeapBuffer::kTextGranularity};
};
