// The program's main window: dialog 129. It owns the editor's logic and
// carries out its requests on the dialog's controls; each message handler
// reads the message and calls the logic.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "editor/dialog_layout.h"
#include "editor/editor_dialog.h"
#include "editor/win32/item_windows.h"
#include "platform/host_services.h"
#include "support/win32/dialog.h"
#include "support/win32/handles.h"
#include "support/win32/list_view.h"

namespace orlavix::win32 {

class MainDialog : public Dialog,
                   private ItemList,
                   private DialogControls,
                   private Messages,
                   private HostControls {
 public:
  // `commandLine`: the program's command line, a path to the host executable.
  explicit MainDialog(std::string commandLine = std::string());
  MainDialog(std::string commandLine, platform::HostServices& hostServices);
  ~MainDialog() override;

  // Runs the dialog; its end value is always 2.
  INT_PTR DoModal(HWND owner);

  EditorDialog& Editor() { return editor_; }
  const ListView& List() const { return list_; }
  PreviewWindow& Preview() { return items_.preview; }

  // The timer that refits the columns after a system command.
  static constexpr UINT_PTR kRefitTimer = 1;
  static constexpr UINT kRefitDelayMs = 100;
  // The system-menu command of the version dialog.
  static constexpr UINT kAboutCommand = 0xE140;

 private:
  using Dialog::SetItemText;

  // The message map and its handlers.
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
  bool OnCommand(int id);
  bool OnNotify(const NMHDR& header);
  void OnInitDialog();
  bool OnSysCommand(WPARAM command);
  void OnSize(WPARAM kind, int width, int height);
  void OnTimer(UINT_PTR id);
  void OnDropFiles(HDROP drop);
  void OnGetMinMaxInfo(MINMAXINFO* info);
  void OnClose();

  void PrepareResize();
  void AddSystemMenuItems();

  // ItemList
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
  void BeginFill() override { SendMessageA(list_.Window(), WM_SETREDRAW, FALSE, 0); }
  void EndFill() override {
    SendMessageA(list_.Window(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_.Window(), nullptr, TRUE);
  }
  void Show() override { ShowWindow(list_.Window(), SW_SHOW); }
  void Hide() override { ShowWindow(list_.Window(), SW_HIDE); }
  void Enable(bool enable) override { EnableWindow(list_.Window(), enable ? TRUE : FALSE); }
  void Focus() override { SetFocus(list_.Window()); }
  int GetSelectedRow() override { return list_.SelectedRow(); }
  void SelectRow(int row) override { list_.SelectRow(row); }
  void SelectAndReveal(int row) override { list_.SelectAndReveal(row); }

  // DialogControls
  void EnableCategoryButton(SettingCategory category, bool enable) override;
  void EnableEditButton(bool enable) override;
  void HideExtraText() override;
  void ShowExtraText(const std::string& text) override;
  void HidePreview() override { items_.preview.HidePreviewWindow(); }
  bool SaveOnlyChecked() override;
  void ShowEditingControls(bool editing) override;
  void GrowDialog(int pixels) override;
  void SetStartButtonText(const std::string& text) override;
  bool SelectedSkinName(std::string& name) override;
  void SetChosenSkinText(const std::string& text) override;
  void SendDialogMessage(std::int32_t message) override { SendMessageA(Window(), message, 0, 0); }

  // Messages
  void Alert(const std::string& text) override;
  void Report(const std::string& text, int seconds) override;
  void Warn(const std::string& text) override;
  Answer AskToSave(bool cancelIsDefault) override;
  bool ConfirmSave(const std::string& text) override;

  // HostControls
  std::string HostLocation() override;
  void SetHostLocation(const std::string& path) override;
  void ClearSkins() override;
  void AddSkin(const std::string& name) override;
  std::vector<std::string> SkinNames() override;
  void SelectSkin(int index) override;
  void EnableSkinList(bool enable) override;
  void EnableStartButton(bool enable) override;
  bool AskForHostExecutable(const std::string& startFolder, std::string& chosen) override;

  ListView list_;
  EditorDialog editor_;
  // The preview, the value dialog, the clipboard and the row menu that the
  // item commands use; the preview window goes with this object.
  ItemWindows items_;

  // The resize rules: the client size and window size at start-up, and the
  // controls that follow a change of size with their rectangles then.
  SIZE initialClient_{};
  SIZE minimumWindow_{};
  std::vector<LayoutItem> layout_;
  HWND sizeGrip_ = nullptr;

  UniqueIcon bigIcon_;
  UniqueIcon smallIcon_;
};

}  // namespace orlavix::win32
