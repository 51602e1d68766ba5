#include "boxes/win32/timed_message_box.h"

#include <process.h>

#include <cstdint>
#include <string_view>

#include "boxes/countdown.h"
#include "support/mbtext.h"
#include "support/win32/nt_platform.h"
#include "support/win32/window_text.h"

namespace orlavix::win32 {
namespace {

constexpr DWORD kIdlePauseMs = 50;
constexpr DWORD kStopWaitMs = 900;

// Sets the text only when it differs, so that the button does not flicker.
void SetTextIfChanged(HWND window, const std::string& text) {
  if (MbsCompare(WindowText(window).text, text) != 0) SetText(window, text);
}

// Takes one waiting message, if any. False when the thread must end: the
// retrieval failed or it was told to quit.
bool PumpOneMessage(bool& tookOne) {
  MSG msg;
  tookOne = false;
  if (!PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) return true;
  tookOne = true;
  const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
  if (got <= 0) return false;  // -1: failure; 0: WM_QUIT
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
  return true;
}

// Waits at most `ms` for the next message to this thread, so that a quit
// request is seen at once.
void Pause(DWORD ms) { MsgWaitForMultipleObjects(0, nullptr, FALSE, ms, QS_ALLINPUT); }

std::uintptr_t HandleNumber(HWND window) { return reinterpret_cast<std::uintptr_t>(window); }

bool IsDialogBoxClass(HWND window) {
  wchar_t name[16] = L"";
  return GetClassNameW(window, name, sizeof name / sizeof name[0]) && std::wstring_view(name) == L"#32770";
}

// Whether `window` may be taken for the box of `owner`, by what the system
// says of it.
bool IsBoxOfOwner(HWND owner, HWND window) {
  return window && IsBoxOf(HandleNumber(owner), HandleNumber(window), HandleNumber(GetWindow(window, GW_OWNER)),
                           IsDialogBoxClass(window));
}

struct PopupSearch {
  HWND owner;
  HWND found;
};

BOOL CALLBACK TakeEnabledDialog(HWND window, LPARAM param) {
  auto& search = *reinterpret_cast<PopupSearch*>(param);
  if (IsBoxOfOwner(search.owner, window) && IsWindowEnabled(window) && IsWindowVisible(window)) {
    search.found = window;
    return FALSE;
  }
  return TRUE;
}

// The window that the box should be: the owner's enabled popup. What the
// system answers is taken only when it is a dialog box of the owner's: while
// no box is up yet, Windows may answer with the owner itself, whose 適用
// button has the box's id. Systems that do not answer that question of
// GetWindow get it from the caller thread's own dialog windows.
HWND CandidateBox(const TimedMessageBoxState& state) {
  const HWND popup = GetWindow(state.owner, IsNtPlatform() ? GW_ENABLEDPOPUP : GW_HWNDNEXT);
  if (IsBoxOfOwner(state.owner, popup)) return popup;
  if (!state.owner || !IsNtPlatform()) return nullptr;
  PopupSearch search{state.owner, nullptr};
  EnumThreadWindows(state.callerThreadId, &TakeEnabledDialog, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The box's default button, looked for under the table's id and, failing
// that, where some systems keep the lone OK button.
HWND FindDefaultButton(HWND candidate, const TimedMessageBoxState& state, int& buttonId) {
  if (!IsWindow(candidate)) return nullptr;
  HWND button = GetDlgItem(candidate, state.defaultButtonId);
  buttonId = state.defaultButtonId;
  if (!IsWindow(button) && state.alternateButtonId != 0) {
    button = GetDlgItem(candidate, state.alternateButtonId);
    buttonId = state.alternateButtonId;
  }
  return IsWindow(button) ? button : nullptr;
}

// Counts down on `button` until the box goes, the user moves within it, the
// time is up or the thread is told to quit.
void CountDown(TimedMessageBoxState& state, HWND box, HWND button, int buttonId) {
  const Countdown countdown(GetTickCount(), state.seconds);
  while (IsWindow(box) && IsWindowVisible(box)) {
    const HWND focus = GetFocus();
    if (focus != button && focus && (focus == box || GetParent(focus) == box)) {
      SetTextIfChanged(button, state.defaultButtonText);
      return;
    }
    const DWORD now = GetTickCount();
    if (countdown.Expired(now)) {
      SetTextIfChanged(button, state.defaultButtonText);
      PostMessageW(box, WM_COMMAND, MAKEWPARAM(buttonId, 0), 0);
      return;
    }
    SetTextIfChanged(button, CountdownLabel(state.defaultButtonText, countdown.RemainingSeconds(now)));
    bool tookOne = false;
    if (!PumpOneMessage(tookOne)) return;
    // A short rest per pass keeps the label current to well under a second
    // without spinning.
    if (!tookOne) Pause(kIdlePauseMs);
  }
}

}  // namespace

unsigned __stdcall WatchDefaultButton(void* param) {
  auto& state = *static_cast<TimedMessageBoxState*>(param);
  HWND box = nullptr;
  HWND button = nullptr;
  int buttonId = 0;
  for (;;) {
    const HWND candidate = CandidateBox(state);
    button = FindDefaultButton(candidate, state, buttonId);
    if (button) {
      box = candidate;
      break;
    }
    bool tookOne = false;
    if (!PumpOneMessage(tookOne)) return 0;
    if (!tookOne) Pause(kIdlePauseMs);
  }

  state.defaultButtonText = WindowText(button).text;
  const DWORD self = GetCurrentThreadId();
  // Attached, GetFocus sees the focus inside the box.
  const BOOL attached = AttachThreadInput(self, state.callerThreadId, TRUE);
  CountDown(state, box, button, buttonId);
  if (attached) AttachThreadInput(self, state.callerThreadId, FALSE);
  return 0;
}

DWORD StopWatcher(TimedMessageBoxState& state) {
  if (state.watcherThreadId == 0) return 0;
  const DWORD start = GetTickCount();
  // A watcher that has not yet taken its first message has no queue to post
  // to: keep trying while it runs, within the same 900 ms.
  while (!PostThreadMessageW(state.watcherThreadId, WM_QUIT, 0, 0) && state.watcherThread &&
         GetTickCount() - start < kStopWaitMs &&
         WaitForSingleObject(state.watcherThread, 10) == WAIT_TIMEOUT) {
  }
  DWORD exitCode = 0;
  if (state.watcherThread) {
    const DWORD spent = GetTickCount() - start;
    const DWORD wait = spent < kStopWaitMs ? kStopWaitMs - spent : 0;
    if (WaitForSingleObject(state.watcherThread, wait) == WAIT_TIMEOUT) {
      TerminateThread(state.watcherThread, 1);
      WaitForSingleObject(state.watcherThread, INFINITE);
    }
    GetExitCodeThread(state.watcherThread, &exitCode);
    if (CloseHandle(state.watcherThread)) {
      state.watcherThread = nullptr;
      state.watcherThreadId = 0;
    }
  }
  return exitCode;
}

int TimedMessageBox(HWND owner, const char* text, const char* caption, UINT type, DWORD seconds,
                    DWORD* watcherExitCode) {
  if (watcherExitCode) *watcherExitCode = 0;
  TimedMessageBoxState state;

  const int iconId = BoxIconId(type);
  LANGID language = GetUserDefaultLangID();
  if (language == LANG_USER_DEFAULT) language = GetSystemDefaultLangID();

  const std::wstring wideText = Wide(text ? text : "");
  const std::wstring wideCaption = Wide(caption ? caption : "");
  MSGBOXPARAMSW params{};
  params.cbSize = sizeof params;
  params.hwndOwner = owner;
  params.hInstance = nullptr;  // the system's own icons
  params.lpszText = wideText.c_str();
  params.lpszCaption = caption ? wideCaption.c_str() : nullptr;
  params.dwStyle = BoxStyle(type);
  params.lpszIcon = iconId != 0 ? MAKEINTRESOURCEW(iconId) : nullptr;
  params.dwContextHelpId = 0;
  params.lpfnMsgBoxCallback = nullptr;
  params.dwLanguageId = language;

  state.owner = owner;
  state.seconds = seconds;
  state.defaultButtonId = DefaultButtonId(type);
  state.alternateButtonId = AlternateButtonId(type);
  state.callerThreadId = GetCurrentThreadId();
  if (state.defaultButtonId == 0) return -1;

  unsigned threadId = 0;
  const auto handle = _beginthreadex(nullptr, 0, &WatchDefaultButton, &state, 0, &threadId);
  if (handle == 0) return -1;
  state.watcherThread = reinterpret_cast<HANDLE>(handle);
  state.watcherThreadId = threadId;

  int result = MessageBoxIndirectW(&params);
  if (result == 0) result = MessageBoxW(owner, params.lpszText, params.lpszCaption, type);

  if (state.watcherThread) {
    const DWORD exitCode = StopWatcher(state);
    if (watcherExitCode) *watcherExitCode = exitCode;
  }
  return result;
}

}  // namespace orlavix::win32
