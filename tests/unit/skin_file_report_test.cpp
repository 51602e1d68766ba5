// The unused/missing image report: its rules by table, through a real
// controls folder and a real Controls catalogue, and against the step-by-step
// reference over random names.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "analysis/skin_file_report.h"
#include "model/catalogues.h"
#include "support/mbtext.h"
#include "tests/reference/skin_file_report_reference.h"
#include "tests/unit/test_files.h"

namespace orlavix {
namespace {

using Names = std::vector<std::string>;

TEST(SkinFileReportTest, RulesOfThePairing) {
  const std::string glass = kGlassDropDownFile;
  struct Case {
    const char* what;
    Names used, present;
    Names missing, unused;
  };
  const Case cases[] = {
      {"names compare in lower case", {"Tab.PNG"}, {"tab.png"}, {}, {}},
      {"one file named in two cases is one name, and not missing",
       {"Tab.PNG", "tab.png"}, {"tab.png"}, {}, {}},
      {"two cases of a missing name give one row", {"tab.png", "TAB.png"}, {}, {"tab.png"}, {}},
      {"the same name twice gives one row", {"logo.png", "logo.png"}, {}, {"logo.png"}, {}},
      {"the glass drop-down file is never unused", {}, {glass, "Toolbar_Drop_Down_Glass.PNG"}, {}, {}},
      {"but it is missing when named and absent", {glass}, {}, {glass}, {}},
      {"rows in the order of the names as written", {"b.png", "Z.png", "a.png", "c.png"}, {"c.png", "Y.BMP", "x.ico"},
       {"z.png", "a.png", "b.png"}, {"y.bmp", "x.ico"}},
      {"a file whose name repeats in another case stays unused once (case-sensitive systems)",
       {"tab.png"}, {"tab.png", "Tab.png"}, {}, {"tab.png"}},
      {"no folder: every used name is missing", {"b.png", "a.png"}, {}, {"a.png", "b.png"}, {}},
      {"full-width capitals fold too", {J("ＴＡＢ.png")}, {J("ｔａｂ.png")}, {}, {}},
      {"nothing at all", {}, {}, {}, {}},
  };
  for (const Case& c : cases) {
    const SkinFileReport report = CompareSkinFiles(c.used, c.present);
    EXPECT_EQ(report.missing, c.missing) << c.what;
    EXPECT_EQ(report.unused, c.unused) << c.what;
  }
}

// A Controls catalogue as the editor holds it, and a real controls folder.
TEST(SkinFileReportTest, ControlsCatalogueAgainstAFolder) {
  SettingCatalogue controls;
  BuildControlItems(controls);
  controls.SetFromText("TabSkin", "Tab.PNG", true);
  controls.SetFromText("LeftTabSkin", "tab.png", true);
  controls.SetFromText("ButtonSkin", "button.png", true);
  controls.SetFromText("LogoSkin", "logo.png", true);
  controls.SetFromText("MenuSkin", "menu.png", false);  // unticked: its file is unused
  controls.SetFromText("EditSkin", "", true);           // empty: names nothing
  controls.SetFromText("MenuItemFontName", "font.png", true);  // a Text item, not an image
  // The glass default stays unticked, so it names nothing either.
  EXPECT_EQ(UsedImageNames(controls), (Names{"Tab.PNG", "tab.png", "button.png", "logo.png"}));

  testing::TempDir dir;
  const std::filesystem::path folder = dir.path() / "controls";
  EXPECT_TRUE(PresentImageFiles(folder.string()).empty()) << "a missing folder lists nothing";
  const SkinFileReport noFolder = CompareSkinFiles(UsedImageNames(controls), PresentImageFiles(folder.string()));
  // Tab.PNG sorts before the lower-case names, as written.
  EXPECT_EQ(noFolder.missing, (Names{"tab.png", "button.png", "logo.png"}));
  EXPECT_TRUE(noFolder.unused.empty());

  std::filesystem::create_directories(folder / "old");
  for (const char* name : {"tab.png", "button.png", "menu.png", "font.png", kGlassDropDownFile}) {
    testing::WriteBytes(folder / name, "x");
  }
  testing::WriteBytes(folder / "old" / "skipped.png", "x");  // sub-folders are not entered
  Names present = PresentImageFiles(folder.string());
  std::sort(present.begin(), present.end());
  EXPECT_EQ(present, (Names{"button.png", "font.png", "menu.png", "tab.png", kGlassDropDownFile}));

  const SkinFileReport report = CompareSkinFiles(UsedImageNames(controls), PresentImageFiles(folder.string()));
  EXPECT_EQ(report.missing, (Names{"logo.png"}));
  EXPECT_EQ(report.unused, (Names{"font.png", "menu.png"}));
}

// Random names from a small alphabet, so that cases, repeats and pairs are
// common, checked against the step-by-step reference.
TEST(SkinFileReportTest, AgreesWithTheReferenceOverRandomNames) {
  std::mt19937 random(20261208);
  const std::vector<std::string> pieces = {"a", "A", "b", "B", "_", ".png", ".PNG", J("ａ"), J("Ａ"), J("表"),
                                           "toolbar_drop_down_glass.png", "Toolbar_Drop_Down_Glass.png"};
  const auto name = [&] {
    std::string s;
    const int length = 1 + static_cast<int>(random() % 3);
    for (int i = 0; i < length; ++i) s += pieces[random() % pieces.size()];
    return s;
  };
  for (int round = 0; round < 2000; ++round) {
    Names used(random() % 12), present(random() % 12);
    for (std::string& s : used) s = name();
    for (std::string& s : present) s = name();
    const SkinFileReport expected = reference::CompareSkinFiles(used, present);
    const SkinFileReport actual = CompareSkinFiles(used, present);
    ASSERT_EQ(actual.missing, expected.missing) << "round " << round;
    ASSERT_EQ(actual.unused, expected.unused) << "round " << round;
  }
}

}  // namespace
}  // namespace orlavix
