// The working code page as the host system defines it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orlavix::platform {

// GetACP() on Windows; 932 elsewhere.
unsigned WorkingCodePage();

// Lead-byte test of the working code page (IsDBCSLeadByte on Windows).
bool IsDbcsLeadByte(unsigned char c);

// Byte-for-byte conversions; never throw, never truncate: what cannot be
// represented becomes the code page's default character.
std::string Utf8ToWorking(std::string_view utf8);
// The same, saying whether every byte belonged to a well-formed character.
std::string Utf8ToWorking(std::string_view utf8, bool& wellFormed);
std::string WorkingToUtf8(std::string_view text);

// The characters of UTF-8 text that the working code page cannot hold, each
// once, in the order they come, at most `most` of them. Malformed bytes are
// no characters and are passed over.
std::u32string LostCharacters(std::string_view utf8, std::size_t most = 8);

// Code page 932 (Shift_JIS) bytes as UTF-8.
// `valid` is false when some byte belongs to no character of code page 932
// (such a byte becomes U+30FB).
std::string ShiftJisToUtf8(std::string_view bytes, bool& valid);

// Utf8ToWorking of buffer[from, end), put in place of the whole buffer.
void Utf8ToWorkingInPlace(std::string& buffer, std::size_t from);

// The end of UTF-8 bytes [from, size) without a character that may go on past
// size: a start byte among the last three whose sequence would be longer.
inline std::size_t Utf8CompleteEnd(const char* bytes, std::size_t from, std::size_t size) {
  for (std::size_t k = 1; k <= 3 && k <= size - from; ++k) {
    const unsigned c = static_cast<unsigned char>(bytes[size - k]);
    if (c < 0x80) break;
    if (c < 0xC0) continue;
    const std::size_t len = c >= 0xF0 && c <= 0xF4 ? 4 : c >= 0xE0 && c <= 0xEF ? 3 : c >= 0xC2 && c <= 0xDF ? 2 : 1;
    return len > k ? size - k : size;
  }
  return size;
}

// Decodes a file's UTF-8 while it is read, piece by piece, so that each
// piece is converted while the processor still holds it. A NUL ends the
// text, as it ends a file's contents. After the last piece the text is
// Utf8ToWorking of the bytes from `from` up to that NUL.
class Utf8PieceDecoder {
 public:
  explicit Utf8PieceDecoder(std::size_t from) : in_(from) {}
  // Decodes the bytes that came since the last call, up to the last complete
  // character (all of them when `last`), over the buffer itself: the text is
  // then buffer[0, Length()).
  void TakeInPlace(std::string& buffer, bool last);
  // The same, appending to `out` and leaving the buffer as it is.
  void Take(const std::string& buffer, bool last, std::string& out);
  // True once a NUL has ended the text.
  bool Ended() const { return ended_; }
  // Where the decoded bytes end in the buffer: at the NUL once Ended().
  std::size_t BytesEnd() const { return in_; }
  std::size_t Length() const { return out_; }
  // False when some byte belonged to no well-formed character (always false
  // where the platform's converter does not tell).
  bool WellFormed() const { return wellFormed_; }
  // True when some byte was seen to belong to no well-formed character; on
  // every platform, though perhaps only once the last piece is decoded.
  bool Malformed() const { return malformed_; }

 private:
  std::size_t in_;
  std::size_t out_ = 0;
  bool ended_ = false;
  bool wellFormed_ = true;
  bool malformed_ = false;
};

// The text with each run of CR and LF bytes in it replaced by lineEnds(run)
// CR LF pairs.
std::string WithCrLfLineEnds(std::string_view text, std::size_t (*lineEnds)(std::string_view run));

// WorkingToUtf8 of WithCrLfLineEnds of the text; in one pass where the
// platform can.
std::string WorkingToUtf8CrLf(std::string_view text, std::size_t (*lineEnds)(std::string_view run));

}  // namespace orlavix::platform
