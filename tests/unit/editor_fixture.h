// What the editor's fixtures share: the fakes it runs on, and a skin of its
// own to edit.
#pragma once

#include <filesystem>
#include <string>

#include "editor/editor_dialog.h"
#include "support/paths.h"
#include "tests/unit/editor_fakes.h"
#include "tests/unit/host_fakes.h"
#include "tests/unit/test_files.h"

namespace orlavix {

// A base of the fixture, so that the fakes stand before the EditorDialog the
// fixture builds on them.
struct EditorFakes {
  FakeItemList list;
  FakeControls controls;
  FakeMessages messages;
  FakeHostControls hostControls;
  FakeHostServices host;
};

// Writes the skin "Aqua" (an author and one colour) into the skins folder
// `dir` and enters it as the start button does; the path of its skin.ini.
inline std::string StartEditingAqua(EditorDialog& dialog, FakeControls& controls, const testing::TempDir& dir) {
  dialog.PrepareCatalogues();
  const std::string skin = dir.File("Aqua");
  std::filesystem::create_directories(skin);
  const std::string ini = JoinPath(skin, "skin.ini");
  testing::WriteBytes(ini, "[General]\r\nAuthor=Ann\r\n[Colors]\r\nMenuText=#ff0000\r\n");
  dialog.skinsFolder = dir.File("");
  controls.skinName = "Aqua";
  dialog.ToggleEditing();
  return ini;
}

}  // namespace orlavix
