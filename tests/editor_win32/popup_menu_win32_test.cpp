// Popup menus as the system shows them: a press on the menu control opens the native menu, keys
// posted to it choose an item (the first one included) or dismiss it, and the choice comes back
// through the model as the (sub)menu and index.
#include <thread>

#include "editor_fixture.h"

using namespace EditorHarness;
using Edit = HarnessPlugin::Edit;

namespace {

// Waits on its own thread for the popup menu of this process, then posts the keys to it. A menu
// still open at the timeout is dismissed, so the test never hangs in it.
class MenuKeys {
 public:
  explicit MenuKeys(std::vector<WORD> keys)
      : worker([this, keys] {
          HWND menu = WaitForWindow(FindProcessPopupMenu);
          if (!menu) return;
          found = true;
          for (WORD key : keys) {
            PostMessageW(menu, WM_KEYDOWN, key, 0);
            PostMessageW(menu, WM_KEYUP, key, 0xC0000001);
          }
          // A menu the keys left open is dismissed.
          if (WaitForWindow([&] { return IsWindowVisible(menu) ? nullptr : menu; })) return;
          PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        }) {}
  ~MenuKeys() {
    if (worker.joinable()) worker.join();
  }
  bool Found() {
    if (worker.joinable()) worker.join();
    return found;
  }

 private:
  bool found = false;
  std::thread worker;
};

}  // namespace

class PopupMenu : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    ASSERT_NE(Open(), nullptr);
    menuControl = static_cast<MenuTestControl*>(gui->GetControl(TestEditor::kMenuControl));
  }
  // Presses the menu control, lets the keys choose, and waits until the press is over.
  bool ChooseWithKeys(std::vector<WORD> keys) {
    // A click elsewhere first: two presses on the control in a row would be a double-click.
    Click(window, 700, 450);
    SettleInput();
    const int shown = menuControl->menusShown;
    MenuKeys poster(std::move(keys));
    ClickOn(TestEditor::kMenuRect);
    const bool done = PumpUntil([&] {
      return menuControl->menusShown > shown &&
             plug->Count(Edit::kEnd, HarnessPlugin::kMenu) > shown;
    });
    SettleInput();
    return poster.Found() && done;
  }
  double MenuValue() { return plug->Value(HarnessPlugin::kMenu); }

  MenuTestControl* menuControl = nullptr;
};

TEST_F(PopupMenu, KeysChooseItemsOfTheMenuAndItsSubmenu) {
  ASSERT_TRUE(ChooseWithKeys({VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}));
  EXPECT_DOUBLE_EQ(MenuValue(), 2.0);
  // The first item has the smallest command: it must still count as a choice.
  ASSERT_TRUE(ChooseWithKeys({VK_DOWN, VK_RETURN}));
  EXPECT_DOUBLE_EQ(MenuValue(), 0.0);
  ASSERT_TRUE(ChooseWithKeys({VK_UP, VK_RIGHT, VK_DOWN, VK_RETURN}));
  EXPECT_DOUBLE_EQ(MenuValue(), 4.0);
  // Each choice reached the host inside the press's own gesture.
  EXPECT_EQ(plug->Count(Edit::kPerform, HarnessPlugin::kMenu), 3);
  EXPECT_TRUE(plug->GesturesBalanced());
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(PopupMenu, DismissingChangesNothingAndRepaintsTheEditor) {
  const int paints = gui->PaintCount();
  ASSERT_TRUE(ChooseWithKeys({VK_DOWN, VK_ESCAPE, VK_ESCAPE}));
  EXPECT_DOUBLE_EQ(MenuValue(), 0.0);
  EXPECT_EQ(plug->Count(Edit::kPerform, HarnessPlugin::kMenu), 0);
  EXPECT_TRUE(plug->GesturesBalanced());
  ASSERT_TRUE(WaitUntilDrawn());
  EXPECT_GT(gui->PaintCount(), paints);
  EXPECT_EQ(ScreenDifferences(), 0);
}

TEST_F(PopupMenu, TheNativeMenuShowsTheModelsLabelsAndFlags) {
  IPopupMenu sub;
  sub.AppendText("Deep");
  IPopupMenu menu(2);
  menu.AppendText("Plain");
  menu.AppendSeparator();
  menu.AppendItem(new IPopupMenuItem("Grey", IPopupMenuItem::kGrayed | IPopupMenuItem::kChecked));
  menu.AppendSubmenu("Sub", &sub);
  HMENU seen = nullptr;
  std::wstring labels;
  UINT greyState = 0;
  std::thread inspector([&] {
    HWND popup = WaitForWindow(FindProcessPopupMenu);
    if (!popup) return;
    seen = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
    for (int i = 0; seen && i < GetMenuItemCount(seen); ++i) {
      wchar_t text[64] = {};
      GetMenuStringW(seen, i, text, 64, MF_BYPOSITION);
      labels += std::wstring(text) + L"|";
    }
    if (seen) greyState = GetMenuState(seen, 2, MF_BYPOSITION);
    PostMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 0);
  });
  IRectangle at = {10, 10, 50, 30};
  EXPECT_EQ(gui->ShowPopupMenu(&menu, &at), nullptr);
  inspector.join();
  ASSERT_NE(seen, nullptr);
  EXPECT_EQ(labels, L"01: Plain||03: Grey|04: Sub|");
  EXPECT_NE(greyState & MF_GRAYED, 0u);
  EXPECT_NE(greyState & MF_CHECKED, 0u);
  EXPECT_EQ(menu.GetChosenIndex(), -1);
}
