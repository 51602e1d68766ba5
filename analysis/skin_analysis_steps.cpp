#include "analysis/skin_analysis_steps.h"

#include <algorithm>
#include <optional>
#include <unordered_set>

#include "analysis/image_header.h"
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
namespace analysis_steps {
namespace {

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

// What the walk over the file's lines is inside of.
enum class Block { BeforeFirst, Loaded, Dropped, Other };

// One block of lines that the save drops, counted until it ends.
struct PendingBlock {
  int finding = -1;  // index into the dropped findings
  int lines = 0;
  std::string reason;  // why the block is dropped
  std::string single;  // how its first line alone is named
};

// The walk over the decoded file's lines with the reader's own rules. Lines
// that the editor writes itself are no findings: a save writes them again.
class LineWalk {
 public:
  LineWalk(std::string_view text, const HeaderBlock& header, const KnownKeys& known, const AnalysisOptions& options,
           SkinFileState& file)
      : text_(text),
        header_(header),
        known_(known),
        options_(options),
        file_(file),
        keep_(options.keepUnknownLines),
        saveDoes_(keep_ ? J("保存しても残ります") : J("保存すると消えます")),
        counter_(text),
        scanner_(text) {}

  void Run() {
    std::string_view line;
    while (scanner_.Next(line)) {
      const bool inHeader = header_.Holds(lineIndex_++);
      if (line.front() == '[') {
        SectionHeader(line);
        continue;
      }
      const bool own = inHeader || known_.IsOwnLine(block_ == Block::Loaded ? section_ : -1, line);
      switch (block_) {
        case Block::BeforeFirst:
          if (own) break;
          if (pending_.finding < 0) {
            OpenPending("before-first-section", Number(line), line,
                        J("最初のセクションより前にあり、どのセクションにも属しません"), "");
          } else {
            ++pending_.lines;
          }
          break;
        case Block::Dropped:
          if (!own) ++pending_.lines;
          break;
        case Block::Other:
          break;  // passed over at its header
        case Block::Loaded:
          SectionLine(line, own);
          break;
      }
    }
    ClosePending();
  }

 private:
  int Number(std::string_view line) { return counter_.LineAt(static_cast<std::size_t>(line.data() - text_.data())); }

  Finding& Add(FindingFamily family, const char* code, int line, std::string key, std::string message) {
    return file_.lists.Add(family, code, line, std::move(key), std::move(message));
  }

  void ClosePending() {
    if (pending_.finding >= 0) {
      Finding& f = file_.lists.Of(FindingFamily::Dropped)[pending_.finding];
      f.message = pending_.reason + J("。") +
                  (pending_.lines ? J("この行と続く ") + Num(pending_.lines) + J(" 行は") : pending_.single) + saveDoes_;
      f.reason = pending_.reason + (pending_.lines ? J(" (続く ") + Num(pending_.lines) + J(" 行も)") : "");
    }
    pending_ = PendingBlock();
  }

  void OpenPending(const char* code, int line, std::string_view lineText, std::string reason, std::string single) {
    ClosePending();
    Finding& f = Add(FindingFamily::Dropped, code, line, "", "");
    f.lineText = lineText;
    f.lostBySave = !keep_;
    pending_.finding = static_cast<int>(file_.lists.Of(FindingFamily::Dropped).size()) - 1;
    pending_.reason = std::move(reason);
    pending_.single = std::move(single);
  }

  // A line that starts with '[': what follows it, up to the next one.
  void SectionHeader(std::string_view line) {
    ClosePending();
    if (!IsListedHeaderLine(line)) {
      block_ = Block::Dropped;
      const bool textAfter = HasClosingBracket(line) && line.size() >= 3;
      OpenPending(textAfter ? "header-text-after-bracket" : "bad-header", Number(line), line,
                  textAfter ? J("見出しの ] の後に文字があるため、セクションとして読まれません")
                            : J("[ で始まる行が見出しの形になっていません"),
                  J("この行は"));
      return;
    }
    const std::string name(line.substr(1, line.size() - 2));
    section_ = -1;
    for (int s = 0; s < 4; ++s) {
      if (EqualsNoCase(name, kSkinSections[s])) section_ = s;
    }
    if (section_ >= 0 && seen_[section_]) {
      block_ = Block::Dropped;
      OpenPending("repeated-section", Number(line), line, J("2 つ目以降の [") + name + J("] は読まれません"),
                  J("この見出しは"));
      return;
    }
    if (section_ >= 0) {
      seen_[section_] = true;
      block_ = Block::Loaded;
      return;
    }
    const std::string trimmed = TrimSpace(name);
    for (const char* skinSection : kSkinSections) {
      if (!EqualsNoCase(trimmed, skinSection)) continue;
      Finding& f = Add(FindingFamily::Dropped, "section-name-spaces", Number(line), "",
                       J("セクション名に空白があるため [") + skinSection +
                           J("] として読まれません (その他のセクションとしてそのまま残ります)"));
      f.lineText = line;
      f.lostBySave = false;  // carried over as it stands
    }
    // Carried over as the file's own UTF-8: passed over up to the next
    // line that starts with '['.
    block_ = Block::Other;
    scanner_ = LineScanner(text_, NextBracketLine(text_, scanner_.Position()));
  }

  // A line of one of the four sections.
  void SectionLine(std::string_view line, bool own) {
    // The editor's own help lines take the place of other comments.
    if (line.front() == '#' && !own && options_.authorComments) {
      if (pending_.finding < 0) {
        OpenPending("comment", Number(line), line, J("コメント行です"), J("この行は"));
      } else {
        ++pending_.lines;
      }
      return;
    }
    ClosePending();
    if (line.front() == '#' || IsAllSpace(line)) return;
    if (!SplitEntryLine(line, entry_)) {
      Finding& f = Add(FindingFamily::Dropped, "not-an-entry", Number(line), "", J("キー=値 の形ではない行です。") + saveDoes_);
      f.reason = J("キー=値 の形ではない行です");
      f.lineText = line;
      f.lostBySave = !keep_;
      return;
    }
    const SettingCatalogue& catalogue = known_.Catalogue(section_);
    if (catalogue.FindCopy(entry_.key).kind != SettingKind::None) {
      file_.entries[section_][entry_.key].push_back({Number(line), entry_.value});
      return;
    }
    UnknownKey(line, catalogue);
  }

  // An entry whose key the section's catalogue does not know as written.
  void UnknownKey(std::string_view line, const SettingCatalogue& catalogue) {
    const std::string sectionName = std::string("[") + kSkinSections[section_] + "]";
    const std::string otherCase = known_.KeyInOtherCase(section_, entry_.key);
    const std::string trimmed = TrimSpace(entry_.key);
    const std::string spaced = catalogue.FindCopy(trimmed).kind != SettingKind::None
                                   ? trimmed
                                   : known_.KeyInOtherCase(section_, trimmed);
    std::string reason, message;
    const char* code;
    if (!otherCase.empty()) {
      code = "key-case";
      reason = J("キーの大文字小文字が違います (正しくは ") + otherCase + J(")");
    } else if (!spaced.empty()) {
      code = "key-spaces";
      reason = J("キーの前後に空白があります (") + spaced + J(")");
    } else if (const std::string near = known_.KeyNear(section_, entry_.key); !near.empty()) {
      code = "unknown-key";
      reason = message = J("Orlavix の知らないキーです。") + near + J(" のつづり違いではありませんか");
    } else {
      code = "unknown-key";
      reason = sectionName + J(" のどの設定でもないキーです");
    }
    if (message.empty()) {
      const bool unknown = code == std::string("unknown-key");
      message = reason + (unknown ? J("。") : keep_ ? J("。読まれませんが、") : J("。読まれず、")) + saveDoes_;
    }
    Finding& f = Add(FindingFamily::Dropped, code, Number(line), entry_.key, message);
    f.reason = reason;
    f.lostBySave = !keep_;
  }

  const std::string_view text_;
  const HeaderBlock& header_;
  const KnownKeys& known_;
  const AnalysisOptions& options_;
  SkinFileState& file_;
  // What a save does with the lines it keeps, when it keeps them.
  const bool keep_;
  const std::string saveDoes_;
  LineCounter counter_;
  LineScanner scanner_;
  std::size_t lineIndex_ = 0;
  bool seen_[4] = {false, false, false, false};
  Block block_ = Block::BeforeFirst;
  int section_ = -1;
  PendingBlock pending_;
  SectionEntry entry_;
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

}  // namespace

Finding& FindingLists::Add(FindingFamily family, const char* code, int line, std::string key, std::string message,
                           std::string file) {
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

void FindingLists::Finish(SkinResult& result) {
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

bool ReadSkinIni(const std::string& iniPath, std::string& bytes, std::string& error) {
  switch (platform::ReadWholeFile(iniPath, bytes)) {
    case platform::ReadStatus::Ok: break;
    case platform::ReadStatus::TooLarge:
      error = iniPath + J(": 大きすぎて読めません");
      return false;
    case platform::ReadStatus::Failed:
      error = iniPath + J(": 読めません (ほかのプログラムが開いているか、読む権限がありません)");
      return false;
  }
  return true;
}

// The lines are checked as UTF-8; a UTF-16 or Shift_JIS file as the reader
// converts it.
bool ReportEncoding(SkinFileState& file) {
  FindingLists& lists = file.lists;
  std::string_view& raw = file.raw;
  raw = file.bytes;
  if (raw.substr(0, 2) == "\xFF\xFE" || raw.substr(0, 2) == "\xFE\xFF") {
    lists.Add(FindingFamily::Encoding, "utf16", 0, "",
              J("UTF-16 で保存されています。skin.ini は UTF-8 で保存してください (エディターで保存すると UTF-8 になります)"))
        .lostBySave = false;
    file.converted = SkinFileUtf8(file.bytes);
    raw = file.converted;
    file.decoded = Utf8ToAnsi(raw);
    return true;
  }
  if (LooksLikeUtf16(raw)) {
    lists.Add(FindingFamily::Encoding, "utf16", 0, "",
              J("バイト順マークのない UTF-16 で保存されているため、最初の文字のほかは読まれません。UTF-8 で保存し直してください"))
        .reason = J("バイト順マークのない UTF-16 で保存されているため、最初の文字のほかは読まれません");
    return false;
  }
  const bool marked = raw.substr(0, 3) == "\xEF\xBB\xBF";
  if (marked) raw.remove_prefix(3);
  const std::size_t nul = raw.find('\0');
  if (nul != std::string_view::npos) {
    lists.Add(FindingFamily::Encoding, "nul-byte", LineCounter(raw).LineAt(nul), "",
              J("NUL バイトがあり、そこから後は読まれず、保存すると消えます"))
        .reason = J("NUL バイトがあり、そこから後は読まれません");
    raw = raw.substr(0, nul);
  }
  // Decoded and checked in one pass.
  file.decoded = platform::Utf8ToWorking(raw, file.wellFormed);
  if (std::optional<std::string> shiftJis = marked || file.wellFormed ? std::nullopt : ShiftJisContents(raw)) {
    lists.Add(FindingFamily::Encoding, "shift-jis", 0, "", J("Shift_JIS として読みました。保存すると UTF-8 になります"))
        .lostBySave = false;
    file.converted = std::move(*shiftJis);
    raw = file.converted;
    file.decoded = Utf8ToAnsi(raw);
    file.wellFormed = true;
  }
  return true;
}

void ReportLinesNotUtf8(SkinFileState& file) {
  if (file.wellFormed) return;
  const std::vector<std::string_view> rawLines = PhysicalLines(file.raw);
  file.invalidLine.resize(rawLines.size(), 0);
  int firstInvalid = 0, invalidCount = 0;
  for (std::size_t i = 0; i < rawLines.size(); ++i) {
    if (utf8::IsWellFormed(rawLines[i])) continue;
    file.invalidLine[i] = 1;
    if (!invalidCount++) firstInvalid = static_cast<int>(i) + 1;
  }
  if (invalidCount) {
    file.lists
        .Add(FindingFamily::Encoding, "invalid-utf8", firstInvalid, "",
             J("UTF-8 として正しくない文字があります (") + Num(invalidCount) +
                 J(" 行)。Shift_JIS などで保存されていないか確かめてください。読めない文字は置き換えられます"))
        .reason = J("UTF-8 として正しくない文字があります (") + Num(invalidCount) + J(" 行)。読めない文字は置き換えられます");
  }
}

void WalkLines(std::string_view text, const HeaderBlock& header, const KnownKeys& known,
               const AnalysisOptions& options, SkinFileState& file) {
  LineWalk(text, header, known, options, file).Run();
}

void ReportRepeatedKeysAndValues(const KnownKeys& known, const AnalysisOptions& options, SkinFileState& file) {
  const bool keep = options.keepUnknownLines;
  for (int s = 0; s < 4; ++s) {
    for (const auto& [key, lines] : file.entries[s]) {
      const EntryLine& last = lines.back();
      if (s == kControls) file.controlLines[key] = last.line;
      file.keptLines.emplace_back(last.line, key);
      if (lines.size() > 1) {
        std::string list;
        Finding& f = file.lists.Add(FindingFamily::Duplicate, "duplicate-key", last.line, key, "");
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
      Finding& f = file.lists.Add(FindingFamily::Value, code.c_str(), last.line, key,
                                  keep ? problem + J("。保存しても書いたとおりに残ります") : problem);
      f.reason = problem;
      f.lostBySave = !keep;
    }
  }
}

// Other sections keep their own bytes.
void ReportCharactersCodePageCannotHold(SkinFileState& file) {
  std::sort(file.keptLines.begin(), file.keptLines.end());
  NumberedLines rawLines(file.raw);
  for (const auto& [number, key] : file.keptLines) {
    const std::string_view rawLine = rawLines.Line(number);
    const std::size_t index = static_cast<std::size_t>(number) - 1;
    if (index < file.invalidLine.size() && file.invalidLine[index]) continue;
    if (!HasNonAscii(rawLine) || SurvivesWorkingCodePage(rawLine)) continue;
    const std::string reason = J("コードページ ") + Num(platform::WorkingCodePage()) + J(" で表せない文字 (") +
                               LostCharacters(rawLine) + J(") があり");
    file.lists.Add(FindingFamily::Encoding, "unrepresentable", number, key, reason + J("、保存すると失われます")).reason =
        reason + J("ます");
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

}  // namespace analysis_steps
}  // namespace orlavix
