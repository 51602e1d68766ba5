#include "boxes/win32/timed_message_box.h"

#include <gtest/gtest.h>
#include <process.h>

#include <string>
#include <vector>

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
    script.Guard(kGuardMs, [this] {
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

// The labels a countdown left on a button, each once and in order, as
// `expected` lists them; the first of them only when the watcher's first
// pass came before the first millisecond had gone by.
void ExpectCountdown(const std::vector<std::string>& texts, const std::vector<std::string>& expected) {
  const std::vector<std::string> late(expected.begin() + 1, expected.end());
  EXPECT_TRUE(texts == expected || texts == late) << ::testing::PrintToString(texts);
}

TEST_F(TimedMessageBoxTest, CountsDownOnTheOkButtonAndPressesItWhenTimeIsUp) {
  HWND box = nullptr;
  HWND button = nullptr;
  std::string labelSeen;
  script.At(1500, [&] {
    box = spy.CurrentDialog();
    button = Button(box, IDCANCEL);  // where the lone OK button lives
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
  ExpectCountdown(spy.TextsSetOn(button), {"OK(3)", "OK(2)", "OK(1)", "OK(0)", "OK"});
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
  ExpectCountdown(spy.TextsSetOn(button), {"OK(1)", "OK(0)", "OK"});
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

// A dialog like the main one: a dialog box with a button under IDOK (適用),
// counting the presses that reach it.
class DialogWithApply {
 public:
  DialogWithApply() {
    window_ = CreateWindowExW(0, L"#32770", L"Orlavix", WS_POPUP | WS_CAPTION | WS_VISIBLE, 150, 150, 500, 300,
                              nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(window_, DWLP_USER, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(window_, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(&DialogWithApply::Proc));
    apply_ = CreateWindowExW(0, L"BUTTON", L"\u9069\u7528(&A)", WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON, 10, 10,
                             100, 30, window_, reinterpret_cast<HMENU>(IDOK), GetModuleHandleW(nullptr), nullptr);
  }
  ~DialogWithApply() { DestroyWindow(window_); }
  DialogWithApply(const DialogWithApply&) = delete;
  DialogWithApply& operator=(const DialogWithApply&) = delete;
  HWND Window() const { return window_; }
  HWND Apply() const { return apply_; }
  int Presses() const { return presses_; }

 private:
  static INT_PTR CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM) {
    auto* self = reinterpret_cast<DialogWithApply*>(GetWindowLongPtrW(window, DWLP_USER));
    if (self && message == WM_COMMAND && LOWORD(wParam) == IDOK) {
      ++self->presses_;
      return TRUE;
    }
    return FALSE;
  }

  HWND window_ = nullptr;
  HWND apply_ = nullptr;
  int presses_ = 0;
};

// A watcher that starts before its box is up must wait for the box: the main
// dialog that owns it is a dialog box with a button under the box's id, and
// must keep its 適用 as it was, unpressed.
TEST_F(TimedMessageBoxTest, AWatcherWithNoBoxUpLeavesTheOwnersApplyButtonAlone) {
  DialogWithApply mainDialog;
  ASSERT_NE(mainDialog.Window(), nullptr);
  ASSERT_EQ(test::TextOf(mainDialog.Apply()), J("適用(&A)"));

  TimedMessageBoxState state;
  state.owner = mainDialog.Window();
  state.seconds = 1;
  state.defaultButtonId = IDOK;
  state.callerThreadId = GetCurrentThreadId();
  unsigned threadId = 0;
  const auto handle = _beginthreadex(nullptr, 0, &WatchDefaultButton, &state, 0, &threadId);
  ASSERT_NE(handle, 0u);
  state.watcherThread = reinterpret_cast<HANDLE>(handle);
  state.watcherThreadId = threadId;
  // Longer than its countdown, had it taken the owner for the box.
  test::PumpFor(2500);
  EXPECT_EQ(StopWatcher(state), 0u) << "the watcher ended when told, still looking";

  EXPECT_EQ(mainDialog.Presses(), 0);
  EXPECT_EQ(spy.TextsSetOn(mainDialog.Apply()), std::vector<std::string>{});
  EXPECT_EQ(test::TextOf(mainDialog.Apply()), J("適用(&A)"));

  // A box of the same owner is the one that counts and is pressed.
  HWND ok = nullptr;
  script.At(1200, [&] { ok = GetDlgItem(spy.CurrentDialog(), IDOK); });
  EXPECT_EQ(TimedMessageBox(mainDialog.Window(), text.c_str(), caption.c_str(), MB_OKCANCEL, 2), IDOK);
  EXPECT_EQ(mainDialog.Presses(), 0);
  ASSERT_NE(ok, nullptr);
  EXPECT_FALSE(spy.TextsSetOn(ok).empty());
}

TEST_F(TimedMessageBoxTest, ATypeWithoutADefaultButtonShowsNothing) {
  for (UINT type : {UINT(MB_OK | MB_DEFBUTTON2), UINT(MB_YESNO | MB_DEFBUTTON3), UINT(7), UINT(0x4F)}) {
    EXPECT_EQ(TimedMessageBox(owner.Get(), text.c_str(), caption.c_str(), type, 1), -1) << type;
  }
  EXPECT_TRUE(spy.Dialogs().empty());
}

}  // namespace
}  // namespace orlavix::win32
