#include "analysis/skin_analysis.h"

#include <algorithm>

#include "analysis/kept_lines_reader.h"
#include "analysis/skin_analysis_steps.h"
#include "document/skin_document.h"
#include "document/skin_writer.h"
#include "model/catalogues.h"
#include "support/mbtext.h"
#include "support/paths.h"

namespace orlavix {
namespace {

// The edit distance of a and b (insertions, deletions, replacements), b's
// ASCII letters taken in lower case, when it is 0 to 2; 3 when it is more.
// Rows stop as soon as none can come under 3. b is a catalogue key: short.
int EditDistanceUpTo2(std::string_view a, std::string_view b) {
  constexpr std::size_t kLongest = 63;
  if (b.size() > kLongest || a.size() > b.size() + 2 || b.size() > a.size() + 2) return 3;
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  int rows[2][kLongest + 1];
  int* row = rows[0];
  int* next = rows[1];
  // Only cells within two of the diagonal can hold less than 3; the cells
  // beside that band count as 3.
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = static_cast<int>(std::min<std::size_t>(j, 3));
  for (std::size_t i = 1; i <= a.size(); ++i) {
    const std::size_t from = i > 2 ? i - 2 : 1, to = std::min(b.size(), i + 2);
    next[from - 1] = from == 1 ? static_cast<int>(std::min<std::size_t>(i, 3)) : 3;
    int least = next[from - 1];
    for (std::size_t j = from; j <= to; ++j) {
      next[j] = std::min({row[j] + 1, next[j - 1] + 1, row[j - 1] + (a[i - 1] == lower(b[j - 1]) ? 0 : 1), 3});
      least = std::min(least, next[j]);
    }
    if (to < b.size()) next[to + 1] = 3;
    if (least > 2) return 3;
    std::swap(row, next);
  }
  return row[b.size()];
}

}  // namespace

const char* FindingFamilyName(FindingFamily family) {
  switch (family) {
    case FindingFamily::Images: return "images";
    case FindingFamily::Dropped: return "dropped";
    case FindingFamily::Duplicate: return "duplicate";
    case FindingFamily::Value: return "value";
    case FindingFamily::Encoding: return "encoding";
    case FindingFamily::ImageFile: return "image-file";
  }
  return "";
}

KnownKeys::KnownKeys() {
  BuildGeneralItems(catalogues_[0]);
  BuildColorItems(catalogues_[1]);
  BuildControlItems(catalogues_[2]);
  BuildSettingItems(catalogues_[3]);
  for (int s = 0; s < 4; ++s) {
    for (int i = 0; i < catalogues_[s].Count(); ++i) {
      const SettingItem& item = catalogues_[s].At(i);
      lowerKeys_[s].emplace(MbsLower(item.key), item.key);
      itemComments_[s].insert(UntickedEntryLine(item));
      if (std::string help = HelpLine(item); !help.empty()) itemComments_[s].insert(std::move(help));
    }
  }
}

std::string KnownKeys::KeyInOtherCase(int section, const std::string& key) const {
  const auto found = lowerKeys_[section].find(MbsLower(key));
  return found == lowerKeys_[section].end() ? std::string() : found->second;
}

bool KnownKeys::IsItemCommentLine(int section, std::string_view line) const {
  const std::string text(line);
  if (section >= 0) return itemComments_[section].count(text) != 0;
  return std::any_of(std::begin(itemComments_), std::end(itemComments_),
                     [&](const std::unordered_set<std::string>& lines) { return lines.count(text) != 0; });
}

bool KnownKeys::IsOwnLine(int section, std::string_view line) const {
  return IsSectionCommentLine(line) || (!line.empty() && line.front() == '#' && IsItemCommentLine(section, line));
}

std::string KnownKeys::KeyNear(int section, const std::string& key) const {
  const std::string lower = MbsLower(key);
  std::string nearest;
  int best = 3;
  const SettingCatalogue& catalogue = catalogues_[section];
  for (int i = 0; i < catalogue.Count() && best > 1; ++i) {
    const int distance = EditDistanceUpTo2(lower, catalogue.At(i).key);
    if (distance < best) {
      best = distance;
      nearest = catalogue.At(i).key;
    }
  }
  return nearest;
}

bool CheckSkin(const std::string& folder, const std::string& skinIniName, const KnownKeys& known,
               SkinResult& result, std::string& error, const AnalysisOptions& options) {
  if (!AnalyseSkinFile(JoinPath(folder, skinIniName), known, options, result, error)) return false;
  result.folder = folder;
  result.name = FileNameOf(folder);
  if (result.name.empty()) result.name = FileNameOf(RemoveFileSpec(folder));
  return true;
}

bool AnalyseSkinFile(const std::string& iniPath, const KnownKeys& known, const AnalysisOptions& options,
                     SkinResult& result, std::string& error, KeptLines* kept) {
  using namespace analysis_steps;
  if (kept) *kept = KeptLines();
  result = SkinResult();
  SkinFileState file;
  if (!ReadSkinIni(iniPath, file.bytes, error)) return false;
  if (!ReportEncoding(file)) {  // nothing past its first character reads
    file.lists.Finish(result);
    return true;
  }
  ReportLinesNotUtf8(file);
  SkinDocument document;
  document.SetText(std::move(file.decoded));
  const std::string& text = document.Text();
  const HeaderBlock header = FindWrittenHeader(text);
  if (kept) CollectKeptLines(text, file.wellFormed ? file.raw : std::string_view(), header, known, *kept);
  WalkLines(text, header, known, options, file);
  ReportRepeatedKeysAndValues(known, options, file);
  ReportCharactersCodePageCannotHold(file);
  if (options.images) {
    ReportImages(document, JoinPath(RemoveFileSpec(iniPath), "controls"), known, file.controlLines, file.lists,
                 result.images);
  }
  file.lists.Finish(result);
  return true;
}

}  // namespace orlavix
