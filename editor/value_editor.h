// The dialog that edits one value, as the editor logic calls it: a copy of
// the item goes in, the edited copy comes out when the person confirms.
#pragma once

#include <string>

#include "model/setting_item.h"

namespace orlavix {

// The modal answer; the numbers are those of the OK and Cancel buttons.
enum class EditAnswer { Ok = 1, Cancel = 2 };

struct EditRequest {
  SettingItem item;
  bool showBrowse = false;   // the file browse button, for control images
  std::string imageFolder;   // where that browser starts
  bool useColorChooser = true;
};

class ValueEditor {
 public:
  virtual ~ValueEditor() = default;
  // Runs the editor modally; on Ok, `edited` holds the result (kind included).
  virtual EditAnswer Edit(const EditRequest& request, SettingItem& edited) = 0;
};

}  // namespace orlavix
