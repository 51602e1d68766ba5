// Recording stand-ins for the main dialog's controls.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "editor/clipboard.h"
#include "editor/dialog_controls.h"
#include "editor/item_list.h"
#include "editor/preview.h"
#include "editor/row_menu.h"
#include "editor/value_editor.h"
#include "support/messages.h"

namespace orlavix {

class FakeItemList : public ItemList {
 public:
  struct Row {
    std::string text[3];
    int state = 0;
    int data = -1;
  };
  struct Column {
    std::string title;
    int width;
  };

  std::vector<Row> rows;
  std::vector<Column> columns;
  std::vector<std::string> calls;  // column insertions and deletions, in order
  int width = 605;
  bool shown = false;
  int selected = -1;

  int GetItemCount() override { return static_cast<int>(rows.size()); }
  int GetStateImageIndex(int row) override { return rows.at(row).state; }
  void SetStateImageIndex(int row, int index) override { rows.at(row).state = index; }
  void DeleteAllItems() override {
    rows.clear();
    selected = -1;
  }
  int GetColumnCount() override { return static_cast<int>(columns.size()); }
  void DeleteColumn(int column) override {
    calls.push_back("delete " + std::to_string(column));
    columns.erase(columns.begin() + column);
  }
  void InsertColumn(int column, const std::string& title, int width) override {
    calls.push_back("insert " + std::to_string(column) + " " + std::to_string(width));
    columns.insert(columns.begin() + column, Column{title, width});
  }
  void SetColumnWidth(int column, int width) override { columns.at(column).width = width; }
  int GetColumnWidth(int column) override { return columns.at(column).width; }
  // Seven pixels a byte: enough to tell the initial widths apart.
  int GetStringWidth(const std::string& text) override { return 7 * static_cast<int>(text.size()); }
  int GetWidth() override { return width; }
  int InsertItem(int row, const std::string& text, int itemData) override {
    Row r;
    r.text[0] = text;
    r.data = itemData;
    rows.insert(rows.begin() + row, r);
    return row;
  }
  void SetItemText(int row, int column, const std::string& text) override { rows.at(row).text[column] = text; }
  std::string GetItemText(int row, int column) override { return rows.at(row).text[column]; }
  void Show() override { shown = true; }
  void Hide() override { shown = false; }
  bool enabled = false;
  void Enable(bool enable) override { enabled = enable; }
  int focused = 0;
  void Focus() override { ++focused; }
  int GetSelectedRow() override { return selected; }
  std::vector<int> selections;  // rows selected for the moment, in order
  void SelectRow(int row) override {
    selections.push_back(row);
    selected = row;
  }
  void SelectAndReveal(int row) override { selected = row; }

  // What the user does with the space bar.
  void Tick(int row, bool on) { rows.at(row).state = on ? kCheckedStateImage : kUncheckedStateImage; }
  bool Ticked(int row) const { return rows.at(row).state == kCheckedStateImage; }
  // The row that shows `key`; -1 when none does.
  int RowOf(const std::string& key) const {
    for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
      if (rows[row].text[1] == key) return row;
    }
    return -1;
  }
};

class FakeControls : public DialogControls {
 public:
  std::map<SettingCategory, bool> categoryEnabled;
  bool editEnabled = false;
  int extraTextHidden = 0;

  void EnableCategoryButton(SettingCategory category, bool enable) override { categoryEnabled[category] = enable; }
  void EnableEditButton(bool enable) override { editEnabled = enable; }
  void HideExtraText() override {
    ++extraTextHidden;
    extraTextShown = false;
  }
  std::string extraText;
  bool extraTextShown = false;
  void ShowExtraText(const std::string& text) override {
    extraText = text;
    extraTextShown = true;
  }
  bool saveOnlyChecked = true;
  bool SaveOnlyChecked() override { return saveOnlyChecked; }

  bool editingControlsShown = false;
  void ShowEditingControls(bool editing) override { editingControlsShown = editing; }
  int height = 0;  // the dialog's growth so far
  void GrowDialog(int pixels) override { height += pixels; }
  std::string startButtonText;
  void SetStartButtonText(const std::string& text) override { startButtonText = text; }
  bool skinSelected = true;
  std::string skinName;
  bool SelectedSkinName(std::string& name) override {
    name = skinName;
    return skinSelected;
  }
  std::string chosenSkinText;
  void SetChosenSkinText(const std::string& text) override { chosenSkinText = text; }
  std::vector<std::int32_t> sent;  // messages sent to the dialog
  void SendDialogMessage(std::int32_t message) override { sent.push_back(message); }
};

// Records what the preview was asked to show: "hide", "image <folder>|<name>
// on <background>", "color <text>", "show".
class FakePreview : public Preview {
 public:
  bool exists = true;
  std::vector<std::string> calls;
  std::string folder;
  std::uint32_t background = 0;
  std::vector<std::string> states;  // of the image last set

  bool Exists() override { return exists; }
  void Hide() override { calls.push_back("hide"); }
  void SetBackground(std::uint32_t color) override { background = color; }
  void SetImageFolder(const std::string& f) override { folder = f; }
  void SetImageName(const std::string& name) override {
    calls.push_back("image " + folder + "|" + name + " on " + std::to_string(background));
  }
  void SetImageStates(const std::vector<std::string>& names) override { states = names; }
  void SetColorText(const std::string& text) override { calls.push_back("color " + text); }
  void RedrawAndShow() override { calls.push_back("show"); }
  void CheckFileChanged() override { calls.push_back("check file"); }
};

// Answers each edit with `answer`, after letting `edit` change the item.
class FakeValueEditor : public ValueEditor {
 public:
  std::vector<EditRequest> requests;
  EditAnswer answer = EditAnswer::Ok;
  void (*edit)(SettingItem&) = nullptr;

  EditAnswer Edit(const EditRequest& request, SettingItem& edited) override {
    requests.push_back(request);
    if (edit) edit(edited);
    return answer;
  }
};

class FakeClipboard : public Clipboard {
 public:
  std::string text;
  int puts = 0;
  std::string GetText() override { return text; }
  void PutText(const std::string& t) override {
    if (t.empty()) return;
    text = t;
    ++puts;
  }
};

class FakeRowMenu : public RowMenu {
 public:
  int choice = row_menu::None;
  std::vector<RowMenuEntry> shown;
  int Choose(const std::vector<RowMenuEntry>& entries) override {
    shown = entries;
    return choice;
  }
};

class FakeMessages : public Messages {
 public:
  std::vector<std::string> shown;
  std::vector<int> seconds;
  void Alert(const std::string& text) override {
    shown.push_back(text);
    seconds.push_back(0);
  }
  void Report(const std::string& text, int s) override {
    shown.push_back(text);
    seconds.push_back(s);
  }
  std::vector<std::string> warnings;
  void Warn(const std::string& text) override { warnings.push_back(text); }
  // Answers given in turn to the save question; Cancel once they run out.
  std::vector<Answer> answers;
  std::vector<bool> questions;  // cancelIsDefault of each question asked
  Answer AskToSave(bool cancelIsDefault) override {
    questions.push_back(cancelIsDefault);
    return NextAnswer(answers, Answer::Cancel);
  }
  // The questions before a save, answered in turn; Yes once they run out.
  std::vector<std::string> saveQuestions;
  std::vector<bool> confirmAnswers;
  bool ConfirmSave(const std::string& text) override {
    saveQuestions.push_back(text);
    return NextAnswer(confirmAnswers, true);
  }
  // Yes/no questions, answered in turn; No once the answers run out.
  std::vector<std::string> yesNoQuestions;
  std::vector<bool> yesNoAnswers;
  bool AskYesNo(const std::string& text) override {
    yesNoQuestions.push_back(text);
    return NextAnswer(yesNoAnswers, false);
  }

 private:
  // The first of the answers waiting, taken; `whenNone` once they run out.
  template <typename T>
  static T NextAnswer(std::vector<T>& waiting, T whenNone) {
    if (waiting.empty()) return whenNone;
    const T answer = waiting.front();
    waiting.erase(waiting.begin());
    return answer;
  }
};

}  // namespace orlavix
