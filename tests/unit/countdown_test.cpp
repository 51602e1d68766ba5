#include "boxes/countdown.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace orlavix {
namespace {

TEST(DefaultButtonId, FollowsTheButtonSetAndTheDefaultPosition) {
  // The lone OK button is looked for under IDCANCEL.
  EXPECT_EQ(DefaultButtonId(0x00), 2);
  EXPECT_EQ(DefaultButtonId(0x40), 2);  // information icon does not matter
  EXPECT_EQ(DefaultButtonId(0x01), 1);
  EXPECT_EQ(DefaultButtonId(0x101), 2);
  EXPECT_EQ(DefaultButtonId(0x02), 3);
  EXPECT_EQ(DefaultButtonId(0x102), 4);
  EXPECT_EQ(DefaultButtonId(0x202), 5);
  EXPECT_EQ(DefaultButtonId(0x203), 2);
  EXPECT_EQ(DefaultButtonId(0x104), 7);
  EXPECT_EQ(DefaultButtonId(0x105), 2);
  EXPECT_EQ(DefaultButtonId(0x06), 2);
  EXPECT_EQ(DefaultButtonId(0x106), 10);
  EXPECT_EQ(DefaultButtonId(0x206), 11);
  // Default bits above the fourth position count as the first.
  EXPECT_EQ(DefaultButtonId(0x404), 6);
}

TEST(DefaultButtonId, IsZeroWhenTheSetHasNoButtonThere) {
  EXPECT_EQ(DefaultButtonId(0x100), 0);      // OK only, second button
  EXPECT_EQ(DefaultButtonId(0x204), 0);      // Yes/No, third button
  EXPECT_EQ(DefaultButtonId(0x302), 0);      // three buttons, fourth
  for (unsigned set = 7; set < 16; ++set) EXPECT_EQ(DefaultButtonId(set), 0) << set;
}

TEST(AlternateButtonId, OnlyTheLoneOkButtonHasOne) {
  EXPECT_EQ(AlternateButtonId(0x40), 1);
  EXPECT_EQ(AlternateButtonId(0x00), 1);
  EXPECT_EQ(AlternateButtonId(0x140), 0);  // no box is shown for it at all
  EXPECT_EQ(AlternateButtonId(0x01), 0);
  EXPECT_EQ(AlternateButtonId(0x04), 0);
}

TEST(BoxIcon, EachIconFlagBecomesTheSystemIconAsAUserIcon) {
  EXPECT_EQ(BoxIconId(0x10), 32513);
  EXPECT_EQ(BoxIconId(0x24), 32514);
  EXPECT_EQ(BoxIconId(0x30), 32515);
  EXPECT_EQ(BoxIconId(0x40), 32516);
  EXPECT_EQ(BoxIconId(0x00), 0);
  EXPECT_EQ(BoxIconId(0x50), 0);
  EXPECT_EQ(BoxIconId(0xF0), 0);

  EXPECT_EQ(BoxStyle(0x40), 0x80u);
  EXPECT_EQ(BoxStyle(0x10124u), 0x10184u);  // other flags stay
  EXPECT_EQ(BoxStyle(0x1001u), 0x1001u);    // no icon: unchanged
  EXPECT_EQ(BoxStyle(0x51u), 0x01u);        // unknown icon bits are dropped
}

TEST(CountdownLabel, PutsTheSecondsInParenthesesBehindTheText) {
  EXPECT_EQ(CountdownLabel("OK", 9), "OK(9)");
  EXPECT_EQ(CountdownLabel("OK", 0), "OK(0)");
  EXPECT_EQ(CountdownLabel("", 30), "(30)");
  // A label in code page 932 whose trail byte is a backslash stays whole.
  EXPECT_EQ(CountdownLabel("\x83\x5C", 3), "\x83\x5C(3)");
}

// The watcher asks the system for the owner's enabled popup and takes the
// answer only when it is a dialog box of the owner's; otherwise it looks on.
TEST(IsBoxOf, TakesOnlyADialogBoxThatTheOwnerOwns) {
  constexpr std::uintptr_t kOwner = 0x1010, kBox = 0x2020, kOther = 0x3030;
  struct Answer {
    const char* what;
    std::uintptr_t owner, candidate, candidateOwner;
    bool isDialog;
    bool taken;
  };
  const Answer answers[] = {
      {"the popup: the box itself", kOwner, kBox, kOwner, true, true},
      {"NULL: no popup up", kOwner, 0, 0, false, false},
      // The main dialog is a dialog box too, with a button under IDOK.
      {"the owner itself", kOwner, kOwner, 0, true, false},
      {"the owner, owned by a window of its own", kOwner, kOwner, kOther, true, false},
      {"a dialog box of another owner", kOwner, kBox, kOther, true, false},
      {"an unowned dialog box", kOwner, kBox, 0, true, false},
      {"a window of another kind that the owner owns (the preview)", kOwner, kBox, kOwner, false, false},
      {"no owner: nothing is its box", 0, kBox, 0, true, false},
  };
  for (const Answer& a : answers) {
    EXPECT_EQ(IsBoxOf(a.owner, a.candidate, a.candidateOwner, a.isDialog), a.taken) << a.what;
  }
}

TEST(Countdown, CountsWholeSecondsAndExpiresAfterTheDeadline) {
  const Countdown c(1000, 10);
  EXPECT_EQ(c.RemainingSeconds(1000), 10u);
  EXPECT_EQ(c.RemainingSeconds(1001), 9u);
  EXPECT_EQ(c.RemainingSeconds(10000), 1u);
  EXPECT_EQ(c.RemainingSeconds(10001), 0u);
  EXPECT_FALSE(c.Expired(11000));  // the deadline itself is not yet past
  EXPECT_TRUE(c.Expired(11001));
  EXPECT_EQ(c.RemainingSeconds(20000), 0u);

  const Countdown zero(500, 0);
  EXPECT_FALSE(zero.Expired(500));
  EXPECT_TRUE(zero.Expired(501));
}

TEST(Countdown, ATickCounterThatWrapsAroundChangesNothing) {
  const Countdown c(0xFFFFF000u, 10);  // wraps 4096 ms after the start
  EXPECT_EQ(c.RemainingSeconds(0xFFFFF000u + 1), 9u);
  EXPECT_EQ(c.RemainingSeconds(0x00000100u), 5u);  // 4352 ms elapsed
  EXPECT_FALSE(c.Expired(0x00000100u));
  EXPECT_TRUE(c.Expired(0xFFFFF000u + 10001));
}

}  // namespace
}  // namespace orlavix
