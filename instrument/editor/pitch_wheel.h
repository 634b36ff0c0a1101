// The pitch wheel: a knob on PitchBend drawn from the wheel picture that springs back to its
// centre (no bend) when the mouse lets go of it. Dragging and the mouse wheel move it like any
// knob.
#pragma once

#include "graphics/controls.h"

class IKnobMultiControl_pitchbendwheel : public IKnobControl {
 public:
  // At the wheel's place in the editor, bound to PitchBend, dragged vertically.
  // Creating thread; allocates nothing.
  IKnobMultiControl_pitchbendwheel(IPluginCore* plug, const IBitmapStrip& strip, double gearing);

  // Back to the centre, which the plug-in hears. Window thread.
  void MouseUp(int x, int y, IMouseKeys* keys) override;
  // The frame of the strip that shows the value. Window thread.
  bool Draw(IGraphics* graphics) override;

  // Window thread; allocates nothing.
  const IBitmapStrip& GetStrip() const { return bitmap; }

 private:
  IBitmapStrip bitmap;
};
