#include "document/skin_loader.h"

#include <cstring>
#include <memory>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "support/mbtext.h"
#include "support/utf8_lines.h"

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
  LoadSectionFrom(skinText, section, catalogue);
}

void LoadSectionFrom(const SkinDocument& skinText, std::string_view section, SettingCatalogue& catalogue) {
  if (!skinText.HasText()) return;
  for (const SectionEntry& entry : skinText.SectionEntries(section)) {
    // Keys the catalogue does not know are dropped here.
    catalogue.SetFromText(entry.key, entry.value, !entry.value.empty());
  }
}

void CollectOtherSections(const std::string& skinIniPath, SkinDocument& skinText, std::string& extraText,
                          Messages& messages, std::string* extraBytes) {
  if (extraBytes) {
    // Collected while the file is decoded, piece by piece.
    std::string utf8;
    OtherSectionsCollector collector;
    skinText.ReadFromFile(skinIniPath, messages, &utf8, &collector);
    if (skinText.HasText()) collector.Finish(skinText.Text(), utf8, extraText, *extraBytes);
    return;
  }
  skinText.ReadFromFile(skinIniPath, messages);
  if (!skinText.HasText()) return;
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

bool CollectOtherSectionBytes(const std::string& skinIniPath, std::string& extraBytes, Messages& messages) {
  std::string bytes;
  OtherSectionsCollector collector(false);
  if (!ReadSkinFileBytes(skinIniPath, messages, bytes, &collector)) return false;
  if (collector.FinishBytes(extraBytes)) return true;
  // Not well-formed UTF-8: the whole way, from the text.
  std::string unused;
  CollectOtherSectionsOf(DecodeSkinFileBytes(bytes), SkinFileUtf8(bytes), unused, extraBytes);
  return true;
}

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

}  // namespace

// The walk of CollectLineByLine with the line ends found sixteen bytes at a
// time and the lines copied straight into the results, able to go on as more
// of both texts arrive. Gives up where the text is not as a decoded file
// always is: a line cut by NUL or 0xFF, a line end taken as the trail of a
// lead byte, or lines the bytes do not have.
class OtherSectionsCollector::Fast {
 public:
  Fast(std::size_t textEstimate, std::size_t bytesEstimate) : textOut_(collected_, 2 * textEstimate + 64) {
    bytes_.reserve(2 * bytesEstimate + 64);
  }

  // Collects every line complete in both texts (all of them when `last`).
  // False once it has given up.
  bool Take(std::string_view text, std::string_view utf8, bool last) {
    if (failed_) return false;
    const char* w = text.data();
    const char* u = utf8.data();
    const std::size_t wSize = text.size(), uSize = utf8.size();
    // Worked on in locals: the bytes copied through pointers could otherwise
    // alias the members and force them back to memory on every line.
    std::size_t wi = wi_, ui = ui_, spanStart = spanStart_, spanEnd = spanEnd_;
    bool inOther = inOther_;
    const auto flush = [&] {
      bytes_.append(u + spanStart, spanEnd - spanStart);
      spanStart = spanEnd = 0;
    };
    const auto endSection = [&] {
      textOut_.Put("\r\n", 2);
      flush();
      bytes_ += "\r\n";
    };
    bool ok = true;
    while (true) {
      while (wi < wSize && IsBreakByte(w[wi])) ++wi;
      while (ui < uSize && IsBreakByte(u[ui])) ++ui;
      if (wi >= wSize) break;
      // A long line waiting for its end is searched only where new bytes came.
      const std::size_t wStop = FindLineStop(w, wi > wSeen_ ? wi : wSeen_, wSize);
      const std::size_t uStop = FindLineStop(u, ui > uSeen_ ? ui : uSeen_, uSize);
      // A line whose end has not arrived waits for the next piece. (A run of
      // line ends cut by a piece gives the same bytes either way.)
      if (!last && (wStop == wSize || uStop == uSize)) {
        wSeen_ = wStop;
        uSeen_ = uStop;
        break;
      }
      if (wStop < wSize) {
        if (!IsBreakByte(w[wStop])) ok = false;
        if (ok && IsLeadByte(static_cast<unsigned char>(w[wStop - 1]))) {
          std::size_t run = wStop - 1;
          while (run > wi && IsLeadByte(static_cast<unsigned char>(w[run - 1]))) --run;
          if ((wStop - run) % 2 == 1) ok = false;
        }
      }
      if (uStop == ui) ok = false;
      if (!ok) break;
      if (w[wi] == '[') {
        if (inOther) endSection();
        const std::string_view line(w + wi, wStop - wi);
        inOther = line.size() >= 3 && line.back() == ']' && !IsSkinSection(line.substr(1, line.size() - 2));
      }
      if (inOther) {
        textOut_.Put(w + wi, wStop - wi);
        textOut_.Put('\n');
        // The file's own lines go out as they stand wherever each already
        // ends in one CR LF: a run of such lines is copied in one piece.
        if (uStop + 2 <= uSize && u[uStop] == '\r' && u[uStop + 1] == '\n' &&
            (uStop + 2 == uSize || !IsBreakByte(u[uStop + 2]))) {
          if (spanEnd != ui) flush();
          if (spanStart == spanEnd) spanStart = ui;
          spanEnd = uStop + 2;
        } else {
          flush();
          bytes_.append(u + ui, uStop - ui);
          bytes_ += "\r\n";
        }
      }
      wi = wStop;
      ui = uStop;
    }
    if (!ok) {
      failed_ = true;
      return false;
    }
    if (last) {
      if (inOther) endSection();
      flush();
      textOut_.Finish();
      done_ = true;
    }
    wi_ = wi;
    ui_ = ui;
    spanStart_ = spanStart;
    spanEnd_ = spanEnd;
    inOther_ = inOther;
    return true;
  }

  bool Done() const { return done_; }
  std::string& Text() { return collected_; }
  std::string& Bytes() { return bytes_; }

 private:
  std::string collected_, bytes_;
  Appender textOut_;
  std::size_t wi_ = 0, ui_ = 0;
  // Where the search for the end of a waiting line goes on.
  std::size_t wSeen_ = 0, uSeen_ = 0;
  // The run of the file's own bytes not yet copied.
  std::size_t spanStart_ = 0, spanEnd_ = 0;
  bool inOther_ = false, failed_ = false, done_ = false;
};

namespace {

// The first '[' in [i, end) that starts a line (the byte before it is a CR or
// LF), or end. i > 0. Sixteen bytes at a time.
std::size_t FindHeaderStart(const char* p, std::size_t i, std::size_t end) {
#if defined(__SSE2__)
  const __m128i bracket = _mm_set1_epi8('['), cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n');
  for (; i + 16 <= end; i += 16) {
    const __m128i open = _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i)), bracket);
    if (_mm_movemask_epi8(open) == 0) continue;
    const __m128i before = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i - 1));
    const int mask =
        _mm_movemask_epi8(_mm_and_si128(open, _mm_or_si128(_mm_cmpeq_epi8(before, cr), _mm_cmpeq_epi8(before, lf))));
    if (mask != 0) return i + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(mask)));
  }
#endif
  for (; i < end; ++i) {
    if (p[i] == '[' && IsBreakByte(p[i - 1])) return i;
  }
  return end;
}

// True when every run of line ends in [i, end) is exactly one CR LF: every CR
// is followed by LF, every LF follows a CR, and no CR follows an LF.
bool OnlyCrLfLineEnds(const char* p, std::size_t i, std::size_t end) {
  unsigned carryCr = 0, carryLf = 0;  // from the last byte of the block before
#if defined(__SSE2__)
  const __m128i cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n');
  for (; i + 16 <= end; i += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    const unsigned crs = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, cr)));
    const unsigned lfs = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, lf)));
    if ((crs | lfs | carryCr) == 0) continue;
    if (lfs != ((crs << 1 | carryCr) & 0xFFFF)) return false;
    if (((lfs << 1 | carryLf) & crs) != 0) return false;
    carryCr = crs >> 15;
    carryLf = lfs >> 15;
  }
#endif
  for (; i < end; ++i) {
    const bool isCr = p[i] == '\r', isLf = p[i] == '\n';
    if (isLf != (carryCr != 0)) return false;
    if (isCr && carryLf) return false;
    carryCr = isCr;
    carryLf = isLf;
  }
  return carryCr == 0;
}

}  // namespace

// The bytes alone, for a save, straight from the file's own well-formed UTF-8:
// its lines are the decoded text's lines, a line starts with '[' in one when
// it does in the other, and a header line reads as its decoding. So only the
// header lines are decoded, the skin sections are passed over, and the lines
// of the other sections go out in whole runs wherever their line ends are
// already single CR LF pairs.
class OtherSectionsCollector::Bytes {
 public:
  // Room for the most the bytes can grow (a header on a line of its own, or
  // lines ended by LF alone): reserved, not touched, so it costs no memory
  // and the results are never copied to grow.
  explicit Bytes(std::size_t estimate) { bytes_.reserve(2 * estimate + 64); }

  void Take(std::string_view utf8, bool last) {
    const char* u = utf8.data();
    std::size_t end = utf8.size();
    if (!last) {
      // Only lines whose end has arrived: up to the last line end, looked
      // for among the bytes that came with this piece.
      std::size_t j = end;
      while (j > seen_ && !IsBreakByte(u[j - 1])) --j;
      if (j > seen_) lineEnd_ = j;
      seen_ = end;
      end = lineEnd_ > pos_ ? lineEnd_ : pos_;
    }
    while (true) {
      while (pos_ < end && IsBreakByte(u[pos_])) ++pos_;
      if (pos_ >= end) break;
      if (u[pos_] == '[') {
        if (inOther_) bytes_ += "\r\n";
        const std::size_t stop = FindLineStop(u, pos_, end);
        const std::string header = Utf8ToAnsi(std::string_view(u + pos_, stop - pos_));
        inOther_ = header.size() >= 3 && header.back() == ']' &&
                   !IsSkinSection(std::string_view(header).substr(1, header.size() - 2));
      }
      const std::size_t next = FindHeaderStart(u, pos_ + 1, end);
      if (inOther_) Put(u, pos_, next);
      pos_ = next;
    }
    if (last) {
      if (inOther_) bytes_ += "\r\n";
      done_ = true;
    }
  }

  bool Done() const { return done_; }
  std::string& Result() { return bytes_; }

 private:
  // The lines of [from, to) (which starts a line) each followed by one CR LF.
  void Put(const char* u, std::size_t from, std::size_t to) {
    if (OnlyCrLfLineEnds(u, from, to) && IsBreakByte(u[to - 1])) {
      bytes_.append(u + from, to - from);
      return;
    }
    while (from < to) {
      const std::size_t stop = FindLineStop(u, from, to);
      bytes_.append(u + from, stop - from);
      bytes_ += "\r\n";
      from = stop;
      while (from < to && IsBreakByte(u[from])) ++from;
    }
  }

  std::string bytes_;
  std::size_t pos_ = 0;
  // How far the pieces have been looked at, and the last line end in them.
  std::size_t seen_ = 0, lineEnd_ = 0;
  bool inOther_ = false, done_ = false;
};

OtherSectionsCollector::OtherSectionsCollector(bool wantText) : wantText_(wantText) {}
OtherSectionsCollector::~OtherSectionsCollector() = default;

void OtherSectionsCollector::Expect(std::size_t fileSize) {
  if (wantText_) {
    fast_ = std::make_unique<Fast>(fileSize, fileSize);
  } else {
    bytes_ = std::make_unique<Bytes>(fileSize);
  }
}

void OtherSectionsCollector::Decoded(std::string_view text, std::string_view utf8, bool last) {
  if (fast_) fast_->Take(text, utf8, last);
  if (bytes_) bytes_->Take(utf8, last);
}

bool OtherSectionsCollector::FinishBytes(std::string& extraBytes) {
  const bool done = bytes_ && bytes_->Done();
  if (done) extraBytes = std::move(bytes_->Result());
  bytes_.reset();
  fast_.reset();
  return done;
}

void OtherSectionsCollector::Finish(std::string_view text, std::string_view utf8, std::string& extraText,
                                    std::string& extraBytes) {
  if (bytes_ && bytes_->Done()) {
    extraBytes = std::move(bytes_->Result());
  } else if (fast_ && fast_->Done()) {
    extraText = std::move(fast_->Text());
    extraBytes = std::move(fast_->Bytes());
  } else if (wantText_) {
    CollectOtherSectionsOf(text, utf8, extraText, extraBytes);
  } else {
    std::string unused;
    CollectOtherSectionsOf(text, utf8, unused, extraBytes);
  }
  fast_.reset();
  bytes_.reset();
}

void CollectOtherSectionsOf(std::string_view text, std::string_view utf8, std::string& extraText,
                            std::string& extraBytes) {
  OtherSectionsCollector::Fast fast(text.size(), utf8.size());
  if (fast.Take(text, utf8, true)) {
    extraText = std::move(fast.Text());
    extraBytes = std::move(fast.Bytes());
  } else {
    CollectLineByLine(text, utf8, extraText, extraBytes);
  }
}

}  // namespace orlavix
