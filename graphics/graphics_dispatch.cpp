// IGraphics: mouse and key dispatch. The mouse from a press to its end belongs to MousePress;
// hovering, the wheel and keys go to the control holding the mouse, else the one under it.
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

int IGraphics::TargetAt(int x, int y, bool forMouseOver) const {
  const int held = mouse.Control();
  return held >= 0 ? held : HitTest(x, y, forMouseOver);
}

void IGraphics::OnMouseDown(int x, int y, IMouseKeys* keys) {
  const bool rightPress = keys && keys->right && !keys->left;
  OnMouseDown(x, y, keys, rightPress ? IMouseButton::kRight : IMouseButton::kLeft);
}

void IGraphics::OnMouseDown(int x, int y, IMouseKeys* keys, IMouseButton button) {
  mouse.Press(HitTest(x, y, false), x, y, keys, button);
}

void IGraphics::OnMouseUp(int x, int y, IMouseKeys* keys) {
  OnMouseUp(x, y, keys, mouse.Button());
}

void IGraphics::OnMouseUp(int x, int y, IMouseKeys* keys, IMouseButton button) {
  mouse.Release(x, y, keys, button);
}

void IGraphics::OnMouseDrag(int x, int y, IMouseKeys* keys) {
  mouse.Drag(x, y, keys);
}

bool IGraphics::OnMouseOver(int x, int y, IMouseKeys* keys) {
  if (!mouseOverEnabled) return false;
  const int target = TargetAt(x, y, true);
  IControl* control = GetControl(target);
  if (!control) return true;
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
  return mouse.DoubleClick(HitTest(x, y, false), x, y, keys);
}

void IGraphics::OnMouseWheel(int x, int y, IMouseKeys* keys, int delta) {
  if (IControl* control = GetControl(TargetAt(x, y, false))) control->MouseWheel(x, y, keys, delta);
}

bool IGraphics::OnKeyDown(int x, int y, int key) {
  const int target = TargetAt(x, y, false);
  if (target <= 0) return keyCatcher ? keyCatcher->KeyDown(x, y, key) : false;
  return GetControl(target)->KeyDown(x, y, key);
}

void IGraphics::EndMousePress() {
  mouse.End();
}

void IGraphics::OnWindowClosing() {
  mouse.End();
  mouseOverIdx = -1;
}
