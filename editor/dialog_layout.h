// How the main dialog's controls follow a change of its client size: a pure
// computation from the rectangles at start-up and the change dx, dy.
#pragma once

#include <vector>

namespace orlavix {

struct LayoutRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const LayoutRect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
};

enum class Follow {
  Widen,       // width grows by dx
  MoveRight,   // moves right by dx
  Grow,        // width grows by dx, height by dy
  MoveDown,    // moves down by dy
  MoveCorner,  // moves right by dx and down by dy
  Group,       // shares the group's widening in proportion, keeping the gaps
};

struct LayoutItem {
  int id = 0;
  Follow rule = Follow::Widen;
  LayoutRect initial;
};

// a * b / c rounded to the nearest integer, halves away from zero (MulDiv);
// -1 when c is 0.
int MulDivRounded(int a, int b, int c);

// The rectangles of the items for a client area dx, dy larger than at
// start-up, in the items' order. Group members are taken in their order;
// each one's left neighbour in the group is stretched so that the gap
// between the two stays what it was.
std::vector<LayoutRect> Relayout(const std::vector<LayoutItem>& items, int dx, int dy);

}  // namespace orlavix
