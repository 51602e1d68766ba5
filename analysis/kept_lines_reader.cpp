#include "analysis/kept_lines_reader.h"

#include <algorithm>
#include <vector>

#include "document/skin_document.h"
#include "document/skin_loader.h"
#include "document/skin_writer.h"
#include "platform/codepage.h"
#include "support/mbtext.h"
#include "support/utf8_lines.h"

namespace orlavix {

HeaderBlock FindWrittenHeader(std::string_view text) {
  LineScanner scanner(text);
  std::vector<std::string_view> lines;
  for (std::string_view line; scanner.Next(line) && line.front() != '[';) lines.push_back(line);
  // Its own lines hold at most two of the description.
  const auto matchesAt = [&](std::size_t first) -> std::size_t {
    const std::size_t left = lines.size() - first;
    if (left < 6 || lines[first + 5].substr(0, 2) != "# ") return 0;
    std::string description(lines[first + 5].substr(2));
    for (std::size_t descriptionLines = 1; descriptionLines <= 2; ++descriptionLines) {
      if (descriptionLines == 2) {
        if (left < 7 || lines[first + 6].substr(0, 2) != "# ") break;
        description += "\n";
        description += lines[first + 6];
      }
      const std::string header = kSeparatorLine + ("\n" + HeaderComment(description) + "\n") + kSeparatorLine;
      std::size_t n = 0;
      bool same = true;
      for (std::size_t start = 0; same && start <= header.size(); ++n) {
        const std::size_t end = std::min(header.find('\n', start), header.size());
        same = first + n < lines.size() && lines[first + n] == std::string_view(header).substr(start, end - start);
        start = end + 1;
      }
      if (same) return n;
    }
    return 0;
  };
  // Lines a save kept stand before it.
  for (std::size_t first = 0; first < lines.size(); ++first) {
    if (lines[first] != kSeparatorLine) continue;
    if (const std::size_t count = matchesAt(first)) return {first, count};
  }
  return {};
}

namespace {

enum class Block { BeforeFirst, Loaded, PassedOver, Other };

bool HasItem(const SettingCatalogue& catalogue, std::string_view key) {
  return catalogue.FindCopy(key).kind != SettingKind::None;
}

}  // namespace

void CollectKeptLines(std::string_view text, std::string_view utf8, const HeaderBlock& header,
                      const KnownKeys& known, KeptLines& kept) {
  kept = KeptLines();
  LineScanner lines(text);
  Utf8Lines ownLines(utf8);
  const bool haveOwn = !utf8.empty();
  std::string_view line, own;
  // The file's own bytes of the line, when they are what the text shows.
  const auto bytesOf = [&](std::string_view textLine, std::string_view ownLine) {
    if (haveOwn && Utf8ToAnsi(ownLine) == textLine) return std::string(ownLine);
    return AnsiToUtf8(textLine);
  };

  bool seen[4] = {false, false, false, false};
  Block block = Block::BeforeFirst;
  int section = -1;
  std::string run;  // the author's comment lines not yet placed
  const auto placeRun = [&](const std::string& beforeKey) {
    if (run.empty()) return;
    kept.sections[section].runs.push_back({beforeKey, std::move(run)});
    run.clear();
  };
  const auto keepLine = [&](std::string bytes) {
    KeptSection& s = kept.sections[section];
    placeRun("");
    if (s.runs.empty() || !s.runs.back().beforeKey.empty()) s.runs.push_back({"", ""});
    s.runs.back().lines += bytes + "\r\n";
  };

  SectionEntry entry, ownEntry;
  for (std::size_t index = 0; lines.Next(line); ++index) {
    if (haveOwn) ownLines.Next(own);
    if (line.front() == '[') {
      if (block == Block::Loaded) placeRun("");
      if (block == Block::PassedOver) kept.otherBytes += "\r\n";
      section = -1;
      block = Block::PassedOver;
      if (IsListedHeaderLine(line)) {
        const std::string_view name = line.substr(1, line.size() - 2);
        for (int s = 0; s < 4; ++s) {
          if (EqualsNoCase(name, kSkinSections[s])) section = s;
        }
        if (section < 0) {
          // Carried with the other sections: passed over to the next header.
          block = Block::Other;
          lines = LineScanner(text, NextBracketLine(text, lines.Position()));
          if (haveOwn) ownLines.SkipToBracketLine();
          continue;
        }
        if (!seen[section]) {
          seen[section] = true;
          block = Block::Loaded;
          continue;
        }
        kept.sections[section].headerAgain = true;
        section = -1;
      }
      kept.otherBytes += bytesOf(line, own) + "\r\n";
      continue;
    }
    switch (block) {
      case Block::BeforeFirst:
        if (!header.Holds(index) && !known.IsOwnLine(-1, line)) kept.top += bytesOf(line, own) + "\r\n";
        break;
      case Block::PassedOver:
        // The separators and section comments are the editor's: it writes
        // them around the sections itself.
        if (!IsSectionCommentLine(line)) kept.otherBytes += bytesOf(line, own) + "\r\n";
        break;
      case Block::Other:
        break;
      case Block::Loaded: {
        const SettingCatalogue& catalogue = known.Catalogue(section);
        if (line.front() == '#') {
          // The line of an unticked item stands where its entry would.
          if (line.size() > 2 && line.back() == '=' && HasItem(catalogue, line.substr(1, line.size() - 2))) {
            placeRun(std::string(line.substr(1, line.size() - 2)));
          } else if (!known.IsOwnLine(section, line)) {
            run += bytesOf(line, own) + "\r\n";
          }
          break;
        }
        if (TrimSpace(line).empty()) break;
        if (!SplitEntryLine(line, entry) || !HasItem(catalogue, entry.key)) {
          keepLine(bytesOf(line, own));
          break;
        }
        placeRun(entry.key);
        // The loader takes the last line of a key.
        kept.sections[section].entries[entry.key] = entry.value;
        std::map<std::string, WrittenValue>& values = kept.sections[section].values;
        SettingItem item = catalogue.FindCopy(entry.key);
        item.ParseValue(entry.value);
        std::string readsAs = item.FormatValue();
        if (entry.value.empty() || readsAs == entry.value) {
          values.erase(entry.key);
          break;
        }
        std::string value = AnsiToUtf8(entry.value);
        if (haveOwn && Utf8ToAnsi(own) == line && SplitEntryLine(own, ownEntry)) value = std::move(ownEntry.value);
        values[entry.key] = {std::move(value), std::move(readsAs)};
        break;
      }
    }
  }
  if (block == Block::Loaded) placeRun("");
  if (block == Block::PassedOver) kept.otherBytes += "\r\n";
}

}  // namespace orlavix
