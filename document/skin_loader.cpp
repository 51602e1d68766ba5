#include "document/skin_loader.h"

#include "support/mbtext.h"

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
  if (!skinText.HasText()) return;
  for (const SectionEntry& entry : skinText.SectionEntries(section)) {
    // Keys the catalogue does not know are dropped here.
    catalogue.SetFromText(entry.key, entry.value, !entry.value.empty());
  }
}

void CollectOtherSections(const std::string& skinIniPath, SkinDocument& skinText, std::string& extraText,
                          Messages& messages) {
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

}  // namespace orlavix
