// The item list's row menu: its entries and the choice the person makes.
#pragma once

#include <vector>

namespace orlavix {

// The entries' ids; None (0) when the menu was dismissed.
namespace row_menu {
enum Id : int { None, Edit, Check, Uncheck, Copy, AppendCopy, Undo, Redo };
}  // namespace row_menu

struct RowMenuEntry {
  int id;            // 0 for the separator
  const char* text;  // UTF-8; null for the separator
  bool enabled = true;
};

// The menu of a row, top to bottom: the tick entry offers the opposite of
// the row's box; undo and redo are greyed when there is nothing to take back
// or to do again.
std::vector<RowMenuEntry> RowMenuEntries(bool rowChecked, bool canUndo, bool canRedo);

class RowMenu {
 public:
  virtual ~RowMenu() = default;
  // Shows the entries at the mouse cursor and returns the chosen id, or None.
  virtual int Choose(const std::vector<RowMenuEntry>& entries) = 0;
};

}  // namespace orlavix
