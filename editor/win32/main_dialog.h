// The program's main window: dialog 129. It owns the editor's logic and the
// small ports through which the logic drives the dialog's controls; each
// message hook reads the message and calls the logic.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "editor/dialog_layout.h"
#include "editor/editor_dialog.h"
#include "editor/win32/dialog_keys.h"
#include "editor/win32/item_windows.h"
#include "editor/win32/main_dialog_ports.h"
#include "platform/host_services.h"
#include "support/win32/controls.h"
#include "support/win32/dialog.h"
#include "support/win32/list_view.h"
#include "support/win32/program_icon.h"

namespace orlavix::win32 {

class MainDialog : public ModalDialog {
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

 private:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code) override;
  bool OnNotify(const NMHDR& header, LRESULT& result) override;
  void OnSize(UINT kind, int width, int height) override;
  bool OnTimer(UINT_PTR id) override;
  bool OnSysCommand(UINT command) override;
  void OnDropFiles(HDROP drop) override;
  bool OnGetMinMaxInfo(MINMAXINFO& info) override;
  // The options' commands and the item list's own messages.
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  void Close();
  // Signing out or shutting down: with unsaved edits, the closing question
  // (Cancel the default) decides. True when the session may end.
  bool QueryEndSession();
  void PrepareResize();

  ListView list_;
  ComboBox skinList_;
  EditControl extraText_;
  // The preview, the value dialog, the clipboard and the row menu that the
  // item commands use; the preview window goes with this object.
  ItemWindows items_;
  ItemListPort itemListPort_{list_};
  ControlsPort controlsPort_{*this, extraText_, skinList_};
  HostControlsPort hostControlsPort_{*this, skinList_};
  MessageBoxes messageBoxes_{*this};
  EditorDialog editor_;
  // Handed to the editor as the dialog opens.
  std::string commandLine_;

  // The resize rules: the client size and window size at start-up, and the
  // controls that follow a change of size with their rectangles then.
  SIZE initialClient_{};
  SIZE minimumWindow_{};
  std::vector<LayoutItem> layout_;
  HWND sizeGrip_ = nullptr;

  ProgramIcons icons_;
  DialogKeyFilter keys_;
};

}  // namespace orlavix::win32
