// Going back: the history's steps, undo and redo through the editor with its
// list and saves, and what `modified` says at each point.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "editor/edit_history.h"
#include "editor/editor_dialog.h"
#include "model/catalogues.h"
#include "support/mbtext.h"
#include "support/paths.h"
#include "tests/unit/editor_fixture.h"
#include "tests/unit/test_files.h"

namespace orlavix {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

EditStep StepOf(const std::string& key) {
  SettingItem before(SettingKind::Text, false, "", key, "");
  SettingItem after(SettingKind::Text, true, "", key, "x");
  return {{SettingCategory::General, before, after}};
}

TEST(EditHistoryTest, UndoRedoAndANewStepDroppingWhatWasUndone) {
  // Each row: an action ("do K", "undo", "redo", "empty"), the key of the
  // step it hands back ("" for none), then whether undo and redo are possible.
  struct Row {
    const char* action;
    const char* step;
    bool canUndo, canRedo;
  };
  const Row rows[] = {
      {"undo", "", false, false},   {"do A", "", true, false},    {"do B", "", true, false},
      {"undo", "B", true, true},    {"undo", "A", false, true},   {"undo", "", false, true},
      {"redo", "A", true, true},    {"empty", "", true, true},    // a step of nothing keeps the redo
      {"do C", "", true, false},    {"redo", "", true, false},    // B is gone
      {"undo", "C", true, true},    {"undo", "A", false, true},   {"redo", "A", true, true},
      {"redo", "C", true, false},
  };
  EditHistory history;
  for (const Row& row : rows) {
    const std::string action = row.action;
    const EditStep* step = nullptr;
    if (action == "undo") step = history.Undo();
    if (action == "redo") step = history.Redo();
    if (action == "empty") history.Record({});
    if (action.rfind("do ", 0) == 0) history.Record(StepOf(action.substr(3)));
    EXPECT_EQ(step ? step->front().before.key : "", row.step) << action;
    EXPECT_EQ(history.CanUndo(), row.canUndo) << action << " " << row.step;
    EXPECT_EQ(history.CanRedo(), row.canRedo) << action << " " << row.step;
  }
  history.Clear();
  EXPECT_FALSE(history.CanUndo());
  EXPECT_FALSE(history.CanRedo());
}

TEST(EditHistoryTest, KeysOfUndoAndRedo) {
  struct Row {
    int key;
    bool control, shift, alt;
    EditKey expected;
  };
  const Row rows[] = {
      {'Z', true, false, false, EditKey::Undo},  {'Z', true, true, false, EditKey::Redo},
      {'Y', true, false, false, EditKey::Redo},  {'Y', true, true, false, EditKey::None},
      {'Z', false, false, false, EditKey::None}, {'Z', true, false, true, EditKey::None},
      {'X', true, false, false, EditKey::None},  {0x0D, true, false, false, EditKey::None},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(EditKeyOf(row.key, row.control, row.shift, row.alt), row.expected)
        << row.key << row.control << row.shift << row.alt;
  }
}

// The editor on a skin.ini of its own, entered as the start button does.
class EditorUndoTest : public ::testing::Test, public EditorFakes {
 protected:
  EditorUndoTest() : dialog(list, controls, messages, hostControls, host) {
    dialog.AttachItemTools({&preview, &editor, &clipboard, &menu});
    ini = StartEditingAqua(dialog, controls, dir);
  }

  int RowOf(const std::string& key) const { return list.RowOf(key); }
  std::string ShownKey() { return list.selected < 0 ? "" : list.rows[list.selected].text[1]; }
  void Edit(SettingCategory category, const std::string& key, const char* value) {
    dialog.ShowCategory(category);
    list.selected = RowOf(key);
    static std::string text;
    text = value;
    editor.edit = [](SettingItem& item) {
      item.ParseValue(text);
      item.checked = true;
    };
    dialog.EditSelectedItem();
  }
  void Tick(SettingCategory category, const std::string& key, bool on) {
    dialog.ShowCategory(category);
    list.Tick(RowOf(key), on);
    dialog.CheckBoxChanged(RowOf(key));
  }

  TempDir dir;
  std::string ini;
  FakePreview preview;
  FakeValueEditor editor;
  FakeClipboard clipboard;
  FakeRowMenu menu;
  EditorDialog dialog;
};

TEST_F(EditorUndoTest, StepsUndoneAndRedoneWithModifiedFollowingTheSavedState) {
  ASSERT_FALSE(dialog.choosingSkin);
  EXPECT_FALSE(dialog.CanUndo());
  // Each row: what the person does, then the Author and the tick of
  // MenuHighlight in the catalogues, `modified`, whether undo and redo are
  // possible, and the category and row the list shows afterwards.
  struct Row {
    const char* what;
    std::function<void()> act;
    const char* author;
    bool highlightTicked, modified, canUndo, canRedo;
    SettingCategory shown;
    const char* selected;
  };
  using C = SettingCategory;
  const Row rows[] = {
      {"edit Author", [&] { Edit(C::General, "Author", "Bob"); }, "Bob", false, true, true, false, C::General,
       "Author"},
      {"tick", [&] { Tick(C::Colors, "MenuHighlight", true); }, "Bob", true, true, true, false, C::Colors, ""},
      {"leave the list on Settings", [&] { dialog.ShowCategory(C::Settings); }, "Bob", true, true, true, false,
       C::Settings, "ActiveTabBold"},
      {"undo the tick", [&] { dialog.Undo(); }, "Bob", false, true, true, true, C::Colors, "MenuHighlight"},
      {"undo the edit", [&] { dialog.Undo(); }, "Ann", false, false, false, true, C::General, "Author"},
      {"undo, nothing left", [&] { dialog.Undo(); }, "Ann", false, false, false, true, C::General, ""},
      {"redo the edit", [&] { dialog.Redo(); }, "Bob", false, true, true, true, C::General, "Author"},
      {"save", [&] { dialog.Apply(); }, "Bob", false, false, true, true, C::General, ""},
      {"undo past the save", [&] { dialog.Undo(); }, "Ann", false, true, false, true, C::General, "Author"},
      {"redo to the save", [&] { dialog.Redo(); }, "Bob", false, false, true, true, C::General, "Author"},
      {"redo the tick", [&] { dialog.Redo(); }, "Bob", true, true, true, false, C::Colors, "MenuHighlight"},
      {"sort by key, undo and redo: found by key",
       [&] {
         list.selected = RowOf("MenuText");
         dialog.SortByColumn(1);
         dialog.Undo();
         EXPECT_FALSE(dialog.modified);
         dialog.Redo();
       },
       "Bob", true, true, true, false, C::Colors, "MenuHighlight"},
      {"untick by hand", [&] { Tick(C::Colors, "MenuHighlight", false); }, "Bob", false, false, true, false,
       C::Colors, ""},
      {"undo the untick", [&] { dialog.Undo(); }, "Bob", true, true, true, true, C::Colors, "MenuHighlight"},
      {"an edit confirmed unchanged is no step", [&] { Edit(C::General, "Author", "Bob"); }, "Bob", true, true,
       true, true, C::General, "Author"},
      {"a new step drops the redo", [&] { Edit(C::General, "Version", "2"); }, "Bob", true, true, true, false,
       C::General, "Version"},
  };
  for (const Row& row : rows) {
    list.selected = -1;
    row.act();
    SCOPED_TRACE(row.what);
    EXPECT_EQ(dialog.generalItems.FindCopy("Author").text, row.author);
    EXPECT_EQ(dialog.colorItems.FindCopy("MenuHighlight").checked, row.highlightTicked);
    EXPECT_EQ(dialog.modified, row.modified);
    EXPECT_EQ(dialog.CanUndo(), row.canUndo);
    EXPECT_EQ(dialog.CanRedo(), row.canRedo);
    EXPECT_EQ(dialog.currentCategory, row.shown);
    if (*row.selected) {
      EXPECT_EQ(ShownKey(), row.selected);
    }
    // The list shows what the catalogues hold.
    if (row.shown == C::General) {
      EXPECT_EQ(list.rows[RowOf("Author")].text[2], row.author);
    }
    if (row.shown == C::Colors) {
      EXPECT_EQ(list.Ticked(RowOf("MenuHighlight")), row.highlightTicked);
    }
  }
  // Saved once, with Bob; the undo after it wrote nothing.
  EXPECT_NE(ReadBytes(ini).find("Author=Bob"), std::string::npos);

  // Closing asks only while the values differ from the file.
  messages.answers = {Messages::Answer::Cancel};
  EXPECT_FALSE(dialog.Close());
  EXPECT_EQ(messages.questions.size(), 1u);
  dialog.Undo();
  dialog.Undo();
  EXPECT_FALSE(dialog.modified);
  EXPECT_TRUE(dialog.Close());
  EXPECT_EQ(messages.questions.size(), 1u);

  // Leaving and entering again starts a new history; keys do nothing between.
  dialog.ToggleEditing();
  EXPECT_FALSE(dialog.CanRedo());
  EXPECT_FALSE(dialog.DialogKey('Y', true, false, false, false));
  dialog.ToggleEditing();
  EXPECT_FALSE(dialog.CanUndo());
  EXPECT_FALSE(dialog.CanRedo());
  EXPECT_FALSE(dialog.modified);
}

}  // namespace
}  // namespace orlavix
