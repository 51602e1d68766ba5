// The dialog in which one setting's value is edited: the control that fits
// the value's kind, the item's description, and a file browser for images.
// A colour may instead be chosen in the system colour dialog alone.
#pragma once

#include <windows.h>

#include <string>

#include "model/setting_item.h"
#include "support/win32/controls.h"
#include "support/win32/dialog.h"

namespace orlavix::win32 {

class ValueInputDialog : public ModalDialog {
 public:
  // `item` is copied; `showBrowse` shows the browse button, which opens the
  // file dialog in `imageFolder`.
  ValueInputDialog(const SettingItem& item, bool showBrowse, const std::string& imageFolder);

  // IDOK, with the edited value and tick in `item`, or IDCANCEL.
  INT_PTR DoModal(HWND owner);

  SettingItem item;
  bool showBrowse = false;
  std::string imageFolder;
  // Colours go to the colour chooser while this is set (the editor option).
  bool useColorChooser = true;

 private:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code) override;
  void Confirm();
  void Browse();

  EditControl editBox_;
  ComboBox choiceList_;
};

}  // namespace orlavix::win32
