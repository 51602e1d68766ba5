#include "document/skin_loader.h"

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

void CollectOtherSectionsOf(std::string_view text, std::string_view utf8, std::string& extraText,
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

}  // namespace orlavix
