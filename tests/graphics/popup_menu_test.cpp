#include <gtest/gtest.h>

#include <string>

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
  const int firstIds[] = {top.FirstId(), first.FirstId(), nested.FirstId(), second.FirstId()};
  EXPECT_EQ(std::string(firstIds, firstIds + 4), std::string({0, 3, 5, 6}));
  // The first item of every menu can be chosen: no command is the platform's "nothing" 0.
  struct Row {
    IPopupMenu* menu;
    int item;
  };
  for (Row row :
       {Row{&top, 0}, Row{&first, 0}, Row{&nested, 0}, Row{&second, 0}, Row{&second, 1}}) {
    const int command = row.menu->NativeCommandOf(row.item);
    EXPECT_GT(command, 0);
    EXPECT_EQ(top.ChooseByNativeCommand(command), row.menu) << command;
    EXPECT_EQ(row.menu->GetChosenIndex(), row.item);
  }
  EXPECT_TRUE(second.GetItem(1)->IsChecked());
  // Dismissed, unknown, grayed or a submenu's own entry: nothing, chosen indexes unchanged.
  for (int command : {0, -3, 10, 99, second.NativeCommandOf(2), top.NativeCommandOf(1)})
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
