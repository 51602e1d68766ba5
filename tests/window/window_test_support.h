// Helpers for driving real windows from a test: an owner window, actions run
// while a modal loop is active, and a record of what the windows went through.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace orlavix::test {

// Prepares common controls once; call before the first window.
void InitWindowTests();

// A plain visible top-level window to own the dialogs under test.
class OwnerWindow {
 public:
  explicit OwnerWindow(RECT placement, const char* caption = "Owner");
  ~OwnerWindow();
  OwnerWindow(const OwnerWindow&) = delete;
  OwnerWindow& operator=(const OwnerWindow&) = delete;
  HWND Get() const { return window_; }

 private:
  HWND window_ = nullptr;
};

// Runs actions on this thread at given times while it sits in a modal loop
// (message box or dialog), through thread timers. Every action still pending
// is cancelled when the script is destroyed.
//
// A step (At) holds the test's checks: a step that has not run to its end by
// then fails the test, so that a window that never opened, or closed before
// its walk, cannot pass unseen. A guard (Guard) ends a window that stays too
// long and is expected never to run.
class TimerScript {
 public:
  TimerScript() = default;
  ~TimerScript();
  TimerScript(const TimerScript&) = delete;
  TimerScript& operator=(const TimerScript&) = delete;
  void At(UINT ms, std::function<void()> step);
  void Guard(UINT ms, std::function<void()> action);

 private:
  struct Step {
    UINT ms;
    std::shared_ptr<bool> done;
  };
  static void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD);
  void Schedule(UINT ms, std::function<void()> action);
  std::vector<UINT_PTR> timers_;
  std::vector<Step> steps_;
};

// Watches this thread's windows: the dialogs it creates and the texts set on
// any window of it (WM_SETTEXT as the window receives it).
class WindowSpy {
 public:
  WindowSpy();
  ~WindowSpy();
  WindowSpy(const WindowSpy&) = delete;
  WindowSpy& operator=(const WindowSpy&) = delete;

  // Dialog windows ("#32770") created since the spy started, in order.
  const std::vector<HWND>& Dialogs() const { return dialogs_; }
  // The latest dialog that is still a window, or null.
  HWND CurrentDialog() const;
  // Texts set on `window`, in order.
  std::vector<std::string> TextsSetOn(HWND window) const;

 private:
  static LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK CallHook(int code, WPARAM wParam, LPARAM lParam);

  HHOOK cbt_ = nullptr;
  HHOOK call_ = nullptr;
  std::vector<HWND> dialogs_;
  std::vector<std::pair<HWND, std::string>> texts_;
};

// A window's text, read as UTF-16, in the working code page.
std::string TextOf(HWND window);
// The folder an open-file dialog shows.
std::string FolderShown(HWND fileDialog);

// Presses a button as a click would.
void Click(HWND button);

// Runs this thread's messages for `ms` milliseconds (timers and posted
// messages included), for a test that waits inside an action.
void PumpFor(DWORD ms);

// Finds the modal boxes and dialogs ("#32770") owned by `owner` (none until
// it is set) that open while this thread sits in a modal loop, and answers
// each with the next of the answers given, in order. A box that finds no answer waiting is closed with
// Cancel (or its lone OK) and counted as unexpected; an answer still waiting
// when the watcher ends fails the test. Polls with a thread timer, so it
// works inside nested modal loops.
class ModalWatcher {
 public:
  struct Box {
    HWND window;
    std::string caption;
    std::string text;  // the message of a message box
    LONG style;
  };
  // What to do with one box; the action closes it.
  using Action = std::function<void(const Box& box)>;

  explicit ModalWatcher(HWND owner = nullptr);
  ~ModalWatcher();
  ModalWatcher(const ModalWatcher&) = delete;
  ModalWatcher& operator=(const ModalWatcher&) = delete;

  void SetOwner(HWND owner) { owner_ = owner; }
  // A modeless window of the owner (such as the preview) that is no box.
  void Ignore(HWND window) { handled_.push_back(window); }
  // Presses button `id` of the next box.
  void Answer(int id);
  // Runs `action` on the next box.
  void Then(Action action);

  const std::vector<Box>& Seen() const { return seen_; }
  int Unexpected() const { return unexpected_; }

 private:
  static void CALLBACK Poll(HWND, UINT, UINT_PTR, DWORD);
  void Look();

  HWND owner_;
  UINT_PTR timer_ = 0;
  std::vector<Action> pending_;
  std::vector<Box> seen_;
  std::vector<HWND> handled_;
  int unexpected_ = 0;
  bool busy_ = false;
};

// Presses a dialog's button by id; a message box's lone OK is found under
// either id that systems give it.
void PressButton(HWND dialog, int id);

}  // namespace orlavix::test
