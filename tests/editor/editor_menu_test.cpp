// The effect-slot selectors and the preset menu, chosen through the editor's menus.
#include <atomic>
#include <chrono>
#include <thread>

#include "editor_fixture.h"
#include "instrument/editor/preset_selector.h"
#include "instrument/editor/slot_selectors.h"
#include "instrument/effect_panels.h"

namespace {

constexpr int kSlot1Selector = 152;
constexpr int kSlot2Selector = 153;
constexpr int kPresetMenu = 162;

class SelectorTest : public EditorTest {
 protected:
  const IPopupMenu& Menu(int idx) {
    return dynamic_cast<IPopupMenu_FXSlotSelector*>(Control(idx))->Menu();
  }
};

TEST_F(SelectorTest, EveryItemSetsItsChoiceShowsItsPanelAndLabelAndTellsNoHost) {
  const struct {
    int control;
    int param;
    int firstPanel;
    int panelCount;
    EditorLabel label;
    const char* (*text)(int);
  } slots[] = {
      {kSlot1Selector, EngineParam::FXSlot1Selector, EffectPanels::kSlot1FirstPanel,
       EffectPanels::kSlot1PanelCount, EditorLabel::kFxSlot1, EffectPanels::Slot1Label},
      {kSlot2Selector, EngineParam::FXSlot2Selector, EffectPanels::kSlot2FirstPanel,
       EffectPanels::kSlot2PanelCount, EditorLabel::kFxSlot2, EffectPanels::Slot2Label},
  };
  for (const auto& slot : slots) {
    const IPopupMenu& menu = Menu(slot.control);
    ASSERT_EQ(menu.NItems(), slot.panelCount + 1);
    // From the last item down, so that the first item is a change too.
    for (int k = menu.NItems() - 1; k >= 0; --k) {
      Choose(slot.control, &menu, k);
      EXPECT_EQ(Record(slot.param), k + 1);
      Tick();
      EXPECT_STREQ(LabelText(slot.label), slot.text(k + 1));
      for (int panel = slot.firstPanel; panel < slot.firstPanel + slot.panelCount; ++panel) {
        for (int c = 0; c < view->PanelControlCount(panel); ++c)
          EXPECT_EQ(Control(view->PanelControl(panel, c))->IsHidden(),
                    panel != slot.firstPanel + k - 1)
              << "panel " << panel << " control " << c;
      }
    }
  }
  EXPECT_EQ(synth->hostEdits.size(), 0u);
}

TEST_F(SelectorTest, DismissingChangesNothingButTheSelectorsLook) {
  Choose(kSlot1Selector, &Menu(kSlot1Selector), 3);
  DrawAll();
  Choose(kSlot1Selector, nullptr, 0);
  EXPECT_EQ(Record(EngineParam::FXSlot1Selector), 4.0);
  EXPECT_TRUE(SameRect(Tick(), Control(kSlot1Selector)->GetRect()));
  EXPECT_STREQ(LabelText(EditorLabel::kFxSlot1), "FX Slot 1 : Tube Dist");
}

TEST_F(SelectorTest, SelectorsAndThePresetMenuWriteUnderTheInstanceLock) {
  // While another thread holds the instance lock, a choice waits; it lands once the lock is
  // free.
  auto* presets = dynamic_cast<IPopupMenu_PresetSelector*>(Control(kPresetMenu));
  const struct {
    int control;
    const IPopupMenu* menu;
    int item;
    int param;
  } choices[] = {{kSlot1Selector, &Menu(kSlot1Selector), 2, EngineParam::FXSlot1Selector},
                 {kPresetMenu, &presets->Submenu(4), 19, EngineParam::PresetSelector}};
  for (const auto& choice : choices) {
    const double before = Record(choice.param);
    std::atomic<bool> chose{false};
    std::thread user;
    {
      MutexLock lock(synth->GetMutex());
      user = std::thread([&] {
        Choose(choice.control, choice.menu, choice.item);
        chose = true;
      });
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
      EXPECT_FALSE(chose) << choice.control;
      EXPECT_EQ(Record(choice.param), before) << choice.control;
    }
    user.join();
  }
  EXPECT_EQ(Record(EngineParam::FXSlot1Selector), 3.0);
  EXPECT_EQ(synth->CurrentPreset(), 127);
}

TEST_F(SelectorTest, PresetMenuGivesEachEntrysNumber) {
  auto* presets = dynamic_cast<IPopupMenu_PresetSelector*>(Control(kPresetMenu));
  const IPopupMenu& main = presets->MainMenu();
  ASSERT_EQ(main.NItems(), 11);
  int listed = 1;
  for (int k = 0; k < IPopupMenu_PresetSelector::kSubmenuCount; ++k) {
    const auto& category = IPopupMenu_PresetSelector::kCategories[k];
    const IPopupMenu& sub = presets->Submenu(k);
    EXPECT_EQ(category.firstPreset, listed + 1) << category.caption;  // no gaps, no overlaps
    listed += sub.NItems();
    for (int i : {0, sub.NItems() - 1}) {
      Choose(kPresetMenu, &sub, i);
      EXPECT_EQ(synth->CurrentPreset(), category.firstPreset + i) << category.caption;
      EXPECT_EQ(Record(EngineParam::PresetSelector), 0.0);
    }
  }
  EXPECT_EQ(listed, 219);
  EXPECT_EQ(synth->CurrentPreset(), 219);
  // "< Presets Library >" loads nothing: only the preset number goes back to 0.
  Choose(kPresetMenu, &main, 1);
  EXPECT_EQ(synth->CurrentPreset(), 1);
  Set(EngineParam::MainVolume, 0.3);
  Choose(kPresetMenu, &main, 0);
  EXPECT_EQ(synth->CurrentPreset(), 0);
  EXPECT_EQ(Record(EngineParam::MainVolume), 0.3);
  Choose(kPresetMenu, &presets->Submenu(4), 19);
  EXPECT_EQ(synth->CurrentPreset(), 127);
  Choose(kPresetMenu, nullptr, 0);
  EXPECT_EQ(synth->CurrentPreset(), 127);
  EXPECT_EQ(synth->hostEdits.size(), 0u);
}

}  // namespace
