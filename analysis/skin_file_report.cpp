#include "analysis/skin_file_report.h"

#include <algorithm>
#include <cstddef>
#include <numeric>

#include "platform/folders.h"
#include "support/mbtext.h"

namespace orlavix {

const char* const kGlassDropDownFile = "toolbar_drop_down_glass.png";

std::vector<std::string> UsedImageNames(const SettingCatalogue& controlItems) {
  std::vector<std::string> names;
  for (int i = 0; i < controlItems.Count(); ++i) {
    const SettingItem& item = controlItems.At(i);
    if (!item.checked || item.kind != SettingKind::ImageFile) continue;
    std::string name = item.FormatValue();
    if (!name.empty()) names.push_back(std::move(name));
  }
  return names;
}

std::vector<std::string> PresentImageFiles(const std::string& controlsFolder) {
  std::vector<platform::FolderEntry> entries;
  std::vector<std::string> names;
  if (!platform::ListFolder(controlsFolder, entries)) return names;
  for (platform::FolderEntry& entry : entries) {
    if (!entry.isFolder) names.push_back(std::move(entry.name));
  }
  return names;
}

namespace {

// Positions of the names, ordered by name and, among equal names, by position:
// the first of each run of equal names is the one that comes first in the list.
std::vector<std::size_t> GroupedOrder(const std::vector<std::string>& names) {
  std::vector<std::size_t> order(names.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&names](std::size_t a, std::size_t b) { return names[a] < names[b]; });
  return order;
}

}  // namespace

SkinFileReport CompareSkinFiles(std::vector<std::string> used, std::vector<std::string> present) {
  // The report's order is the order of the names as written, sorted as
  // _mbscmp does; only then are they lower-cased.
  const auto byMbs = [](const std::string& a, const std::string& b) { return MbsCompare(a, b) < 0; };
  std::sort(used.begin(), used.end(), byMbs);
  std::sort(present.begin(), present.end(), byMbs);
  for (std::string& name : used) name = MbsLower(name);
  for (std::string& name : present) name = MbsLower(name);

  // One entry per used name after lower-casing: Tab.PNG and tab.png name one
  // file, and counting them twice would leave one of them "missing".
  const std::vector<std::size_t> usedOrder = GroupedOrder(used);
  const std::vector<std::size_t> presentOrder = GroupedOrder(present);
  std::vector<char> usedDropped(used.size(), 0);
  std::vector<char> usedPaired(used.size(), 0);
  std::vector<char> presentPaired(present.size(), 0);

  // Merge the two orders: each distinct used name takes the first file of its
  // name in list order, as pairing off from the front would.
  std::size_t p = 0;
  for (std::size_t k = 0; k < usedOrder.size(); ++k) {
    const std::size_t u = usedOrder[k];
    if (k > 0 && used[usedOrder[k - 1]] == used[u]) {
      usedDropped[u] = 1;
      continue;
    }
    while (p < presentOrder.size() && present[presentOrder[p]] < used[u]) ++p;
    if (p < presentOrder.size() && present[presentOrder[p]] == used[u]) {
      usedPaired[u] = 1;
      presentPaired[presentOrder[p]] = 1;
      ++p;
    }
  }

  SkinFileReport report;
  for (std::size_t i = 0; i < used.size(); ++i) {
    if (!usedDropped[i] && !usedPaired[i]) report.missing.push_back(used[i]);
  }
  for (std::size_t i = 0; i < present.size(); ++i) {
    if (!presentPaired[i] && present[i] != kGlassDropDownFile) report.unused.push_back(present[i]);
  }
  return report;
}

}  // namespace orlavix
