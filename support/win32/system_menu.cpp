#include "support/win32/system_menu.h"

#include <cstddef>

#include "platform/win32/wide_text.h"
#include "support/win32/nt_platform.h"
#include "support/win32/private_messages.h"

namespace orlavix::win32 {
namespace {

// The record as systems before Windows 2000 know it: without hbmpItem.
constexpr UINT kMenuItemInfoSize400 = offsetof(MENUITEMINFOW, hbmpItem);
#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(MENUITEMINFOW) == 48, "the 32-bit menu item record is 48 bytes");
static_assert(kMenuItemInfoSize400 == 44, "older systems take 44 bytes");
#endif

}  // namespace

void AddSystemMenuItem(HWND window, const std::string& text) {
  const HMENU menu = GetSystemMenu(window, FALSE);
  if (!menu) return;
  std::wstring label = Wide(text);
  MENUITEMINFOW item{};
  item.cbSize = IsBeforeWindows2000() ? kMenuItemInfoSize400 : sizeof item;
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
