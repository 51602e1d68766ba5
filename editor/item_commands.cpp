// The commands on one row of the item list: editing its value, the row menu
// and copying the row's texts.
#include "editor/editor_dialog.h"
#include "model/catalogues.h"
#include "support/mbtext.h"

namespace orlavix {

namespace {

// Stand-ins for tools not attached: nothing to show, nothing chosen.
class NoPreview : public Preview {
 public:
  bool Exists() override { return false; }
  void Hide() override {}
  void SetBackground(std::uint32_t) override {}
  void SetImageFolder(const std::string&) override {}
  void SetImageName(const std::string&) override {}
  void SetImageStates(const std::vector<std::string>&) override {}
  void SetColorText(const std::string&) override {}
  void RedrawAndShow() override {}
  void CheckFileChanged() override {}
};

class NoValueEditor : public ValueEditor {
 public:
  EditAnswer Edit(const EditRequest&, SettingItem&) override { return EditAnswer::Cancel; }
};

class NoClipboard : public Clipboard {
 public:
  std::string GetText() override { return {}; }
  void PutText(const std::string&) override {}
};

class NoRowMenu : public RowMenu {
 public:
  int Choose(const std::vector<RowMenuEntry>&) override { return row_menu::None; }
};

NoPreview noPreview;
NoValueEditor noValueEditor;
NoClipboard noClipboard;
NoRowMenu noRowMenu;

bool IsEditableKind(SettingKind kind) {
  return kind >= SettingKind::Text && kind <= SettingKind::Choice;
}

}  // namespace

std::vector<RowMenuEntry> RowMenuEntries(bool rowChecked, bool canUndo, bool canRedo) {
  return {{row_menu::Edit, "編集(&E)"},
          rowChecked ? RowMenuEntry{row_menu::Uncheck, "選択解除(&U)"} : RowMenuEntry{row_menu::Check, "選択(&S)"},
          {0, nullptr},
          {row_menu::Copy, "コピー(&C)"},
          {row_menu::AppendCopy, "追加コピー(&A)"},
          {0, nullptr},
          {row_menu::Undo, "元に戻す(&Z)\tCtrl+Z", canUndo},
          {row_menu::Redo, "やり直し(&Y)\tCtrl+Y", canRedo}};
}

std::string RowLine(const std::vector<std::string>& cells) {
  std::string line;
  for (const std::string& cell : cells) {
    if (!line.empty()) line += '\t';
    line += cell;
  }
  if (!line.empty()) line += '\n';
  return line;
}

void EditorDialog::AttachItemTools(const ItemTools& tools) {
  tools_.preview = tools.preview ? tools.preview : &noPreview;
  tools_.valueEditor = tools.valueEditor ? tools.valueEditor : &noValueEditor;
  tools_.clipboard = tools.clipboard ? tools.clipboard : &noClipboard;
  tools_.rowMenu = tools.rowMenu ? tools.rowMenu : &noRowMenu;
}

SettingItem EditorDialog::SelectedRowItem(int row) {
  if (currentCategory == SettingCategory::Report) return SettingItem();
  const SettingCatalogue& catalogue = CurrentCatalogue();
  if (row < 0 || row >= catalogue.Count()) return SettingItem();
  SettingItem item = catalogue.At(row);
  // The row's text is what the person sees; read the value back from it.
  item.text = itemList_.GetItemText(row, 2);
  item.ChangeKind(item.kind);
  return item;
}

void EditorDialog::EditSelectedItem() {
  if (itemList_.GetItemCount() == 0) return;
  const int row = itemList_.GetSelectedRow();
  if (row < 0) return;
  const SettingItem item = SelectedRowItem(row);
  if (item.kind == SettingKind::Action) {
    controls_.SendDialogMessage(item.number);
    return;
  }
  if (!IsEditableKind(item.kind)) return;

  EditRequest request;
  request.item = item;
  request.showBrowse = currentCategory == SettingCategory::Controls && item.kind == SettingKind::ImageFile;
  request.imageFolder = skinFolder + "controls";
  request.useColorChooser = optionItems.FindCopy(option::UseColorDialog).boolValue;
  SettingItem edited = item;
  const EditAnswer answer = tools_.valueEditor->Edit(request, edited);

  itemList_.SelectAndReveal(row);
  if (answer != EditAnswer::Ok) return;
  // The catalogue first: the box set below then agrees with it and makes no
  // step of its own.
  SettingItem& target = CurrentCatalogue().At(row);
  const SettingItem before = target;
  target.AssignValue(edited);
  RecordStep({{currentCategory, before, target}});
  changedItems_.emplace(currentCategory, edited.key);
  itemList_.SetItemText(row, 2, edited.FormatValue());
  itemList_.SetStateImageIndex(row, edited.checked ? kCheckedStateImage : kUncheckedStateImage);
  RefreshPreview();
}

bool EditorDialog::ActivateRow(int row) {
  if (currentCategory == SettingCategory::Report) {
    return backups_.empty() ? GoToReportedFile(row) : RestoreBackup(row);
  }
  EditSelectedItem();
  return false;
}

void EditorDialog::ShowRowMenu(int row) {
  if (row < 0 || row >= itemList_.GetItemCount()) return;
  const bool checkedNow = RowChecked(row);
  switch (tools_.rowMenu->Choose(RowMenuEntries(checkedNow, CanUndo(), CanRedo()))) {
    case row_menu::Edit:
      EditSelectedItem();
      break;
    case row_menu::Check:
    case row_menu::Uncheck:
      itemList_.SetStateImageIndex(row, checkedNow ? kUncheckedStateImage : kCheckedStateImage);
      // The list's own notice of the new box may have come first: then this
      // finds nothing left to record.
      RecordTick(row);
      break;
    case row_menu::Undo:
      Undo();
      break;
    case row_menu::Redo:
      Redo();
      break;
    case row_menu::Copy:
      CopyRowText(row, false);
      break;
    case row_menu::AppendCopy:
      CopyRowText(row, true);
      break;
    default:
      break;
  }
}

void EditorDialog::CopyRowText(int row, bool append) {
  if (row < 0 || row >= itemList_.GetItemCount()) return;
  std::vector<std::string> cells;
  const int columns = itemList_.GetColumnCount();
  for (int column = 0; column < columns; ++column) cells.push_back(itemList_.GetItemText(row, column));
  const std::string text = RowLine(cells);
  if (append) {
    tools_.clipboard->AppendText(text);
  } else {
    tools_.clipboard->PutText(text);
  }
}

}  // namespace orlavix
