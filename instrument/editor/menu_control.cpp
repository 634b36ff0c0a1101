#include "instrument/editor/menu_control.h"

#include "framework/plugin_core.h"
#include "graphics/graphics.h"

InstrumentMenuControl::InstrumentMenuControl(IPluginCore* plug, const IRectangle* rect)
    : IControl(plug, rect, -1, IBlendSpec{kBlendSourceAlpha, 1.0f}) {}

bool InstrumentMenuControl::Draw(IGraphics* graphics) {
  graphics->FillRect(&kColorTransparent, &rect, &blend);
  return true;
}

IPopupMenu* InstrumentMenuControl::ShowMenu(IPopupMenu* menu) {
  IGraphics* graphics = plug ? plug->GetGui() : nullptr;
  return graphics ? graphics->ShowPopupMenu(menu, &rect) : nullptr;
}

void InstrumentMenuControl::ApplyChoice(int paramIdx, double value) {
  IParameter* param = plug ? plug->GetParam(paramIdx) : nullptr;
  if (!param) return;
  // The audio thread may be handling this parameter too: the write and the reaction to it are
  // one step for it.
  MutexLock lock(plug->GetMutex());
  param->SetClamped(value);
  plug->ParamChanged(paramIdx);
}

void InstrumentMenuControl::FinishPress() {
  redraw = true;
  SetDirty(true);
}
