#include "support/centring.h"

namespace orlavix {
namespace {

// Moves [start, start + size) inside [low, high) along one axis.
long KeepInside(long start, long size, long low, long high) {
  if (start < low) return low;
  if (start + size > high) return high - size;
  return start;
}

}  // namespace

ScreenRect CentredPlacement(const ScreenRect& dialog, const ScreenRect* owner,
                            const ScreenRect& workArea) {
  const ScreenRect& over = owner ? *owner : workArea;
  const long width = dialog.Width();
  const long height = dialog.Height();
  long left = over.left + (over.Width() - width) / 2;
  long top = over.top + (over.Height() - height) / 2;
  left = KeepInside(left, width, workArea.left, workArea.right);
  top = KeepInside(top, height, workArea.top, workArea.bottom);
  return ScreenRect{left, top, left + width, top + height};
}

}  // namespace orlavix
