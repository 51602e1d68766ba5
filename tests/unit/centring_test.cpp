#include "support/centring.h"

#include <gtest/gtest.h>

namespace orlavix {
namespace {

const ScreenRect kWork{0, 0, 1280, 860};

void ExpectRect(const ScreenRect& r, long left, long top, long right, long bottom) {
  EXPECT_EQ(r.left, left);
  EXPECT_EQ(r.top, top);
  EXPECT_EQ(r.right, right);
  EXPECT_EQ(r.bottom, bottom);
}

TEST(CentredPlacement, CentresOverTheOwnerOrElseTheWorkArea) {
  const ScreenRect dialog{5, 5, 205, 105};
  const ScreenRect owner{100, 100, 700, 500};
  ExpectRect(CentredPlacement(dialog, &owner, kWork), 300, 250, 500, 350);
  ExpectRect(CentredPlacement(dialog, nullptr, kWork), 540, 380, 740, 480);
  const ScreenRect offsetWork{100, 50, 500, 450};
  ExpectRect(CentredPlacement(dialog, nullptr, offsetWork), 200, 200, 400, 300);
}

TEST(CentredPlacement, KeepsTheDialogInsideTheWorkArea) {
  const ScreenRect dialog{0, 0, 200, 100};
  const ScreenRect nearTopLeft{-300, -200, 100, 50};
  ExpectRect(CentredPlacement(dialog, &nearTopLeft, kWork), 0, 0, 200, 100);
  const ScreenRect nearBottomRight{1200, 800, 1400, 900};
  ExpectRect(CentredPlacement(dialog, &nearBottomRight, kWork), 1080, 760, 1280, 860);
  // Larger than the work area: the left and top edges win.
  const ScreenRect big{0, 0, 1400, 1000};
  ExpectRect(CentredPlacement(big, nullptr, kWork), 0, 0, 1400, 1000);
}

// A second monitor left of the primary one, its coordinates negative, with
// the task bar along its bottom: the dialog stays over its owner there, and
// is kept inside that monitor's work area, not the primary's.
TEST(CentredPlacement, OnASecondMonitorLeftOfThePrimaryItStaysOnThatMonitor) {
  const ScreenRect secondWork{-1920, -120, 0, 920};
  const ScreenRect dialog{0, 0, 400, 300};
  struct Case {
    const char* what;
    ScreenRect owner;
    bool hasOwner;
    ScreenRect placed;
  };
  const Case cases[] = {
      {"centred over an owner in the middle", {-1500, 100, -700, 700}, true, {-1300, 250, -900, 550}},
      {"over an owner at its left edge", {-2000, 0, -1800, 200}, true, {-1920, -50, -1520, 250}},
      {"over an owner reaching onto the primary", {-300, 500, 500, 1000}, true, {-400, 600, 0, 900}},
      {"over an owner above its top", {-1000, -400, -600, -200}, true, {-1000, -120, -600, 180}},
      {"without an owner: the middle of its work area", {}, false, {-1160, 250, -760, 550}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const ScreenRect placed = CentredPlacement(dialog, c.hasOwner ? &c.owner : nullptr, secondWork);
    ExpectRect(placed, c.placed.left, c.placed.top, c.placed.right, c.placed.bottom);
  }
}

}  // namespace
}  // namespace orlavix
