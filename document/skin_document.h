// One skin.ini, decoded into the working code page and kept as one text.
// Queries scan the text by lines; the section headers are indexed by the
// queries after a read, only as far as each needs, so that walking every
// section costs one pass over the text, a lookup of the first section costs
// next to nothing, and a read that only collects pays for no index.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "support/messages.h"

namespace orlavix {

struct SectionEntry {
  std::string key;
  std::string value;
  bool operator==(const SectionEntry& other) const { return key == other.key && value == other.value; }
};

// Walks the lines of a text: any run of CR and LF separates lines (so there
// are no empty lines), and NUL or 0xFF ends the text. Steps by character, so
// a trail byte is never taken for a break.
class LineScanner {
 public:
  explicit LineScanner(std::string_view text, std::size_t from = 0);
  // The next line, or false at the end of the text.
  bool Next(std::string_view& line);
  // Offset just past the last line returned.
  std::size_t Position() const { return lineEnd_; }

 private:
  void SkipBreaks();
  std::string_view text_;
  std::size_t pos_;
  std::size_t lineEnd_ = 0;
};

// A section body line as the entries query reads it: false for a comment
// ('#' first) and for a line that, leading spaces removed, has no '=' after
// its first byte; otherwise the key before the last '=' and the value after it.
bool SplitEntryLine(std::string_view line, SectionEntry& entry);

// True when the line is listed as a section header: '[' first, ']' last and a
// name of at least one byte between them.
bool IsListedHeaderLine(std::string_view line);

// Where the next line that starts with '[' begins, at or after `from` (where
// a line or its line end begins), as LineScanner meets it; text.size() when
// the lines end before (at a NUL, a 0xFF or the end). Sixteen bytes at a time.
std::size_t NextBracketLine(std::string_view text, std::size_t from);

// True when every byte belongs to a well-formed UTF-8 character.
bool IsWellFormedUtf8(std::string_view bytes);

// The text a file of these bytes holds: a leading UTF-8 byte-order mark is
// dropped, a NUL ends the contents, and the rest is decoded from UTF-8, or
// from Shift_JIS when ShiftJisContents says so. A file that starts with a
// UTF-16 byte-order mark (either order) is read as UTF-16.
std::string DecodeSkinFileBytes(std::string_view bytes);

// The contents of a file without byte-order mark (up to its first NUL) as
// UTF-8 when they are Shift_JIS rather than UTF-8: they are not well-formed
// UTF-8, have the shape of Shift_JIS and read as code page 932 without a byte
// left over, and more of their non-ASCII bytes start no UTF-8 character than
// start a well-formed multi-byte one. Nothing otherwise.
std::optional<std::string> ShiftJisContents(std::string_view contents);

// The same contents as UTF-8, as they are carried over to the next save:
// byte-order mark dropped, UTF-16 and Shift_JIS converted, ended at the
// first NUL, and every byte that does not belong to a well-formed UTF-8
// character replaced by U+FFFD, so that the result is always valid UTF-8.
std::string SkinFileUtf8(std::string_view bytes);

// Follows a UTF-8 file while ReadFromFile decodes it, piece by piece, so that
// work on the text can be done while the processor still holds each piece.
class DecodeWatcher {
 public:
  virtual ~DecodeWatcher() = default;
  // Before the first piece: the file's size.
  virtual void Expect(std::size_t fileSize) = 0;
  // The text decoded so far and the contents it came from (mark removed).
  // Called only while every byte so far was well-formed UTF-8; `last` comes
  // once, when both are whole. A watcher that never saw `last` must work
  // from what the read gives.
  virtual void Decoded(std::string_view text, std::string_view utf8, bool last) = 0;
};

// Reads a skin.ini's bytes as they are (nothing is decoded), telling
// `watcher` of its contents piece by piece while they are well-formed UTF-8;
// the text it is shown then is empty. False when the file cannot be read; a
// file of 4 GiB or more is refused with the alert ReadFromFile gives.
bool ReadSkinFileBytes(const std::string& path, Messages& messages, std::string& bytes, DecodeWatcher* watcher);

class SkinDocument {
 public:
  // Replaces the text with the decoded file; on any failure the document is
  // absent afterwards. A file of 4 GiB or more is refused with an alert.
  // With `utf8`, also hands back the file's contents as SkinFileUtf8 gives
  // them (emptied when the read fails), and tells `watcher` of each piece.
  void ReadFromFile(const std::string& path, Messages& messages, std::string* utf8 = nullptr,
                    DecodeWatcher* watcher = nullptr);

  // Replaces the text with one already in the working code page.
  void SetText(std::string text);
  void Clear();

  bool HasText() const { return text_.has_value(); }
  const std::string& Text() const;

  // Names of all header lines in document order, duplicates included.
  std::vector<std::string> SectionNames() const;
  // Key and value lines of the first section whose header matches name.
  std::vector<SectionEntry> SectionEntries(std::string_view name) const;
  // "[name]" LF, then each body line of the first matching section plus LF.
  std::string SectionText(std::string_view name) const;
  // As SectionText for the index-th name of SectionNames, but with the body
  // of that very header: a repeated name gets its own lines, not the first's.
  // An index out of range gives "".
  std::string SectionTextAt(std::size_t index) const;

 private:
  struct HeaderLine {
    std::uint32_t offset;  // of the '['
    std::uint32_t length;  // of the whole line
  };

  // Adds the next header line to the index; false once the text has no more.
  bool IndexNextHeader() const;
  void BuildIndex() const;
  // The index into headers_ of the first line that matches "[name]" as a
  // header, or npos.
  std::size_t FindHeader(std::string_view name) const;
  void AppendBody(std::size_t headerEnd, std::string& out) const;

  std::optional<std::string> text_;
  // Built by the queries after a read, as far as each needs: where the scan
  // goes on (the end of a line, so a start of a character) and whether it is
  // complete.
  mutable std::size_t indexAt_ = 0;
  mutable bool indexDone_ = false;
  // Lines that start with '[' and end with ']': candidates for a name lookup.
  mutable std::vector<HeaderLine> headers_;
  // Indices into headers_ of the listed headers (a name of one byte or more).
  mutable std::vector<std::uint32_t> listed_;
};

}  // namespace orlavix
