// The program's report box: a standard message box that presses its own
// default button after a number of seconds, counting down on the button.
#pragma once

#include <windows.h>

#include <string>

namespace orlavix::win32 {

// Shared by the calling thread and the watcher for the length of one call.
struct TimedMessageBoxState {
  HWND owner = nullptr;
  HANDLE watcherThread = nullptr;
  DWORD watcherThreadId = 0;
  DWORD callerThreadId = 0;
  DWORD seconds = 0;
  int defaultButtonId = 0;
  // Where the box may keep its default button instead (0: nowhere else).
  int alternateButtonId = 0;
  // Written and read by the watcher alone.
  std::string defaultButtonText;
};

// Shows the box and returns the id of the button that closed it, or -1 when
// no box was shown (a type without a default button, or no watcher). Returns
// after the box has closed and the watcher has ended; `watcherExitCode`, when
// given, receives the watcher's exit code (1 when it had to be terminated).
int TimedMessageBox(HWND owner, const char* text, const char* caption, UINT type, DWORD seconds,
                    DWORD* watcherExitCode = nullptr);

// The watcher thread's body.
unsigned __stdcall WatchDefaultButton(void* state);

// Ends the watcher (forced after 900 ms) and releases its handle; returns the
// thread's exit code, or 0 when there was no watcher.
DWORD StopWatcher(TimedMessageBoxState& state);

}  // namespace orlavix::win32
