// The main dialog's controls, other than the item list, as the editor logic
// drives them.
#pragma once

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
  // Hides the preview window when it exists.
  virtual void HidePreview() = 0;
  // Whether "チェックが入っている項目のみ保存(&V)" is ticked (on at start-up).
  virtual bool SaveOnlyChecked() = 0;
};

}  // namespace orlavix
