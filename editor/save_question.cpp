#include "editor/save_question.h"

#include <algorithm>

#include "support/mbtext.h"

namespace orlavix {
namespace {

// How much of a key or line, and of a reason (which may quote a value), is
// shown: a file may hold lines of any length.
constexpr std::size_t kShownCharacters = 40;
constexpr std::size_t kShownReasonCharacters = 80;

}  // namespace

std::string Clipped(std::string_view text, std::size_t characters) {
  std::size_t end = 0;
  for (std::size_t n = 0; n < characters && end < text.size(); ++n) end = NextChar(text, end);
  return end < text.size() ? std::string(text.substr(0, end)) + J("…") : std::string(text);
}

std::string SaveQuestionText(const std::vector<Finding>& findings, const std::string& backupName) {
  std::vector<const Finding*> lost;
  for (const Finding& f : findings) {
    if (f.lostBySave) lost.push_back(&f);
  }
  if (lost.empty()) return std::string();
  std::stable_sort(lost.begin(), lost.end(), [](const Finding* a, const Finding* b) { return a->line < b->line; });

  std::string text = J("保存すると、skin.ini の次の内容は書き戻されません。") + "\n";
  for (std::size_t i = 0; i < lost.size() && i < kSaveQuestionFindings; ++i) {
    const Finding& f = *lost[i];
    if (f.line > 0) text += std::to_string(f.line) + J(" 行目: ");
    const std::string what = Clipped(f.key.empty() ? f.lineText : f.key, kShownCharacters);
    if (!what.empty()) text += what + ": ";
    text += Clipped(f.reason, kShownReasonCharacters) + "\n";
  }
  if (lost.size() > kSaveQuestionFindings) {
    text += J("ほか ") + std::to_string(lost.size() - kSaveQuestionFindings) + J(" 件") + "\n";
  }
  return text + J("元のファイルは ") + backupName + J(" として残ります。保存しますか？");
}

AnalysisOptions SaveAnalysisOptions(bool keepUnknownLines) {
  AnalysisOptions options;
  options.images = false;
  options.authorComments = true;
  options.keepUnknownLines = keepUnknownLines;
  return options;
}

}  // namespace orlavix
