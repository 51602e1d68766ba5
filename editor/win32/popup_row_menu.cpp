#include "editor/win32/popup_row_menu.h"

#include "platform/win32/guards.h"
#include "platform/win32/wide_text.h"
#include "support/mbtext.h"

namespace orlavix::win32 {

int PopupRowMenu::Choose(const std::vector<RowMenuEntry>& entries) {
  const UniqueMenu menu(CreatePopupMenu());
  if (!menu) return row_menu::None;
  for (const RowMenuEntry& entry : entries) {
    if (entry.id == 0 || !entry.text) {
      AppendMenuW(menu.Get(), MF_SEPARATOR, 0, nullptr);
    } else {
      AppendMenuW(menu.Get(), MF_STRING | (entry.enabled ? MF_ENABLED : MF_GRAYED), static_cast<UINT_PTR>(entry.id),
                  Wide(J(entry.text)).c_str());
    }
  }
  POINT cursor{};
  GetCursorPos(&cursor);
  return static_cast<int>(
      TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, owner_, nullptr));
}

}  // namespace orlavix::win32
