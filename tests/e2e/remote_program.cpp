#include "tests/e2e/remote_program.h"

#include <commctrl.h>

#include <filesystem>
#include <vector>

#include "platform/win32/wide_text.h"

namespace orlavix::e2e {
namespace {

// A block of memory inside the other process, for list-view messages that
// carry pointers.
class RemoteBlock {
 public:
  RemoteBlock(HANDLE process, std::size_t size)
      : process_(process),
        address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}
  ~RemoteBlock() {
    if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
  }
  RemoteBlock(const RemoteBlock&) = delete;
  RemoteBlock& operator=(const RemoteBlock&) = delete;
  char* Address() const { return static_cast<char*>(address_); }
  bool Write(std::size_t offset, const void* data, std::size_t size) const {
    SIZE_T done = 0;
    return WriteProcessMemory(process_, Address() + offset, data, size, &done) && done == size;
  }
  bool Read(std::size_t offset, void* data, std::size_t size) const {
    SIZE_T done = 0;
    return ReadProcessMemory(process_, Address() + offset, data, size, &done) && done == size;
  }

 private:
  HANDLE process_;
  void* address_;
};

struct FindRequest {
  DWORD processId;
  std::string caption;
  HWND found = nullptr;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM lParam) {
  auto* request = reinterpret_cast<FindRequest*>(lParam);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != request->processId || !IsWindowVisible(window)) return TRUE;
  char name[32] = "";
  GetClassNameA(window, name, sizeof name);
  if (std::string(name) != "#32770" || TextOf(window) != request->caption) return TRUE;
  request->found = window;
  return FALSE;
}

}  // namespace

bool WaitFor(const std::function<bool()>& condition, DWORD ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (GetTickCount() - start >= ms) return false;
    Sleep(50);
  }
}

std::string WindowsPath(const std::string& path) {
  char full[MAX_PATH * 2] = "";
  if (!GetFullPathNameA(path.c_str(), sizeof full, full, nullptr)) return path;
  std::string out = full;
  for (char& c : out) {
    if (c == '/') c = '\\';
  }
  return out;
}

bool CopyTree(const std::string& from, const std::string& to) {
  std::error_code error;
  std::filesystem::copy(from, to, std::filesystem::copy_options::recursive, error);
  return !error;
}

std::string TextOf(HWND window) {
  // GetWindowText does not ask another process's controls for their text;
  // WM_GETTEXT does, and the system carries the text across. Read as UTF-16,
  // it is the same whatever this process's code page.
  wchar_t text[1024] = L"";
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                           &length)) {
    return "";
  }
  return win32::Narrow(std::wstring_view(text, length < 1024 ? length : 0)).text;
}

RemoteProgram::RemoteProgram(const std::string& exe, const std::string& arguments) {
  std::string commandLine = "\"" + exe + "\" " + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info)) {
    return;
  }
  CloseHandle(info.hThread);
  process_ = info.hProcess;
  processId_ = info.dwProcessId;
  WaitForInputIdle(process_, 10000);
}

RemoteProgram::~RemoteProgram() {
  if (!process_) return;
  if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_, 99);
    WaitForSingleObject(process_, 5000);
  }
  CloseHandle(process_);
}

HWND RemoteProgram::FindDialog(const std::string& caption, DWORD ms) const {
  FindRequest request{processId_, caption};
  WaitFor([&] {
    EnumWindows(&MatchDialog, reinterpret_cast<LPARAM>(&request));
    return request.found != nullptr;
  }, ms);
  return request.found;
}

bool RemoteProgram::NoDialog(const std::string& caption) const {
  FindRequest request{processId_, caption};
  EnumWindows(&MatchDialog, reinterpret_cast<LPARAM>(&request));
  return request.found == nullptr;
}

long RemoteProgram::WaitForExit(DWORD ms) {
  if (!process_ || WaitForSingleObject(process_, ms) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  GetExitCodeProcess(process_, &code);
  return static_cast<long>(code);
}

int RemoteProgram::RowCount(HWND list) const {
  return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
}

std::string RemoteProgram::CellText(HWND list, int row, int column) const {
  constexpr std::size_t kText = 1024;
  RemoteBlock block(process_, sizeof(LVITEMW) + kText * sizeof(wchar_t));
  if (!block.Address()) return "";
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = reinterpret_cast<wchar_t*>(block.Address() + sizeof(LVITEMW));
  item.cchTextMax = static_cast<int>(kText);
  if (!block.Write(0, &item, sizeof item)) return "";
  const LRESULT length = SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                                      reinterpret_cast<LPARAM>(block.Address()));
  std::wstring text(kText, L'\0');
  if (length <= 0 || !block.Read(sizeof(LVITEMW), text.data(), text.size() * sizeof(wchar_t))) return "";
  text.resize(static_cast<std::size_t>(length));
  return win32::Narrow(text).text;
}

int RemoteProgram::FindRow(HWND list, int column, const std::string& text) const {
  const int rows = RowCount(list);
  for (int row = 0; row < rows; ++row) {
    if (CellText(list, row, column) == text) return row;
  }
  return -1;
}

void RemoteProgram::SelectRow(HWND list, int row) const {
  RemoteBlock block(process_, sizeof(LVITEMA));
  LVITEMA item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  if (!block.Write(0, &item, sizeof item)) return;
  SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(block.Address()));
  SendMessageA(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

int RemoteProgram::SelectedRow(HWND list) const {
  return static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

bool RemoteProgram::RowChecked(HWND list, int row) const {
  const LRESULT state = SendMessageA(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK);
  return ((state & LVIS_STATEIMAGEMASK) >> 12) == 2;
}

void Press(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

}  // namespace orlavix::e2e
