#include "support/win32/list_view.h"

#include <algorithm>
#include <vector>

namespace orlavix::win32 {

int ListView::InsertItem(int row, const std::string& text, LPARAM data) {
  LVITEMA item{};
  item.mask = LVIF_TEXT | LVIF_PARAM;
  item.iItem = row;
  item.pszText = const_cast<char*>(text.c_str());
  item.lParam = data;
  return static_cast<int>(SendMessageA(list_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

void ListView::SetItemText(int row, int column, const std::string& text) {
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = const_cast<char*>(text.c_str());
  SendMessageA(list_, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
}

std::string ListView::ItemText(int row, int column) const {
  // The list says how much it copied, not how long the text is: read again
  // with a larger buffer while the buffer came back full.
  for (std::size_t size = 256;; size *= 2) {
    std::vector<char> buffer(size, '\0');
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(size);
    const auto length =
        static_cast<std::size_t>(SendMessageA(list_, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item)));
    if (length < size - 1 || size >= (1u << 24)) return std::string(buffer.data(), std::min(length, size - 1));
  }
}

LPARAM ListView::ItemData(int row) const {
  LVITEMA item{};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  return SendMessageA(list_, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) ? item.lParam : -1;
}

void ListView::InsertColumn(int column, const std::string& title, int width) {
  LVCOLUMNA col{};
  col.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  col.fmt = LVCFMT_LEFT;
  col.cx = width;
  col.pszText = const_cast<char*>(title.c_str());
  col.iSubItem = column;
  SendMessageA(list_, LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&col));
}

int ListView::HeaderItemWidth(int column) const {
  RECT r{};
  if (!Header_GetItemRect(ListView_GetHeader(list_), column, &r)) return 0;
  return r.right - r.left;
}

std::string ListView::ColumnTitle(int column) const {
  char title[256] = "";
  LVCOLUMNA col{};
  col.mask = LVCF_TEXT;
  col.pszText = title;
  col.cchTextMax = sizeof title;
  SendMessageA(list_, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&col));
  return title;
}

int ListView::WindowWidth() const {
  RECT r{};
  GetWindowRect(list_, &r);
  return r.right - r.left;
}

void ListView::SelectAndReveal(int row) {
  SelectRow(row);
  ListView_EnsureVisible(list_, row, FALSE);
}

}  // namespace orlavix::win32
