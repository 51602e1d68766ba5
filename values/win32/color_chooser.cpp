#include "values/win32/color_chooser.h"

#include <commdlg.h>

namespace orlavix::win32 {

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(CHOOSECOLORW) == 36, "the 32-bit colour dialog record is 36 bytes");
#endif

std::array<COLORREF, 16>& ColorChooser::CustomColors() {
  static std::array<COLORREF, 16> colors = [] {
    std::array<COLORREF, 16> white{};
    white.fill(RGB(0xFF, 0xFF, 0xFF));
    return white;
  }();
  return colors;
}

ColorChooser::ColorChooser(COLORREF initial, DWORD flags, HWND owner) {
  record_.lStructSize = sizeof record_;
  record_.hwndOwner = owner;
  record_.rgbResult = initial;
  record_.lpCustColors = CustomColors().data();
  // Black is the dialog's own starting colour; anything else is asked for.
  record_.Flags = flags | (initial != 0 ? CC_RGBINIT : 0);
}

INT_PTR ColorChooser::DoModal(HWND fallbackOwner) {
  if (!record_.hwndOwner) record_.hwndOwner = fallbackOwner;
  return ChooseColorW(&record_) ? IDOK : IDCANCEL;
}

}  // namespace orlavix::win32
