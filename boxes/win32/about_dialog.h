// The version dialog: name, version and copyright, and the maker's web
// address as a link that opens in the user's browser.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "platform/win32/guards.h"
#include "support/win32/dialog.h"
#include "support/win32/program_icon.h"

namespace orlavix::win32 {

class AboutDialog : public ModalDialog {
 public:
  // Opens an address; by default the shell's "open" verb.
  using LinkOpener = std::function<void(const std::string& address)>;

  AboutDialog();
  explicit AboutDialog(LinkOpener openLink);

  // Returns IDOK or IDCANCEL.
  INT_PTR DoModal(HWND owner);

  // The first text of the dialog: "Orlavix 0.2.8", a blank line, the copyright.
  static std::string AboutText();

 private:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code) override;
  HBRUSH OnCtlColorStatic(HDC dc, HWND control) override;
  bool OnSetCursor(HWND under) override;
  void OpenLink();
  void LoadHandCursor();

  LinkOpener openLink_;
  UniqueFont linkFont_;
  UniqueCursor handCursor_;
  ProgramIcons icons_;
};

}  // namespace orlavix::win32
