// The unused/missing report worked out step by step, the slow, obvious way:
// sort, lower-case, drop repeated names, pair off from the front again and
// again, drop the glass drop-down file. The fast report must agree with it.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "analysis/skin_file_report.h"
#include "support/mbtext.h"

namespace orlavix::reference {

inline SkinFileReport CompareSkinFiles(std::vector<std::string> used, std::vector<std::string> present) {
  const auto byMbs = [](const std::string& a, const std::string& b) { return MbsCompare(a, b) < 0; };
  std::sort(used.begin(), used.end(), byMbs);
  std::sort(present.begin(), present.end(), byMbs);
  for (std::string& name : used) name = MbsLower(name);
  for (std::string& name : present) name = MbsLower(name);
  // Repeated names go after lower-casing: every entry equal to an earlier one.
  std::vector<std::string> distinct;
  for (const std::string& name : used) {
    if (std::find(distinct.begin(), distinct.end(), name) == distinct.end()) distinct.push_back(name);
  }
  used = distinct;
  for (bool paired = true; paired;) {
    paired = false;
    for (std::size_t u = 0; u < used.size() && !paired; ++u) {
      for (std::size_t p = 0; p < present.size(); ++p) {
        if (used[u] == present[p]) {
          used.erase(used.begin() + static_cast<std::ptrdiff_t>(u));
          present.erase(present.begin() + static_cast<std::ptrdiff_t>(p));
          paired = true;
          break;
        }
      }
    }
  }
  present.erase(std::remove(present.begin(), present.end(), std::string(kGlassDropDownFile)), present.end());
  return {used, present};
}

}  // namespace orlavix::reference
