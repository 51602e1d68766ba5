#include "editor/win32/item_windows.h"

#include "values/win32/value_input_dialog.h"

namespace orlavix::win32 {

void PreviewBinding::RedrawAndShow() {
  if (HWND window = window_.Window()) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  }
  window_.ShowPreviewWindow(0);
}

EditAnswer ValueDialogEditor::Edit(const EditRequest& request, SettingItem& edited) {
  ValueInputDialog dialog(request.item, request.showBrowse, request.imageFolder);
  dialog.useColorChooser = request.useColorChooser;
  if (dialog.DoModal(owner_) != IDOK) return EditAnswer::Cancel;
  edited = dialog.item;
  return EditAnswer::Ok;
}

void ItemWindows::Create(HWND dialog) {
  preview.Create(dialog);
  valueEditor_.SetOwner(dialog);
  clipboard_.SetOwner(dialog);
  rowMenu_.SetOwner(dialog);
}

}  // namespace orlavix::win32
