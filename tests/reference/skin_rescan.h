// The reader's queries written the slow, obvious way: every query scans the
// text from its start. The indexed reader must answer exactly as these do
// (for the first occurrence of every name); tests and the fuzzer compare.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "document/skin_document.h"
#include "support/mbtext.h"

namespace orlavix::rescan {

inline bool IsStop(char c) { return c == '\0' || c == '\xFF' || c == '\r' || c == '\n'; }

inline std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t i = 0;
  while (i < text.size() && (text[i] == '\r' || text[i] == '\n')) ++i;
  for (;;) {
    const std::size_t start = i;
    while (i < text.size() && !IsStop(text[i])) i = NextChar(text, i);
    if (i == start) return lines;
    lines.emplace_back(text.substr(start, i - start));
    while (i < text.size() && (text[i] == '\r' || text[i] == '\n')) ++i;
  }
}

inline std::vector<std::string> SectionNames(std::string_view text) {
  std::vector<std::string> names;
  for (const std::string& line : Lines(text)) {
    if (line.size() >= 3 && line.front() == '[' && line.back() == ']') {
      names.push_back(line.substr(1, line.size() - 2));
    }
  }
  return names;
}

// Body lines of the first section called name; found is false when no
// header matches.
inline std::vector<std::string> Body(std::string_view text, std::string_view name, bool& found) {
  const std::string header = "[" + std::string(name) + "]";
  std::vector<std::string> body;
  found = false;
  for (const std::string& line : Lines(text)) {
    if (!found) {
      found = EqualsNoCase(line, header);
      continue;
    }
    if (line.front() == '[') break;
    body.push_back(line);
  }
  return body;
}

inline std::vector<SectionEntry> SectionEntries(std::string_view text, std::string_view name) {
  bool found = false;
  std::vector<SectionEntry> entries;
  for (std::string line : Body(text, name, found)) {
    if (line.front() == '#') continue;
    while (!line.empty() && line.front() == ' ') line.erase(0, 1);
    std::size_t first = std::string::npos, last = std::string::npos;
    for (std::size_t i = 0; i < line.size(); i = NextChar(line, i)) {
      if (line[i] != '=') continue;
      if (first == std::string::npos) first = i;
      last = i;
    }
    if (first == std::string::npos || first == 0) continue;
    entries.push_back({line.substr(0, last), line.substr(last + 1)});
  }
  return entries;
}

inline std::string SectionText(std::string_view text, std::string_view name) {
  bool found = false;
  std::string out = "[" + std::string(name) + "]\n";
  for (const std::string& line : Body(text, name, found)) out += line + "\n";
  return out;
}

// The index-th listed header line with the lines of its own body, whatever
// headers of the same name come before it.
inline std::string OwnSectionText(std::string_view text, std::size_t index) {
  std::string out;
  std::size_t seen = 0;
  bool inside = false;
  for (const std::string& line : Lines(text)) {
    if (inside) {
      if (line.front() == '[') break;
      out += line + "\n";
    } else if (line.size() >= 3 && line.front() == '[' && line.back() == ']' && seen++ == index) {
      out = line + "\n";
      inside = true;
    }
  }
  return out;
}

}  // namespace orlavix::rescan
