#pragma once

// The mouse from a press to its end.
//
// MousePress owns the mouse for one editor: the control a press went to, the button that pressed
// it, where the mouse was last seen, and the parameter of the host edit the press began. One press
// at a time. However a press ends - its button coming up inside or outside the editor, the window
// losing the mouse or closing, a second button going down, a menu, dialog or text entry taking
// the mouse, a resize, the editor or its instance going - it ends in one place, which gives the
// control its release once (a key lets go, the pitch wheel springs back) and then ends the host
// edit once. A release that finds no press of its button does nothing: this editor did not see
// its press.
//
// Threads: every entry point runs on the editor's window thread. The window procedure calls
// Press, DoubleClick, Drag and Release for mouse messages and End when the window loses the mouse
// or closes; a control's own press calls End through a menu, dialog or text entry that takes the
// mouse; ChangeSize calls ControlsGo; the instrument calls End before its editor or instance goes.
// Nothing here allocates.

#include "graphics/graphics_types.h"

class IControl;
class IGraphics;

class MousePress {
 public:
  explicit MousePress(IGraphics* editor) : editor(editor) {}

  MousePress(const MousePress&) = delete;
  MousePress& operator=(const MousePress&) = delete;

  // A button went down over control target (-1 for none); a press still held ends first (a
  // chord). In VST3 a right press on a bound control opens the host's context menu for its
  // parameter and holds nothing. Otherwise the control holds the mouse, a bound one begins a host
  // edit, and the control hears the press.
  void Press(int target, int x, int y, const IMouseKeys* keys, IMouseButton button);
  // A left double-click over target. A control that takes it as a press holds the mouse like a
  // press, without a host edit (true); any other gets MouseDoubleClick and nothing is held.
  bool DoubleClick(int target, int x, int y, IMouseKeys* keys);
  // The mouse moved with a button down: the held control drags by the distance moved.
  void Drag(int x, int y, IMouseKeys* keys);
  // A button came up at (x, y): the press of that button ends there; anything else is ignored.
  void Release(int x, int y, IMouseKeys* keys, IMouseButton button);
  // The press ends now, at the place the mouse was last seen; inside the control's own press, as
  // soon as that returns. Nothing when no press is held.
  void End();
  // The controls are about to be deleted: as End, but a control still inside its own press is
  // not called again.
  void ControlsGo();

  // The control holding the mouse, -1 when none.
  int Control() const;
  IMouseButton Button() const { return button; }
  // The parameter of the host edit the press began, -1 when none is open.
  int EditParam() const { return editParam; }

 private:
  enum class Phase {
    kFree,
    kPressing,  // the control's MouseDown is running
    kTaken,     // the mouse was taken during MouseDown: the press ends when it returns
    kHeld,      // waiting for the release
  };

  void Hold(int target, IMouseButton pressed, int x, int y);
  // MouseDown, then the end the press met meanwhile, if any.
  void Dispatch(IControl* control, int x, int y, IMouseKeys* keys);
  // The one end of every press.
  void Finish(int x, int y, IMouseKeys* keys);
  bool InsideMouseDown() const { return phase == Phase::kPressing || phase == Phase::kTaken; }

  IGraphics* editor;
  Phase phase = Phase::kFree;
  int control = -1;
  IMouseButton button = IMouseButton::kLeft;
  int editParam = -1;
  int lastX = -1;
  int lastY = -1;
};
