// The main dialog's behaviour, free of any window: it owns the catalogues and
// the skin's text and drives the item list and the other controls through
// small interfaces. The Win32 dialog forwards its messages here.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "document/skin_document.h"
#include "document/skin_writer.h"
#include "editor/backups.h"
#include "editor/clipboard.h"
#include "editor/dialog_controls.h"
#include "editor/edit_history.h"
#include "editor/host_controls.h"
#include "editor/item_list.h"
#include "editor/key_search.h"
#include "editor/preview.h"
#include "editor/row_menu.h"
#include "editor/skin_merge.h"
#include "editor/value_editor.h"
#include "model/categories.h"
#include "model/setting_catalogue.h"
#include "platform/files.h"
#include "platform/host_services.h"
#include "support/messages.h"

namespace orlavix {

struct SkinOnDisk;

// Titles and widths of a category's three columns.
struct ColumnSet {
  const char* titles[3];  // UTF-8
  int widths[3];
};

class EditorDialog {
 public:
  // Without host controls: the host location is empty and there are no skins
  // to choose; the system's services are used.
  EditorDialog(ItemList& itemList, DialogControls& controls, Messages& messages);
  EditorDialog(ItemList& itemList, DialogControls& controls, Messages& messages, HostControls& hostControls,
               platform::HostServices& hostServices);
  EditorDialog(const EditorDialog&) = delete;
  EditorDialog& operator=(const EditorDialog&) = delete;

  // The windows the item commands use. Until attached (or for a null one),
  // there is no preview, every edit is cancelled, the clipboard is empty and
  // the row menu is dismissed.
  struct ItemTools {
    Preview* preview = nullptr;
    ValueEditor* valueEditor = nullptr;
    Clipboard* clipboard = nullptr;
    RowMenu* rowMenu = nullptr;
  };
  void AttachItemTools(const ItemTools& tools);

  // Stores the list's ticks, switches the list to a category (1 to 5), and
  // builds and loads its catalogue the first time it is shown while empty.
  void ShowCategory(SettingCategory category);
  // Copies the list's check boxes into the catalogue on display; nothing
  // while a skin is being chosen or no catalogue is shown.
  void StoreCheckMarks();
  // The catalogue of currentCategory; for Report, a shared catalogue that is
  // emptied at every such call.
  SettingCatalogue& CurrentCatalogue();
  SettingCatalogue& CatalogueOf(SettingCategory category);

  // Empties the list and its columns, hides the preview and the extra text,
  // and enables every category button but the current one.
  void ClearItemList();
  // The column set of currentCategory, then RefitColumns.
  void SetupColumns();
  // One row per item, in catalogue order.
  void FillItemList(const SettingCatalogue& catalogue, bool enableEdit);
  // Writes the skin back from the four catalogues and the other sections on
  // disk, after a numbered backup; confirms and clears `modified` on success.
  // Settings that another program changed in the file since it was loaded or
  // saved are taken into the catalogues; when both sides changed one, and
  // when the file holds something that the save would leave out or change,
  // asks first; a No writes nothing and changes nothing. A file that exists
  // but cannot be read is not written. True when the file was written.
  // With the option KeepUnknownLines, what the file on disk holds that the
  // catalogues do not carry is written back too (KeptLines), with the values
  // of items not changed since editing began as the file writes them.
  bool SaveSkinFile();

  // The main dialog became active: when skin.ini changed on disk since it was
  // loaded or saved and nothing is edited, its settings are read again, the
  // list keeping its category, selected row and scroll position. Nothing
  // while a skin is being chosen or saved.
  void FollowFileOnDisk();

  // Shares the list's width among its three columns, leaving room for the
  // vertical scroll bar.
  void RefitColumns();

  // The start button: from choosing a skin to editing the selected one (every
  // section loaded, the list on General), or back, asking first whether to
  // save unsaved edits. Nothing happens when the skin has no skin.ini.
  void ToggleEditing();
  // Shows the selected row's image or colour in the preview, or hides it.
  void RefreshPreview();
  // Sorts the shown catalogue by a column, toggling its order, and selects
  // the previously selected key again.
  void SortByColumn(int column);
  // A key pressed in the item list, before the list moves its selection: the
  // preview shows at once the row an arrow key is about to select.
  void HandleListKey(int selectedRow, int virtualKey);
  // A row's check box changed (space bar, click, row menu): the catalogue
  // takes the tick as one undo step, and a colour preview of the selected row
  // follows its box.
  void CheckBoxChanged(int row);
  // A character typed in the item list: letters, digits and '_' select the
  // first row whose key begins with what was typed, Backspace takes the last
  // one back. True when the character is the editor's (every printable one
  // and Backspace), so that the list runs no search of its own.
  bool TypeInList(int character);

  // The item behind a row, as a copy; an empty item for report rows.
  SettingItem SelectedRowItem(int row);
  // Edits the selected row's item, or runs it when it is a command.
  void EditSelectedItem();
  // A double click on a row: edits its item, or follows a report row (see
  // GoToReportedFile). True when the list's rows changed under the click, so
  // that the list must not go on with its own processing of it.
  bool ActivateRow(int row);
  // The row menu for a row: edit, tick or untick, copy, append a copy.
  void ShowRowMenu(int row);
  // Puts the row's line on the clipboard, or appends it to the clipboard's text.
  void CopyRowText(int row, bool append);

  // Sets the editor up as its dialog opens: takes the item tools, fills the
  // skin list, builds the options and takes `commandLine` (see
  // TakeCommandLine). Called once, before anything else.
  void Start(const std::string& commandLine, const ItemTools& tools);
  // Builds the editor options once, at start-up, and leaves the dialog
  // choosing a skin with the four section catalogues empty.
  void PrepareCatalogues();
  // Takes `commandLine` as the path of the host executable (or a shortcut to
  // it) when it names an existing file.
  void TakeCommandLine();
  // Refills the skin list from the skins folder of the host location and
  // preselects the skin that the host uses.
  void RescanSkins();
  // Lets the person pick the host executable.
  void BrowseForHost();
  // Dropped files: the first existing one becomes the host location while a
  // skin is being chosen; nothing happens while editing.
  void DropFiles(const std::vector<std::string>& paths);
  // The options' three commands on the whole skin: start the host with this
  // skin, list the unused and missing image files, show the other sections.
  void RunHostWithSkin();
  void CheckSkinFiles();
  void ShowExtraText();
  // From a report row of a missing file to the Controls row whose value names
  // it (case-blind). True when the row was such a report row.
  bool GoToReportedFile(int row);

  // The options' command that lists the numbered backups of skin.ini, newest
  // first, each with how many settings it would change.
  void ShowBackups();
  // A backup row chosen: asks, then puts the backup's values and ticks into
  // the catalogues as one undo step and shows the first of them. True when
  // the list's rows changed.
  bool RestoreBackup(int row);

  // Takes back the last step done, or does again the last one undone: the
  // catalogues follow, the list shows the step's category with its first
  // row selected, and `modified` says whether the values differ from the file.
  void Undo();
  void Redo();
  bool CanUndo() const { return !choosingSkin && history_.CanUndo(); }
  bool CanRedo() const { return !choosingSkin && history_.CanRedo(); }
  // A key pressed anywhere in the dialog while editing, before any control
  // has it: undo and redo, and Enter on the list of backups. True when the
  // editor took it.
  bool DialogKey(int virtualKey, bool control, bool shift, bool alt, bool inItemList);

  // A change of the catalogues made in one piece outside the item commands
  // (a reload, a merge): BeginStep before it and EndStep after it make it
  // one undo step, `modified` follows, and the list shows the new values. A
  // reload that leaves the catalogues as the file is calls MarkSaved after
  // EndStep.
  CatalogueValues BeginStep();
  void EndStep(const CatalogueValues& before);
  // The catalogues now hold what skin.ini holds (just loaded or saved):
  // `modified` is false until they differ from this again.
  void MarkSaved();

  // "適用(&A)" (or Enter, even while the button is hidden): saves, unless a
  // skin is being chosen.
  void Apply();
  // "終了(&X)": asks about unsaved changes. True when the dialog may end;
  // a cancelled question or a save that failed keeps it open.
  bool Close();

  // The editor's state; other parts of the dialog read and change it.
  std::string commandLine;
  bool choosingSkin = true;
  bool modified = false;
  SettingCategory currentCategory = SettingCategory::Report;
  std::string skinsFolder;  // with its trailing separator
  std::string skinFolder;   // skinsFolder + skin name + separator
  std::string skinIniPath;
  SkinDocument skinText;
  std::string extraText;
  // The same sections as the file's own UTF-8 bytes: what a save carries over.
  std::string extraBytes;

  SettingCatalogue optionItems;
  SettingCatalogue generalItems;
  SettingCatalogue colorItems;
  SettingCatalogue controlItems;
  SettingCatalogue settingItems;

 private:
  bool RowChecked(int row);
  // Switches the list to a category without storing its ticks first.
  void DisplayCategory(SettingCategory category);
  void SetupColumns(const ColumnSet& set);
  // The values and ticks of the five catalogues.
  CatalogueValues CurrentValues();
  // A tick given in the list reaches the catalogue as an undo step.
  void RecordTick(int row);
  void RecordStep(EditStep step);
  void ApplyStep(const EditStep& step, bool forward);
  void ShowStep(const EditStep& step);
  void UpdateModified();
  // Asks before a save that would leave out or change what the file holds;
  // true when the save may go on. With `kept`, fills it from the same read
  // with what the save keeps.
  bool ConfirmLosses(KeptLines* kept);

  // General, Colors, Controls, Settings by index, as SkinValues counts them.
  SettingCatalogue& SkinCatalogue(int section);
  // The four sections' settings as a save would write them.
  SkinValues WrittenValues();
  // Starts editing from the file as read: its catalogues and what it held.
  void LoadFromDisk(SkinOnDisk& disk);
  // The one place where settings of the file on disk replace the editor's,
  // for a merge before a save and for following the file: the catalogues,
  // then the rows shown and the preview.
  void TakeFromFile(const SkinOnDisk& disk, const std::vector<SettingRef>& settings);
  // The value and tick cells of the rows shown, from their catalogue.
  void RefreshShownRows();
  // What the file held when this editor last loaded or saved it.
  void RememberFile(const SkinValues& values, const platform::FileStamp* stamp);
  void ShowEditing(bool editing);

  ItemList& itemList_;
  DialogControls& controls_;
  Messages& messages_;
  HostControls& hostControls_;
  platform::HostServices& hostServices_;
  SettingCatalogue noCatalogue_;
  ItemTools tools_;
  KeySearch keySearch_;
  // The missing files of the report last shown, in the order of its rows.
  std::vector<std::string> missingFiles_;
  // skin.ini as this editor last loaded or saved it: what a merge compares
  // with, and the stamp that tells whether to look at the file again.
  struct KnownFile {
    bool known = false;
    bool stamped = false;
    platform::FileStamp stamp;
    SkinValues values;
  };
  KnownFile file_;
  // A save is under way: its questions' boxes activate the dialog again.
  bool saving_ = false;
  // The backups listed, in the order of the rows; empty unless the list
  // shows them.
  std::vector<BackupFile> backups_;
  EditHistory history_;
  // What the catalogues held when skin.ini was last loaded or saved; none
  // when that is not known, and then every step leaves them modified.
  std::optional<CatalogueValues> savedValues_;
  // The items whose value the person changed since editing began.
  std::set<std::pair<SettingCategory, std::string>> changedItems_;
};

// The clipboard line of a row: its cells joined by tabs, a tab put only after
// text already collected, and one line feed at the end unless it is empty.
std::string RowLine(const std::vector<std::string>& cells);

const ColumnSet& ColumnSetOf(SettingCategory category);

// The warning shown when skin.ini could not be saved, with its reason where
// one is known.
std::string SaveFailureText(SaveError error);

}  // namespace orlavix
