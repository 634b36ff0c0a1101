#include "instrument/editor/slot_selectors.h"

#include "engine/engine_params.h"
#include "instrument/effect_panels.h"

IPopupMenu_FXSlotSelector::IPopupMenu_FXSlotSelector(IPluginCore* plug, const IRectangle* rect,
                                                     int selectorIdx, ChoiceLabel label,
                                                     int choiceCount)
    : InstrumentMenuControl(plug, rect), selectorParam(selectorIdx) {
  for (int choice = 1; choice <= choiceCount; ++choice)
    menu.AppendText(label(choice));
}

void IPopupMenu_FXSlotSelector::MouseDown(int, int, IMouseKeys*) {
  IPopupMenu* chosen = ShowMenu(&menu);
  if (chosen == &menu) ApplyChoice(selectorParam, menu.GetChosenIndex() + 1);
  FinishPress();
}

IPopupMenu_FXSlot1Selector::IPopupMenu_FXSlot1Selector(IPluginCore* plug, const IRectangle* rect)
    : IPopupMenu_FXSlotSelector(plug, rect, EngineParam::FXSlot1Selector, EffectPanels::Slot1Label,
                                EffectPanels::kSlot1ChoiceCount) {}

IPopupMenu_FXSlot2Selector::IPopupMenu_FXSlot2Selector(IPluginCore* plug, const IRectangle* rect)
    : IPopupMenu_FXSlotSelector(plug, rect, EngineParam::FXSlot2Selector, EffectPanels::Slot2Label,
                                EffectPanels::kSlot2ChoiceCount) {}
