// Feeds arbitrary text to the skin.ini reader. The first byte chooses whether
// the rest is a file's bytes (decoded from UTF-8 as a read does) or a text
// already in the working code page, which reaches bytes a decoding never
// yields (0xFF, lone lead bytes). The indexed queries must agree with the
// rescanning reference and keep their shape.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "document/skin_document.h"
#include "support/mbtext.h"
#include "tests/reference/skin_rescan.h"

namespace {

using orlavix::SkinDocument;

void Require(bool condition) {
  if (!condition) std::abort();
}

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

bool HasEqualsChar(std::string_view s) {
  for (std::size_t i = 0; i < s.size(); i = orlavix::NextChar(s, i)) {
    if (s[i] == '=') return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::string text = (data[0] & 1) ? orlavix::DecodeSkinFileBytes(input) : std::string(input);

  SkinDocument doc;
  doc.SetText(text);
  const auto lines = orlavix::rescan::Lines(text);
  const auto names = doc.SectionNames();
  Require(names == orlavix::rescan::SectionNames(text));

  // Every line reaches at most one occurrence's text, so all of them together
  // are no longer than the text: collecting stays linear.
  std::size_t total = 0;
  for (std::size_t i = 0; i < names.size(); ++i) {
    const std::string own = doc.SectionTextAt(i);
    Require(StartsWith(own, "[" + names[i] + "]\n"));
    if (i < 48) Require(own == orlavix::rescan::OwnSectionText(text, i));
    total += own.size();
  }
  Require(total <= text.size() + 1);

  // The rescanning reference costs a pass per name: check a bounded number.
  const std::size_t checked = names.size() < 48 ? names.size() : 48;
  for (std::size_t i = 0; i < checked + 2; ++i) {
    const std::string name = i < checked ? names[i] : (i == checked ? "General" : "");
    const std::string sectionText = doc.SectionText(name);
    Require(StartsWith(sectionText, "[" + name + "]\n"));
    Require(sectionText == orlavix::rescan::SectionText(text, name));
    if (i < checked) {
      bool earlier = false;
      for (std::size_t j = 0; j < i && !earlier; ++j) earlier = orlavix::EqualsNoCase(names[j], names[i]);
      if (!earlier) Require(doc.SectionTextAt(i) == sectionText);
    }
    const auto entries = doc.SectionEntries(name);
    Require(entries == orlavix::rescan::SectionEntries(text, name));
    for (const auto& entry : entries) {
      // An entry is one line of the text with its leading spaces removed,
      // split at its last '='.
      Require(!entry.key.empty() && entry.key.front() != ' ' && entry.key.front() != '=');
      Require(!HasEqualsChar(entry.value));
      const std::string joined = entry.key + "=" + entry.value;
      bool inOneLine = false;
      for (const auto& line : lines) {
        const std::size_t start = line.find_first_not_of(' ');
        if (start != std::string::npos && line.compare(start, std::string::npos, joined) == 0) {
          inOneLine = true;
          break;
        }
      }
      Require(inOneLine);
    }
  }
  return 0;
}
