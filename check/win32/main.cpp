// orlavix-check on Windows: arguments in the ANSI code page; readable output
// in the console's own encoding (wide characters to a console window, the
// console code page into a pipe or file); JSON always as UTF-8.
#include <windows.h>

#include <algorithm>

#include <string>
#include <vector>

#include "check/check_command.h"

namespace {

std::wstring Widen(const std::string& text, UINT codePage) {
  if (text.empty()) return std::wstring();
  const int length = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

std::string Narrow(const std::wstring& wide, UINT codePage) {
  if (wide.empty()) return std::string();
  const int length =
      WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), text.data(), length, nullptr, nullptr);
  return text;
}

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

// Text in the ANSI code page, shown as the console expects it.
void WriteText(DWORD which, const std::string& ansi) {
  const HANDLE handle = GetStdHandle(which);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return;
  const std::wstring wide = Widen(WithCrLf(ansi), CP_ACP);
  DWORD mode = 0;
  if (GetConsoleMode(handle, &mode)) {
    DWORD written = 0;
    WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    return;
  }
  const UINT consoleCodePage = GetConsoleOutputCP();
  WriteBytes(handle, Narrow(wide, consoleCodePage ? consoleCodePage : CP_ACP));
}

class WindowsConsole : public orlavix::check::Console {
 public:
  void Out(const std::string& text) override { WriteText(STD_OUTPUT_HANDLE, text); }
  void OutUtf8(const std::string& bytes) override { WriteBytes(GetStdHandle(STD_OUTPUT_HANDLE), bytes); }
  void Err(const std::string& text) override { WriteText(STD_ERROR_HANDLE, text); }
};

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  WindowsConsole console;
  return orlavix::check::RunCheck(args, console);
}
