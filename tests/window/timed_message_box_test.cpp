#include "support/win32/timed_message_box.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/countdown.h"
#include "support/mbtext.h"
#include "tests/window/window_test_support.h"

namespace orlavix::win32 {
namespace {

using test::Click;
using test::OwnerWindow;
using test::TextOf;
using test::TimerScript;
using test::WindowSpy;

// Far beyond any countdown below: a box still open then is a failure, and is
// ended so that the run goes on.
constexpr UINT kGuardMs = 15000;
constexpr int kEndedByGuard = 999;

class TimedMessageBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    script.At(kGuardMs, [this] {
      if (HWND box = spy.CurrentDialog()) EndDialog(box, kEndedByGuard);
    });
  }

  // The box's button under `id`, falling back to the lone OK button where the
  // system puts it.
  HWND Button(HWND box, int id) {
    HWND button = GetDlgItem(box, id);
    return button ? button : GetDlgItem(box, IDOK);
  }

  OwnerWindow owner{RECT{100, 100, 700, 500}, "Orlavix"};
  const std::string caption = J("報告");
  const std::string text = J("スキンを保存しました。");
  WindowSpy spy;
  TimerScript script;
};

// The labels a countdown left on `button`: "<label>(n)" for strictly falling n
// down to 0, and finally the label itself again.
void ExpectCountdown(const std::vector<std::string>& texts, const std::string& label,
                     unsigned from) {
  ASSERT_GE(texts.size(), 2u);
  EXPECT_EQ(texts.back(), label);
  std::vector<std::string> expected;
  for (unsigned n = from + 1; n-- > 0;) expected.push_back(CountdownLabel(label, n));
  std::vector<std::string> counted(texts.begin(), texts.end() - 1);
  // The first pass may come before the first millisecond has gone by.
  if (!counted.empty() && counted.front() == CountdownLabel(label, from + 1)) {
    counted.erase(counted.begin());
  }
  EXPECT_EQ(counted, expected);
}

TEST_F(TimedMessageBoxTest, CountsDownOnTheOkButtonAndPressesItWhenTimeIsUp) {
  HWND box = nullptr;
  HWND button = nullptr;
  std::string labelSeen;
  script.At(1500, [&] {
    box = spy.CurrentDialog();
    button = Button(box, DefaultButtonId(MB_ICONINFORMATION));
    labelSeen = TextOf(button);
  });
  DWORD exitCode = 99;
  const DWORD start = GetTickCount();
  const int result = TimedMessageBox(owner.Get(), text.c_str(), caption.c_str(),
                                     MB_ICONINFORMATION, 3, &exitCode);
  const DWORD elapsed = GetTickCount() - start;

  EXPECT_EQ(result, IDOK);
  EXPECT_GE(elapsed, 3000u);
  EXPECT_EQ(exitCode, 0u);
  ASSERT_EQ(spy.Dialogs().size(), 1u);
  EXPECT_EQ(spy.Dialogs()[0], box);
  EXPECT_TRUE(labelSeen == "OK(1)" || labelSeen == "OK(2)") << labelSeen;
  // Rewritten once per second and no more often, then given back its label.
  ExpectCountdown(spy.TextsSetOn(button), "OK", 2);
}

// Some systems give the lone OK button id 1 instead of 2: a one-second box
// must still count and close by itself there.
TEST_F(TimedMessageBoxTest, AnOkBoxOfOneSecondClosesByItself) {
  HWND button = nullptr;
  script.At(300, [&] { button = Button(spy.CurrentDialog(), IDCANCEL); });
  DWORD exitCode = 99;
  const int result = TimedMessageBox(owner.Get(), text.c_str(), caption.c_str(), MB_OK, 1, &exitCode);
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(exitCode, 0u);
  ASSERT_NE(button, nullptr);
  ExpectCountdown(spy.TextsSetOn(button), "OK", 0);
}

TEST_F(TimedMessageBoxTest, PressingOkEarlyEndsTheBoxAndItsWatcher) {
  std::string labelSeen;
  script.At(1200, [&] {
    const HWND button = Button(spy.CurrentDialog(), IDCANCEL);
    labelSeen = TextOf(button);
    Click(button);
  });
  DWORD exitCode = 99;
  const DWORD start = GetTickCount();
  const int result = TimedMessageBox(owner.Get(), text.c_str(), caption.c_str(),
                                     MB_ICONINFORMATION, 10, &exitCode);
  EXPECT_EQ(result, IDOK);
  EXPECT_LT(GetTickCount() - start, 10000u);
  EXPECT_TRUE(labelSeen == "OK(8)" || labelSeen == "OK(9)") << labelSeen;
  EXPECT_EQ(exitCode, 0u);  // ended by itself, not terminated
}

TEST_F(TimedMessageBoxTest, MovingToAnotherButtonStopsTheCountdown) {
  const std::string question = J("保存しますか?");
  HWND yes = nullptr;
  std::string yesLabel, yesAfter;
  bool stillOpen = false;
  script.At(600, [&] {
    const HWND box = spy.CurrentDialog();
    yes = GetDlgItem(box, IDYES);
    SendMessageA(box, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(box, IDNO)), TRUE);
  });
  script.At(3000, [&] {
    const HWND box = spy.CurrentDialog();
    stillOpen = box && IsWindowVisible(box);
    yesAfter = TextOf(yes);
    Click(GetDlgItem(box, IDNO));
  });
  DWORD exitCode = 99;
  const int result = TimedMessageBox(owner.Get(), question.c_str(), caption.c_str(),
                                     MB_YESNO | MB_ICONQUESTION, 2, &exitCode);
  EXPECT_EQ(result, IDNO);
  EXPECT_TRUE(stillOpen);
  ASSERT_NE(yes, nullptr);
  const std::vector<std::string> texts = spy.TextsSetOn(yes);
  ASSERT_GE(texts.size(), 2u);
  yesLabel = texts.back();
  // It had counted, then got its own label back and kept it.
  EXPECT_EQ(texts.front().rfind(yesLabel + "(", 0), 0u) << texts.front();
  EXPECT_EQ(yesAfter, yesLabel);
  EXPECT_EQ(exitCode, 0u);
}

TEST_F(TimedMessageBoxTest, WithoutAnOwnerTheBoxNeverCounts) {
  std::string labelSeen;
  script.At(1500, [&] {
    const HWND button = Button(spy.CurrentDialog(), IDCANCEL);
    labelSeen = TextOf(button);
    Click(button);
  });
  DWORD exitCode = 99;
  const int result =
      TimedMessageBox(nullptr, text.c_str(), caption.c_str(), MB_ICONINFORMATION, 1, &exitCode);
  EXPECT_EQ(result, IDOK);  // pressed by the script, not by the watcher
  EXPECT_EQ(labelSeen, "OK");
  EXPECT_EQ(exitCode, 0u);
}

TEST_F(TimedMessageBoxTest, ATypeWithoutADefaultButtonShowsNothing) {
  for (UINT type : {UINT(MB_OK | MB_DEFBUTTON2), UINT(MB_YESNO | MB_DEFBUTTON3), UINT(7), UINT(0x4F)}) {
    EXPECT_EQ(TimedMessageBox(owner.Get(), text.c_str(), caption.c_str(), type, 1), -1) << type;
  }
  EXPECT_TRUE(spy.Dialogs().empty());
}

}  // namespace
}  // namespace orlavix::win32
