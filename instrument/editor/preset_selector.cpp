#include "instrument/editor/preset_selector.h"

#include "engine/engine_params.h"
#include "instrument/preset_library.h"

const IPopupMenu_PresetSelector::Category IPopupMenu_PresetSelector::kCategories[kSubmenuCount] = {
    {"Factory > Basses", 2, 11},
    {"Factory > Arps", 13, 21},
    {"Factory > Keys", 34, 35},
    {"Factory > Leads", 69, 39},
    {"Factory > Acoustic", 108, 20},
    {"Factory > Pads", 128, 17},
    {"Factory > Percussive", 145, 7},
    {"Factory > Sound Effects", 152, 4},
    {"Expansion > Glass Tides (Add-On)", 156, 64},
};

IPopupMenu_PresetSelector::IPopupMenu_PresetSelector(IPluginCore* plug, const IRectangle* rect)
    : InstrumentMenuControl(plug, rect) {
  for (int k = 0; k < kSubmenuCount; ++k) {
    for (int i = 0; i < kCategories[k].count; ++i)
      submenus[k].AppendText(PresetLibrary::PresetName(kCategories[k].firstPreset + i));
  }
  mainMenu.AppendText(kLibraryItem);
  mainMenu.AppendText(PresetLibrary::PresetName(PresetLibrary::kFirstPreset));
  for (int k = 0; k < kSubmenuCount; ++k)
    mainMenu.AppendSubmenu(kCategories[k].caption, &submenus[k]);
}

int IPopupMenu_PresetSelector::PresetNumberOf(const IPopupMenu* menu) const {
  // The main menu's own items are presets 0 (the library's title) and 1.
  if (menu == &mainMenu) return mainMenu.GetChosenIndex();
  for (int k = 0; k < kSubmenuCount; ++k) {
    if (menu == &submenus[k]) return kCategories[k].firstPreset + menu->GetChosenIndex();
  }
  return -1;
}

void IPopupMenu_PresetSelector::MouseDown(int, int, IMouseKeys*) {
  const IPopupMenu* chosen = ShowMenu(&mainMenu);
  const int preset = chosen ? PresetNumberOf(chosen) : -1;
  if (preset >= 0) ApplyChoice(EngineParam::PresetSelector, preset);
  FinishPress();
}
