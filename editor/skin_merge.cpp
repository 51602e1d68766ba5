#include "editor/skin_merge.h"

#include "editor/save_question.h"
#include "support/mbtext.h"

namespace orlavix {

namespace {

constexpr std::size_t kNamedConflicts = 12;
constexpr std::size_t kShownCharacters = 40;

std::string ShownValue(const FileValue& value) { return value ? Clipped(*value, kShownCharacters) : J("(なし)"); }

}  // namespace

FileValue FileValueOf(const SettingItem& item) {
  if (!item.checked) return std::nullopt;
  std::string text = item.FormatValue();
  if (text.empty()) return std::nullopt;
  return text;
}

bool SkinValues::operator==(const SkinValues& other) const {
  for (int s = 0; s < 4; ++s) {
    if (sections[s] != other.sections[s]) return false;
  }
  return true;
}

SkinValues ValuesOf(const SettingCatalogue& general, const SettingCatalogue& colors,
                    const SettingCatalogue& controls, const SettingCatalogue& settings) {
  SkinValues values;
  const SettingCatalogue* catalogues[4] = {&general, &colors, &controls, &settings};
  for (int s = 0; s < 4; ++s) {
    for (int i = 0; i < catalogues[s]->Count(); ++i) {
      const SettingItem& item = catalogues[s]->At(i);
      // The first of a key is the one the loader and Find reach.
      values.sections[s].emplace(item.key, FileValueOf(item));
    }
  }
  return values;
}

SkinMerge MergeSkinValues(const SkinValues& base, const SkinValues& ours, const SkinValues* theirs) {
  SkinMerge merge;
  if (!theirs) return merge;
  const FileValue nothing;
  const auto valueIn = [&nothing](const std::map<std::string, FileValue>& section, const std::string& key)
      -> const FileValue& {
    const auto found = section.find(key);
    return found == section.end() ? nothing : found->second;
  };
  for (int s = 0; s < 4; ++s) {
    for (const auto& [key, fileValue] : theirs->sections[s]) {
      const FileValue& was = valueIn(base.sections[s], key);
      if (fileValue == was) continue;  // the other program left it alone
      const FileValue& mine = valueIn(ours.sections[s], key);
      if (mine == was) {
        merge.taken.push_back({s, key});
      } else if (mine != fileValue) {
        merge.conflicts.push_back({{s, key}, mine, fileValue});
      }
    }
  }
  return merge;
}

std::string MergeQuestionText(const std::vector<MergeConflict>& conflicts) {
  std::string text = J("skin.ini は読み込んだ後でほかのプログラムに変更されています。") + "\n";
  for (std::size_t i = 0; i < conflicts.size() && i < kNamedConflicts; ++i) {
    const MergeConflict& c = conflicts[i];
    text += c.setting.key + J(": こちら ") + ShownValue(c.ours) + J(" / ファイル ") + ShownValue(c.theirs) + "\n";
  }
  if (conflicts.size() > kNamedConflicts) {
    text += J("ほか ") + std::to_string(conflicts.size() - kNamedConflicts) + J(" 件") + "\n";
  }
  text += J("はい: こちらの値で保存します。いいえ: 保存しません。");
  return text;
}

std::string SavedReportText(int taken) {
  std::string text = J("設定内容を保存しました。");
  if (taken > 0) {
    text += "\n" + J("ほかのプログラムで変更された ") + std::to_string(taken) + J(" 件の設定も取り込みました。");
  }
  return text;
}

}  // namespace orlavix
