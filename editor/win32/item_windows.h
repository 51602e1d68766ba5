// The windows the item commands use, owned by the main dialog: the preview,
// the value dialog, the clipboard and the row menu, bound to the interfaces
// the editor logic calls.
#pragma once

#include <windows.h>

#include "editor/editor_dialog.h"
#include "values/win32/preview_window.h"

namespace orlavix::win32 {

// A tool whose boxes, menus and clipboard data belong to a window.
class OwnedTool {
 public:
  void SetOwner(HWND owner) { owner_ = owner; }

 protected:
  explicit OwnedTool(HWND owner) : owner_(owner) {}
  HWND owner_;
};

class PreviewBinding : public Preview {
 public:
  explicit PreviewBinding(PreviewWindow& window) : window_(window) {}
  bool Exists() override { return window_.Window() != nullptr; }
  void Hide() override { window_.HidePreviewWindow(); }
  void SetBackground(std::uint32_t color) override { window_.background = color; }
  void SetImageFolder(const std::string& folder) override { window_.SetImageFolder(folder); }
  void SetImageName(const std::string& name) override { window_.SetImageName(name); }
  void SetImageStates(const std::vector<std::string>& states) override { window_.SetImageStates(states); }
  void SetColorText(const std::string& text) override { window_.SetColorText(text); }
  // Painted at once, so that the window has its new size before it shows.
  void RedrawAndShow() override;
  void CheckFileChanged() override { window_.CheckFileChanged(); }

 private:
  PreviewWindow& window_;
};

// Each edit runs its own ValueInputDialog, owned by the main dialog.
class ValueDialogEditor : public ValueEditor, public OwnedTool {
 public:
  ValueDialogEditor() : OwnedTool(nullptr) {}
  EditAnswer Edit(const EditRequest& request, SettingItem& edited) override;
};

// The clipboard's text in both forms: UTF-16 and the working code page, with
// the locale that tells other programs which code page that is.
class WindowsClipboard : public Clipboard, public OwnedTool {
 public:
  explicit WindowsClipboard(HWND owner = nullptr) : OwnedTool(owner) {}
  // CF_UNICODETEXT, which the system makes of any text on the clipboard.
  std::string GetText() override;
  // Puts CF_UNICODETEXT, CF_TEXT and CF_LOCALE; an empty text puts nothing.
  void PutText(const std::string& text) override;
  // Appends in UTF-16, so that text the working code page cannot hold stays.
  void AppendText(const std::string& text) override;
};

// The row menu as a popup menu at the mouse cursor, built anew for each
// showing and destroyed after it.
class PopupRowMenu : public RowMenu, public OwnedTool {
 public:
  explicit PopupRowMenu(HWND owner = nullptr) : OwnedTool(owner) {}
  int Choose(const std::vector<RowMenuEntry>& entries) override;
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
