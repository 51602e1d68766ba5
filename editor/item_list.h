// The item list as the editor logic sees it: the few list-view operations it
// performs, so that the window binding is one call per method.
#pragma once

#include <string>

namespace orlavix {

// Check boxes are state images: 1 is the empty box, 2 the ticked one.
constexpr int kUncheckedStateImage = 1;
constexpr int kCheckedStateImage = 2;

class ItemList {
 public:
  virtual ~ItemList() = default;

  virtual int GetItemCount() = 0;
  // The row's state image index (its state masked with 0xF000, shifted right by 12).
  virtual int GetStateImageIndex(int row) = 0;
  virtual void SetStateImageIndex(int row, int index) = 0;
  virtual void DeleteAllItems() = 0;

  // Columns, counted by the list's header.
  virtual int GetColumnCount() = 0;
  virtual void DeleteColumn(int column) = 0;
  // Inserts a left-aligned column.
  virtual void InsertColumn(int column, const std::string& title, int width) = 0;
  virtual void SetColumnWidth(int column, int width) = 0;
  // Width of a header item as it is drawn (its rectangle's right - left).
  virtual int GetColumnWidth(int column) = 0;
  virtual int GetStringWidth(const std::string& text) = 0;
  // Width of the list's window rectangle, border included.
  virtual int GetWidth() = 0;

  // Inserts a row with its first column's text and item data; returns its index.
  virtual int InsertItem(int row, const std::string& text, int itemData) = 0;
  virtual void SetItemText(int row, int column, const std::string& text) = 0;
  // The cell's whole text, however long.
  virtual std::string GetItemText(int row, int column) = 0;

  // Around putting many rows in at once: the window binding stops drawing
  // the list until the last one is in, so it appears whole instead of row
  // by row.
  virtual void BeginFill() {}
  virtual void EndFill() {}

  virtual void Show() = 0;
  virtual void Hide() = 0;
  virtual void Enable(bool enable) = 0;
  // Gives the list the keyboard focus.
  virtual void Focus() = 0;
  // The selected row, or -1 when none is.
  virtual int GetSelectedRow() = 0;
  // Selects and focuses the row, without scrolling.
  virtual void SelectRow(int row) = 0;
  // Selects and focuses the row and scrolls it into view.
  virtual void SelectAndReveal(int row) = 0;
};

}  // namespace orlavix
