#include "support/win32/list_view.h"

#include "platform/win32/wide_text.h"

namespace orlavix::win32 {

int ListView::InsertItem(int row, const std::string& text, LPARAM data) {
  std::wstring wide = Wide(text);
  LVITEMW item{};
  item.mask = LVIF_TEXT | LVIF_PARAM;
  item.iItem = row;
  item.pszText = wide.data();
  item.lParam = data;
  return static_cast<int>(SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

void ListView::SetItemText(int row, int column, const std::string& text) {
  std::wstring wide = Wide(text);
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = wide.data();
  SendMessageW(list_, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
}

std::string ListView::ItemText(int row, int column) const {
  // The list says how much it copied, not how long the text is: read again
  // with a larger buffer while the buffer came back full.
  for (std::size_t size = 256;; size *= 2) {
    std::wstring buffer(size, L'\0');
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(size);
    const auto length =
        static_cast<std::size_t>(SendMessageW(list_, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item)));
    if (length < size - 1 || size >= (1u << 24)) {
      buffer.resize(length < size - 1 ? length : size - 1);
      return Narrow(buffer).text;
    }
  }
}

LPARAM ListView::ItemData(int row) const {
  LVITEMW item{};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  return SendMessageW(list_, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)) ? item.lParam : -1;
}

void ListView::InsertColumn(int column, const std::string& title, int width) {
  std::wstring wide = Wide(title);
  LVCOLUMNW col{};
  col.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  col.fmt = LVCFMT_LEFT;
  col.cx = width;
  col.pszText = wide.data();
  col.iSubItem = column;
  SendMessageW(list_, LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&col));
}

int ListView::HeaderItemWidth(int column) const {
  RECT r{};
  if (!Header_GetItemRect(ListView_GetHeader(list_), column, &r)) return 0;
  return r.right - r.left;
}

std::string ListView::ColumnTitle(int column) const {
  wchar_t title[256] = L"";
  LVCOLUMNW col{};
  col.mask = LVCF_TEXT;
  col.pszText = title;
  col.cchTextMax = sizeof title / sizeof title[0];
  SendMessageW(list_, LVM_GETCOLUMNW, column, reinterpret_cast<LPARAM>(&col));
  return Narrow(title).text;
}

int ListView::StringWidth(const std::string& text) const {
  return static_cast<int>(SendMessageW(list_, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(Wide(text).c_str())));
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
