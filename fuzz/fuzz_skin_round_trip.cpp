// Arbitrary bytes as a skin.ini, taken the editor's whole way: read, every
// skin catalogue loaded, the other sections collected, the file built; then
// the written bytes read and saved again. The first byte picks the save
// options; the rest is the file.
//   - from the second save on, every save is byte-identical;
//   - any file is analysed for the question before a save; the file a save
//     wrote holds nothing that the next save would leave out or change (the
//     editor's own lines are no findings);
//   - what is written is valid UTF-8 with CR LF line ends only;
//   - every line of every other section survives, in order, with its own
//     bytes when the file was valid UTF-8;
//   - read from a file in pieces of one to sixteen bytes (the first byte
//     picks the size), the document and both collections are what the whole
//     bytes give;
//   - keeping what the catalogues do not carry, a file whose save would
//     lose nothing saves to a file that loses nothing, reads the same
//     values, and saves again to the very same bytes.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/skin_analysis.h"
#include "document/skin_document.h"
#include "document/skin_loader.h"
#include "document/skin_writer.h"
#include "editor/save_question.h"
#include "model/catalogues.h"
#include "platform/files.h"
#include "support/mbtext.h"
#include "tests/reference/skin_rescan.h"

namespace {

using namespace orlavix;

void Require(bool condition) {
  if (!condition) std::abort();
}

struct Saved {
  std::string file;
  std::string extraText;
  std::string extraBytes;
};

// The four skin catalogues as the editor loads them from the file.
std::vector<SettingCatalogue> Load(const SkinDocument& doc) {
  const SettingCategory categories[4] = {SettingCategory::General, SettingCategory::Colors, SettingCategory::Controls,
                                         SettingCategory::Settings};
  // Built once with their defaults; each save starts from a copy.
  static const std::vector<SettingCatalogue> defaults = [&] {
    std::vector<SettingCatalogue> built(4);
    for (int i = 0; i < 4; ++i) BuildCatalogue(categories[i], built[i]);
    return built;
  }();
  std::vector<SettingCatalogue> catalogues = defaults;
  for (int i = 0; i < 4; ++i) {
    for (const SectionEntry& entry : doc.SectionEntries(SectionOf(categories[i]))) {
      catalogues[i].SetFromText(entry.key, entry.value, !entry.value.empty());
    }
  }
  return catalogues;
}

// The values and ticks of the catalogues, one line per item.
std::string Values(const std::vector<SettingCatalogue>& catalogues) {
  std::string values;
  for (const SettingCatalogue& catalogue : catalogues) {
    for (int i = 0; i < catalogue.Count(); ++i) {
      const SettingItem& item = catalogue.At(i);
      values += (item.checked ? "1" : "0") + item.key + "=" + item.FormatValue() + "\n";
    }
  }
  return values;
}

// A save as the editor makes it: with `kept`, what the file holds that the
// catalogues do not carry is written back too.
Saved Save(std::string_view bytes, const SectionStyle& style, const KeptLines* kept = nullptr) {
  SkinDocument doc;
  doc.SetText(DecodeSkinFileBytes(bytes));
  const std::string utf8 = SkinFileUtf8(bytes);
  const std::vector<SettingCatalogue> catalogues = Load(doc);
  Saved saved;
  CollectOtherSectionsOf(doc.Text(), utf8, saved.extraText, saved.extraBytes);
  saved.file = BuildSkinFile(
      {catalogues[0], catalogues[1], catalogues[2], catalogues[3], saved.extraText, &saved.extraBytes, kept}, style);
  return saved;
}

// Lines split at CR LF; the bytes must end with one.
std::vector<std::string_view> CrLfLines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r') {
      Require(i + 1 < bytes.size() && bytes[i + 1] == '\n');
      lines.push_back(bytes.substr(start, i - start));
      start = i + 2;
      ++i;
    } else {
      Require(bytes[i] != '\n' && bytes[i] != '\0');
    }
  }
  Require(start == bytes.size());
  return lines;
}

class SilentMessages : public Messages {
 public:
  void Alert(const std::string&) override {}
  void Report(const std::string&, int) override {}
  void Warn(const std::string&) override {}
  Answer AskToSave(bool) override { return Answer::No; }
  bool ConfirmSave(const std::string&) override { return false; }
};

// True when a save of the file at `path` would ask nothing (false too when
// it cannot be read); with `kept`, for a save that keeps what it can, and
// kept is what it keeps.
bool NothingLost(const std::string& path, KeptLines* kept = nullptr) {
  static const KnownKeys known;
  const AnalysisOptions options = SaveAnalysisOptions(kept != nullptr);
  SkinResult result;
  std::string error;
  if (!AnalyseSkinFile(path, known, options, result, error, kept)) return false;
  for (const Finding& f : result.findings) {
    if (f.lostBySave) return false;
  }
  return true;
}

// The file read piece by piece gives what the bytes give at once.
void CheckReadInPieces(std::string_view input, std::size_t piece, const Saved& whole) {
  static const std::string path = "/tmp/orlavix-fuzz-" + std::to_string(getpid()) + ".ini";
  Require(platform::WriteWholeFile(path, input));
  platform::SetReadPieceSize(piece);
  SilentMessages messages;
  SkinDocument doc;
  std::string utf8;
  doc.ReadFromFile(path, messages, &utf8);
  Require(doc.HasText() && doc.Text() == DecodeSkinFileBytes(input) && utf8 == SkinFileUtf8(input));
  std::string extraText, extraBytes, bytesOnly;
  CollectOtherSections(path, doc, extraText, messages, &extraBytes);
  CollectOtherSectionBytes(path, bytesOnly, messages);
  doc.ReadFromFile(path, messages);
  Require(doc.Text() == DecodeSkinFileBytes(input));
  platform::SetReadPieceSize(0);
  Require(extraText == whole.extraText && extraBytes == whole.extraBytes && bytesOnly == whole.extraBytes);
  NothingLost(path);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  SectionStyle style;
  style.onlyChecked = data[0] & 1;
  style.helpLines = data[0] & 2;
  const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);

  const Saved first = Save(input, style);
  CheckReadInPieces(input, 1 + (data[0] >> 2) % 16, first);
  // Valid UTF-8, CR LF only, and the other sections at the end, whole.
  Require(SkinFileUtf8(first.file) == first.file);
  CrLfLines(first.file);
  Require(first.file.size() >= first.extraBytes.size() &&
          first.file.compare(first.file.size() - first.extraBytes.size(), std::string::npos, first.extraBytes) == 0);

  // The collected text is what the reader's queries give, section by section.
  const std::string text = DecodeSkinFileBytes(input);
  std::string expected;
  const std::vector<std::string> names = rescan::SectionNames(text);
  if (names.size() <= 64) {
    for (std::size_t i = 0; i < names.size(); ++i) {
      if (IsSkinSection(names[i])) continue;
      expected += rescan::OwnSectionText(text, i) + "\r\n";
    }
    Require(first.extraText == expected);
  }

  // Line for line, the carried bytes read as the lines the editor saw; when
  // the file was UTF-8 to begin with, each is a line of the file itself.
  const std::vector<std::string_view> carried = CrLfLines(first.extraBytes);
  std::vector<std::string_view> seen;
  for (std::size_t start = 0, end; (end = first.extraText.find('\n', start)) != std::string::npos; start = end + 1) {
    std::string_view line(first.extraText.data() + start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);  // the CR LF after a section
    seen.push_back(line);
  }
  Require(carried.size() == seen.size());
  const std::string utf8 = SkinFileUtf8(input);
  const bool wasUtf8 = input == utf8 || (input.substr(0, 3) == "\xEF\xBB\xBF" && input.substr(3) == utf8);
  for (std::size_t i = 0; i < carried.size(); ++i) {
    if (seen[i].empty()) {
      Require(carried[i].empty());
      continue;
    }
    if (seen[i].find('\xFF') == std::string_view::npos) Require(Utf8ToAnsi(carried[i]) == seen[i]);
    if (wasUtf8 && text.find('\xFF') == std::string::npos) {
      Require(input.find(std::string(carried[i]) + "\r") != std::string_view::npos ||
              input.find(std::string(carried[i]) + "\n") != std::string_view::npos ||
              input.substr(input.size() - carried[i].size()) == carried[i]);
    }
  }

  static const std::string path = "/tmp/orlavix-fuzz-saved-" + std::to_string(getpid()) + ".ini";
  Require(platform::WriteWholeFile(path, first.file) && NothingLost(path));

  // From the second save on, nothing moves.
  const Saved second = Save(first.file, style);
  const Saved third = Save(second.file, style);
  Require(second.file == third.file);
  Require(second.extraBytes == first.extraBytes);

  // Keeping: a file that asks nothing saves once and for all. The values
  // the catalogues read stay those of the original, and no kept line is
  // repeated, moved or lost by the saves that follow.
  static const std::string keptPath = "/tmp/orlavix-fuzz-kept-" + std::to_string(getpid()) + ".ini";
  KeptLines kept;
  Require(platform::WriteWholeFile(keptPath, input));
  if (!NothingLost(keptPath, &kept)) return 0;
  const Saved keptFirst = Save(input, style, &kept);
  Require(SkinFileUtf8(keptFirst.file) == keptFirst.file);
  CrLfLines(keptFirst.file);
  SkinDocument original, saved;
  original.SetText(DecodeSkinFileBytes(input));
  saved.SetText(DecodeSkinFileBytes(keptFirst.file));
  Require(Values(Load(original)) == Values(Load(saved)));
  std::string previous = keptFirst.file;
  for (int save = 2; save <= 3; ++save) {
    Require(platform::WriteWholeFile(keptPath, previous) && NothingLost(keptPath, &kept));
    previous = Save(previous, style, &kept).file;
    Require(previous == keptFirst.file);
  }
  return 0;
}
