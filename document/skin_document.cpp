#include "document/skin_document.h"

#include <new>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

namespace {

// Offset of the first NUL, CR, LF or 0xFF at or after i, or size.
std::size_t FindStop(const char* p, std::size_t i, std::size_t size) {
#if defined(__SSE2__)
  const __m128i cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n'), nul = _mm_setzero_si128(),
                ff = _mm_set1_epi8(static_cast<char>(0xFF));
  for (; i + 16 <= size; i += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    const __m128i hit = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf)),
                                     _mm_or_si128(_mm_cmpeq_epi8(v, nul), _mm_cmpeq_epi8(v, ff)));
    const int mask = _mm_movemask_epi8(hit);
    if (mask != 0) return i + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(mask)));
  }
#endif
  for (; i < size; ++i) {
    const char c = p[i];
    if (IsBreak(c) || EndsText(c)) return i;
  }
  return size;
}

}  // namespace

LineScanner::LineScanner(std::string_view text, std::size_t from) : text_(text), pos_(from), lineEnd_(from) {
  SkipBreaks();
}

void LineScanner::SkipBreaks() {
  while (pos_ < text_.size() && IsBreak(text_[pos_])) ++pos_;
}

// Finds the end of the line by bytes, then settles the one case where
// stepping by characters differs: a lead byte just before the stop byte takes
// it as its trail (unless it is NUL). Every byte that is not a lead byte ends
// a character, so only the run of lead bytes before the stop needs counting:
// an odd run leaves its last lead byte at the start of a character.
bool LineScanner::Next(std::string_view& line) {
  const char* p = text_.data();
  const std::size_t size = text_.size();
  const std::size_t start = pos_;
  std::size_t boundary = start;  // a known start of a character
  std::size_t end = start;
  while (true) {
    const std::size_t stop = FindStop(p, end, size);
    if (stop < size && stop > boundary && p[stop] != '\0' && IsLeadByte(static_cast<unsigned char>(p[stop - 1]))) {
      std::size_t run = stop - 1;
      while (run > boundary && IsLeadByte(static_cast<unsigned char>(p[run - 1]))) --run;
      if ((stop - run) % 2 == 1) {
        end = stop + 1;
        boundary = end;
        continue;
      }
    }
    end = stop;
    break;
  }
  if (end == start) return false;  // standing on NUL, 0xFF or the end
  line = text_.substr(start, end - start);
  lineEnd_ = end;
  pos_ = end;
  SkipBreaks();
  return true;
}

namespace {

enum class FileEncoding { Utf8, Utf16Le, Utf16Be };

// Which encoding the byte-order mark names; the mark is removed from bytes.
FileEncoding TakeByteOrderMark(std::string_view& bytes) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
    bytes.remove_prefix(3);
    return FileEncoding::Utf8;
  }
  if (bytes.substr(0, 2) == "\xFF\xFE") {
    bytes.remove_prefix(2);
    return FileEncoding::Utf16Le;
  }
  if (bytes.substr(0, 2) == "\xFE\xFF") {
    bytes.remove_prefix(2);
    return FileEncoding::Utf16Be;
  }
  return FileEncoding::Utf8;
}

std::string_view UpToNul(std::string_view bytes) {
  const std::size_t nul = bytes.find('\0');
  return nul == std::string_view::npos ? bytes : bytes.substr(0, nul);
}

constexpr char32_t kReplacementCharacter = 0xFFFD;

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// UTF-16 in either byte order to UTF-8, up to the first U+0000. Unpaired
// surrogates and an odd last byte become U+FFFD.
std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 2);
  const auto unit = [&](std::size_t i) -> char32_t {
    const unsigned a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
    return bigEndian ? (a << 8 | b) : (b << 8 | a);
  };
  std::size_t i = 0;
  for (; i + 1 < bytes.size(); i += 2) {
    char32_t cp = unit(i);
    if (cp == 0) return out;
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 3 < bytes.size()) {
      const char32_t low = unit(i + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
      }
    }
    if (cp >= 0xD800 && cp <= 0xDFFF) cp = kReplacementCharacter;
    AppendUtf8(out, cp);
  }
  if (i < bytes.size()) AppendUtf8(out, kReplacementCharacter);
  return out;
}

// Length of the well-formed UTF-8 character at i, or 0 when the byte there
// starts none.
std::size_t Utf8CharLength(std::string_view s, std::size_t i) {
  const unsigned char c = static_cast<unsigned char>(s[i]);
  if (c < 0x80) return 1;
  std::size_t len;
  unsigned char low = 0x80, high = 0xBF;  // bounds of the second byte
  if (c >= 0xC2 && c <= 0xDF) {
    len = 2;
  } else if (c >= 0xE0 && c <= 0xEF) {
    len = 3;
    if (c == 0xE0) low = 0xA0;   // no overlong forms
    if (c == 0xED) high = 0x9F;  // no surrogates
  } else if (c >= 0xF0 && c <= 0xF4) {
    len = 4;
    if (c == 0xF0) low = 0x90;
    if (c == 0xF4) high = 0x8F;  // nothing past U+10FFFF
  } else {
    return 0;
  }
  if (i + len > s.size()) return 0;
  const unsigned char second = static_cast<unsigned char>(s[i + 1]);
  if (second < low || second > high) return 0;
  for (std::size_t k = 2; k < len; ++k) {
    if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return 0;
  }
  return len;
}

// Valid UTF-8 is kept as it is; each byte that starts no character becomes
// U+FFFD.
std::string ValidUtf8(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  std::size_t i = 0;
  while (i < s.size()) {
    std::size_t run = i;
    while (run < s.size() && static_cast<unsigned char>(s[run]) < 0x80) ++run;
    out.append(s, i, run - i);
    i = run;
    if (i >= s.size()) break;
    const std::size_t len = Utf8CharLength(s, i);
    if (len == 0) {
      AppendUtf8(out, kReplacementCharacter);
      ++i;
    } else {
      out.append(s, i, len);
      i += len;
    }
  }
  return out;
}

}  // namespace

std::string SkinFileUtf8(std::string_view bytes) {
  switch (TakeByteOrderMark(bytes)) {
    case FileEncoding::Utf16Le: return Utf16ToUtf8(bytes, false);
    case FileEncoding::Utf16Be: return Utf16ToUtf8(bytes, true);
    case FileEncoding::Utf8: break;
  }
  return ValidUtf8(UpToNul(bytes));
}

std::string DecodeSkinFileBytes(std::string_view bytes) {
  switch (TakeByteOrderMark(bytes)) {
    case FileEncoding::Utf16Le: return Utf8ToAnsi(Utf16ToUtf8(bytes, false));
    case FileEncoding::Utf16Be: return Utf8ToAnsi(Utf16ToUtf8(bytes, true));
    case FileEncoding::Utf8: break;
  }
  return Utf8ToAnsi(UpToNul(bytes));
}

void SkinDocument::ReadFromFile(const std::string& path, Messages& messages, std::string* utf8) {
  Clear();
  if (utf8) utf8->clear();
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
    if (utf8) *utf8 = SkinFileUtf8(bytes);
    bytes.clear();
    bytes.shrink_to_fit();
    SetText(std::move(text));
  } catch (const std::bad_alloc&) {
    Clear();  // never half-filled
    if (utf8) utf8->clear();
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
