// The effect-slot selectors and the preset menu, chosen through the editor's menus.
#include <atomic>
#include <chrono>
#include <thread>

#include "editor_fixture.h"
#include "instrument/editor/preset_selector.h"
#include "instrument/editor/slot_selectors.h"
#include "instrument/effect_panels.h"
#include "instrument/preset_library.h"

namespace {

constexpr int kSlot1Selector = 152;
constexpr int kSlot2Selector = 153;
constexpr int kPresetMenu = 162;

class SelectorTest : public EditorTest {
 protected:
  const IPopupMenu_FXSlotSelector* Selector(int idx) {
    return dynamic_cast<IPopupMenu_FXSlotSelector*>(Control(idx));
  }
  // Visibility of every control of each panel, after the next tick.
  void ExpectVisiblePanels(int firstPanel, int panelCount, int visiblePanel) {
    Tick();
    for (int panel = firstPanel; panel < firstPanel + panelCount; ++panel) {
      for (int k = 0; k < view->PanelControlCount(panel); ++k) {
        EXPECT_EQ(Control(view->PanelControl(panel, k))->IsHidden(), panel != visiblePanel)
            << "panel " << panel << " control " << k;
      }
    }
  }
};

TEST_F(SelectorTest, EveryItemSetsItsChoiceShowsItsPanelAndLabelAndTellsNoHost) {
  struct Slot {
    int control;
    int param;
    int firstPanel;
    int panelCount;
    EditorLabel label;
    const char* (*text)(int);
  };
  const Slot slots[] = {
      {kSlot1Selector, EngineParam::FXSlot1Selector, EffectPanels::kSlot1FirstPanel,
       EffectPanels::kSlot1PanelCount, EditorLabel::kFxSlot1, EffectPanels::Slot1Label},
      {kSlot2Selector, EngineParam::FXSlot2Selector, EffectPanels::kSlot2FirstPanel,
       EffectPanels::kSlot2PanelCount, EditorLabel::kFxSlot2, EffectPanels::Slot2Label},
  };
  for (const Slot& slot : slots) {
    const IPopupMenu& menu = Selector(slot.control)->Menu();
    ASSERT_EQ(menu.NItems(), slot.panelCount + 1);
    EXPECT_EQ(menu.GetNumbering(), 0);
    // From the last item down, so that the first item is a change too.
    for (int k = menu.NItems() - 1; k >= 0; --k) {
      EXPECT_STREQ(menu.GetItem(k)->GetText(), slot.text(k + 1));
      AnswerMenu(&menu, k);
      Click(slot.control);
      EXPECT_EQ(Record(slot.param), k + 1);
      ExpectVisiblePanels(slot.firstPanel, slot.panelCount, slot.firstPanel + k - 1);
      EXPECT_STREQ(LabelText(slot.label), slot.text(k + 1));
    }
  }
  EXPECT_EQ(HostEditCount(), 0);
  EXPECT_EQ(gui->menusShown, 7 + 3);
  EXPECT_EQ(gui->lastMenuRect.left, Control(kSlot2Selector)->GetRect().left);
}

TEST_F(SelectorTest, AnyButtonOpensTheMenuAndDismissingChangesNothingButTheSelectorsLook) {
  AnswerMenu(&Selector(kSlot1Selector)->Menu(), 3);
  Click(kSlot1Selector);
  DrawAll();
  AnswerMenu(nullptr, 0);
  Click(kSlot1Selector);
  EXPECT_EQ(Record(EngineParam::FXSlot1Selector), 4.0);
  EXPECT_TRUE(Control(kSlot1Selector)->IsDirty());
  const IRectangle dirty = Tick();
  EXPECT_EQ(dirty.left, Control(kSlot1Selector)->GetRect().left);
  EXPECT_EQ(dirty.right, Control(kSlot1Selector)->GetRect().right);
  EXPECT_STREQ(LabelText(EditorLabel::kFxSlot1), "FX Slot 1 : Tube Dist");

  AnswerMenu(&Selector(kSlot2Selector)->Menu(), 2);
  const IRectangle& r = Control(kSlot2Selector)->GetRect();
  IMouseKeys right{false, true, false, false, false};
  gui->OnMouseDown(CentreX(r), CentreY(r), &right);
  gui->OnMouseUp(CentreX(r), CentreY(r), &right);
  EXPECT_EQ(Record(EngineParam::FXSlot2Selector), 3.0);
}

TEST_F(SelectorTest, WritesTheChoiceUnderTheInstanceLock) {
  // While another thread holds the instance lock, a choice waits; it lands once the lock is
  // free.
  AnswerMenu(&Selector(kSlot1Selector)->Menu(), 2);
  std::atomic<bool> chose{false};
  std::thread user;
  {
    MutexLock lock(synth->GetMutex());
    user = std::thread([&] {
      Click(kSlot1Selector);
      chose = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(chose);
    EXPECT_EQ(Record(EngineParam::FXSlot1Selector), 1.0);
  }
  user.join();
  EXPECT_EQ(Record(EngineParam::FXSlot1Selector), 3.0);
}

TEST_F(SelectorTest, PresetMenuNamesTheLibraryAndGivesEachEntrysNumber) {
  auto* presets = dynamic_cast<IPopupMenu_PresetSelector*>(Control(kPresetMenu));
  ASSERT_NE(presets, nullptr);
  const IPopupMenu& main = presets->MainMenu();
  ASSERT_EQ(main.NItems(), 11);
  EXPECT_STREQ(main.GetItem(0)->GetText(), "< Presets Library >");
  EXPECT_STREQ(main.GetItem(1)->GetText(), "WLCM - Fashionably Late (MW)");
  int listed = 1;
  for (int k = 0; k < IPopupMenu_PresetSelector::kSubmenuCount; ++k) {
    const auto& category = IPopupMenu_PresetSelector::kCategories[k];
    const IPopupMenu& sub = presets->Submenu(k);
    EXPECT_STREQ(main.GetItem(2 + k)->GetText(), category.caption);
    EXPECT_EQ(main.GetItem(2 + k)->GetSubmenu(), &sub);
    EXPECT_EQ(sub.GetNumbering(), 0);
    ASSERT_EQ(sub.NItems(), category.count);
    for (int i = 0; i < sub.NItems(); ++i)
      EXPECT_STREQ(sub.GetItem(i)->GetText(), PresetLibrary::PresetName(category.firstPreset + i));
    listed += sub.NItems();
    for (int i : {0, sub.NItems() - 1}) {
      AnswerMenu(&sub, i);
      Click(kPresetMenu);
      EXPECT_EQ(synth->CurrentPreset(), category.firstPreset + i) << category.caption;
      EXPECT_EQ(Record(EngineParam::PresetSelector), 0.0);
    }
  }
  EXPECT_EQ(listed, PresetLibrary::kLastPreset);
  EXPECT_EQ(synth->CurrentPreset(), 219);
  for (int i : {1, 0}) {
    AnswerMenu(&main, i);
    Click(kPresetMenu);
    EXPECT_EQ(synth->CurrentPreset(), i);
  }
  AnswerMenu(&presets->Submenu(4), 19);
  Click(kPresetMenu);
  EXPECT_EQ(synth->CurrentPreset(), 127);
  AnswerMenu(nullptr, 0);
  Click(kPresetMenu);
  EXPECT_EQ(synth->CurrentPreset(), 127);
  EXPECT_EQ(HostEditCount(), 0);
}

}  // namespace
