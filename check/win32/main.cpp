// orlavix-check on Windows: arguments arrive as UTF-16 and are taken in the
// working code page; readable output goes out in the console's own encoding
// (wide characters to a console window, the console code page into a pipe or
// file); JSON always as UTF-8.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "check/check_command.h"
#include "platform/win32/wide_text.h"
#include "support/mbtext.h"

namespace {

using orlavix::win32::Wide;

std::string WithCrLf(const std::string& text) {
  std::string out;
  out.reserve(text.size() + text.size() / 32);
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

void WriteBytes(HANDLE handle, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD written = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
    if (!WriteFile(handle, bytes.data() + done, chunk, &written, nullptr) || written == 0) return;
    done += written;
  }
}

// Working text, shown as the console expects it.
void WriteText(DWORD which, const std::string& text) {
  const HANDLE handle = GetStdHandle(which);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return;
  const std::wstring wide = Wide(WithCrLf(text));
  DWORD mode = 0;
  if (GetConsoleMode(handle, &mode)) {
    DWORD written = 0;
    WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    return;
  }
  const UINT consoleCodePage = GetConsoleOutputCP();
  WriteBytes(handle, orlavix::win32::ToCodePage(consoleCodePage ? consoleCodePage : CP_ACP, wide));
}

class WindowsConsole : public orlavix::check::Console {
 public:
  void Out(const std::string& text) override { WriteText(STD_OUTPUT_HANDLE, text); }
  void OutUtf8(const std::string& bytes) override { WriteBytes(GetStdHandle(STD_OUTPUT_HANDLE), bytes); }
  void Err(const std::string& text) override { WriteText(STD_ERROR_HANDLE, text); }
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  WindowsConsole console;
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) {
    orlavix::win32::NarrowText arg = orlavix::win32::Narrow(argv[i]);
    // With '?' in it a path names another file or none.
    if (!arg.Whole()) {
      console.Err(arg.text + orlavix::J(": 扱えない文字 (") + orlavix::CodePointNames(arg.lost) +
                  orlavix::J(") があるため、調べられません\n"));
      return orlavix::check::kUsageOrUnreadable;
    }
    args.push_back(std::move(arg.text));
  }
  return orlavix::check::RunCheck(args, console);
}
