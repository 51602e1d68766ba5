#include "document/skin_document.h"

#include <new>

#include "platform/files.h"
#include "support/mbtext.h"

namespace orlavix {
namespace {

bool IsBreak(char c) { return c == '\r' || c == '\n'; }
bool EndsText(char c) { return c == '\0' || c == '\xFF'; }

std::string HeaderFor(std::string_view name) {
  std::string header;
  header.reserve(name.size() + 2);
  header += '[';
  header += name;
  header += ']';
  return header;
}

// Offset of the last '=' character of line, or npos.
std::size_t LastEquals(std::string_view line) {
  std::size_t last = std::string_view::npos;
  for (std::size_t i = 0; i < line.size(); i = NextChar(line, i)) {
    if (line[i] == '=') last = i;
  }
  return last;
}

}  // namespace

LineScanner::LineScanner(std::string_view text, std::size_t from) : text_(text), pos_(from), lineEnd_(from) {
  SkipBreaks();
}

void LineScanner::SkipBreaks() {
  while (pos_ < text_.size() && IsBreak(text_[pos_])) ++pos_;
}

bool LineScanner::Next(std::string_view& line) {
  const std::size_t start = pos_;
  while (pos_ < text_.size()) {
    const char c = text_[pos_];
    if (IsBreak(c) || EndsText(c)) break;
    pos_ = NextChar(text_, pos_);
  }
  if (pos_ == start) return false;  // standing on NUL, 0xFF or the end
  line = text_.substr(start, pos_ - start);
  lineEnd_ = pos_;
  SkipBreaks();
  return true;
}

std::string DecodeSkinFileBytes(std::string_view bytes) {
  if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  const std::size_t nul = bytes.find('\0');
  if (nul != std::string_view::npos) bytes = bytes.substr(0, nul);
  return Utf8ToAnsi(bytes);
}

void SkinDocument::ReadFromFile(const std::string& path, Messages& messages) {
  Clear();
  std::string bytes;
  switch (platform::ReadWholeFile(path, bytes)) {
    case platform::ReadStatus::Ok:
      break;
    case platform::ReadStatus::TooLarge:
      messages.Alert(J("ファイルが大きすぎるため読み込めません。"));
      return;
    case platform::ReadStatus::Failed:
      return;
  }
  try {
    std::string text = DecodeSkinFileBytes(bytes);
    bytes.clear();
    bytes.shrink_to_fit();
    SetText(std::move(text));
  } catch (const std::bad_alloc&) {
    Clear();  // never half-filled
  }
}

void SkinDocument::SetText(std::string text) {
  Clear();
  text_ = std::move(text);
  try {
    BuildIndex();
  } catch (...) {
    Clear();
    throw;
  }
}

void SkinDocument::Clear() {
  text_.reset();
  headers_.clear();
  listed_.clear();
  firstHeader_.clear();
}

const std::string& SkinDocument::Text() const {
  static const std::string empty;
  return text_ ? *text_ : empty;
}

void SkinDocument::BuildIndex() {
  const std::string& text = *text_;
  LineScanner scanner(text);
  std::string_view line;
  while (scanner.Next(line)) {
    if (line.front() != '[' || line.size() < 2 || line.back() != ']') continue;
    const std::size_t index = headers_.size();
    headers_.push_back({static_cast<std::size_t>(line.data() - text.data()), line.size()});
    if (line.size() >= 3) listed_.push_back(index);
    firstHeader_.emplace(MbsLower(line), index);
  }
}

std::size_t SkinDocument::FindHeader(std::string_view name) const {
  if (!text_) return std::string::npos;
  // Every line equal to "[name]" without regard to case starts with '[' and
  // ends with ']' (folding never makes or removes brackets), so it is indexed.
  const auto found = firstHeader_.find(MbsLower(HeaderFor(name)));
  return found == firstHeader_.end() ? std::string::npos : found->second;
}

void SkinDocument::AppendBody(std::size_t headerEnd, std::string& out) const {
  LineScanner scanner(*text_, headerEnd);
  std::string_view line;
  while (scanner.Next(line) && line.front() != '[') {
    out += line;
    out += '\n';
  }
}

std::vector<std::string> SkinDocument::SectionNames() const {
  std::vector<std::string> names;
  names.reserve(listed_.size());
  for (const std::size_t index : listed_) {
    const HeaderLine& header = headers_[index];
    names.push_back(text_->substr(header.offset + 1, header.length - 2));
  }
  return names;
}

std::vector<SectionEntry> SkinDocument::SectionEntries(std::string_view name) const {
  std::vector<SectionEntry> entries;
  const std::size_t index = FindHeader(name);
  if (index == std::string::npos) return entries;
  const HeaderLine& header = headers_[index];
  LineScanner scanner(*text_, header.offset + header.length);
  std::string_view line;
  while (scanner.Next(line) && line.front() != '[') {
    if (line.front() == '#') continue;
    const std::size_t start = line.find_first_not_of(' ');
    if (start == std::string_view::npos) continue;
    line.remove_prefix(start);
    if (line.front() == '=') continue;
    const std::size_t last = LastEquals(line);
    if (last == std::string_view::npos) continue;
    entries.push_back({std::string(line.substr(0, last)), std::string(line.substr(last + 1))});
  }
  return entries;
}

std::string SkinDocument::SectionText(std::string_view name) const {
  std::string out = HeaderFor(name);
  out += '\n';
  const std::size_t index = FindHeader(name);
  if (index != std::string::npos) AppendBody(headers_[index].offset + headers_[index].length, out);
  return out;
}

std::string SkinDocument::SectionTextAt(std::size_t index) const {
  if (index >= listed_.size()) return std::string();
  const HeaderLine& header = headers_[listed_[index]];
  std::string out = text_->substr(header.offset, header.length);
  out += '\n';
  AppendBody(header.offset + header.length, out);
  return out;
}

}  // namespace orlavix
