// The main dialog's behaviour, free of any window: it owns the catalogues and
// the skin's text and drives the item list and the other controls through
// small interfaces. The Win32 dialog forwards its messages here.
#pragma once

#include <string>

#include "document/skin_document.h"
#include "editor/dialog_controls.h"
#include "editor/item_list.h"
#include "model/categories.h"
#include "model/setting_catalogue.h"
#include "support/messages.h"

namespace orlavix {

class EditorDialog {
 public:
  EditorDialog(ItemList& itemList, DialogControls& controls, Messages& messages);
  EditorDialog(const EditorDialog&) = delete;
  EditorDialog& operator=(const EditorDialog&) = delete;

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
  // True when the file was written.
  bool SaveSkinFile();

  // Shares the list's width among its three columns, leaving room for the
  // vertical scroll bar.
  void RefitColumns();

  // The editor's state; other parts of the dialog read and change it.
  bool choosingSkin = true;
  bool initialised = false;
  bool modified = false;
  SettingCategory currentCategory = SettingCategory::Report;
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
  ItemList& itemList_;
  DialogControls& controls_;
  Messages& messages_;
  SettingCatalogue noCatalogue_;
};

// Titles and widths of a category's three columns.
struct ColumnSet {
  const char* titles[3];  // UTF-8
  int widths[3];
};
const ColumnSet& ColumnSetOf(SettingCategory category);

}  // namespace orlavix
