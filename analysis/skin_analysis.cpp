#include "analysis/skin_analysis.h"

#include <algorithm>
#include <map>
#include <unordered_set>

#include "analysis/image_header.h"
#include "analysis/kept_lines_reader.h"
#include "analysis/skin_file_report.h"
#include "document/skin_document.h"
#include "document/skin_loader.h"
#include "document/skin_writer.h"
#include "model/catalogues.h"
#include "model/image_states.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/utf8.h"
#include "support/mbtext.h"
#include "support/paths.h"

namespace orlavix {
namespace {

constexpr int kFamilies = 6;
constexpr int kControls = 2;  // index of "Controls" among the four skin sections

std::string Num(long long n) { return std::to_string(n); }

// Numbers lines as a text editor does: CR LF, a lone CR and a lone LF each end
// one line. Asked for offsets in increasing order.
class LineCounter {
 public:
  explicit LineCounter(std::string_view text) : text_(text) {}
  int LineAt(std::size_t offset) {
    for (; pos_ < offset && pos_ < text_.size(); ++pos_) {
      if (text_[pos_] == '\r') {
        ++line_;
        if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n') ++pos_;
      } else if (text_[pos_] == '\n') {
        ++line_;
      }
    }
    return line_;
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
  int line_ = 1;
};

// The lines of a file by the same numbering, asked in increasing order.
class NumberedLines {
 public:
  explicit NumberedLines(std::string_view bytes) : bytes_(bytes) {}
  // Line `number` (1-based); "" past the end.
  std::string_view Line(int number) {
    while (line_ < number && pos_ <= bytes_.size()) {
      const std::size_t end = bytes_.find_first_of("\r\n", pos_);
      if (end == std::string_view::npos) {
        pos_ = bytes_.size() + 1;
        break;
      }
      pos_ = end + (bytes_[end] == '\r' && end + 1 < bytes_.size() && bytes_[end + 1] == '\n' ? 2 : 1);
      ++line_;
    }
    if (pos_ > bytes_.size()) return {};
    return bytes_.substr(pos_, bytes_.find_first_of("\r\n", pos_) - pos_);
  }

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
  int line_ = 1;
};

// The file's lines by the same numbering, blank ones included.
std::vector<std::string_view> PhysicalLines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] != '\r' && bytes[i] != '\n') continue;
    lines.push_back(bytes.substr(start, i - start));
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    start = i + 1;
  }
  lines.push_back(bytes.substr(start));
  return lines;
}

bool SurvivesWorkingCodePage(std::string_view utf8) { return AnsiToUtf8(Utf8ToAnsi(utf8)) == utf8; }

// "U+XXXX" of each character of a valid UTF-8 line that the working code
// page cannot hold, at most a few.
std::string LostCharacters(std::string_view utf8) {
  std::u32string lost;
  char32_t cp = 0;
  for (std::size_t i = 0, len = 0; i < utf8.size() && lost.size() < 4; i += len) {
    len = utf8::DecodeAt(utf8, i, cp);
    if (len == 0) break;
    if (cp >= 0x80 && !SurvivesWorkingCodePage(utf8.substr(i, len))) lost += cp;
  }
  if (lost.size() <= 3) return CodePointNames(lost);
  return CodePointNames(lost.substr(0, 3)) + " …";
}

bool HasNonAscii(std::string_view s) {
  return std::any_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// UTF-16 without a byte-order mark: ASCII text has every other byte zero.
bool LooksLikeUtf16(std::string_view b) {
  return b.size() >= 4 && ((b[0] != 0 && b[1] == 0 && b[3] == 0) || (b[0] == 0 && b[2] == 0 && b[1] != 0));
}

bool IsAllSpace(std::string_view s) { return TrimSpace(s).empty(); }

// A ']' character, stepping by character: a trail byte 0x5D is not one.
bool HasClosingBracket(std::string_view line) {
  for (std::size_t i = 0; i < line.size(); i = NextChar(line, i)) {
    if (line[i] == ']' && CharLength(line, i) == 1) return true;
  }
  return false;
}

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

std::string Quoted(const std::string& value) { return J("「") + value + J("」"); }

// Why a value does not read back as written, in the working code page; ""
// when it does. The item is a copy of the catalogue's item for the key.
std::string ValueProblem(SettingItem item, const std::string& value, std::string& code) {
  item.ParseValue(value);
  const std::string reads = item.FormatValue();
  const std::string readsAs = reads.empty() ? J("値なし") : reads;
  switch (item.kind) {
    case SettingKind::Color: {
      const bool wellFormed = value.size() == 7 && value[0] == '#' &&
                              std::all_of(value.begin() + 1, value.end(), IsHexDigit);
      if (wellFormed) return "";
      code = "bad-color";
      return J("色は #rrggbb の形で書きます。") + Quoted(value) + J("は ") + reads +
             (item.color == 0 ? J(" (黒)") : "") + J(" と読まれます");
    }
    case SettingKind::Number: {
      std::size_t i = value[0] == '-' || value[0] == '+' ? 1 : 0;
      const std::size_t digits = i;
      while (i < value.size() && value[i] >= '0' && value[i] <= '9') ++i;
      code = "bad-number";
      if (i == digits) return Quoted(value) + J("は数値ではなく、") + reads + J(" と読まれます");
      if (i < value.size()) return Quoted(value) + J("は数値の後ろに文字があり、") + reads + J(" と読まれます");
      // Digits only: fine while the number fits in 32 bits.
      const std::string magnitude = value.substr(digits);
      const std::size_t nonzero = std::min(magnitude.find_first_not_of('0'), magnitude.size());
      const std::string significant = magnitude.substr(nonzero);
      const bool negative = value[0] == '-';
      const bool fits = significant.size() < 10 ||
                        (significant.size() == 10 && significant <= (negative ? "2147483648" : "2147483647"));
      if (fits) return "";
      return Quoted(value) + J("は範囲外で、") + reads + J(" と読まれます");
    }
    case SettingKind::Bool:
      if (value == "true" || value == "false") return "";
      code = "bad-bool";
      return J("true か false で書きます。") + Quoted(value) + J("は false と読まれます");
    case SettingKind::FillMode:
      if (value == "tile" || value == "stretch") return "";
      code = "bad-fill-mode";
      return J("tile か stretch で書きます。") + Quoted(value) + J("は値なしと読まれます");
    case SettingKind::Choice: {
      if (ChoiceFromWord(value) & item.allowedChoices) return "";
      std::string allowed;
      for (int i = 0; i < kChoiceCount; ++i) {
        if (!(ChoiceBitAt(i) & item.allowedChoices)) continue;
        allowed += (allowed.empty() ? "" : ", ") + WordFromChoice(ChoiceBitAt(i));
      }
      code = "bad-choice";
      return Quoted(value) + J("はこのキーに使えません (使えるのは ") + allowed + J(")。") + readsAs +
             J("と読まれます");
    }
    default:
      return "";
  }
}

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

// What the walk over the file's lines is inside of.
enum class Block { BeforeFirst, Loaded, Dropped, Other };

// One block of lines that the save drops, counted until it ends.
struct PendingBlock {
  int finding = -1;  // index into the dropped findings
  int lines = 0;
  std::string reason;  // why the block is dropped
  std::string single;  // how its first line alone is named
};

struct EntryLine {
  int line;
  std::string value;
};

// The findings of each family as they are found.
class FindingLists {
 public:
  // A finding of the four families about the file's contents is, unless
  // said otherwise, something a save leaves out or changes; its reason is
  // its message.
  Finding& Add(FindingFamily family, const char* code, int line, std::string key, std::string message,
               std::string file = "skin.ini") {
    Finding f;
    f.family = family;
    f.code = code;
    f.file = std::move(file);
    f.line = line;
    f.key = std::move(key);
    f.reason = message;
    f.message = std::move(message);
    f.lostBySave = family != FindingFamily::Images && family != FindingFamily::ImageFile;
    auto& list = lists_[static_cast<int>(family)];
    list.push_back(std::move(f));
    return list.back();
  }
  std::vector<Finding>& Of(FindingFamily family) { return lists_[static_cast<int>(family)]; }

  // Appends them to the result's, family by family.
  void Finish(SkinResult& result) {
    for (int family = 0; family < kFamilies; ++family) {
      auto& list = lists_[family];
      // Line-based families are listed by line; the image families keep the
      // report's own order.
      if (family != static_cast<int>(FindingFamily::Images) && family != static_cast<int>(FindingFamily::ImageFile)) {
        std::stable_sort(list.begin(), list.end(), [](const Finding& a, const Finding& b) { return a.line < b.line; });
      }
      for (Finding& f : list) result.findings.push_back(std::move(f));
    }
  }

 private:
  std::vector<Finding> lists_[kFamilies];
};

// Each setting of the image that draws one frame per state from it, when
// the image does not divide into that many frames either way.
void ReportStates(const SettingCatalogue& controls, const UsedImage& image, FindingLists& lists) {
  for (const std::string& key : image.keys) {
    const std::vector<std::string> states = ImageStates(controls.FindCopy(key).description);
    if (states.empty()) continue;
    const int count = static_cast<int>(states.size());
    if (ChooseStateFrames(image.width, image.height, count).split != StateFrames::None) continue;
    std::string names;
    for (const std::string& state : states) names += (names.empty() ? "" : J("、")) + state;
    const std::string n = std::to_string(count);
    lists.Add(FindingFamily::Images, "image-states", 0, key,
              n + J(" 個の状態 (") + names + J(") の画像ですが、幅 ") + Num(image.width) + J("・高さ ") +
                  Num(image.height) + J(" はどちらも ") + n + J(" で割り切れません"),
              image.file)
        .name = image.name;
  }
}

// The image report with the editor's own rules, and what each used image
// file holds.
void ReportImages(const SkinDocument& document, const std::string& controlsFolder, const KnownKeys& known,
                  const std::map<std::string, int>& controlLines, FindingLists& lists, std::vector<UsedImage>& images) {
  // The Controls catalogue loaded as the editor loads it.
  SettingCatalogue controls = known.Catalogue(kControls);
  LoadSectionFrom(document, kSkinSections[kControls], controls);
  const std::vector<std::string> used = UsedImageNames(controls);
  std::vector<std::string> present = PresentImageFiles(controlsFolder);
  const SkinFileReport report = CompareSkinFiles(used, present);
  const std::unordered_set<std::string> missing(report.missing.begin(), report.missing.end());

  // Each used name with the settings that give it, in catalogue order.
  std::map<std::string, std::size_t> imageIndex;
  for (int i = 0; i < controls.Count(); ++i) {
    const SettingItem& item = controls.At(i);
    if (!item.checked || item.kind != SettingKind::ImageFile || item.text.empty()) continue;
    const std::string name = MbsLower(item.FormatValue());
    const auto [at, added] = imageIndex.emplace(name, images.size());
    if (added) images.push_back(UsedImage{name, {}, "", "", 0, 0, 0});
    images[at->second].keys.push_back(item.key);
    if (images[at->second].states == 0) images[at->second].states = static_cast<int>(ImageStates(item.description).size());
  }
  const auto lineOf = [&](const std::string& key) {
    const auto at = controlLines.find(key);
    return at == controlLines.end() ? 0 : at->second;
  };
  for (const std::string& name : report.missing) {
    const auto at = imageIndex.find(name);
    const std::string key = at == imageIndex.end() ? "" : images[at->second].keys.front();
    lists.Add(FindingFamily::Images, "missing-image", lineOf(key), key, J("存在していないファイル") + ": " + name).name = name;
  }

  // The files as spelled on disk: in the report's order, the first of each
  // name in another case answers a used name, the rest stay unused.
  std::sort(present.begin(), present.end(),
            [](const std::string& a, const std::string& b) { return MbsCompare(a, b) < 0; });
  std::map<std::string, std::string> fileOf;
  std::vector<std::string> unusedFiles;
  for (const std::string& file : present) {
    const std::string name = MbsLower(file);
    const bool answers = imageIndex.count(name) && !missing.count(name) && !fileOf.count(name);
    if (answers) fileOf[name] = file;
    else if (name != kGlassDropDownFile) unusedFiles.push_back(file);
  }
  for (std::size_t i = 0; i < report.unused.size(); ++i) {
    const std::string& name = report.unused[i];
    const std::string file = i < unusedFiles.size() ? unusedFiles[i] : name;
    lists.Add(FindingFamily::Images, "unused-image", 0, "", J("使用されていないファイル") + ": " + name, "controls/" + file).name =
        name;
  }

  // What each used file holds.
  for (UsedImage& image : images) {
    const auto at = fileOf.find(image.name);
    if (at == fileOf.end()) continue;
    image.file = "controls/" + at->second;
    std::string data;
    if (platform::ReadWholeFile(JoinPath(controlsFolder, at->second), data) != platform::ReadStatus::Ok) {
      lists.Add(FindingFamily::ImageFile, "unreadable-image", 0, image.keys.front(), J("画像ファイルが読めません"), image.file)
          .name = image.name;
      continue;
    }
    const ImageHeader header = ReadImageHeader(data);
    image.format = ImageFormatName(header.format);
    if (header.format == ImageFormat::None || header.damaged) {
      Finding& f = lists.Add(FindingFamily::ImageFile, header.damaged ? "damaged-image" : "not-an-image", 0, image.keys.front(),
                       J(header.problem), image.file);
      f.name = image.name;
      continue;
    }
    image.width = header.width;
    image.height = header.height;
    ReportStates(controls, image, lists);
  }
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
  if (kept) *kept = KeptLines();
  result = SkinResult();
  std::string bytes;
  switch (platform::ReadWholeFile(iniPath, bytes)) {
    case platform::ReadStatus::Ok: break;
    case platform::ReadStatus::TooLarge:
      error = iniPath + J(": 大きすぎて読めません");
      return false;
    case platform::ReadStatus::Failed:
      error = iniPath + J(": 読めません (ほかのプログラムが開いているか、読む権限がありません)");
      return false;
  }

  FindingLists lists;
  const auto add = [&lists](auto&&... args) -> Finding& { return lists.Add(std::forward<decltype(args)>(args)...); };

  // The file's bytes as they are: encoding problems. The lines are checked
  // as UTF-8; a UTF-16 or Shift_JIS file as the reader converts it.
  std::string converted;
  std::string_view raw = bytes;
  std::string decoded;     // as the editor reads it: DecodeSkinFileBytes of the bytes
  bool wellFormed = true;  // the conversions give well-formed UTF-8
  if (raw.substr(0, 2) == "\xFF\xFE" || raw.substr(0, 2) == "\xFE\xFF") {
    add(FindingFamily::Encoding, "utf16", 0, "",
        J("UTF-16 で保存されています。skin.ini は UTF-8 で保存してください (エディターで保存すると UTF-8 になります)"))
        .lostBySave = false;
    converted = SkinFileUtf8(bytes);
    raw = converted;
    decoded = Utf8ToAnsi(raw);
  } else if (LooksLikeUtf16(raw)) {
    add(FindingFamily::Encoding, "utf16", 0, "",
        J("バイト順マークのない UTF-16 で保存されているため、最初の文字のほかは読まれません。UTF-8 で保存し直してください"))
        .reason = J("バイト順マークのない UTF-16 で保存されているため、最初の文字のほかは読まれません");
    lists.Finish(result);
    return true;
  } else {
    const bool marked = raw.substr(0, 3) == "\xEF\xBB\xBF";
    if (marked) raw.remove_prefix(3);
    const std::size_t nul = raw.find('\0');
    if (nul != std::string_view::npos) {
      add(FindingFamily::Encoding, "nul-byte", LineCounter(raw).LineAt(nul), "",
          J("NUL バイトがあり、そこから後は読まれず、保存すると消えます"))
          .reason = J("NUL バイトがあり、そこから後は読まれません");
      raw = raw.substr(0, nul);
    }
    // Decoded and checked in one pass.
    decoded = platform::Utf8ToWorking(raw, wellFormed);
    if (std::optional<std::string> shiftJis = marked || wellFormed ? std::nullopt : ShiftJisContents(raw)) {
      add(FindingFamily::Encoding, "shift-jis", 0, "", J("Shift_JIS として読みました。保存すると UTF-8 になります"))
          .lostBySave = false;
      converted = std::move(*shiftJis);
      raw = converted;
      decoded = Utf8ToAnsi(raw);
      wellFormed = true;
    }
  }
  // Lines that are not UTF-8: only a file that is not well-formed has any.
  std::vector<char> invalidLine;
  if (!wellFormed) {
    const std::vector<std::string_view> rawLines = PhysicalLines(raw);
    invalidLine.resize(rawLines.size(), 0);
    int firstInvalid = 0, invalidCount = 0;
    for (std::size_t i = 0; i < rawLines.size(); ++i) {
      if (utf8::IsWellFormed(rawLines[i])) continue;
      invalidLine[i] = 1;
      if (!invalidCount++) firstInvalid = static_cast<int>(i) + 1;
    }
    if (invalidCount) {
      add(FindingFamily::Encoding, "invalid-utf8", firstInvalid, "",
          J("UTF-8 として正しくない文字があります (") + Num(invalidCount) +
              J(" 行)。Shift_JIS などで保存されていないか確かめてください。読めない文字は置き換えられます"))
          .reason = J("UTF-8 として正しくない文字があります (") + Num(invalidCount) + J(" 行)。読めない文字は置き換えられます");
    }
  }

  SkinDocument document;
  document.SetText(std::move(decoded));
  const std::string& text = document.Text();

  // Walk the lines with the reader's own rules. Lines that the editor writes
  // itself are no findings: a save writes them again.
  const HeaderBlock header = FindWrittenHeader(text);
  if (kept) CollectKeptLines(text, wellFormed ? raw : std::string_view(), header, known, *kept);
  // What a save does with the lines it keeps, when it keeps them.
  const bool keep = options.keepUnknownLines;
  const std::string saveDoes = keep ? J("保存しても残ります") : J("保存すると消えます");
  std::size_t lineIndex = 0;
  bool seen[4] = {false, false, false, false};
  Block block = Block::BeforeFirst;
  int section = -1;
  PendingBlock pending;
  std::map<std::string, std::vector<EntryLine>> entries[4];  // known keys of the loaded sections
  std::vector<std::pair<int, std::string>> keptLines;        // line and key of each setting a save writes
  const auto closePending = [&] {
    if (pending.finding >= 0) {
      Finding& f = lists.Of(FindingFamily::Dropped)[pending.finding];
      f.message = pending.reason + J("。") +
                  (pending.lines ? J("この行と続く ") + Num(pending.lines) + J(" 行は") : pending.single) + saveDoes;
      f.reason = pending.reason + (pending.lines ? J(" (続く ") + Num(pending.lines) + J(" 行も)") : "");
    }
    pending = PendingBlock();
  };
  const auto openPending = [&](const char* code, int line, std::string_view lineText, std::string reason,
                               std::string single) {
    closePending();
    Finding& f = add(FindingFamily::Dropped, code, line, "", "");
    f.lineText = lineText;
    f.lostBySave = !keep;
    pending.finding = static_cast<int>(lists.Of(FindingFamily::Dropped).size()) - 1;
    pending.reason = std::move(reason);
    pending.single = std::move(single);
  };

  LineCounter counter(text);
  LineScanner scanner(text);
  std::string_view line;
  SectionEntry entry;
  while (scanner.Next(line)) {
    const auto number = [&] { return counter.LineAt(static_cast<std::size_t>(line.data() - text.data())); };
    const bool inHeader = header.Holds(lineIndex++);
    if (line.front() == '[') {
      closePending();
      if (!IsListedHeaderLine(line)) {
        block = Block::Dropped;
        const bool textAfter = HasClosingBracket(line) && line.size() >= 3;
        openPending(textAfter ? "header-text-after-bracket" : "bad-header", number(), line,
                    textAfter ? J("見出しの ] の後に文字があるため、セクションとして読まれません")
                              : J("[ で始まる行が見出しの形になっていません"),
                    J("この行は"));
        continue;
      }
      const std::string name(line.substr(1, line.size() - 2));
      section = -1;
      for (int s = 0; s < 4; ++s) {
        if (EqualsNoCase(name, kSkinSections[s])) section = s;
      }
      if (section >= 0 && seen[section]) {
        block = Block::Dropped;
        openPending("repeated-section", number(), line, J("2 つ目以降の [") + name + J("] は読まれません"),
                    J("この見出しは"));
        continue;
      }
      if (section >= 0) {
        seen[section] = true;
        block = Block::Loaded;
        continue;
      }
      const std::string trimmed = TrimSpace(name);
      for (const char* skinSection : kSkinSections) {
        if (!EqualsNoCase(trimmed, skinSection)) continue;
        Finding& f = add(FindingFamily::Dropped, "section-name-spaces", number(), "",
                         J("セクション名に空白があるため [") + skinSection +
                             J("] として読まれません (その他のセクションとしてそのまま残ります)"));
        f.lineText = line;
        f.lostBySave = false;  // carried over as it stands
      }
      // Carried over as the file's own UTF-8: passed over up to the next
      // line that starts with '['.
      block = Block::Other;
      scanner = LineScanner(text, NextBracketLine(text, scanner.Position()));
      continue;
    }
    const bool own = inHeader || known.IsOwnLine(block == Block::Loaded ? section : -1, line);
    switch (block) {
      case Block::BeforeFirst:
        if (own) break;
        if (pending.finding < 0) {
          openPending("before-first-section", number(), line,
                      J("最初のセクションより前にあり、どのセクションにも属しません"), "");
        } else {
          ++pending.lines;
        }
        break;
      case Block::Dropped:
        if (!own) ++pending.lines;
        break;
      case Block::Other:
        break;  // passed over at its header
      case Block::Loaded: {
        // The editor's own help lines take the place of other comments.
        if (line.front() == '#' && !own && options.authorComments) {
          if (pending.finding < 0) {
            openPending("comment", number(), line, J("コメント行です"), J("この行は"));
          } else {
            ++pending.lines;
          }
          break;
        }
        closePending();
        if (line.front() == '#' || IsAllSpace(line)) break;
        if (!SplitEntryLine(line, entry)) {
          Finding& f = add(FindingFamily::Dropped, "not-an-entry", number(), "",
                           J("キー=値 の形ではない行です。") + saveDoes);
          f.reason = J("キー=値 の形ではない行です");
          f.lineText = line;
          f.lostBySave = !keep;
          break;
        }
        const SettingCatalogue& catalogue = known.Catalogue(section);
        if (catalogue.FindCopy(entry.key).kind != SettingKind::None) {
          entries[section][entry.key].push_back({number(), entry.value});
          break;
        }
        const std::string sectionName = std::string("[") + kSkinSections[section] + "]";
        const std::string otherCase = known.KeyInOtherCase(section, entry.key);
        const std::string trimmed = TrimSpace(entry.key);
        const std::string spaced = catalogue.FindCopy(trimmed).kind != SettingKind::None
                                       ? trimmed
                                       : known.KeyInOtherCase(section, trimmed);
        std::string reason, message;
        const char* code;
        if (!otherCase.empty()) {
          code = "key-case";
          reason = J("キーの大文字小文字が違います (正しくは ") + otherCase + J(")");
        } else if (!spaced.empty()) {
          code = "key-spaces";
          reason = J("キーの前後に空白があります (") + spaced + J(")");
        } else if (const std::string near = known.KeyNear(section, entry.key); !near.empty()) {
          code = "unknown-key";
          reason = message = J("Orlavix の知らないキーです。") + near + J(" のつづり違いではありませんか");
        } else {
          code = "unknown-key";
          reason = sectionName + J(" のどの設定でもないキーです");
        }
        if (message.empty()) {
          const bool unknown = code == std::string("unknown-key");
          message = reason + (unknown ? J("。") : keep ? J("。読まれませんが、") : J("。読まれず、")) + saveDoes;
        }
        Finding& f = add(FindingFamily::Dropped, code, number(), entry.key, message);
        f.reason = reason;
        f.lostBySave = !keep;
        break;
      }
    }
  }
  closePending();

  // Repeated keys and values, by the line that wins (the last).
  std::map<std::string, int> controlLines;
  for (int s = 0; s < 4; ++s) {
    for (const auto& [key, lines] : entries[s]) {
      const EntryLine& last = lines.back();
      if (s == kControls) controlLines[key] = last.line;
      keptLines.emplace_back(last.line, key);
      if (lines.size() > 1) {
        std::string list;
        Finding& f = add(FindingFamily::Duplicate, "duplicate-key", last.line, key, "");
        for (const EntryLine& l : lines) {
          f.lines.push_back(l.line);
          list += (list.empty() ? "" : ", ") + Num(l.line);
        }
        f.reason = J("キーが ") + Num(static_cast<long long>(lines.size())) + J(" 回あります (行 ") + list + J(")");
        f.message = f.reason + J("。最後の行の値が使われ、ほかは保存すると消えます");
        f.reason += J("。最後の行の値が使われます");
      }
      if (last.value.empty()) continue;
      std::string code;
      const std::string problem = ValueProblem(known.Catalogue(s).FindCopy(key), last.value, code);
      if (problem.empty()) continue;
      Finding& f = add(FindingFamily::Value, code.c_str(), last.line, key,
                       keep ? problem + J("。保存しても書いたとおりに残ります") : problem);
      f.reason = problem;
      f.lostBySave = !keep;
    }
  }

  // Characters that the working code page cannot hold, in the settings a save
  // writes back from the catalogues (other sections keep their own bytes).
  std::sort(keptLines.begin(), keptLines.end());
  NumberedLines rawLines(raw);
  for (const auto& [number, key] : keptLines) {
    const std::string_view rawLine = rawLines.Line(number);
    const std::size_t index = static_cast<std::size_t>(number) - 1;
    if (index < invalidLine.size() && invalidLine[index]) continue;
    if (!HasNonAscii(rawLine) || SurvivesWorkingCodePage(rawLine)) continue;
    const std::string reason = J("コードページ ") + Num(platform::WorkingCodePage()) + J(" で表せない文字 (") +
                               LostCharacters(rawLine) + J(") があり");
    add(FindingFamily::Encoding, "unrepresentable", number, key, reason + J("、保存すると失われます")).reason =
        reason + J("ます");
  }

  if (options.images) {
    ReportImages(document, JoinPath(RemoveFileSpec(iniPath), "controls"), known, controlLines, lists, result.images);
  }
  lists.Finish(result);
  return true;
}

}  // namespace orlavix
