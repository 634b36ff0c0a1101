// Popup menus as the system shows them: a press on the menu control opens the native menu, keys
// posted to it choose an item (the first one included) or dismiss it, and the choice comes back
// through the model as the (sub)menu and index.
#include "editor_fixture.h"

namespace {

// On a helper thread: waits for this process's popup menu and posts keys to it (Escape follows
// when the keys leave it open). Never leaves the test hanging in a menu.
void DriveMenu(std::vector<WORD> keys) {
  HWND menu = WaitForWindow(FindProcessPopupMenu);
  if (!menu) return;
  for (WORD key : keys) {
    PostMessageW(menu, WM_KEYDOWN, key, 0);
    PostMessageW(menu, WM_KEYUP, key, 0xC0000001);
  }
  if (!WaitForWindow([&] { return IsWindowVisible(menu) ? nullptr : menu; }))
    PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
}

}  // namespace

class PopupMenu : public EditorTest {
 protected:
  // Presses the menu control, lets the keys choose and waits until the press is over.
  void ChooseWithKeys(std::vector<WORD> keys) {
    Click(window, 700, 450);  // two presses on the control in a row would be a double-click
    SettleInput();
    auto* control = static_cast<MenuTestControl*>(gui->GetControl(TestEditor::kMenuControl));
    const int shown = control->menusShown;
    std::thread driver(DriveMenu, std::move(keys));
    ClickOn(TestEditor::kMenuRect);
    EXPECT_TRUE(PumpUntil([&] {
      return control->menusShown > shown && Count(Edit::kEnd, HarnessPlugin::kMenu) > shown;
    }));
    driver.join();
    SettleInput();
  }
};

TEST_F(PopupMenu, KeysChooseItemsOfTheMenuAndItsSubmenuOrDismissIt) {
  ASSERT_NE(Open(), nullptr);
  const struct {
    std::vector<WORD> keys;
    double value;
  } choices[] = {
      {{VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}, 2.0},
      {{VK_DOWN, VK_RETURN}, 0.0},  // the first item, with the smallest command
      {{VK_UP, VK_RIGHT, VK_DOWN, VK_RETURN}, 4.0},
      {{VK_DOWN, VK_ESCAPE, VK_ESCAPE}, 4.0},  // dismissed: nothing changes
  };
  for (const auto& choice : choices) {
    ChooseWithKeys(choice.keys);
    EXPECT_DOUBLE_EQ(plug->Value(HarnessPlugin::kMenu), choice.value);
  }
  // Each choice reached the host inside its press's own gesture.
  EXPECT_EQ(Count(Edit::kPerform, HarnessPlugin::kMenu), 3);
  EXPECT_TRUE(plug->GesturesBalanced());
  EXPECT_EQ(GetCapture(), nullptr);
  // The menu covered the editor: it is painted again.
  ASSERT_TRUE(WaitUntilDrawn());
  EXPECT_EQ(ScreenDifferences(), 0);
}
