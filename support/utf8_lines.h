// The lines of UTF-8 text as the reader splits lines: runs of CR and LF
// separate them, so there are none empty. CR and LF are single bytes in both
// encodings and no other character holds them, so the n-th line here is the
// n-th line of the decoded text.
#pragma once

#include <cstddef>
#include <string_view>

#include "support/mbtext.h"

namespace orlavix {

class Utf8Lines {
 public:
  explicit Utf8Lines(std::string_view text) : text_(text) {}
  bool Next(std::string_view& line) {
    while (pos_ < text_.size() && (text_[pos_] == '\r' || text_[pos_] == '\n')) ++pos_;
    const std::size_t start = pos_;
    // Valid UTF-8 holds no 0xFF, and its NUL ended the contents.
    pos_ = FindLineStop(text_.data(), pos_, text_.size());
    line = text_.substr(start, pos_ - start);
    return pos_ > start;
  }
  // On to the next line that starts with '['.
  void SkipToBracketLine() {
    for (std::size_t at = pos_; (at = text_.find('[', at)) != std::string_view::npos; ++at) {
      if (at > 0 && (text_[at - 1] == '\r' || text_[at - 1] == '\n')) {
        pos_ = at;
        return;
      }
    }
    pos_ = text_.size();
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

}  // namespace orlavix
