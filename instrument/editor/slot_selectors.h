// The two effect-slot selectors: invisible controls over the slot labels whose menus list the
// slot's choices with the labels' own texts ("FX Slot 1 : No Effect", ...). Choosing item k
// sets the slot's selector parameter to k + 1, which shows that effect's panel.
#pragma once

#include "graphics/popup_menu.h"
#include "instrument/editor/menu_control.h"

class IPopupMenu_FXSlotSelector : public InstrumentMenuControl {
 public:
  // The choices 1..choiceCount of a slot and their texts. Window thread; allocates nothing.
  using ChoiceLabel = const char* (*)(int choice);

  // Any button opens the menu. Window thread.
  void MouseDown(int x, int y, IMouseKeys* keys) override;

  // Window thread; allocate nothing.
  const IPopupMenu& Menu() const { return menu; }
  int SelectorParam() const { return selectorParam; }

 protected:
  // A menu of the slot's choices for parameter selectorIdx. Creating thread; allocates.
  IPopupMenu_FXSlotSelector(IPluginCore* plug, const IRectangle* rect, int selectorIdx,
                            ChoiceLabel label, int choiceCount);

 private:
  IPopupMenu menu{0};
  int selectorParam;
};

// Effect slot 1: no effect, chorus, flanger, tube, solid, foldback, bitcrusher.
class IPopupMenu_FXSlot1Selector : public IPopupMenu_FXSlotSelector {
 public:
  // Creating thread; allocates.
  IPopupMenu_FXSlot1Selector(IPluginCore* plug, const IRectangle* rect);
};

// Effect slot 2: no effect, delay, reverb.
class IPopupMenu_FXSlot2Selector : public IPopupMenu_FXSlotSelector {
 public:
  // Creating thread; allocates.
  IPopupMenu_FXSlot2Selector(IPluginCore* plug, const IRectangle* rect);
};
