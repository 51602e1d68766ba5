#include "document/skin_loader.h"

#include <cstring>

#include "support/mbtext.h"

namespace orlavix {

bool IsSkinSection(std::string_view name) {
  for (const char* skinSection : kSkinSections) {
    if (EqualsNoCase(name, skinSection)) return true;
  }
  return false;
}

void LoadSection(const std::string& skinIniPath, SkinDocument& skinText, std::string_view section,
                 SettingCatalogue& catalogue, Messages& messages) {
  skinText.ReadFromFile(skinIniPath, messages);
  if (!skinText.HasText()) return;
  for (const SectionEntry& entry : skinText.SectionEntries(section)) {
    // Keys the catalogue does not know are dropped here.
    catalogue.SetFromText(entry.key, entry.value, !entry.value.empty());
  }
}

void CollectOtherSections(const std::string& skinIniPath, SkinDocument& skinText, std::string& extraText,
                          Messages& messages, std::string* extraBytes) {
  std::string utf8;
  skinText.ReadFromFile(skinIniPath, messages, extraBytes ? &utf8 : nullptr);
  if (!skinText.HasText()) return;
  if (extraBytes) {
    CollectOtherSectionsOf(skinText.Text(), utf8, extraText, *extraBytes);
    return;
  }
  const std::vector<std::string> names = skinText.SectionNames();
  std::string collected;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (IsSkinSection(names[i])) continue;
    // Each header with its own lines: a section repeated under one name
    // keeps both bodies, in file order.
    collected += skinText.SectionTextAt(i);
    collected += "\r\n";
  }
  extraText = std::move(collected);
}

namespace {

// The lines of UTF-8 text as the reader splits lines: runs of CR and LF
// separate them, so there are none empty. CR and LF are single bytes in both
// encodings and no other character holds them, so the n-th line here is the
// n-th line of the decoded text.
class Utf8Lines {
 public:
  explicit Utf8Lines(std::string_view text) : text_(text) {}
  bool Next(std::string_view& line) {
    while (pos_ < text_.size() && (text_[pos_] == '\r' || text_[pos_] == '\n')) ++pos_;
    const std::size_t start = pos_;
    // Valid UTF-8 holds no 0xFF, and its NUL ended the contents.
    pos_ = FindLineStop(text_.data(), pos_, text_.size());
    line = std::string_view(text_.data() + start, pos_ - start);
    return pos_ > start;
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

}  // namespace

namespace {

// The collection line by line through the scanner: exact for any text.
void CollectLineByLine(std::string_view text, std::string_view utf8, std::string& extraText,
                       std::string& extraBytes) {
  // Room reserved once, with headroom: CR LF pairs where the file had LF and
  // the empty line after each section. Pages never written cost nothing.
  std::string collected, bytes;
  collected.reserve(text.size() + text.size() / 4 + 64);
  bytes.reserve(utf8.size() + utf8.size() / 4 + 64);
  LineScanner lines(text);
  Utf8Lines ownLines(utf8);
  std::string_view line, own;
  bool inOther = false;
  const auto endSection = [&] {
    if (!inOther) return;
    collected += "\r\n";
    bytes += "\r\n";
    inOther = false;
  };
  while (lines.Next(line)) {
    const bool haveOwn = ownLines.Next(own);
    if (line.front() == '[') {
      endSection();
      // Listed headers only: "[" name "]" with a name of one byte or more.
      inOther = line.size() >= 3 && line.back() == ']' && !IsSkinSection(line.substr(1, line.size() - 2));
    }
    if (!inOther) continue;
    collected += line;
    collected += '\n';
    // A line that a 0xFF cut short in the text, or one the bytes do not have,
    // is carried as the text shows it.
    const std::size_t end = lines.Position();
    const bool cut = end < text.size() && (text[end] == '\xFF' || text[end] == '\0');
    if (haveOwn && !cut) {
      bytes += own;
    } else {
      bytes += AnsiToUtf8(line);
    }
    bytes += "\r\n";
  }
  endSection();
  extraText = std::move(collected);
  extraBytes = std::move(bytes);
}

// Appends through a pointer into a string whose room was reserved once; the
// string is sized a piece ahead of the writing, so untouched room costs no
// memory.
class Appender {
 public:
  explicit Appender(std::string& out, std::size_t estimate) : out_(out) {
    out_.clear();
    out_.reserve(estimate);
  }
  void Put(const char* p, std::size_t n) {
    if (out_.size() - used_ < n) Grow(n);
    std::memcpy(&out_[used_], p, n);
    used_ += n;
  }
  void Put(char c) {
    if (out_.size() == used_) Grow(1);
    out_[used_++] = c;
  }
  void Finish() { out_.resize(used_); }

 private:
  void Grow(std::size_t n) { out_.resize(used_ + (n > kPiece ? n : kPiece)); }
  static constexpr std::size_t kPiece = 64 * 1024;
  std::string& out_;
  std::size_t used_ = 0;
};

bool IsBreakByte(char c) { return c == '\r' || c == '\n'; }

// The same walk with the line ends found sixteen bytes at a time and the
// lines copied straight into the results. Gives up (false) where the text is
// not as a decoded file always is: a line cut by NUL or 0xFF, a line end
// taken as the trail of a lead byte, or lines the bytes do not have.
bool CollectFast(std::string_view text, std::string_view utf8, std::string& extraText, std::string& extraBytes) {
  std::string collected, bytes;
  Appender textOut(collected, text.size() + text.size() / 4 + 64);
  bytes.reserve(utf8.size() + utf8.size() / 4 + 64);
  // The file's own lines go out as they stand wherever each already ends in
  // one CR LF: a run of such lines is copied in one piece.
  std::size_t spanStart = 0, spanEnd = 0;
  const auto flush = [&] {
    bytes.append(utf8.data() + spanStart, spanEnd - spanStart);
    spanStart = spanEnd = 0;
  };
  struct {
    decltype(flush)& flushSpan;
    std::string& out;
    void Put(const char* p, std::size_t n) {
      flushSpan();
      out.append(p, n);
    }
  } bytesOut{flush, bytes};
  const char* w = text.data();
  const char* u = utf8.data();
  const std::size_t wSize = text.size(), uSize = utf8.size();
  std::size_t wi = 0, ui = 0;
  while (wi < wSize && IsBreakByte(w[wi])) ++wi;
  while (ui < uSize && IsBreakByte(u[ui])) ++ui;
  bool inOther = false;
  while (wi < wSize) {
    const std::size_t wStop = FindLineStop(w, wi, wSize);
    if (wStop < wSize) {
      if (!IsBreakByte(w[wStop])) return false;
      if (IsLeadByte(static_cast<unsigned char>(w[wStop - 1]))) {
        std::size_t run = wStop - 1;
        while (run > wi && IsLeadByte(static_cast<unsigned char>(w[run - 1]))) --run;
        if ((wStop - run) % 2 == 1) return false;
      }
    }
    const std::size_t uStop = FindLineStop(u, ui, uSize);
    if (uStop == ui) return false;
    if (w[wi] == '[') {
      if (inOther) {
        textOut.Put("\r\n", 2);
        bytesOut.Put("\r\n", 2);
      }
      const std::string_view line(w + wi, wStop - wi);
      inOther = line.size() >= 3 && line.back() == ']' && !IsSkinSection(line.substr(1, line.size() - 2));
    }
    if (inOther) {
      textOut.Put(w + wi, wStop - wi);
      textOut.Put('\n');
      if (uStop + 2 <= uSize && u[uStop] == '\r' && u[uStop + 1] == '\n' &&
          (uStop + 2 == uSize || !IsBreakByte(u[uStop + 2]))) {
        if (spanEnd != ui) flush();
        if (spanStart == spanEnd) spanStart = ui;
        spanEnd = uStop + 2;
      } else {
        bytesOut.Put(u + ui, uStop - ui);
        bytesOut.Put("\r\n", 2);
      }
    }
    wi = wStop;
    while (wi < wSize && IsBreakByte(w[wi])) ++wi;
    ui = uStop;
    while (ui < uSize && IsBreakByte(u[ui])) ++ui;
  }
  if (inOther) {
    textOut.Put("\r\n", 2);
    bytesOut.Put("\r\n", 2);
  }
  flush();
  textOut.Finish();
  extraText = std::move(collected);
  extraBytes = std::move(bytes);
  return true;
}

}  // namespace

void CollectOtherSectionsOf(std::string_view text, std::string_view utf8, std::string& extraText,
                            std::string& extraBytes) {
  if (!CollectFast(text, utf8, extraText, extraBytes)) CollectLineByLine(text, utf8, extraText, extraBytes);
}

}  // namespace orlavix
