#include "graphics/mouse_press.h"

#include "framework/plugin_core.h"
#include "graphics/graphics.h"

void MousePress::Press(int target, int x, int y, const IMouseKeys* keys, IMouseButton pressed) {
  // A press reaching the window while a control still handles its own (from inside a menu's or
  // dialog's message loop) would overlap it: it is ignored.
  if (InsideMouseDown()) return;
  End();
  IControl* hit = editor->GetControl(target);
  if (!hit) return;
  IPluginCore* plug = editor->GetPlug();
  if (pressed == IMouseButton::kRight && plug && plug->GetApiId() == kApiVST3 && hit->IsBound()) {
    // The host's menu takes the mouse; the control hears nothing, so no release may reach it.
    plug->PopupHostContextMenu(hit->ParamIdx(), x, y);
    return;
  }
  Hold(target, pressed, x, y);
  if (plug && hit->IsBound()) {
    editParam = hit->ParamIdx();
    plug->BeginHostEdit(editParam);
  }
  // The control hears of the button that went down, whatever else is held.
  IMouseKeys down = keys ? *keys : IMouseKeys{};
  down.left = pressed != IMouseButton::kRight;
  down.right = pressed == IMouseButton::kRight;
  Dispatch(hit, x, y, &down);
}

bool MousePress::DoubleClick(int target, int x, int y, IMouseKeys* keys) {
  if (InsideMouseDown()) return false;
  End();
  IControl* hit = editor->GetControl(target);
  if (!hit) return false;
  if (!hit->DoubleClickActsAsPress()) {
    hit->MouseDoubleClick(x, y, keys);
    return false;
  }
  Hold(target, IMouseButton::kLeft, x, y);
  Dispatch(hit, x, y, keys);
  return Control() == target;
}

void MousePress::Drag(int x, int y, IMouseKeys* keys) {
  IControl* held = phase == Phase::kHeld ? editor->GetControl(control) : nullptr;
  if (!held || (x == lastX && y == lastY)) return;
  const int dx = x - lastX;
  const int dy = y - lastY;
  lastX = x;
  lastY = y;
  held->MouseDrag(x, y, dx, dy, keys);
}

void MousePress::Release(int x, int y, IMouseKeys* keys, IMouseButton released) {
  if (phase != Phase::kFree && released == button) Finish(x, y, keys);
}

void MousePress::End() {
  Finish(lastX, lastY, nullptr);
}

void MousePress::ControlsGo() {
  if (InsideMouseDown()) control = -1;
  End();
}

int MousePress::Control() const {
  return phase == Phase::kPressing || phase == Phase::kHeld ? control : -1;
}

void MousePress::Hold(int target, IMouseButton pressed, int x, int y) {
  phase = Phase::kPressing;
  control = target;
  button = pressed;
  editParam = -1;
  lastX = x;
  lastY = y;
}

void MousePress::Dispatch(IControl* pressed, int x, int y, IMouseKeys* keys) {
  pressed->MouseDown(x, y, keys);
  const bool taken = phase == Phase::kTaken;
  phase = Phase::kHeld;
  if (taken) End();
}

void MousePress::Finish(int x, int y, IMouseKeys* keys) {
  if (phase == Phase::kFree) return;
  if (InsideMouseDown()) {
    // What the press does after the mouse was taken (a menu's choice, a dialog's file) still
    // belongs to its host edit.
    phase = Phase::kTaken;
    return;
  }
  IControl* held = editor->GetControl(control);
  const int param = editParam;
  // Free before anyone hears of the end, so that nothing they do can end it again.
  phase = Phase::kFree;
  control = -1;
  editParam = -1;
  lastX = -1;
  lastY = -1;
  IPluginCore* plug = editor->GetPlug();
  if (!plug) return;  // the plug-in is being deleted: nobody is left to hear of it
  IMouseKeys up = keys ? *keys : IMouseKeys{};
  if (held) held->MouseUp(x, y, &up);
  if (param >= 0) plug->EndHostEdit(param);
}
