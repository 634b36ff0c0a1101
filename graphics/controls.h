#pragma once

#include "graphics/control.h"

// The framework's concrete controls. Every constructor takes the owning plug-in first; controls
// built on a bitmap strip take their rectangle from it: (x, y) and one frame's size. Window
// thread throughout; constructors allocate only where a text is kept.

// A filled rectangle; not bound.
class IPanelControl : public IControl {
 public:
  IPanelControl(IPluginCore* plug, const IRectangle* rect, IColor colour);
  bool Draw(IGraphics* graphics) override;
  const IColor& GetColour() const { return colour; }

 private:
  IColor colour;
};

// One frame of a bitmap strip, chosen by the value.
class IBitmapControl : public IControl {
 public:
  IBitmapControl(IPluginCore* plug, int x, int y, int paramIdx, const IBitmapStrip& strip,
                 int blendMethod = kBlendSourceAlpha);
  // Not bound.
  IBitmapControl(IPluginCore* plug, int x, int y, const IBitmapStrip& strip);
  bool Draw(IGraphics* graphics) override;
  const IBitmapStrip& GetStrip() const { return bitmap; }

 protected:
  IBitmapStrip bitmap;
};

// Steps through its frames on each press and wraps to 0 after the last. A double-click is a
// press too, with the mouse captured like one.
class ISwitchControl : public IBitmapControl {
 public:
  ISwitchControl(IPluginCore* plug, int x, int y, int paramIdx, const IBitmapStrip& strip,
                 int blendMethod = kBlendSourceAlpha);
  void MouseDown(int x, int y, IMouseKeys* keys) override;
  void MouseDoubleClick(int x, int y, IMouseKeys* keys) override;
};

// A momentary switch: back to 0 on release.
class IContactControl : public ISwitchControl {
 public:
  using ISwitchControl::ISwitchControl;
  void MouseUp(int x, int y, IMouseKeys* keys) override;
};

// The base of every knob: dragging and the wheel change the value. A drag across the knob's
// whole height (or width) changes it by 1 / gearing, and Shift or Ctrl makes it ten times
// finer; one wheel notch changes it by 0.01, or 0.001 with Shift or Ctrl.
class IKnobControl : public IControl {
 public:
  enum Direction : int { kVertical = 0, kHorizontal = 1 };

  void MouseDrag(int x, int y, int dx, int dy, IMouseKeys* keys) override;
  void MouseWheel(int x, int y, IMouseKeys* keys, int delta) override;
  int GetDirection() const { return direction; }
  double GetGearing() const { return gearing; }

 protected:
  IKnobControl(IPluginCore* plug, const IRectangle* rect, int paramIdx, int direction,
               double gearing, IBlendSpec blend = {kBlendSourceAlpha, 1.0f});

  int direction;
  double gearing;
};

// A knob drawn as one frame of a bitmap strip.
class IKnobMultiControl : public IKnobControl {
 public:
  IKnobMultiControl(IPluginCore* plug, int x, int y, int paramIdx, const IBitmapStrip& strip,
                    double gearing, int direction = kVertical);
  bool Draw(IGraphics* graphics) override;
  const IBitmapStrip& GetStrip() const { return bitmap; }

 protected:
  IBitmapStrip bitmap;
};

// A text in a style of its own; not bound.
class ITextControl : public IControl {
 public:
  // Allocates the text.
  ITextControl(IPluginCore* plug, const IRectangle* rect, const ITextStyle& style,
               const char* text);
  bool Draw(IGraphics* graphics) override;
  // A different text replaces the current one and marks the control dirty. Allocates.
  void ReplaceText(const char* text);
  const char* GetText() const { return text.Get(); }

 private:
  HeapString text;
};

// Opens a file dialog on a press; its value flips between 0 and 1 after each dialog, so the
// bound parameter changes every time. Reports dirty once after each finished dialog.
class IFileSelectorControl : public IControl {
 public:
  enum Action : int { kOpen = 0, kSave = 1 };
  enum State : int { kIdle = 0, kDialogOpen = 1, kDialogDone = 2 };

  // Allocates the folder and extension texts.
  IFileSelectorControl(IPluginCore* plug, const IRectangle* rect, int paramIdx,
                       const IBitmapStrip& strip, int action, const char* folder);
  void MouseDown(int x, int y, IMouseKeys* keys) override;
  bool Draw(IGraphics* graphics) override;
  bool IsDirty() override;

  const char* GetFile() const { return file.Get(); }
  const char* GetFolder() const { return folder.Get(); }
  const char* GetExtensions() const { return extensions.Get(); }
  int GetAction() const { return action; }
  int GetState() const { return state; }

 protected:
  // The dialog closed: the file text is the chosen path ("" when cancelled). Runs before the
  // value change reaches the plug-in, so an owner can take the path first. Base: nothing.
  virtual void FileDialogDone();

 private:
  IBitmapStrip bitmap;
  HeapString folder;
  HeapString file;
  HeapString extensions;
  int action;
  int state = kIdle;
};
