// What a save keeps of a skin.ini (KeptLines), read with the analysis's own
// rules for the lines the editor writes itself, from a file already decoded.
#pragma once

#include <cstddef>
#include <string_view>

#include "analysis/skin_analysis.h"
#include "document/kept_lines.h"

namespace orlavix {

// The header block the editor writes (between two separator lines, with the
// description of any skin in one or two lines), in any version, as lines
// [first, first + count) of the text as LineScanner counts them; found among
// the lines before the first section. count is 0 when there is none.
struct HeaderBlock {
  std::size_t first = 0;
  std::size_t count = 0;
  bool Holds(std::size_t line) const { return line >= first && line - first < count; }
};
HeaderBlock FindWrittenHeader(std::string_view text);

// Replaces kept with what a save keeps of the file whose decoded text (the
// working code page) is `text`. `utf8` holds the same contents as UTF-8
// whose lines are the text's lines one for one, or is empty when the file is
// not well-formed; a line is then kept as the text shows it.
void CollectKeptLines(std::string_view text, std::string_view utf8, const HeaderBlock& header,
                      const KnownKeys& known, KeptLines& kept);

}  // namespace orlavix
