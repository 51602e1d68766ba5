#include "editors/win32/value_input_dialog.h"

#include <commdlg.h>
#include <shlwapi.h>

#include <cstddef>
#include <vector>

#include "app/resource.h"
#include "editors/value_input.h"
#include "editors/win32/color_chooser.h"
#include "support/mbtext.h"
#include "support/win32/center_dialog.h"
#include "support/win32/open_file_dialog.h"

namespace orlavix::win32 {
namespace {

std::string WindowText(HWND window) {
  const int length = GetWindowTextLengthA(window);
  if (length <= 0) return std::string();
  std::vector<char> text(static_cast<std::size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
  return std::string(text.data(), copied > 0 ? static_cast<std::size_t>(copied) : 0);
}

std::string SelectedEntry(HWND list, int index) {
  if (index < 0) return std::string();
  const LRESULT length = SendMessageA(list, CB_GETLBTEXTLEN, index, 0);
  if (length == CB_ERR || length < 0) return std::string();
  std::vector<char> text(static_cast<std::size_t>(length) + 1, '\0');
  const LRESULT copied =
      SendMessageA(list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  if (copied == CB_ERR || copied < 0) return std::string();
  return std::string(text.data(), static_cast<std::size_t>(copied));
}

// Adds or removes ES_NUMBER, touching the style only when it changes.
void SetDigitsOnly(HWND edit, bool digitsOnly) {
  const LONG style = GetWindowLongA(edit, GWL_STYLE);
  const LONG wanted = digitsOnly ? (style | ES_NUMBER) : (style & ~ES_NUMBER);
  if (wanted != style) SetWindowLongA(edit, GWL_STYLE, wanted);
}

// The filter pairs of the file dialog, each part ended by a NUL, the whole by two.
std::string ImageFilter() {
  std::string filter;
  for (const char* part : {"画像(*.png;*.bmp;*.ico)", "*.png;*.bmp;*.ico",
                           "すべてのファイル(*.*)", "*.*"}) {
    filter += J(part);
    filter += '\0';
  }
  filter += '\0';
  return filter;
}

}  // namespace

ValueInputDialog::ValueInputDialog(const SettingItem& item, bool showBrowse,
                                   const std::string& imageFolder)
    : item(item), showBrowse(showBrowse), imageFolder(imageFolder) {}

INT_PTR ValueInputDialog::DoModal(HWND owner) {
  if (EditsInColorChooser(item, useColorChooser)) {
    // The colour dialog stands in for this one, which is never made.
    ColorChooser chooser(item.color, CC_FULLOPEN, nullptr);
    const HWND active = GetActiveWindow();
    const INT_PTR answer = chooser.DoModal(owner ? owner : active);
    if (answer == IDOK) AcceptChosenColor(item, chooser.Color());
    return answer;
  }
  const INT_PTR answer = RunModal(IDD_VALUE_INPUT, owner);
  return answer == IDOK ? IDOK : IDCANCEL;
}

bool ValueInputDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM, INT_PTR& result) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog();
      result = FALSE;  // the focus is set already
      return true;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
          Confirm();
          result = TRUE;
          return true;
        case IDCANCEL:
          EndDialog(Window(), IDCANCEL);
          result = TRUE;
          return true;
        case IDC_VALUE_BROWSE:
          if (HIWORD(wParam) != BN_CLICKED) return false;
          Browse();
          result = TRUE;
          return true;
      }
      return false;
  }
  return false;
}

void ValueInputDialog::OnInitDialog() {
  CenterDialog(Window());
  editBox_ = GetDlgItem(Window(), IDC_VALUE_EDIT);
  choiceList_ = GetDlgItem(Window(), IDC_VALUE_CHOICE);
  ShowWindow(GetDlgItem(Window(), IDC_VALUE_BROWSE), showBrowse ? SW_SHOW : SW_HIDE);
  SetDlgItemTextA(Window(), IDC_VALUE_DESCRIPTION, item.description.c_str());

  const ValueInputLayout layout = LayoutForItem(item, useColorChooser);
  if (!layout.label.empty()) {
    const HWND label = GetDlgItem(Window(), IDC_VALUE_LABEL);
    SetWindowTextA(label, layout.label.c_str());
    ShowWindow(label, SW_SHOW);
  }
  switch (layout.control) {
    case ValueControl::TextBox: {
      SetDigitsOnly(editBox_, layout.digitsOnly);
      SetWindowTextA(editBox_, layout.text.c_str());
      const auto end = static_cast<WPARAM>(GetWindowTextLengthA(editBox_));
      SendMessageA(editBox_, EM_SETSEL, end, static_cast<LPARAM>(end));
      SendMessageA(editBox_, EM_SCROLLCARET, 0, 0);
      ShowWindow(editBox_, SW_SHOW);
      SetFocus(editBox_);
      break;
    }
    case ValueControl::ChoiceList:
      SendMessageA(choiceList_, CB_RESETCONTENT, 0, 0);
      for (const std::string& entry : layout.entries) {
        SendMessageA(choiceList_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
      }
      SendMessageA(choiceList_, CB_SETCURSEL, static_cast<WPARAM>(layout.selection), 0);
      ShowWindow(choiceList_, SW_SHOW);
      SetFocus(choiceList_);
      break;
    case ValueControl::None:
      SetFocus(GetDlgItem(Window(), IDOK));
      break;
  }
}

void ValueInputDialog::Confirm() {
  ValueInputAnswer answer;
  answer.text = WindowText(editBox_);
  const LRESULT selection = SendMessageA(choiceList_, CB_GETCURSEL, 0, 0);
  answer.selection = selection == CB_ERR ? -1 : static_cast<int>(selection);
  answer.selectedText = SelectedEntry(choiceList_, answer.selection);
  ConfirmValue(item, useColorChooser, answer);
  EndDialog(Window(), IDOK);
}

void ValueInputDialog::Browse() {
  std::string path;
  // Only the name goes back: the file is looked for in the controls folder.
  if (AskForExistingFile(Window(), ImageFilter(), imageFolder, path)) {
    SetWindowTextA(editBox_, PathFindFileNameA(path.c_str()));
  }
  SetFocus(editBox_);
}

}  // namespace orlavix::win32
