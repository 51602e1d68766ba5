// A thin typed wrapper over a report-view list control: rows, cells, state
// images and columns, each one or two list-view messages. Texts are in the
// working code page; the list gets and gives them as UTF-16.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

namespace orlavix::win32 {

class ListView {
 public:
  ListView() = default;
  explicit ListView(HWND list) : list_(list) {}
  void Attach(HWND list) { list_ = list; }
  HWND Window() const { return list_; }

  int ItemCount() const { return static_cast<int>(ListView_GetItemCount(list_)); }
  // The row's state image index: 1 an empty check box, 2 a ticked one, 0 none.
  int StateImageIndex(int row) const {
    return static_cast<int>((ListView_GetItemState(list_, row, LVIS_STATEIMAGEMASK) & LVIS_STATEIMAGEMASK) >> 12);
  }
  void SetStateImageIndex(int row, int index) {
    ListView_SetItemState(list_, row, INDEXTOSTATEIMAGEMASK(index), LVIS_STATEIMAGEMASK);
  }
  void DeleteAllItems() { ListView_DeleteAllItems(list_); }
  int InsertItem(int row, const std::string& text, LPARAM data);
  void SetItemText(int row, int column, const std::string& text);
  // The cell's text however long it is.
  std::string ItemText(int row, int column) const;
  LPARAM ItemData(int row) const;

  // Columns, as many as the header holds.
  int ColumnCount() const { return Header_GetItemCount(ListView_GetHeader(list_)); }
  void InsertColumn(int column, const std::string& title, int width);
  void DeleteColumn(int column) { ListView_DeleteColumn(list_, column); }
  void SetColumnWidth(int column, int width) {
    SendMessageW(list_, LVM_SETCOLUMNWIDTH, column, MAKELPARAM(static_cast<WORD>(width), 0));
  }
  // The header item's drawn width (its rectangle's right - left).
  int HeaderItemWidth(int column) const;
  std::string ColumnTitle(int column) const;
  int StringWidth(const std::string& text) const;
  // Width of the window rectangle, border included.
  int WindowWidth() const;

  // Stops drawing while many rows go in; resumed, the list is drawn anew.
  void SetRedraw(bool on) {
    SendMessageW(list_, WM_SETREDRAW, on ? TRUE : FALSE, 0);
    if (on) InvalidateRect(list_, nullptr, TRUE);
  }

  DWORD ExtendedStyle() const { return ListView_GetExtendedListViewStyle(list_); }
  // Sets the extended styles to exactly `style`.
  void SetExtendedStyle(DWORD style) { ListView_SetExtendedListViewStyleEx(list_, ~DWORD{0}, style); }
  // Adds `style` to the extended styles the list has.
  void AddExtendedStyle(DWORD style) { ListView_SetExtendedListViewStyleEx(list_, style, style); }

  // -1 when no row is selected.
  int SelectedRow() const { return ListView_GetNextItem(list_, -1, LVNI_SELECTED); }
  // Selects and focuses the row, without scrolling.
  void SelectRow(int row) {
    ListView_SetItemState(list_, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  }
  // Selects and focuses the row and scrolls it into view.
  void SelectAndReveal(int row);

 private:
  HWND list_ = nullptr;
};

}  // namespace orlavix::win32
