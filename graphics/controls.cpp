#include "graphics/controls.h"

#include <cstring>

#include "framework/plugin_core.h"
#include "graphics/graphics.h"

namespace {

constexpr IBlendSpec kDefaultBlend{kBlendSourceAlpha, 1.0f};
constexpr double kFineFactor = 10.0;
constexpr double kWheelStep = 0.01;
constexpr double kFineWheelStep = 0.001;
constexpr double kSwitchWrapTolerance = 1.001;

IRectangle StripRect(int x, int y, const IBitmapStrip& strip) {
  return IRectangle{x, y, x + strip.FrameWidth(), y + strip.FrameHeight()};
}

bool FineModifier(const IMouseKeys* keys) {
  return keys && (keys->shift || keys->control);
}

}  // namespace

IPanelControl::IPanelControl(IPluginCore* plug, const IRectangle* rect, IColor fill)
    : IControl(plug, rect, -1, kDefaultBlend), colour(fill) {}

bool IPanelControl::Draw(IGraphics* graphics) {
  graphics->FillRect(&colour, &rect, &blend);
  return true;
}

IBitmapControl::IBitmapControl(IPluginCore* plug, int x, int y, int paramIdx,
                               const IBitmapStrip& strip, int blendMethod)
    : IControl(plug, nullptr, paramIdx, IBlendSpec{blendMethod, 1.0f}), bitmap(strip) {
  rect = targetRect = StripRect(x, y, strip);
}

IBitmapControl::IBitmapControl(IPluginCore* plug, int x, int y, const IBitmapStrip& strip)
    : IBitmapControl(plug, x, y, -1, strip, kBlendSourceAlpha) {}

bool IBitmapControl::Draw(IGraphics* graphics) {
  return graphics->DrawBitmapFrame(&bitmap, &rect, FrameForValue(value, bitmap.FrameCount()),
                                   &blend);
}

ISwitchControl::ISwitchControl(IPluginCore* plug, int x, int y, int paramIdx,
                               const IBitmapStrip& strip, int blendMethod)
    : IBitmapControl(plug, x, y, paramIdx, strip, blendMethod) {
  // A double-click is a press, so it must hold the mouse until its release like one.
  doubleClickAsPress = true;
}

void ISwitchControl::MouseDown(int, int, IMouseKeys*) {
  const int frames = bitmap.FrameCount();
  value += frames < 2 ? 1.0 : 1.0 / (frames - 1);
  if (value > kSwitchWrapTolerance) value = 0.0;
  SetDirty(true);
}

void ISwitchControl::MouseDoubleClick(int x, int y, IMouseKeys* keys) {
  MouseDown(x, y, keys);
}

void IContactControl::MouseUp(int, int, IMouseKeys*) {
  value = 0.0;
  SetDirty(true);
}

IKnobControl::IKnobControl(IPluginCore* plug, const IRectangle* rect, int paramIdx, int dir,
                           double gear, IBlendSpec blendSpec)
    : IControl(plug, rect, paramIdx, blendSpec), direction(dir), gearing(gear) {}

void IKnobControl::MouseDrag(int, int, int dx, int dy, IMouseKeys* keys) {
  const double gear = FineModifier(keys) ? gearing * kFineFactor : gearing;
  // Moving up (or right) raises the value.
  const double extent = direction == kHorizontal ? rect.Width() : -rect.Height();
  const double moved = direction == kHorizontal ? dx : dy;
  if (extent == 0.0 || gear == 0.0) return;
  value += moved / extent / gear;
  SetDirty(true);
}

void IKnobControl::MouseWheel(int, int, IMouseKeys* keys, int delta) {
  value += delta * (FineModifier(keys) ? kFineWheelStep : kWheelStep);
  SetDirty(true);
}

IKnobMultiControl::IKnobMultiControl(IPluginCore* plug, int x, int y, int paramIdx,
                                     const IBitmapStrip& strip, double gearing, int dir)
    : IKnobControl(plug, nullptr, paramIdx, dir, gearing, kDefaultBlend), bitmap(strip) {
  rect = targetRect = StripRect(x, y, strip);
}

bool IKnobMultiControl::Draw(IGraphics* graphics) {
  return graphics->DrawBitmapFrame(&bitmap, &rect, FrameForValue(value, bitmap.FrameCount()),
                                   &blend);
}

ITextControl::ITextControl(IPluginCore* plug, const IRectangle* rect, const ITextStyle& style,
                           const char* initial)
    : IControl(plug, rect, -1, kDefaultBlend), text(initial ? initial : "") {
  textStyle = style;
}

bool ITextControl::Draw(IGraphics* graphics) {
  if (text.Length() == 0) return true;
  return graphics->DrawText(&textStyle, text.Get(), &rect, false);
}

void ITextControl::ReplaceText(const char* replacement) {
  if (!replacement) replacement = "";
  if (std::strcmp(replacement, text.Get()) == 0) return;
  SetDirty(false);
  text.Set(replacement);
}

IFileSelectorControl::IFileSelectorControl(IPluginCore* plug, const IRectangle* rect, int paramIdx,
                                           const IBitmapStrip& strip, int dialogAction,
                                           const char* startFolder)
    : IControl(plug, rect, paramIdx, kDefaultBlend),
      bitmap(strip),
      folder(startFolder ? startFolder : ""),
      extensions("tovalunepreset"),
      action(dialogAction) {}

void IFileSelectorControl::MouseDown(int, int, IMouseKeys*) {
  IGraphics* graphics = plug ? plug->GetGui() : nullptr;
  if (!graphics) return;
  state = kDialogOpen;
  SetDirty(false);
  graphics->PromptForFile(&file, action, &folder, extensions.Get());
  FileDialogDone();
  value += 1.0;
  if (value > 1.0) value = 0.0;
  state = kDialogDone;
  SetDirty(true);
}

void IFileSelectorControl::FileDialogDone() {}

bool IFileSelectorControl::Draw(IGraphics* graphics) {
  if (state == kDialogOpen) graphics->DrawBitmap(&bitmap, &rect, 0, 0, nullptr);
  return true;
}

bool IFileSelectorControl::IsDirty() {
  if (dirty) return true;
  if (state != kDialogDone) return false;
  state = kIdle;
  return true;
}
