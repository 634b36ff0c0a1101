#include <string>

#include "graphics/popup_menu.h"

#include <gtest/gtest.h>

namespace {

std::string Label(const IPopupMenu& menu, int k) {
  char out[IPopupMenu::kLabelSize];
  menu.ItemLabel(k, out, sizeof(out));
  return out;
}

TEST(PopupMenu, NumberingCountsEveryItemSeparatorsIncluded) {
  for (int style : {0, 1, 2, 3}) {
    IPopupMenu menu(style);
    menu.AppendText("A");
    menu.AppendSeparator();
    menu.AppendText("B");
    const char* const expectedA[] = {"A", "1: A", "01: A", "001: A"};
    const char* const expectedB[] = {"B", "3: B", "03: B", "003: B"};
    EXPECT_EQ(Label(menu, 0), expectedA[style]);
    EXPECT_TRUE(menu.GetItem(1)->IsSeparator());
    EXPECT_EQ(Label(menu, 2), expectedB[style]);
    EXPECT_EQ(Label(menu, 3), "");
  }
}

TEST(PopupMenu, IdsRunThroughTheTreeDepthFirstAndMapBackFromPlatformCommands) {
  IPopupMenu top;
  IPopupMenu first;
  IPopupMenu nested;
  IPopupMenu second;
  top.AppendText("a");
  top.AppendSubmenu("S1", &first);
  top.AppendSubmenu("S2", &second);
  first.AppendText("x");
  first.AppendSubmenu("T", &nested);
  nested.AppendText("t");
  second.AppendText("y");
  second.AppendText("z");
  EXPECT_EQ(top.AssignIds(), 8);
  EXPECT_EQ(top.FirstId(), 0);
  EXPECT_EQ(first.FirstId(), 3);
  EXPECT_EQ(nested.FirstId(), 5);
  EXPECT_EQ(second.FirstId(), 6);
  // The first item of every menu can be chosen: no command is the platform's "nothing" 0.
  struct Row {
    IPopupMenu* menu;
    int item;
  };
  for (const Row& row :
       {Row{&top, 0}, Row{&first, 0}, Row{&nested, 0}, Row{&second, 0}, Row{&second, 1}}) {
    const int command = row.menu->NativeCommandOf(row.item);
    EXPECT_GT(command, 0);
    EXPECT_EQ(top.ChooseByNativeCommand(command), row.menu) << command;
    EXPECT_EQ(row.menu->GetChosenIndex(), row.item);
  }
}

TEST(PopupMenu, TheExampleTreeAndWhatCannotBeChosen) {
  IPopupMenu top;
  IPopupMenu sub;
  top.AppendText("one");
  top.AppendSubmenu("more", &sub);
  sub.AppendText("s0");
  sub.AppendItem(new IPopupMenuItem("s1", IPopupMenuItem::kChecked));
  sub.AppendItem(new IPopupMenuItem("s2", IPopupMenuItem::kGrayed));
  top.AssignIds();
  EXPECT_EQ(sub.FirstId(), 2);  // ids 0, 1 in the top menu; 2, 3, 4 in the submenu
  EXPECT_EQ(top.ChooseByNativeCommand(4), &sub);
  EXPECT_EQ(sub.GetChosenIndex(), 1);
  EXPECT_TRUE(sub.GetItem(1)->IsChecked());
  // Dismissed, unknown, grayed or a submenu's own entry: nothing, chosen indexes unchanged.
  for (int command : {0, -3, 6, 99, 5, 2})
    EXPECT_EQ(top.ChooseByNativeCommand(command), nullptr);
  EXPECT_EQ(sub.GetChosenIndex(), 1);
  EXPECT_EQ(top.GetChosenIndex(), -1);
}

TEST(PopupMenu, AMenuHoldingItselfIsNumberedToAFixedDepth) {
  IPopupMenu loop;
  loop.AppendText("x");
  loop.AppendSubmenu("again", &loop);
  EXPECT_GT(loop.AssignIds(), 0);
  EXPECT_EQ(loop.ChooseByNativeCommand(1000), nullptr);
}

TEST(PopupMenu, DeletingAMenuLeavesItsSubmenusAlive) {
  IPopupMenu sub;
  sub.AppendText("kept");
  {
    IPopupMenu top;
    top.AppendSubmenu("sub", &sub);
  }
  EXPECT_STREQ(sub.GetItem(0)->GetText(), "kept");
}

}  // namespace
