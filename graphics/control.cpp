#include "graphics/control.h"

#include <cmath>
#include <cstdio>

#include "framework/plugin_core.h"
#include "graphics/controls.h"
#include "graphics/graphics.h"

IControl::IControl(IPluginCore* owner, const IRectangle* area, int param, IBlendSpec blendSpec)
    : textStyle(ITextStyle::Default()),
      plug(owner),
      rect(area ? *area : IRectangle{0, 0, 0, 0}),
      targetRect(rect),
      paramIdx(param < 0 ? -1 : param),
      blend(blendSpec) {}

IControl::~IControl() = default;

void IControl::MouseDown(int, int, IMouseKeys* keys) {
  if (keys && keys->right) PromptUserInput();
}

void IControl::MouseUp(int, int, IMouseKeys*) {}

void IControl::MouseDrag(int, int, int, int, IMouseKeys*) {}

void IControl::MouseDoubleClick(int, int, IMouseKeys*) {
  if (defaultValue < 0.0) return;
  value = defaultValue;
  SetDirty(true);
}

void IControl::MouseWheel(int, int, IMouseKeys*, int) {}

bool IControl::KeyDown(int, int, int) {
  return false;
}

void IControl::MouseOver(int, int, IMouseKeys*) {}

void IControl::MouseOut() {}

void IControl::SetValueFromPlug(double v) {
  if (defaultValue < 0.0) value = defaultValue = v;
  if (v != value) {
    value = v;
    MarkChanged(false);
  }
}

void IControl::SetValueFromUser(double v) {
  if (v != value) {
    value = v;
    MarkChanged(true);
  }
}

void IControl::MarkChanged(bool push) {
  SetDirty(push);
  redraw = true;
}

void IControl::SetTextFromUser(const char*) {}

void IControl::Hide(bool hide) {
  hidden = hide;
  redraw = true;
  SetDirty(false);
}

void IControl::GrayOut(bool gray) {
  grayed = gray;
  blend.weight = gray ? 0.25f : 1.0f;
  SetDirty(false);
}

bool IControl::IsHit(int x, int y) {
  return targetRect.Contains(x, y);
}

void IControl::SetDirty(bool push) {
  // Not a number falls to the low end, like any value below the range.
  value = value >= clampLow ? (value <= clampHigh ? value : clampHigh) : clampLow;
  dirty = true;
  if (!push || !plug || paramIdx < 0) return;
  plug->ApplyGuiParamValue(paramIdx, value);
  const IParameter* param = plug->GetParam(paramIdx);
  if (!param) return;
  if (valueDisplay) {
    char shown[IParameter::kTextSize];
    char text[2 * IParameter::kTextSize + 1];
    param->FormatValue(shown);
    std::snprintf(text, sizeof(text), "%.31s %.31s", shown, param->UnitText());
    valueDisplay->ReplaceText(text);
  }
  if (nameDisplay) nameDisplay->ReplaceText(param->Name());
}

void IControl::SetClean() {
  dirty = redraw;
  redraw = false;
}

bool IControl::IsDirty() {
  return dirty;
}

void IControl::SetAuxValueFromPlug(int auxIdx, double v) {
  if (auxIdx < 0 || auxIdx >= NAuxParams()) return;
  AuxBinding& binding = AuxBindings()[auxIdx];
  if (v == binding.value) return;
  binding.value = v;
  MarkChanged(false);
}

void IControl::PromptUserInput() {
  if (paramIdx < 0 || promptDisabled || !plug) return;
  IParameter* param = plug->GetParam(paramIdx);
  IGraphics* graphics = plug->GetGui();
  if (!param || !graphics) return;
  IRectangle box = rect;
  if (param->DisplayTextCount() == 0) {
    const int cx = static_cast<int>((rect.left + rect.right) * 0.5);
    const int cy = static_cast<int>((rect.top + rect.bottom) * 0.5);
    box = IRectangle{cx - 20, cy - 8, cx + 20, cy + 8};
  }
  graphics->PromptParamInput(this, param, &box);
  redraw = true;
}

IParameter* IControl::GetParam() const {
  return plug && paramIdx >= 0 ? plug->GetParam(paramIdx) : nullptr;
}

bool IControl::AddAuxParam(int auxParamIdx) {
  const AuxBinding binding{0.0, auxParamIdx};
  return auxBindings.PutBytes(&binding, static_cast<int32_t>(sizeof(binding)));
}

int IControl::NAuxParams() const {
  return auxBindings.Size() / static_cast<int32_t>(sizeof(AuxBinding));
}

int IControl::AuxParamIdx(int auxIdx) const {
  return auxIdx >= 0 && auxIdx < NAuxParams() ? AuxBindings()[auxIdx].paramIdx : -1;
}

double IControl::AuxValue(int auxIdx) const {
  return auxIdx >= 0 && auxIdx < NAuxParams() ? AuxBindings()[auxIdx].value : 0.0;
}
