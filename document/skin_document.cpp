#include "document/skin_document.h"

#include <cstring>
#include <new>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/utf8.h"
#include "support/mbtext.h"

namespace orlavix {
namespace {

bool IsBreak(char c) { return c == '\r' || c == '\n'; }

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
    const std::size_t stop = FindLineStop(p, end, size);
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

bool SplitEntryLine(std::string_view line, SectionEntry& entry) {
  if (line.empty() || line.front() == '#') return false;
  const std::size_t start = line.find_first_not_of(' ');
  if (start == std::string_view::npos) return false;
  line.remove_prefix(start);
  if (line.front() == '=') return false;
  const std::size_t last = LastEquals(line);
  if (last == std::string_view::npos) return false;
  entry.key.assign(line.substr(0, last));
  entry.value.assign(line.substr(last + 1));
  return true;
}

bool IsListedHeaderLine(std::string_view line) {
  return line.size() >= 3 && line.front() == '[' && line.back() == ']';
}

namespace {

// Unmarked is UTF-8 too, unless the contents are Shift_JIS.
enum class FileEncoding { Utf8, Unmarked, Utf16Le, Utf16Be };

bool IsUtf8(FileEncoding encoding) { return encoding == FileEncoding::Utf8 || encoding == FileEncoding::Unmarked; }

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
  return FileEncoding::Unmarked;
}

std::string_view UpToNul(std::string_view bytes) {
  const std::size_t nul = bytes.find('\0');
  return nul == std::string_view::npos ? bytes : bytes.substr(0, nul);
}

constexpr char32_t kReplacementCharacter = 0xFFFD;

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
    utf8::Append(out, cp);
  }
  if (i < bytes.size()) utf8::Append(out, kReplacementCharacter);
  return out;
}

// Length of the well-formed UTF-8 character at i, or 0 when the byte there
// starts none.
std::size_t Utf8CharLength(std::string_view s, std::size_t i) {
  char32_t cp = 0;
  return utf8::DecodeAt(s, i, cp);
}

// True for a byte that no well-formed character starts with: a continuation
// byte, an overlong lead, or one past U+10FFFF.
bool NeverStartsCharacter(unsigned char c) { return c >= 0x80 && (c < 0xC2 || c > 0xF4); }

// Offset of the first byte that starts no well-formed character, or size.
std::size_t FirstMalformed(std::string_view s) {
  const char* p = s.data();
  const std::size_t size = s.size();
  std::size_t i = 0;
  while (i < size) {
#if defined(__SSE2__)
    for (; i + 16 <= size; i += 16) {
      const unsigned high =
          static_cast<unsigned>(_mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i))));
      if (high != 0) {
        i += static_cast<std::size_t>(__builtin_ctz(high));
        break;
      }
    }
#else
    while (i + 8 <= size) {
      std::uint64_t word;
      std::memcpy(&word, p + i, 8);
      if (word & 0x8080808080808080ull) break;
      i += 8;
    }
#endif
    if (i >= size) break;
    const unsigned char c = static_cast<unsigned char>(p[i]);
    if (c < 0x80) {
      ++i;
      continue;
    }
    // Three bytes whose lead allows any continuation: nearly every Japanese
    // character, checked without the general rules.
    if (c >= 0xE1 && c != 0xED && c <= 0xEF && i + 3 <= size && (static_cast<unsigned char>(p[i + 1]) & 0xC0) == 0x80 &&
        (static_cast<unsigned char>(p[i + 2]) & 0xC0) == 0x80) {
      i += 3;
      continue;
    }
    const std::size_t len = Utf8CharLength(s, i);
    if (len == 0) return i;
    i += len;
  }
  return size;
}

// Valid UTF-8 is kept as it is; each byte that starts no character becomes
// U+FFFD.
std::string ValidUtf8(std::string_view s) {
  std::string out;
  out.reserve(s.size() + 16);
  std::size_t i = 0;
  while (i < s.size()) {
    std::size_t run = i;
    while (run < s.size() && static_cast<unsigned char>(s[run]) < 0x80) ++run;
    out.append(s, i, run - i);
    i = run;
    if (i >= s.size()) break;
    const std::size_t len = Utf8CharLength(s, i);
    if (len == 0) {
      // This byte and the run of bytes after it that can start no character
      // (a file filled with 0xFF, say) each become U+FFFD, written at once.
      std::size_t end = i + 1;
      while (end < s.size() && NeverStartsCharacter(static_cast<unsigned char>(s[end]))) ++end;
      const std::size_t at = out.size();
      out.resize(at + 3 * (end - i));
      for (char* o = &out[at]; i < end; ++i, o += 3) std::memcpy(o, "\xEF\xBF\xBD", 3);
    } else {
      out.append(s, i, len);
      i += len;
    }
  }
  return out;
}

// True when a byte after a Shift_JIS lead byte may complete it.
bool IsShiftJisTrail(unsigned char c) { return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC); }
bool IsShiftJisLead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// Shift_JIS's own shape: ASCII, half-width katakana, and lead bytes each
// with a trail. (0x80, 0xA0 and 0xFD-0xFF, which some systems map to
// characters of their own, do not occur in Shift_JIS text.)
bool HasShiftJisShape(std::string_view s) {
  for (std::size_t i = 0; i < s.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    if (c < 0x80 || (c >= 0xA1 && c <= 0xDF)) continue;
    if (!IsShiftJisLead(c) || i + 1 >= s.size() || !IsShiftJisTrail(static_cast<unsigned char>(s[i + 1]))) {
      return false;
    }
    ++i;
  }
  return true;
}

}  // namespace

bool IsWellFormedUtf8(std::string_view bytes) { return FirstMalformed(bytes) == bytes.size(); }

std::optional<std::string> ShiftJisContents(std::string_view contents) {
  if (FirstMalformed(contents) == contents.size() || !HasShiftJisShape(contents)) return std::nullopt;
  // Shift_JIS pairs often read as short UTF-8 characters, and UTF-8 text
  // often as half-width katakana: the whole file decides.
  std::size_t invalid = 0, valid = 0;
  for (std::size_t i = 0; i < contents.size();) {
    if (static_cast<unsigned char>(contents[i]) < 0x80) {
      ++i;
    } else if (const std::size_t length = Utf8CharLength(contents, i)) {
      ++valid;
      i += length;
    } else {
      ++invalid;
      ++i;
    }
  }
  if (invalid <= valid) return std::nullopt;
  bool wholeCharacters = false;
  std::string utf8 = platform::ShiftJisToUtf8(contents, wholeCharacters);
  if (!wholeCharacters) return std::nullopt;
  return utf8;
}

std::string SkinFileUtf8(std::string_view bytes) {
  switch (TakeByteOrderMark(bytes)) {
    case FileEncoding::Utf16Le: return Utf16ToUtf8(bytes, false);
    case FileEncoding::Utf16Be: return Utf16ToUtf8(bytes, true);
    case FileEncoding::Unmarked:
      if (std::optional<std::string> shiftJis = ShiftJisContents(UpToNul(bytes))) return std::move(*shiftJis);
      break;
    case FileEncoding::Utf8: break;
  }
  return ValidUtf8(UpToNul(bytes));
}

std::string DecodeSkinFileBytes(std::string_view bytes) {
  switch (TakeByteOrderMark(bytes)) {
    case FileEncoding::Utf16Le: return Utf8ToAnsi(Utf16ToUtf8(bytes, false));
    case FileEncoding::Utf16Be: return Utf8ToAnsi(Utf16ToUtf8(bytes, true));
    case FileEncoding::Unmarked:
      if (std::optional<std::string> shiftJis = ShiftJisContents(UpToNul(bytes))) return Utf8ToAnsi(*shiftJis);
      break;
    case FileEncoding::Utf8: break;
  }
  return Utf8ToAnsi(UpToNul(bytes));
}

namespace {

// Decodes a skin.ini while it is read. UTF-8 (nearly every file) is decoded
// piece by piece: over the bytes themselves, or into a text of its own when
// the bytes are wanted as well. A UTF-16 file is decoded whole at the end.
class DecodingSink : public platform::ReadSink {
 public:
  DecodingSink(bool keepBytes, DecodeWatcher* watcher) : keepBytes_(keepBytes), watcher_(keepBytes ? watcher : nullptr) {}

  bool Piece(std::string& bytes, bool last) override {
    if (!decoder_) {
      if (bytes.size() < 3 && !last) return true;  // the mark may not be whole yet
      std::string_view view(bytes);
      encoding_ = TakeByteOrderMark(view);
      from_ = bytes.size() - view.size();
      decoder_.emplace(from_);
      if (keepBytes_ && bytes.capacity() > text_.capacity()) text_.reserve(bytes.capacity() + 4096);
      if (IsUtf8(encoding_) && watcher_) watcher_->Expect(bytes.capacity());
    }
    if (!IsUtf8(encoding_)) return true;
    if (keepBytes_) {
      decoder_->Take(bytes, last, text_);
      if (watcher_ && decoder_->WellFormed()) {
        const std::string_view contents(bytes.data() + from_, decoder_->BytesEnd() - from_);
        watcher_->Decoded(text_, contents, last || decoder_->Ended());
      }
    } else {
      decoder_->TakeInPlace(bytes, last);
    }
    return !decoder_->Ended();
  }

  // The text, and with keepBytes the contents as SkinFileUtf8 gives them,
  // taken from what the reading left in bytes.
  std::string Finish(std::string& bytes, std::string* utf8) {
    if (!decoder_ || !IsUtf8(encoding_)) {
      std::string text = DecodeSkinFileBytes(bytes);
      if (utf8) *utf8 = SkinFileUtf8(bytes);
      return text;
    }
    if (!keepBytes_) {
      bytes.resize(decoder_->Length());
      return std::move(bytes);
    }
    bytes.resize(decoder_->BytesEnd());
    bytes.erase(0, from_);
    // Well-formed bytes (the decoding says so where it can tell) are the
    // contents as they stand.
    if (decoder_->WellFormed() || FirstMalformed(bytes) == bytes.size()) {
      *utf8 = std::move(bytes);
    } else if (std::optional<std::string> shiftJis =
                   encoding_ == FileEncoding::Unmarked ? ShiftJisContents(bytes) : std::nullopt) {
      *utf8 = std::move(*shiftJis);
      return Utf8ToAnsi(*utf8);
    } else {
      *utf8 = ValidUtf8(bytes);
    }
    return std::move(text_);
  }

  // True when the text decoded over the bytes themselves may be Shift_JIS:
  // only the bytes can tell, and they are gone.
  bool MayBeShiftJis() const {
    return !keepBytes_ && encoding_ == FileEncoding::Unmarked && decoder_ && decoder_->Malformed();
  }

 private:
  bool keepBytes_;
  DecodeWatcher* watcher_;
  FileEncoding encoding_ = FileEncoding::Unmarked;
  std::size_t from_ = 0;
  std::optional<platform::Utf8PieceDecoder> decoder_;
  std::string text_;
};

// Checks the UTF-8 of p[at, end) up to its first NUL, leaving `at` there
// (true) or at end (false); clears wellFormed at the first byte that starts
// no well-formed character, and stops there.
bool CheckUtf8(const char* p, std::size_t& at, std::size_t end, bool& wellFormed) {
  const std::string_view s(p, end);
  std::size_t i = at;
  while (i < end) {
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    for (; i + 16 <= end; i += 16) {
      const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
      const unsigned stop = static_cast<unsigned>(_mm_movemask_epi8(v) | _mm_movemask_epi8(_mm_cmpeq_epi8(v, zero)));
      if (stop != 0) {
        i += static_cast<std::size_t>(__builtin_ctz(stop));
        break;
      }
    }
    if (i >= end) break;
#endif
    const unsigned char c = static_cast<unsigned char>(p[i]);
    if (c == 0) {
      at = i;
      return true;
    }
    if (c < 0x80) {
      ++i;
      continue;
    }
    // Three bytes whose lead allows any continuation: nearly every Japanese
    // character, checked here without the general rules.
    if (c >= 0xE1 && c != 0xED && c <= 0xEF && i + 3 <= end &&
        (static_cast<unsigned char>(p[i + 1]) & 0xC0) == 0x80 && (static_cast<unsigned char>(p[i + 2]) & 0xC0) == 0x80) {
      i += 3;
      continue;
    }
    const std::size_t len = Utf8CharLength(s, i);
    if (len == 0) {
      wellFormed = false;
      break;
    }
    i += len;
  }
  at = i;
  return false;
}

// Follows the read with the checks of the UTF-8 alone.
class CheckingSink : public platform::ReadSink {
 public:
  explicit CheckingSink(DecodeWatcher* watcher) : watcher_(watcher) {}

  bool Piece(std::string& bytes, bool last) override {
    if (!started_) {
      if (bytes.size() < 3 && !last) return true;  // the mark may not be whole yet
      std::string_view view(bytes);
      utf8_ = IsUtf8(TakeByteOrderMark(view));
      at_ = from_ = bytes.size() - view.size();
      started_ = true;
      if (utf8_ && watcher_) watcher_->Expect(bytes.capacity());
    }
    if (!utf8_ || !wellFormed_ || !watcher_) return true;
    const std::size_t end = last ? bytes.size() : platform::Utf8CompleteEnd(bytes.data(), at_, bytes.size());
    const bool ended = CheckUtf8(bytes.data(), at_, end, wellFormed_);
    if (!wellFormed_) return true;  // read on: the caller works from the bytes
    watcher_->Decoded({}, std::string_view(bytes.data() + from_, at_ - from_), last || ended);
    return !ended;
  }

 private:
  DecodeWatcher* watcher_;
  bool started_ = false, utf8_ = true, wellFormed_ = true;
  std::size_t from_ = 0, at_ = 0;
};

// Reads with the sink, giving the alert for a file too large to read.
bool ReadWithSink(const std::string& path, Messages& messages, std::string& bytes, platform::ReadSink& sink) {
  switch (platform::ReadWholeFile(path, bytes, &sink)) {
    case platform::ReadStatus::Ok:
      return true;
    case platform::ReadStatus::TooLarge:
      messages.Alert(J("ファイルが大きすぎるため読み込めません。"));
      return false;
    case platform::ReadStatus::Failed:
      return false;
  }
  return false;
}

}  // namespace

bool ReadSkinFileBytes(const std::string& path, Messages& messages, std::string& bytes, DecodeWatcher* watcher) {
  CheckingSink sink(watcher);
  return ReadWithSink(path, messages, bytes, sink);
}

void SkinDocument::ReadFromFile(const std::string& path, Messages& messages, std::string* utf8,
                                DecodeWatcher* watcher) {
  Clear();
  if (utf8) utf8->clear();
  try {
    std::string bytes;
    DecodingSink sink(utf8 != nullptr, watcher);
    if (!ReadWithSink(path, messages, bytes, sink)) return;
    std::string text = sink.Finish(bytes, utf8);
    bytes = std::string();
    if (sink.MayBeShiftJis() && platform::ReadWholeFile(path, bytes) == platform::ReadStatus::Ok) {
      text = DecodeSkinFileBytes(bytes);
      bytes = std::string();
    }
    SetText(std::move(text));
  } catch (const std::bad_alloc&) {
    Clear();  // never half-filled
    if (utf8) utf8->clear();
  }
}

void SkinDocument::SetText(std::string text) {
  Clear();
  // Offsets are kept in 32 bits: a file's text is always shorter than the
  // 4 GiB a file may have.
  if (text.size() > UINT32_MAX) throw std::bad_alloc();
  text_ = std::move(text);
}

void SkinDocument::Clear() {
  text_.reset();
  indexAt_ = 0;
  indexDone_ = false;
  headers_.clear();
  headers_.shrink_to_fit();
  listed_.clear();
  listed_.shrink_to_fit();
}

const std::string& SkinDocument::Text() const {
  static const std::string empty;
  return text_ ? *text_ : empty;
}

namespace {

// True when the byte at i starts a character, for a byte at i that is not
// NUL: every byte that is not a lead byte ends a character, so only the run
// of lead bytes just before i decides (pairs from its start). `from` is a
// known start of a character.
bool StartsCharacter(const char* p, std::size_t from, std::size_t i) {
  std::size_t run = i;
  while (run > from && IsLeadByte(static_cast<unsigned char>(p[run - 1]))) --run;
  return (i - run) % 2 == 0;
}

// The first byte at or after i that may matter to the index: a NUL, a 0xFF,
// or a '[' at the start of the text or just after a CR or LF. Sixteen bytes
// at a time; a header bracket is rare, so the neighbour test waits for one.
std::size_t FindIndexStop(const char* p, std::size_t i, std::size_t size) {
  const auto matters = [p](std::size_t at) {
    const char c = p[at];
    return c == '\0' || c == '\xFF' || (c == '[' && (at == 0 || p[at - 1] == '\r' || p[at - 1] == '\n'));
  };
  if (i == 0 && size > 0 && matters(0)) return 0;
  if (i == 0) i = 1;
#if defined(__SSE2__)
  const __m128i bracket = _mm_set1_epi8('['), nul = _mm_setzero_si128(), ff = _mm_set1_epi8(static_cast<char>(0xFF)),
                cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n');
  for (; i + 16 <= size; i += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    const __m128i open = _mm_cmpeq_epi8(v, bracket);
    const __m128i end = _mm_or_si128(_mm_cmpeq_epi8(v, nul), _mm_cmpeq_epi8(v, ff));
    if (_mm_movemask_epi8(_mm_or_si128(open, end)) == 0) continue;
    const __m128i before = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i - 1));
    const __m128i afterBreak = _mm_or_si128(_mm_cmpeq_epi8(before, cr), _mm_cmpeq_epi8(before, lf));
    const int mask = _mm_movemask_epi8(_mm_or_si128(_mm_and_si128(open, afterBreak), end));
    if (mask != 0) return i + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(mask)));
  }
#endif
  for (; i < size; ++i) {
    if (matters(i)) return i;
  }
  return size;
}

}  // namespace

std::size_t NextBracketLine(std::string_view text, std::size_t from) {
  const char* p = text.data();
  const std::size_t size = text.size();
  for (std::size_t at = FindIndexStop(p, from, size); at < size; at = FindIndexStop(p, at, size)) {
    if (p[at] == '\0') break;
    if (p[at] == '\xFF') {
      if (StartsCharacter(p, from, at)) break;
      ++at;  // the trail of a lead byte
      continue;
    }
    if (at > from && !StartsCharacter(p, from, at - 1)) {
      ++at;  // the CR or LF before it is a trail byte
      continue;
    }
    return at;
  }
  return size;
}

// A header line starts with '[', so only the brackets that start a line are
// looked at: one after a CR or LF that is a line break (not the trail of a
// lead byte), or the first byte of the text. The lines end at the first NUL,
// or the first 0xFF that starts a character. One pass finds both; the result
// is the scanner's, line for line.
bool SkinDocument::IndexNextHeader() const {
  if (indexDone_ || !text_) return false;
  const std::string_view text(*text_);
  const std::size_t size = text.size();
  for (std::size_t at = NextBracketLine(text, indexAt_); at < size; at = NextBracketLine(text, indexAt_)) {
    LineScanner scanner(text, at);
    std::string_view line;
    if (!scanner.Next(line)) break;
    indexAt_ = scanner.Position();  // go on after this line
    if (line.size() >= 2 && line.back() == ']') {
      const auto index = static_cast<std::uint32_t>(headers_.size());
      headers_.push_back({static_cast<std::uint32_t>(at), static_cast<std::uint32_t>(line.size())});
      if (IsListedHeaderLine(line)) listed_.push_back(index);
      return true;
    }
  }
  indexDone_ = true;
  return false;
}

void SkinDocument::BuildIndex() const {
  while (IndexNextHeader()) {
  }
}

std::size_t SkinDocument::FindHeader(std::string_view name) const {
  if (!text_) return std::string::npos;
  // Every line equal to "[name]" without regard to case starts with '[' and
  // ends with ']' (folding never makes or removes brackets), so it is indexed;
  // folding keeps lengths, so only lines of the header's length can match.
  // The index grows only as far as the first match.
  const std::string header = HeaderFor(name);
  const auto matches = [&](std::size_t i) {
    return headers_[i].length == header.size() &&
           EqualsNoCase(std::string_view(*text_).substr(headers_[i].offset, headers_[i].length), header);
  };
  for (std::size_t i = 0; i < headers_.size(); ++i) {
    if (matches(i)) return i;
  }
  while (IndexNextHeader()) {
    if (matches(headers_.size() - 1)) return headers_.size() - 1;
  }
  return std::string::npos;
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
  BuildIndex();
  std::vector<std::string> names;
  names.reserve(listed_.size());
  for (const std::uint32_t index : listed_) {
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
  SectionEntry entry;
  while (scanner.Next(line) && line.front() != '[') {
    if (SplitEntryLine(line, entry)) entries.push_back(std::move(entry));
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
  BuildIndex();
  if (index >= listed_.size()) return std::string();
  const HeaderLine& header = headers_[listed_[index]];
  std::string out = text_->substr(header.offset, header.length);
  out += '\n';
  AppendBody(header.offset + header.length, out);
  return out;
}

}  // namespace orlavix
