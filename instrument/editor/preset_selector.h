// The preset menu: an invisible control over the preset name that opens a two-level menu of the
// preset library (the welcome preset on the main menu, the factory presets by category and the
// add-on presets in submenus, every entry named as the library names it). Choosing an entry sets
// PresetSelector to the preset's number, and the instrument loads that preset.
#pragma once

#include "graphics/popup_menu.h"
#include "instrument/editor/menu_control.h"

class IPopupMenu_PresetSelector : public InstrumentMenuControl {
 public:
  static constexpr int kSubmenuCount = 9;
  static constexpr const char* kLibraryItem = "< Presets Library >";

  // The submenus of the main menu: caption, number of the first preset and preset count.
  struct Category {
    const char* caption;
    int firstPreset;
    int count;
  };
  static const Category kCategories[kSubmenuCount];

  // Builds the ten menus. Creating thread; allocates.
  IPopupMenu_PresetSelector(IPluginCore* plug, const IRectangle* rect);

  // Any button opens the menu. Window thread; loading a preset allocates.
  void MouseDown(int x, int y, IMouseKeys* keys) override;

  // The main menu and submenu k (0..8). Window thread; allocate nothing.
  const IPopupMenu& MainMenu() const { return mainMenu; }
  const IPopupMenu& Submenu(int k) const { return submenus[k]; }

 private:
  // The preset number a choice in menu stands for, or -1 when menu is none of ours.
  int PresetNumberOf(const IPopupMenu* menu) const;

  // Declared first, destroyed last: the submenus' items go before the items that open them.
  IPopupMenu mainMenu{0};
  IPopupMenu submenus[kSubmenuCount];
};
