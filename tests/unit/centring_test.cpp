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

}  // namespace
}  // namespace orlavix
