#pragma once

#include "framework/heap_string.h"
#include "framework/ptr_list.h"

class IPopupMenu;

// One entry of a popup menu: a text, flags and, for an entry that opens a submenu, that submenu
// (not owned: its creator keeps it).
class IPopupMenuItem {
 public:
  enum Flags : int { kGrayed = 1, kDisabled = 2, kChecked = 4, kSeparator = 8 };

  // A plain item. Window thread; allocates.
  IPopupMenuItem(const char* text, int flags = 0, IPopupMenu* submenu = nullptr);

  const char* GetText() const { return text.Get(); }
  int GetFlags() const { return flags; }
  IPopupMenu* GetSubmenu() const { return submenu; }
  bool IsSeparator() const { return (flags & kSeparator) != 0; }
  bool IsChecked() const { return (flags & kChecked) != 0; }
  // Grayed and disabled items cannot be chosen.
  bool IsEnabled() const { return (flags & (kGrayed | kDisabled)) == 0; }
  void SetChecked(bool checked) { flags = checked ? (flags | kChecked) : (flags & ~kChecked); }

 private:
  HeapString text;
  IPopupMenu* submenu;
  int flags;
};

// A menu model that controls fill and hand to IGraphics::ShowPopupMenu. It owns its items but
// not their submenus. Window thread throughout.
//
// Command ids: one counter runs over the whole tree from 0. A menu takes the next block of as
// many ids as it has items (separators and submenu items included); then its submenus are
// numbered in item order, each with its whole subtree, before the next sibling. The platform's
// menu command of an item is its id + 1, so that no item has the platform's "nothing chosen" 0.
class IPopupMenu {
 public:
  static constexpr int kMaxDepth = 16;    // deeper submenus (or a menu holding itself) are cut
  static constexpr int kLabelSize = 320;  // bytes of an item label, the NUL included

  // Numbering: 0 none; 1, 2, 3 put the item's 1-based position in front as "%1d: ", "%02d: ",
  // "%03d: ". Allocates nothing.
  explicit IPopupMenu(int numbering = 0);
  // Deletes every item; submenus stay alive.
  ~IPopupMenu();

  IPopupMenu(const IPopupMenu&) = delete;
  IPopupMenu& operator=(const IPopupMenu&) = delete;

  // Appends an item; the menu owns it. Returns the item, or null (the item deleted) when the
  // list cannot grow. Allocates.
  IPopupMenuItem* AppendItem(IPopupMenuItem* item);
  IPopupMenuItem* AppendText(const char* text);
  IPopupMenuItem* AppendSubmenu(const char* text, IPopupMenu* submenu);
  IPopupMenuItem* AppendSeparator();

  int NItems() const { return items.GetCount(); }
  IPopupMenuItem* GetItem(int k) const { return items.Get(k); }
  int GetNumbering() const { return numbering; }
  int GetChosenIndex() const { return chosenIndex; }
  void SetChosenIndex(int k) { chosenIndex = k; }

  // Writes item k's label (the text with the numbering prefix) into out; "" for an index
  // outside the menu. Allocates nothing.
  void ItemLabel(int k, char* out, int size) const;

  // Numbers the tree from this menu (see above) and returns the number of ids taken.
  // Allocates nothing.
  int AssignIds();
  // First id of this menu's block after AssignIds (-1 before).
  int FirstId() const { return firstId; }

  // The platform command of item k, after AssignIds. Allocates nothing.
  int NativeCommandOf(int k) const { return firstId + k + 1; }
  // Maps a platform command back: the menu of the tree whose block holds command - 1, with its
  // chosen index set to the item's position. Null for 0 (nothing chosen), for a command that no
  // block holds and for a separator or an item that cannot be chosen; chosen indexes are then
  // left as they were. Call AssignIds first. Allocates nothing.
  IPopupMenu* ChooseByNativeCommand(int command);

 private:
  int AssignIdsFrom(int next, int depth);
  IPopupMenu* MenuHoldingId(int id, int depth);

  int numbering;
  int chosenIndex = -1;
  int firstId = -1;
  PtrList<IPopupMenuItem> items;
};
