#include "instrument/editor/pitch_wheel.h"

#include "engine/engine_params.h"
#include "graphics/graphics.h"
#include "instrument/editor/editor_layout.h"
#include "instrument/editor/editor_scale.h"

namespace {

constexpr double kCentre = 0.5;  // PitchBend spans -1..1: the middle bends nothing

IRectangle WheelRect(const IBitmapStrip& strip) {
  using namespace EditorLayout;
  const int x = Scaled(kPitchWheelX, kEditorScale);
  const int y = Scaled(kWheelY, kEditorScale);
  return IRectangle{x, y, x + strip.FrameWidth(), y + strip.FrameHeight()};
}

}  // namespace

IKnobMultiControl_pitchbendwheel::IKnobMultiControl_pitchbendwheel(IPluginCore* plug,
                                                                   const IBitmapStrip& strip,
                                                                   double gearing)
    : IKnobControl(plug, nullptr, EngineParam::PitchBend, kVertical, gearing), bitmap(strip) {
  rect = targetRect = WheelRect(strip);
}

void IKnobMultiControl_pitchbendwheel::MouseUp(int, int, IMouseKeys*) {
  value = kCentre;
  SetDirty(true);
}

bool IKnobMultiControl_pitchbendwheel::Draw(IGraphics* graphics) {
  return graphics->DrawBitmapFrame(&bitmap, &rect, FrameForValue(value, bitmap.FrameCount()),
                                   &blend);
}
