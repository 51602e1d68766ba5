// Where a dialog goes when it opens: centred over its owner, or over the work
// area when it has none worth following, and never hanging off the work area.
#pragma once

namespace orlavix {

struct ScreenRect {
  long left = 0, top = 0, right = 0, bottom = 0;
  long Width() const { return right - left; }
  long Height() const { return bottom - top; }
};

// The dialog's new rectangle, same size. `owner` is null when the dialog has
// no owner or the owner is hidden or minimised. A left or top edge outside the
// work area is moved onto its edge; otherwise a right or bottom edge outside
// is moved onto it.
ScreenRect CentredPlacement(const ScreenRect& dialog, const ScreenRect* owner,
                            const ScreenRect& workArea);

}  // namespace orlavix
