#include <gtest/gtest.h>

#include <vector>

#include "graphics/popup_menu.h"

namespace {

TEST(PopupMenu, NumberingCountsEveryItemSeparatorsIncluded) {
  const char* const expected[][2] = {
      {"A", "B"}, {"1: A", "3: B"}, {"01: A", "03: B"}, {"001: A", "003: B"}};
  for (int style = 0; style < 4; ++style) {
    IPopupMenu menu(style);
    menu.AppendText("A");
    menu.AppendSeparator();
    menu.AppendText("B");
    char label[IPopupMenu::kLabelSize];
    for (int k : {0, 2, 3}) {
      menu.ItemLabel(k, label, sizeof(label));
      EXPECT_STREQ(label, k == 3 ? "" : expected[style][k / 2]);
    }
    EXPECT_TRUE(menu.GetItem(1)->IsSeparator());
  }
}

TEST(PopupMenu, IdsRunDepthFirstAndEveryChoosableItemMapsBack) {
  IPopupMenu top, first, nested, second;
  top.AppendText("a");
  top.AppendSubmenu("S1", &first);
  top.AppendSubmenu("S2", &second);
  first.AppendText("x");
  first.AppendSubmenu("T", &nested);
  nested.AppendText("t");
  second.AppendText("y");
  second.AppendItem(new IPopupMenuItem("checked", IPopupMenuItem::kChecked));
  second.AppendItem(new IPopupMenuItem("grayed", IPopupMenuItem::kGrayed));
  EXPECT_EQ(top.AssignIds(), 9);
  EXPECT_EQ((std::vector<int>{top.FirstId(), first.FirstId(), nested.FirstId(), second.FirstId()}),
            (std::vector<int>{0, 3, 5, 6}));
  // The platform's command is the id + 1, so the first item of every menu can be chosen.
  struct Row {
    IPopupMenu* menu;
    int item, command;
  };
  for (Row row : {Row{&top, 0, 1}, Row{&first, 0, 4}, Row{&nested, 0, 6}, Row{&second, 0, 7},
                  Row{&second, 1, 8}}) {
    EXPECT_EQ(row.menu->NativeCommandOf(row.item), row.command);
    EXPECT_EQ(top.ChooseByNativeCommand(row.command), row.menu) << row.command;
    EXPECT_EQ(row.menu->GetChosenIndex(), row.item);
  }
  EXPECT_TRUE(second.GetItem(1)->IsChecked());
  // Dismissed, unknown, grayed or a submenu's own entry: nothing, chosen indexes unchanged.
  for (int command : {0, -3, 10, 99, 9, 2})
    EXPECT_EQ(top.ChooseByNativeCommand(command), nullptr) << command;
  EXPECT_EQ(second.GetChosenIndex(), 1);
}

TEST(PopupMenu, AMenuHoldingItselfIsNumberedToAFixedDepthAndSubmenusOutliveTheirParent) {
  IPopupMenu loop;
  loop.AppendText("x");
  loop.AppendSubmenu("again", &loop);
  EXPECT_GT(loop.AssignIds(), 0);
  EXPECT_EQ(loop.ChooseByNativeCommand(1000), nullptr);
  {
    IPopupMenu top;
    top.AppendSubmenu("sub", &loop);
  }
  EXPECT_STREQ(loop.GetItem(0)->GetText(), "x");
}

}  // namespace
