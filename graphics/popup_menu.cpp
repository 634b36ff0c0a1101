#include "graphics/popup_menu.h"

#include <cstdio>
#include <new>

IPopupMenuItem::IPopupMenuItem(const char* label, int itemFlags, IPopupMenu* sub)
    : text(label), submenu(sub), flags(itemFlags) {}

IPopupMenu::IPopupMenu(int numberingStyle) : numbering(numberingStyle) {}

IPopupMenu::~IPopupMenu() = default;

IPopupMenuItem* IPopupMenu::AppendItem(IPopupMenuItem* item) {
  if (!item) return nullptr;
  if (!items.Add(item)) {
    delete item;
    return nullptr;
  }
  return item;
}

IPopupMenuItem* IPopupMenu::AppendText(const char* text) {
  return AppendItem(new (std::nothrow) IPopupMenuItem(text));
}

IPopupMenuItem* IPopupMenu::AppendSubmenu(const char* text, IPopupMenu* submenu) {
  return AppendItem(new (std::nothrow) IPopupMenuItem(text, 0, submenu));
}

IPopupMenuItem* IPopupMenu::AppendSeparator() {
  return AppendItem(new (std::nothrow) IPopupMenuItem("", IPopupMenuItem::kSeparator));
}

void IPopupMenu::ItemLabel(int k, char* out, int size) const {
  if (!out || size <= 0) return;
  const IPopupMenuItem* item = GetItem(k);
  const char* text = item ? item->GetText() : "";
  if (!item || numbering < 1 || numbering > 3) {
    std::snprintf(out, static_cast<size_t>(size), "%s", text);
    return;
  }
  static const char* const kFormats[] = {"%1d: %s", "%02d: %s", "%03d: %s"};
  std::snprintf(out, static_cast<size_t>(size), kFormats[numbering - 1], k + 1, text);
}

int IPopupMenu::AssignIds() {
  return AssignIdsFrom(0, 0);
}

int IPopupMenu::AssignIdsFrom(int next, int depth) {
  firstId = next;
  next += NItems();
  if (depth >= kMaxDepth) return next;
  for (int k = 0; k < NItems(); ++k) {
    IPopupMenu* submenu = GetItem(k)->GetSubmenu();
    if (submenu) next = submenu->AssignIdsFrom(next, depth + 1);
  }
  return next;
}

IPopupMenu* IPopupMenu::MenuHoldingId(int id, int depth) {
  if (firstId >= 0 && id >= firstId && id < firstId + NItems()) return this;
  if (depth >= kMaxDepth) return nullptr;
  for (int k = 0; k < NItems(); ++k) {
    IPopupMenu* submenu = GetItem(k)->GetSubmenu();
    if (!submenu) continue;
    if (IPopupMenu* found = submenu->MenuHoldingId(id, depth + 1)) return found;
  }
  return nullptr;
}

IPopupMenu* IPopupMenu::ChooseByNativeCommand(int command) {
  if (command <= 0) return nullptr;
  const int id = command - 1;
  IPopupMenu* menu = MenuHoldingId(id, 0);
  if (!menu) return nullptr;
  const int k = id - menu->firstId;
  const IPopupMenuItem* item = menu->GetItem(k);
  if (!item || item->IsSeparator() || !item->IsEnabled() || item->GetSubmenu()) return nullptr;
  menu->chosenIndex = k;
  return menu;
}
