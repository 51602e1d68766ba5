#include "editor/dialog_layout.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace orlavix {

int MulDivRounded(int a, int b, int c) {
  if (c == 0) return -1;
  const std::int64_t product = static_cast<std::int64_t>(a) * b;
  const std::int64_t half = (c > 0 ? c : -static_cast<std::int64_t>(c)) / 2;
  const bool negative = (product < 0) != (c < 0);
  std::int64_t magnitude = (product < 0 ? -product : product) + half;
  magnitude /= (c < 0 ? -static_cast<std::int64_t>(c) : c);
  const std::int64_t result = negative ? -magnitude : magnitude;
  if (result > std::numeric_limits<int>::max() || result < std::numeric_limits<int>::min()) return -1;
  return static_cast<int>(result);
}

std::vector<LayoutRect> Relayout(const std::vector<LayoutItem>& items, int dx, int dy) {
  std::vector<LayoutRect> out;
  out.reserve(items.size());
  int groupLeft = std::numeric_limits<int>::max();
  int groupRight = std::numeric_limits<int>::min();
  for (const LayoutItem& item : items) {
    if (item.rule != Follow::Group) continue;
    groupLeft = std::min(groupLeft, item.initial.left);
    groupRight = std::max(groupRight, item.initial.right);
  }
  const int groupWidth = groupRight - groupLeft;
  int previousMember = -1;
  for (std::size_t i = 0; i < items.size(); ++i) {
    const LayoutRect& r = items[i].initial;
    LayoutRect placed = r;
    switch (items[i].rule) {
      case Follow::Widen: placed.right += dx; break;
      case Follow::MoveRight: placed.left += dx; placed.right += dx; break;
      case Follow::Grow: placed.right += dx; placed.bottom += dy; break;
      case Follow::MoveDown: placed.top += dy; placed.bottom += dy; break;
      case Follow::MoveCorner:
        placed.left += dx; placed.right += dx; placed.top += dy; placed.bottom += dy;
        break;
      case Follow::Group:
        if (groupWidth > 0) {
          placed.left = groupLeft + MulDivRounded(r.left - groupLeft, groupWidth + dx, groupWidth);
          placed.right = groupLeft + MulDivRounded(r.right - groupLeft, groupWidth + dx, groupWidth);
        }
        if (previousMember >= 0) {
          const int gap = r.left - items[previousMember].initial.right;
          out[previousMember].right = placed.left - gap;
        }
        previousMember = static_cast<int>(i);
        break;
    }
    out.push_back(placed);
  }
  return out;
}

}  // namespace orlavix
