// The windows the item commands use, owned by the main dialog: the preview,
// the value dialog, the clipboard and the row menu, bound to the interfaces
// the editor logic calls.
#pragma once

#include <windows.h>

#include <type_traits>

#include "editor/editor_dialog.h"
#include "editor/win32/popup_row_menu.h"
#include "editor/win32/preview_binding.h"
#include "editor/win32/value_dialog_editor.h"
#include "editor/win32/windows_clipboard.h"
#include "values/win32/preview_window.h"

namespace orlavix::win32 {

// Neither copied nor moved, as its preview window cannot be (checked below):
// the bindings refer to this object's own preview.
class ItemWindows {
 public:
  // Creates the hidden preview owned by `dialog` and makes `dialog` the owner
  // of the value dialog, the clipboard's text and the row menu.
  void Create(HWND dialog);
  EditorDialog::ItemTools Tools() { return {&previewBinding_, &valueEditor_, &clipboard_, &rowMenu_}; }

  // Destroyed with this object.
  PreviewWindow preview;

 private:
  PreviewBinding previewBinding_{preview};
  ValueDialogEditor valueEditor_;
  WindowsClipboard clipboard_;
  PopupRowMenu rowMenu_;
};
static_assert(!std::is_copy_constructible_v<ItemWindows> && !std::is_copy_assignable_v<ItemWindows> &&
              !std::is_move_constructible_v<ItemWindows>);

}  // namespace orlavix::win32
