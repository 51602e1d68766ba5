// The main dialog's controls as the editor's logic sees them: small
// adapters over the typed wrappers and the dialog's per-id helpers, each
// method one or two calls.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "editor/dialog_controls.h"
#include "editor/host_controls.h"
#include "editor/item_list.h"
#include "support/messages.h"
#include "support/win32/controls.h"
#include "support/win32/dialog.h"
#include "support/win32/list_view.h"

namespace orlavix::win32 {

// Tells the person that a dropped or chosen path cannot be taken: it holds
// characters that the working code page cannot hold.
void RefusePath(HWND owner, const std::u32string& lost);

class ItemListPort : public ItemList {
 public:
  explicit ItemListPort(ListView& list) : list_(list) {}

  int GetItemCount() override { return list_.ItemCount(); }
  int GetStateImageIndex(int row) override { return list_.StateImageIndex(row); }
  void SetStateImageIndex(int row, int index) override { list_.SetStateImageIndex(row, index); }
  void DeleteAllItems() override { list_.DeleteAllItems(); }
  int GetColumnCount() override { return list_.ColumnCount(); }
  void DeleteColumn(int column) override { list_.DeleteColumn(column); }
  void InsertColumn(int column, const std::string& title, int width) override {
    list_.InsertColumn(column, title, width);
  }
  void SetColumnWidth(int column, int width) override { list_.SetColumnWidth(column, width); }
  int GetColumnWidth(int column) override { return list_.HeaderItemWidth(column); }
  int GetStringWidth(const std::string& text) override { return list_.StringWidth(text); }
  int GetWidth() override { return list_.WindowWidth(); }
  int InsertItem(int row, const std::string& text, int itemData) override {
    return list_.InsertItem(row, text, itemData);
  }
  void SetItemText(int row, int column, const std::string& text) override { list_.SetItemText(row, column, text); }
  std::string GetItemText(int row, int column) override { return list_.ItemText(row, column); }
  void BeginFill() override { list_.SetRedraw(false); }
  void EndFill() override { list_.SetRedraw(true); }
  void Show() override { ShowWindow(list_.Window(), SW_SHOW); }
  void Hide() override { ShowWindow(list_.Window(), SW_HIDE); }
  void Enable(bool enable) override { EnableWindow(list_.Window(), enable ? TRUE : FALSE); }
  void Focus() override { SetFocus(list_.Window()); }
  int GetSelectedRow() override { return list_.SelectedRow(); }
  void SelectRow(int row) override { list_.SelectRow(row); }
  void SelectAndReveal(int row) override { list_.SelectAndReveal(row); }

 private:
  ListView& list_;
};

class ControlsPort : public DialogControls {
 public:
  ControlsPort(const Dialog& dialog, EditControl& extraText, ComboBox& skinList)
      : dialog_(dialog), extraText_(extraText), skinList_(skinList) {}

  void EnableCategoryButton(SettingCategory category, bool enable) override;
  void EnableEditButton(bool enable) override;
  void HideExtraText() override;
  void ShowExtraText(const std::string& text) override;
  bool SaveOnlyChecked() override;
  void ShowEditingControls(bool editing) override;
  void GrowDialog(int pixels) override;
  void SetStartButtonText(const std::string& text) override;
  bool SelectedSkinName(std::string& name) override;
  void SetChosenSkinText(const std::string& text) override;
  void SendDialogMessage(std::int32_t message) override { SendMessageW(dialog_.Window(), message, 0, 0); }

 private:
  const Dialog& dialog_;
  EditControl& extraText_;
  ComboBox& skinList_;
};

class HostControlsPort : public HostControls {
 public:
  HostControlsPort(const Dialog& dialog, ComboBox& skinList) : dialog_(dialog), skinList_(skinList) {}

  std::string HostLocation() override;
  void SetHostLocation(const std::string& path) override;
  void ClearSkins() override { skinList_.Clear(); }
  void AddSkin(const std::string& name) override { skinList_.Add(name); }
  std::vector<std::string> SkinNames() override;
  void SelectSkin(int index) override { skinList_.Select(index); }
  void EnableSkinList(bool enable) override;
  void EnableStartButton(bool enable) override;
  bool AskForHostExecutable(const std::string& startFolder, std::string& chosen) override;

 private:
  const Dialog& dialog_;
  ComboBox& skinList_;
};

// The questions and reports, owned by the main dialog.
class MessageBoxes : public Messages {
 public:
  explicit MessageBoxes(const Dialog& dialog) : dialog_(dialog) {}

  void Alert(const std::string& text) override;
  void Report(const std::string& text, int seconds) override;
  void Warn(const std::string& text) override;
  Answer AskToSave(bool cancelIsDefault) override;
  bool ConfirmSave(const std::string& text) override;
  bool AskYesNo(const std::string& text) override;

 private:
  const Dialog& dialog_;
};

}  // namespace orlavix::win32
