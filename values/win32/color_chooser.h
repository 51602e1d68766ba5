// The system colour dialog, opened fully expanded on a colour. Custom colours
// the person defines stay for the rest of the run, shared by every chooser.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <array>

namespace orlavix::win32 {

class ColorChooser {
 public:
  // `flags` are the CHOOSECOLOR flags asked for (CC_FULLOPEN); CC_RGBINIT is
  // added for any initial colour but black. `owner` may be null.
  ColorChooser(COLORREF initial, DWORD flags, HWND owner);
  ColorChooser(const ColorChooser&) = delete;
  ColorChooser& operator=(const ColorChooser&) = delete;

  // Runs the dialog, owned by `fallbackOwner` when no owner was given.
  // IDOK when a colour was chosen; IDCANCEL on cancel or failure.
  INT_PTR DoModal(HWND fallbackOwner);
  // The chosen colour after IDOK (the initial colour before).
  COLORREF Color() const { return record_.rgbResult; }
  // The record handed to the system, for inspection.
  const CHOOSECOLORW& Record() const { return record_; }

  // The process-wide table of 16 custom colours, all white at the start.
  static std::array<COLORREF, 16>& CustomColors();

 private:
  CHOOSECOLORW record_{};
};

}  // namespace orlavix::win32
