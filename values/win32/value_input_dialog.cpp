#include "values/win32/value_input_dialog.h"

#include <commdlg.h>
#include <shlwapi.h>

#include "values/value_input.h"
#include "values/win32/color_chooser.h"
#include "values/win32/value_input_resource.h"
#include "support/mbtext.h"
#include "support/win32/center_dialog.h"
#include "support/win32/open_file_dialog.h"
#include "support/win32/window_text.h"

namespace orlavix::win32 {
namespace {

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

bool ValueInputDialog::OnCommand(int id, int code) {
  switch (id) {
    case IDOK:
      Confirm();
      return true;
    case IDC_VALUE_BROWSE:
      if (code != BN_CLICKED) return false;
      Browse();
      return true;
  }
  return ModalDialog::OnCommand(id, code);
}

bool ValueInputDialog::OnInitDialog() {
  CenterDialog(Window());
  editBox_.Attach(Item(IDC_VALUE_EDIT));
  choiceList_.Attach(Item(IDC_VALUE_CHOICE));
  ShowItem(IDC_VALUE_BROWSE, showBrowse);
  SetItemText(IDC_VALUE_DESCRIPTION, item.description);

  const ValueInputLayout layout = LayoutForItem(item, useColorChooser);
  if (!layout.label.empty()) {
    SetItemText(IDC_VALUE_LABEL, layout.label);
    ShowItem(IDC_VALUE_LABEL, true);
  }
  switch (layout.control) {
    case ValueControl::TextBox:
      editBox_.SetDigitsOnly(layout.digitsOnly);
      editBox_.SetText(layout.text);
      editBox_.PlaceCaretAtEnd();
      ShowWindow(editBox_.Window(), SW_SHOW);
      SetFocus(editBox_.Window());
      break;
    case ValueControl::ChoiceList:
      choiceList_.Clear();
      for (const std::string& entry : layout.entries) choiceList_.Add(entry);
      choiceList_.Select(layout.selection);
      ShowWindow(choiceList_.Window(), SW_SHOW);
      SetFocus(choiceList_.Window());
      break;
    case ValueControl::None:
      SetFocus(Item(IDOK));
      break;
  }
  return false;  // the focus is set already
}

void ValueInputDialog::Confirm() {
  ValueInputAnswer answer;
  NarrowText typed = editBox_.Text();
  // Stored as '?', the characters would be lost with the next save: the
  // person replaces them first.
  if (!typed.Whole() && IsWindowVisible(editBox_.Window())) {
    ShowLostCharacters(Window(), J("この値には、skin.ini に保存できない文字があります。\n別の文字に置き換えてください。"),
                       typed.lost);
    SetFocus(editBox_.Window());
    return;
  }
  answer.text = std::move(typed.text);
  answer.selection = choiceList_.Selected();
  answer.selectedText = choiceList_.Text(answer.selection);
  ConfirmValue(item, useColorChooser, answer);
  End(IDOK);
}

void ValueInputDialog::Browse() {
  std::wstring path;
  // Only the name goes back: the file is looked for in the controls folder.
  if (AskForExistingFile(Window(), ImageFilter(), imageFolder, path)) {
    const NarrowText name = Narrow(PathFindFileNameW(path.c_str()));
    if (name.Whole()) {
      editBox_.SetText(name.text);
    } else {
      ShowLostCharacters(Window(), J("このファイルの名前には、skin.ini に書けない文字があります。"), name.lost);
    }
  }
  SetFocus(editBox_.Window());
}

}  // namespace orlavix::win32
