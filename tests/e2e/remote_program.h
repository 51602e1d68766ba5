// Drives orlavix.exe running as a process of its own, only through what a
// person or an accessibility tool has: windows found by caption, controls by
// id, list-view rows read across the process boundary, button presses, keys.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace orlavix::e2e {

// Polls `condition` every 50 ms for up to `ms`; true once it holds.
bool WaitFor(const std::function<bool()>& condition, DWORD ms);

// A Windows path for a path of the build machine ("/work/x" -> "Z:\work\x").
std::string WindowsPath(const std::string& path);

// Copies a folder tree.
bool CopyTree(const std::string& from, const std::string& to);

// The text of a window or control of any process.
std::string TextOf(HWND window);

class RemoteProgram {
 public:
  // Starts `exe` with `arguments` as its command line after the program name.
  RemoteProgram(const std::string& exe, const std::string& arguments);
  // Ends the process if it still runs.
  ~RemoteProgram();
  RemoteProgram(const RemoteProgram&) = delete;
  RemoteProgram& operator=(const RemoteProgram&) = delete;

  bool Started() const { return process_ != nullptr; }
  // A visible top-level window of the process with this caption (dialog class
  // "#32770"), waiting up to `ms` for it; null when none appears.
  HWND FindDialog(const std::string& caption, DWORD ms = 5000) const;
  // True when no visible dialog of the process has this caption.
  bool NoDialog(const std::string& caption) const;
  // Waits up to `ms` for the process to end; its exit code, or -1.
  long WaitForExit(DWORD ms);

  // List view (a control of this process).
  int RowCount(HWND list) const;
  std::string CellText(HWND list, int row, int column) const;
  // The first row whose cell in `column` equals `text`, or -1.
  int FindRow(HWND list, int column, const std::string& text) const;
  void SelectRow(HWND list, int row) const;
  int SelectedRow(HWND list) const;
  bool RowChecked(HWND list, int row) const;

 private:
  HANDLE process_ = nullptr;
  DWORD processId_ = 0;
};

// Presses a dialog's button as a click does: the dialog receives the command.
void Press(HWND dialog, int id);

}  // namespace orlavix::e2e
