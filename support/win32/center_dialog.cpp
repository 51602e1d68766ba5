#include "support/win32/center_dialog.h"

#include "support/centring.h"

namespace orlavix::win32 {
namespace {

ScreenRect FromRect(const RECT& r) { return ScreenRect{r.left, r.top, r.right, r.bottom}; }

// The work area of the monitor nearest `window`: on two monitors a dialog
// stays on the one its owner is on, not the primary one.
RECT WorkAreaNear(HWND window) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info)) return info.rcWork;
  RECT work{};
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) {
    work = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  }
  return work;
}

}  // namespace

void CenterDialog(HWND dialog) {
  RECT own{};
  if (!GetWindowRect(dialog, &own)) return;
  const HWND owner = GetWindow(dialog, GW_OWNER);
  RECT ownerRect{};
  const bool followOwner = owner && IsWindowVisible(owner) && !IsIconic(owner) &&
                           GetWindowRect(owner, &ownerRect);
  const ScreenRect ownerBox = FromRect(ownerRect);
  const RECT work = WorkAreaNear(followOwner ? owner : dialog);
  const ScreenRect placed =
      CentredPlacement(FromRect(own), followOwner ? &ownerBox : nullptr, FromRect(work));
  SetWindowPos(dialog, nullptr, placed.left, placed.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace orlavix::win32
