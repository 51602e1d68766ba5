#include "tests/window/window_test_support.h"

#include <commctrl.h>
#include <commdlg.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "values/win32/gdiplus_objects.h"
#include "support/win32/window_text.h"

namespace orlavix::test {
namespace {

constexpr char kOwnerClass[] = "OrlavixTestOwner";

std::map<UINT_PTR, std::function<void()>>& PendingActions() {
  static std::map<UINT_PTR, std::function<void()>> actions;
  return actions;
}

WindowSpy* activeSpy = nullptr;
ModalWatcher* activeWatcher = nullptr;

struct OwnedSearch {
  HWND owner;
  const std::vector<HWND>* handled;
  HWND found;
};

BOOL CALLBACK FindOwnedDialog(HWND window, LPARAM param) {
  auto& search = *reinterpret_cast<OwnedSearch*>(param);
  char name[16] = "";
  GetClassNameA(window, name, sizeof name);
  if (std::string(name) != "#32770" || !IsWindowVisible(window)) return TRUE;
  if (GetWindow(window, GW_OWNER) != search.owner) return TRUE;
  for (HWND done : *search.handled) {
    if (done == window) return TRUE;
  }
  search.found = window;
  return FALSE;
}

}  // namespace

void InitWindowTests() {
  static bool done = false;
  if (done) return;
  done = true;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  // GDI+ for the whole run, as the program's entry starts it; the end of the
  // process takes it down.
  static const win32::GdiplusSession* const gdiplus = new win32::GdiplusSession;
  static_cast<void>(gdiplus);
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = kOwnerClass;
  RegisterClassA(&wc);
}

OwnerWindow::OwnerWindow(RECT r, const char* caption) {
  InitWindowTests();
  window_ = CreateWindowExA(0, kOwnerClass, caption, WS_OVERLAPPEDWINDOW | WS_VISIBLE, r.left,
                            r.top, r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
}

OwnerWindow::~OwnerWindow() {
  if (window_) DestroyWindow(window_);
}

TimerScript::~TimerScript() {
  for (UINT_PTR id : timers_) {
    if (PendingActions().erase(id)) KillTimer(nullptr, id);
  }
  for (const Step& step : steps_) {
    if (!*step.done) {
      ADD_FAILURE() << "the step planned at " << step.ms
                    << " ms did not run to its end: the window it drives never opened or closed before it";
    }
  }
}

void TimerScript::At(UINT ms, std::function<void()> step) {
  const auto done = std::make_shared<bool>(false);
  steps_.push_back(Step{ms, done});
  Schedule(ms, [step = std::move(step), done] {
    step();
    *done = true;
  });
}

void TimerScript::Guard(UINT ms, std::function<void()> action) { Schedule(ms, std::move(action)); }

void TimerScript::Schedule(UINT ms, std::function<void()> action) {
  const UINT_PTR id = SetTimer(nullptr, 0, ms, &TimerScript::Fire);
  if (!id) return;
  PendingActions()[id] = std::move(action);
  timers_.push_back(id);
}

void CALLBACK TimerScript::Fire(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  auto found = PendingActions().find(id);
  if (found == PendingActions().end()) return;
  const std::function<void()> action = std::move(found->second);
  PendingActions().erase(found);
  action();
}

WindowSpy::WindowSpy() {
  activeSpy = this;
  cbt_ = SetWindowsHookExA(WH_CBT, &WindowSpy::CbtHook, nullptr, GetCurrentThreadId());
  call_ = SetWindowsHookExW(WH_CALLWNDPROC, &WindowSpy::CallHook, nullptr, GetCurrentThreadId());
}

WindowSpy::~WindowSpy() {
  if (cbt_) UnhookWindowsHookEx(cbt_);
  if (call_) UnhookWindowsHookEx(call_);
  activeSpy = nullptr;
}

HWND WindowSpy::CurrentDialog() const {
  for (auto it = dialogs_.rbegin(); it != dialogs_.rend(); ++it) {
    if (IsWindow(*it)) return *it;
  }
  return nullptr;
}

std::vector<std::string> WindowSpy::TextsSetOn(HWND window) const {
  std::vector<std::string> out;
  for (const auto& entry : texts_) {
    if (entry.first == window) out.push_back(entry.second);
  }
  return out;
}

LRESULT CALLBACK WindowSpy::CbtHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND && activeSpy) {
    const HWND window = reinterpret_cast<HWND>(wParam);
    char name[32] = "";
    GetClassNameA(window, name, sizeof name);
    if (std::string(name) == "#32770") activeSpy->dialogs_.push_back(window);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK WindowSpy::CallHook(int code, WPARAM wParam, LPARAM lParam) {
  const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && activeSpy && call->message == WM_SETTEXT && call->lParam) {
    // The program's windows are wide and are given their texts in UTF-16.
    activeSpy->texts_.emplace_back(call->hwnd, win32::Narrow(reinterpret_cast<const wchar_t*>(call->lParam)).text);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

std::string TextOf(HWND window) { return win32::WindowText(window).text; }

std::string FolderShown(HWND fileDialog) {
  wchar_t folder[MAX_PATH * 2] = L"";
  SendMessageW(fileDialog, CDM_GETFOLDERPATH, MAX_PATH * 2, reinterpret_cast<LPARAM>(folder));
  return win32::Narrow(folder).text;
}

void Click(HWND button) { SendMessageA(button, BM_CLICK, 0, 0); }

void PumpFor(DWORD ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    const DWORD spent = GetTickCount() - start;
    if (spent >= ms) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - spent, QS_ALLINPUT);
  }
}

void PressButton(HWND dialog, int id) {
  HWND button = GetDlgItem(dialog, id);
  if (!button && id == IDOK) button = GetDlgItem(dialog, IDCANCEL);
  if (button) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
  } else {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
  }
}

ModalWatcher::ModalWatcher(HWND owner) : owner_(owner) {
  activeWatcher = this;
  timer_ = SetTimer(nullptr, 0, 50, &ModalWatcher::Poll);
}

ModalWatcher::~ModalWatcher() {
  if (timer_) KillTimer(nullptr, timer_);
  activeWatcher = nullptr;
  // An answer left over was meant for a box that never opened: the checks it
  // carried never ran.
  if (!pending_.empty()) ADD_FAILURE() << pending_.size() << " answer(s) left for boxes that never opened";
}

void ModalWatcher::Answer(int id) {
  pending_.push_back([id](const Box& box) { PressButton(box.window, id); });
}

void ModalWatcher::Then(Action action) { pending_.push_back(std::move(action)); }

void CALLBACK ModalWatcher::Poll(HWND, UINT, UINT_PTR, DWORD) {
  if (activeWatcher) activeWatcher->Look();
}

void ModalWatcher::Look() {
  // An action may itself wait in a modal loop; boxes found meanwhile wait too.
  if (busy_ || !owner_) return;
  // Closed boxes leave the record, so that a handle used again is seen anew.
  handled_.erase(std::remove_if(handled_.begin(), handled_.end(), [](HWND w) { return !IsWindow(w); }),
                 handled_.end());
  OwnedSearch search{owner_, &handled_, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), &FindOwnedDialog, reinterpret_cast<LPARAM>(&search));
  if (!search.found) return;
  const HWND window = search.found;
  handled_.push_back(window);
  Box box{window, TextOf(window), TextOf(GetDlgItem(window, 0xFFFF)),
          static_cast<LONG>(GetWindowLongPtrA(window, GWL_STYLE))};
  seen_.push_back(box);
  busy_ = true;
  if (pending_.empty()) {
    ++unexpected_;
    PressButton(window, GetDlgItem(window, IDCANCEL) ? IDCANCEL : IDOK);
  } else {
    const Action action = std::move(pending_.front());
    pending_.erase(pending_.begin());
    action(box);
  }
  busy_ = false;
}

}  // namespace orlavix::test
