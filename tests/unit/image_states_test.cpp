// The states an image setting's description names, checked against every
// image row of the catalogues, and how an image divides into its frames.
#include "model/image_states.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "model/catalogues.h"
#include "support/mbtext.h"

namespace orlavix {
namespace {

std::string Joined(const std::vector<std::string>& states) {
  std::string out;
  for (const std::string& s : states) out += (out.empty() ? "" : "|") + s;
  return out;
}

// Every image row whose description names states; every other image row of
// the catalogues (the tab rows' "[上、左、下、右]", "[スプリッタ]" and the
// rows without a list among them) names none.
TEST(ImageStatesTest, EveryImageRowOfTheCatalogues) {
  struct Row {
    const char* key;
    int count;
    const char* states;  // UTF-8, '|' between states
  };
  const Row stated[] = {
      {"BackgroundCloseSkin", 3, "通常|ホバー|押下"},
      {"ButtonSkin", 5, "通常|フォーカス|押下|無効|ホバー"},
      {"FlatButtonSkin", 2, "ホバー|押下"},
      {"TabCloseSkin", 3, "通常|ホバー|押下"},
      {"TabScrollSkin", 3, "通常|ホバー|押下"},
      {"SelectTabCloseSkin", 2, "フォーカスあり|フォーカスなし"},
      {"ExplorerBarCloseSkin", 6,
       "アクティブ/通常|アクティブ/ホバー|アクティブ/押下|非アクティブ/通常|非アクティブ/ホバー|非アクティブ/押下"},
      {"ExplorerBarTitleSkin", 2, "アクティブ時|非アクティブ時"},
      {"EditSkin", 2, "通常|ホバー"},
      {"ComboBoxSkin", 6, "通常|ホバー|ドロップ中/通常|ドロップ中/ホバー|ドロップ中/押下|▼"},
      {"ToolBarSkin", 3, "フォーカス|押下|ホバー"},
      {"StatusBarSkin", 3, "影|ペイン|表面"},
      {"MenuSkin", 4, "通常|フォーカス|押下|ホバー"},
      {"TitleBarCloseButtonSkin", 5, "通常|ホバー|押下|非アクティブ|無効"},
  };
  std::map<std::string, const Row*> expected;
  for (const Row& row : stated) expected[row.key] = &row;

  int imageRows = 0, statedRows = 0;
  for (int c = 1; c < kCategoryCount; ++c) {
    SettingCatalogue catalogue;
    BuildCatalogue(static_cast<SettingCategory>(c), catalogue);
    for (int i = 0; i < catalogue.Count(); ++i) {
      const SettingItem& item = catalogue.At(i);
      if (item.kind != SettingKind::ImageFile) continue;
      ++imageRows;
      SCOPED_TRACE(item.key);
      const std::vector<std::string> states = ImageStates(item.description);
      const auto found = expected.find(item.key);
      if (found == expected.end()) {
        EXPECT_TRUE(states.empty()) << AnsiToUtf8(Joined(states));
        continue;
      }
      ++statedRows;
      EXPECT_EQ(static_cast<int>(states.size()), found->second->count);
      EXPECT_EQ(AnsiToUtf8(Joined(states)), found->second->states);
    }
  }
  EXPECT_EQ(imageRows, 70);
  EXPECT_EQ(statedRows, static_cast<int>(expected.size()));
}

// Descriptions the catalogues do not hold, read by character: "ー" ends in
// the byte of '[' and "‐" in that of ']'.
TEST(ImageStatesTest, ListsReadByCharacter) {
  struct Case {
    const char* description;  // UTF-8
    const char* states;
  };
  const Case cases[] = {
      {"ボーダー [通常、ホバー]", "通常|ホバー"},
      {"ボーダー", ""},
      {"ボタン [通常、ホバー", ""},
      {"ボタン [通常‐1、通常‐2]", "通常‐1|通常‐2"},
      {"ボタン [ 通常 、 ホバー ]", "通常|ホバー"},
      {"ボタン [一つ(通常)]", ""},
      {"ボタン [A(通常、ホバー)、B]", "A/通常|A/ホバー|B"},
      {"ボタン [通常、押下] と [無効]", "通常|押下"},
      {"", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AnsiToUtf8(Joined(ImageStates(J(c.description)))), c.states) << c.description;
  }
}

TEST(ImageStatesTest, FramesSplitAlongTheSideTheCountDivides) {
  using S = StateFrames;
  struct Case {
    std::int64_t width, height;
    int count;
    S::Split split;
    std::int64_t frameWidth, frameHeight;
  };
  const Case cases[] = {
      {360, 24, 5, S::Across, 72, 24},    // a strip side by side
      {72, 120, 5, S::Down, 72, 24},      // a strip stacked
      {301, 62, 5, S::None, 0, 0},        // neither divides
      {301, 60, 5, S::Down, 301, 12},     // the height does
      {60, 60, 3, S::Across, 20, 60},     // both: a tie goes across
      {30, 15, 3, S::Across, 10, 15},     // both: 10 x 15 is nearer square than 30 x 5
      {15, 30, 3, S::Down, 15, 10},       // both: 15 x 10 is nearer square than 5 x 30
      {0, 24, 5, S::None, 0, 0},          // size unknown
      {360, 24, 1, S::None, 0, 0},        // one state is no strip
      {2147483646, 2147483646, 2, S::Across, 1073741823, 2147483646},  // no overflow
  };
  for (const Case& c : cases) {
    const StateFrames frames = ChooseStateFrames(c.width, c.height, c.count);
    SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height) + " / " + std::to_string(c.count));
    EXPECT_EQ(frames.split, c.split);
    EXPECT_EQ(frames.frameWidth, c.frameWidth);
    EXPECT_EQ(frames.frameHeight, c.frameHeight);
  }
}

}  // namespace
}  // namespace orlavix
