// The main dialog's controls, other than the item list, as the editor logic
// drives them.
#pragma once

#include <cstdint>
#include <string>

#include "model/categories.h"

namespace orlavix {

class DialogControls {
 public:
  virtual ~DialogControls() = default;

  // The button that shows a category ("&OPT", "全体(&G)", "色(&C)",
  // "コントロール(&T)", "拡張(&N)"); never called for Report.
  virtual void EnableCategoryButton(SettingCategory category, bool enable) = 0;
  // "編集(&E)".
  virtual void EnableEditButton(bool enable) = 0;
  // The text box of the other sections' view.
  virtual void HideExtraText() = 0;
  // Shows the text, read-only, in that box with the focus and the caret at
  // its start, scrolled into view.
  virtual void ShowExtraText(const std::string& text) = 0;
  // Whether "チェックが入っている項目のみ保存(&V)" is ticked (on at start-up).
  virtual bool SaveOnlyChecked() = 0;

  // Shows the controls of editing mode (the chosen skin's name, the category
  // buttons and label, the item list, the save-only-checked box, "編集(&E)",
  // "適用(&A)") and hides those of choosing (skin list, browse), or the reverse.
  virtual void ShowEditingControls(bool editing) = 0;
  // Makes the dialog taller (or shorter, when negative), keeping its left,
  // top and width.
  virtual void GrowDialog(int pixels) = 0;
  // The start button's caption ("編集開始(&H)" / "変更(&H)").
  virtual void SetStartButtonText(const std::string& text) = 0;
  // The skin list's selected entry; false when nothing is selected.
  virtual bool SelectedSkinName(std::string& name) = 0;
  // The read-only field that names the skin being edited.
  virtual void SetChosenSkinText(const std::string& text) = 0;
  // Sends the dialog a private message (wParam and lParam 0), as the option
  // commands do; returns once it has been handled.
  virtual void SendDialogMessage(std::int32_t message) = 0;
};

}  // namespace orlavix
