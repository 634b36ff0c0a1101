// The base of the editor's three invisible menu controls (the two effect-slot selectors and the
// preset menu): each lies over a text that shows the current choice, opens its menu on any
// press and sets an unbound parameter from the choice without telling the host.
#pragma once

#include "graphics/control.h"

class IPopupMenu;

class InstrumentMenuControl : public IControl {
 public:
  // Not bound to a parameter. Window or creating thread; allocates nothing.
  InstrumentMenuControl(IPluginCore* plug, const IRectangle* rect);

  // A transparent fill: the text below shows through. Window thread.
  bool Draw(IGraphics* graphics) override;

 protected:
  // Shows menu at the control; the (sub)menu whose item was chosen, or null when dismissed.
  // Window thread; may allocate.
  IPopupMenu* ShowMenu(IPopupMenu* menu);
  // Parameter idx := value clamped to its range, then the plug-in's ParamChanged, both under
  // the instance lock; the host is not told. Window thread; allocates only what the plug-in's
  // change handling does (preset files).
  void ApplyChoice(int paramIdx, double value);
  // After every press, chosen or dismissed: the control is drawn on the next two ticks.
  void FinishPress();
};
