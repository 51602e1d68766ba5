#include "editor/win32/value_dialog_editor.h"

#include "values/win32/value_input_dialog.h"

namespace orlavix::win32 {

EditAnswer ValueDialogEditor::Edit(const EditRequest& request, SettingItem& edited) {
  ValueInputDialog dialog(request.item, request.showBrowse, request.imageFolder);
  dialog.useColorChooser = request.useColorChooser;
  if (dialog.DoModal(owner_) != IDOK) return EditAnswer::Cancel;
  edited = dialog.item;
  return EditAnswer::Ok;
}

}  // namespace orlavix::win32
