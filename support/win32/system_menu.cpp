#include "support/win32/system_menu.h"

#include "platform/win32/wide_text.h"
#include "support/win32/nt_platform.h"
#include "support/win32/private_messages.h"

namespace orlavix::win32 {

void AddSystemMenuItem(HWND window, const std::string& text) {
  const HMENU menu = GetSystemMenu(window, FALSE);
  if (!menu) return;
  std::wstring label = Wide(text);
  MENUITEMINFOW item{};
  item.cbSize = RecordSize<MENUITEMINFOW>(kMenuItemInfoSize400);
  item.fMask = MIIM_ID | MIIM_TYPE;
  item.fType = MFT_STRING;
  item.wID = kSystemMenuItemCommand;
  item.dwTypeData = label.data();
  item.cch = static_cast<UINT>(label.size());
  InsertMenuItemW(menu, 0, TRUE, &item);
  MENUITEMINFOW separator{};
  separator.cbSize = item.cbSize;
  separator.fMask = MIIM_TYPE;
  separator.fType = MFT_SEPARATOR;
  InsertMenuItemW(menu, 1, TRUE, &separator);
}

}  // namespace orlavix::win32
