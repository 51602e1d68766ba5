#include "editor/win32/main_dialog_ports.h"

#include "boxes/win32/timed_message_box.h"
#include "editor/win32/main_dialog_resource.h"
#include "support/mbtext.h"
#include "support/win32/open_file_dialog.h"
#include "support/win32/window_text.h"

namespace orlavix::win32 {

namespace {

int CategoryButton(SettingCategory category) {
  switch (category) {
    case SettingCategory::Options: return IDC_SHOW_OPTIONS;
    case SettingCategory::General: return IDC_SHOW_GENERAL;
    case SettingCategory::Colors: return IDC_SHOW_COLORS;
    case SettingCategory::Controls: return IDC_SHOW_CONTROLS;
    case SettingCategory::Settings: return IDC_SHOW_SETTINGS;
    case SettingCategory::Report: break;
  }
  return 0;
}

}  // namespace

void RefusePath(HWND owner, const std::u32string& lost) {
  ShowLostCharacters(owner, J("このパスには Orlavix が扱えない文字があるため、開けません。"), lost);
}

// The dialog's controls

void ControlsPort::EnableCategoryButton(SettingCategory category, bool enable) {
  if (const int id = CategoryButton(category)) dialog_.EnableItem(id, enable);
}

void ControlsPort::EnableEditButton(bool enable) { dialog_.EnableItem(IDC_EDIT_ITEM, enable); }

void ControlsPort::HideExtraText() { dialog_.ShowItem(IDC_EXTRA_TEXT, false); }

void ControlsPort::ShowExtraText(const std::string& text) {
  extraText_.SetText(text);
  dialog_.ShowItem(IDC_EXTRA_TEXT, true);
  SetFocus(extraText_.Window());
  extraText_.PlaceCaret(0);
}

bool ControlsPort::SaveOnlyChecked() { return dialog_.IsItemChecked(IDC_SAVE_ONLY_CHECKED); }

void ControlsPort::ShowEditingControls(bool editing) {
  for (int id : {IDC_SKIN_NAME, IDC_SHOW_OPTIONS, IDC_SHOW_GENERAL, IDC_SHOW_COLORS, IDC_SHOW_CONTROLS,
                 IDC_SHOW_SETTINGS, IDC_DETAIL_LABEL, IDC_ITEM_LIST, IDC_SAVE_ONLY_CHECKED, IDC_EDIT_ITEM, IDOK}) {
    dialog_.ShowItem(id, editing);
  }
  dialog_.ShowItem(IDC_SKIN_LIST, !editing);
  dialog_.ShowItem(IDC_BROWSE, !editing);
}

void ControlsPort::GrowDialog(int pixels) {
  RECT r{};
  GetWindowRect(dialog_.Window(), &r);
  MoveWindow(dialog_.Window(), r.left, r.top, r.right - r.left, r.bottom - r.top + pixels, TRUE);
}

void ControlsPort::SetStartButtonText(const std::string& text) { dialog_.SetItemText(IDC_START_EDITING, text); }

bool ControlsPort::SelectedSkinName(std::string& name) {
  const int selected = skinList_.Selected();
  if (selected < 0) return false;
  name = skinList_.Text(selected);
  return true;
}

void ControlsPort::SetChosenSkinText(const std::string& text) { dialog_.SetItemText(IDC_SKIN_NAME, text); }

// The host and the skins

std::string HostControlsPort::HostLocation() { return dialog_.ItemText(IDC_HOST_LOCATION); }

void HostControlsPort::SetHostLocation(const std::string& path) { dialog_.SetItemText(IDC_HOST_LOCATION, path); }

std::vector<std::string> HostControlsPort::SkinNames() {
  std::vector<std::string> names;
  const int count = skinList_.Count();
  for (int i = 0; i < count; ++i) names.push_back(skinList_.Text(i));
  return names;
}

void HostControlsPort::EnableSkinList(bool enable) { dialog_.EnableItem(IDC_SKIN_LIST, enable); }

void HostControlsPort::EnableStartButton(bool enable) { dialog_.EnableItem(IDC_START_EDITING, enable); }

bool HostControlsPort::AskForHostExecutable(const std::string& startFolder, std::string& chosen) {
  const std::string filter = std::string("Velquor/Osket") + '\0' + "Velquor.exe;Osket.exe" + '\0' +
                             J("実行可能ファイル(*.exe)") + '\0' + "*.exe" + '\0' +
                             J("すべてのファイル(*.*)") + '\0' + "*.*" + '\0';
  std::wstring path;
  if (!AskForExistingFile(GetActiveWindow(), filter, startFolder, path)) return false;
  NarrowText narrow = Narrow(path);
  if (!narrow.Whole()) {
    RefusePath(dialog_.Window(), narrow.lost);
    return false;
  }
  chosen = std::move(narrow.text);
  return true;
}

// Questions and reports

void MessageBoxes::Alert(const std::string& text) { ShowMessageBox(nullptr, text, std::string_view(), MB_OK); }

void MessageBoxes::Report(const std::string& text, int seconds) {
  TimedMessageBox(dialog_.Window(), text.c_str(), J("報告").c_str(), MB_ICONINFORMATION,
                  static_cast<DWORD>(seconds > 0 ? seconds : 0));
}

void MessageBoxes::Warn(const std::string& text) {
  ShowMessageBox(dialog_.Window(), text, J("報告"), MB_ICONWARNING | MB_OK);
}

Messages::Answer MessageBoxes::AskToSave(bool cancelIsDefault) {
  const std::string text = J("変更されていますが、保存されていません。\n変更を保存しますか？");
  const UINT type =
      MB_YESNOCANCEL | MB_ICONQUESTION | MB_SYSTEMMODAL | (cancelIsDefault ? MB_DEFBUTTON3 : MB_DEFBUTTON1);
  switch (ShowMessageBox(dialog_.Window(), text, J("確認"), type)) {
    case IDYES: return Answer::Yes;
    case IDNO: return Answer::No;
    default: return Answer::Cancel;
  }
}

bool MessageBoxes::ConfirmSave(const std::string& text) {
  return ShowMessageBox(dialog_.Window(), text, J("確認"), MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

bool MessageBoxes::AskYesNo(const std::string& text) {
  return ShowMessageBox(dialog_.Window(), text, J("確認"), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

}  // namespace orlavix::win32
