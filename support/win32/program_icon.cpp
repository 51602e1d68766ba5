#include "support/win32/program_icon.h"

namespace orlavix::win32 {
namespace {

HICON LoadProgramIcon(int widthMetric, int heightMetric) {
  return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_ORLAVIX), IMAGE_ICON,
                                       GetSystemMetrics(widthMetric), GetSystemMetrics(heightMetric),
                                       LR_DEFAULTCOLOR));
}

}  // namespace

ProgramIcons SetProgramIcons(HWND window) {
  ProgramIcons icons{UniqueIcon(LoadProgramIcon(SM_CXICON, SM_CYICON)),
                     UniqueIcon(LoadProgramIcon(SM_CXSMICON, SM_CYSMICON))};
  SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icons.big.Get()));
  SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icons.small.Get()));
  return icons;
}

}  // namespace orlavix::win32
