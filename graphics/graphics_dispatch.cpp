// IGraphics: mouse and key dispatch and the host's edit gestures.
//
// One host edit at most is open at a time, and it is ended exactly once: on the release, when
// the window loses the mouse capture or closes, or when a press leaves nothing holding the
// mouse (a menu or dialog took it). A press that begins nothing ends nothing.
#include "framework/plugin_core.h"
#include "graphics/graphics.h"

int IGraphics::HitTest(int x, int y, bool forMouseOver) const {
  for (int i = NControls() - 1; i >= 0; --i) {
    IControl* control = GetControl(i);
    if (control->IsHidden()) continue;
    if (control->IsGrayed() && !(forMouseOver && control->MouseOverWhenGrayed())) continue;
    if (control->IsHit(x, y)) return i;
  }
  return -1;
}

void IGraphics::BeginGesture(int paramIdx) {
  EndGesture();
  if (!plug || paramIdx < 0) return;
  plug->BeginHostEdit(paramIdx);
  gestureParam = paramIdx;
}

void IGraphics::EndGesture() {
  if (gestureParam < 0) return;
  const int paramIdx = gestureParam;
  gestureParam = -1;
  if (plug) plug->EndHostEdit(paramIdx);
}

void IGraphics::ClearCapture() {
  captureIdx = -1;
  lastMouseX = -1;
}

void IGraphics::OnMouseDown(int x, int y, IMouseKeys* keys) {
  const bool rightPress = keys && keys->right && !keys->left;
  OnMouseDown(x, y, keys, rightPress ? IMouseButton::kRight : IMouseButton::kLeft);
}

void IGraphics::OnMouseDown(int x, int y, IMouseKeys* keys, IMouseButton button) {
  // A press while another gesture is open (a chord) ends that one first.
  EndGesture();
  captureIdx = -1;
  lastMouseX = -1;
  lastMouseY = -1;
  const int target = HitTest(x, y, false);
  if (target < 0) return;
  IControl* control = GetControl(target);
  captureIdx = target;
  lastMouseX = x;
  lastMouseY = y;

  // The control hears of the button that went down, whatever else is held.
  IMouseKeys pressed = keys ? *keys : IMouseKeys{};
  pressed.left = button != IMouseButton::kRight;
  pressed.right = button == IMouseButton::kRight;
  if (button == IMouseButton::kRight && plug && plug->GetApiId() == kApiVST3 &&
      control->IsBound()) {
    ClearCapture();
    lastMouseY = -1;
    plug->PopupHostContextMenu(control->ParamIdx(), x, y);
    return;
  }
  if (control->IsBound()) BeginGesture(control->ParamIdx());
  DispatchPress(target, x, y, &pressed);
}

void IGraphics::DispatchPress(int idx, int x, int y, IMouseKeys* keys) {
  dispatchingPress = true;
  captureLostInPress = false;
  GetControl(idx)->MouseDown(x, y, keys);
  dispatchingPress = false;
  // A menu or dialog inside the press took the mouse: no release will come for this gesture.
  if (captureLostInPress || captureIdx != idx) {
    captureLostInPress = false;
    if (captureIdx == idx) ClearCapture();
    EndGesture();
  }
}

void IGraphics::OnMouseUp(int x, int y, IMouseKeys* keys) {
  const int target = captureIdx >= 0 ? captureIdx : HitTest(x, y, false);
  captureIdx = -1;
  lastMouseX = -1;
  if (IControl* control = GetControl(target)) control->MouseUp(x, y, keys);
  EndGesture();
}

void IGraphics::OnMouseDrag(int x, int y, IMouseKeys* keys) {
  IControl* control = GetControl(captureIdx);
  if (!control || (x == lastMouseX && y == lastMouseY)) return;
  const int dx = x - lastMouseX;
  const int dy = y - lastMouseY;
  lastMouseX = x;
  lastMouseY = y;
  control->MouseDrag(x, y, dx, dy, keys);
}

bool IGraphics::OnMouseOver(int x, int y, IMouseKeys* keys) {
  if (!mouseOverEnabled) return false;
  const int target = captureIdx >= 0 ? captureIdx : HitTest(x, y, true);
  IControl* control = GetControl(target);
  if (!control) return true;
  lastMouseX = x;
  lastMouseY = y;
  control->MouseOver(x, y, keys);
  if (mouseOverIdx != target) {
    if (IControl* previous = GetControl(mouseOverIdx)) previous->MouseOut();
  }
  mouseOverIdx = target;
  return true;
}

void IGraphics::OnMouseOut() {
  for (int i = 0, count = NControls(); i < count; ++i)
    GetControl(i)->MouseOut();
  mouseOverIdx = -1;
}

bool IGraphics::OnMouseDoubleClick(int x, int y, IMouseKeys* keys) {
  EndGesture();
  captureIdx = -1;
  lastMouseX = -1;
  lastMouseY = -1;
  const int target = HitTest(x, y, false);
  IControl* control = GetControl(target);
  if (!control) return false;
  if (!control->DoubleClickActsAsPress()) {
    control->MouseDoubleClick(x, y, keys);
    return false;
  }
  // A press without a host edit: the release that follows ends nothing.
  captureIdx = target;
  lastMouseX = x;
  lastMouseY = y;
  DispatchPress(target, x, y, keys);
  return captureIdx == target;
}

void IGraphics::OnMouseWheel(int x, int y, IMouseKeys* keys, int delta) {
  const int target = captureIdx >= 0 ? captureIdx : HitTest(x, y, false);
  if (IControl* control = GetControl(target)) control->MouseWheel(x, y, keys, delta);
}

bool IGraphics::OnKeyDown(int x, int y, int key) {
  const int target = captureIdx >= 0 ? captureIdx : HitTest(x, y, false);
  if (target <= 0) return keyCatcher ? keyCatcher->KeyDown(x, y, key) : false;
  return GetControl(target)->KeyDown(x, y, key);
}

void IGraphics::OnCaptureLost() {
  if (dispatchingPress) {
    // The press is still running (a dialog opened in it); its end is handled there.
    captureLostInPress = true;
    return;
  }
  ClearCapture();
  EndGesture();
}

void IGraphics::OnWindowClosing() {
  dispatchingPress = false;
  captureLostInPress = false;
  ClearCapture();
  mouseOverIdx = -1;
  EndGesture();
}
