// The windows the item commands use, owned by the main dialog: the preview,
// the value dialog, the clipboard and the row menu, bound to the interfaces
// the editor logic calls.
#pragma once

#include <windows.h>

#include "editor/editor_dialog.h"
#include "editor/win32/clipboard.h"
#include "editor/win32/row_menu_popup.h"
#include "values/win32/preview_window.h"

namespace orlavix::win32 {

class PreviewBinding : public Preview {
 public:
  explicit PreviewBinding(PreviewWindow& window) : window_(window) {}
  bool Exists() override { return window_.Window() != nullptr; }
  void Hide() override { window_.HidePreviewWindow(); }
  void SetBackground(std::uint32_t color) override { window_.background = color; }
  void SetImageFolder(const std::string& folder) override { window_.SetImageFolder(folder); }
  void SetImageName(const std::string& name) override { window_.SetImageName(name); }
  void SetColorText(const std::string& text) override { window_.SetColorText(text); }
  // Painted at once, so that the window has its new size before it shows.
  void RedrawAndShow() override;

 private:
  PreviewWindow& window_;
};

// Each edit runs its own ValueInputDialog, owned by the main dialog.
class ValueDialogEditor : public ValueEditor {
 public:
  void SetOwner(HWND owner) { owner_ = owner; }
  EditAnswer Edit(const EditRequest& request, SettingItem& edited) override;

 private:
  HWND owner_ = nullptr;
};

class ItemWindows {
 public:
  ItemWindows() = default;
  ItemWindows(const ItemWindows&) = delete;
  ItemWindows& operator=(const ItemWindows&) = delete;

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

}  // namespace orlavix::win32
