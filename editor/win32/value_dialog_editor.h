// The value editor the item commands call, as the program's value dialog.
#pragma once

#include "editor/value_editor.h"
#include "editor/win32/owned_tool.h"

namespace orlavix::win32 {

// Each edit runs its own ValueInputDialog, owned by the main dialog.
class ValueDialogEditor : public ValueEditor, public OwnedTool {
 public:
  ValueDialogEditor() : OwnedTool(nullptr) {}
  EditAnswer Edit(const EditRequest& request, SettingItem& edited) override;
};

}  // namespace orlavix::win32
