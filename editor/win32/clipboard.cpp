#include "editor/win32/clipboard.h"

#include <cstring>
#include <cwchar>
#include <utility>

namespace orlavix::win32 {

namespace {

// The clipboard stays open exactly as long as this lives.
class OpenedClipboard {
 public:
  explicit OpenedClipboard(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
  ~OpenedClipboard() {
    if (open_) CloseClipboard();
  }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  explicit operator bool() const { return open_; }

 private:
  bool open_;
};

// A global memory block, freed unless handed over to the clipboard.
class GlobalBlock {
 public:
  explicit GlobalBlock(SIZE_T bytes) : block_(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes)) {}
  ~GlobalBlock() {
    if (block_) GlobalFree(block_);
  }
  GlobalBlock(const GlobalBlock&) = delete;
  GlobalBlock& operator=(const GlobalBlock&) = delete;

  bool Fill(const void* data, SIZE_T bytes) {
    void* target = block_ ? GlobalLock(block_) : nullptr;
    if (!target) return false;
    std::memcpy(target, data, bytes);
    GlobalUnlock(block_);
    return true;
  }
  // Gives the block to the clipboard; it is the system's once that succeeds.
  void PutAs(UINT format) {
    if (block_ && SetClipboardData(format, block_)) block_ = nullptr;
  }

 private:
  HGLOBAL block_;
};

// A locked clipboard block, unlocked again on every path.
class LockedData {
 public:
  explicit LockedData(HANDLE data)
      : data_(data), bytes_(data ? GlobalSize(data) : 0), memory_(data ? GlobalLock(data) : nullptr) {}
  ~LockedData() {
    if (memory_) GlobalUnlock(data_);
  }
  LockedData(const LockedData&) = delete;
  LockedData& operator=(const LockedData&) = delete;
  const void* Memory() const { return memory_; }
  SIZE_T Bytes() const { return bytes_; }

 private:
  HANDLE data_;
  SIZE_T bytes_;
  void* memory_;
};

// The text of a block up to its first NUL, never past the block's end.
std::string AnsiText(const LockedData& data) {
  if (!data.Memory()) return {};
  const char* text = static_cast<const char*>(data.Memory());
  const void* end = std::memchr(text, 0, data.Bytes());
  return std::string(text, end ? static_cast<const char*>(end) - text : data.Bytes());
}

std::string WideTextInAnsi(const LockedData& data) {
  if (!data.Memory()) return {};
  const wchar_t* text = static_cast<const wchar_t*>(data.Memory());
  const SIZE_T limit = data.Bytes() / sizeof(wchar_t);
  SIZE_T length = 0;
  while (length < limit && text[length] != L'\0') ++length;
  if (length == 0) return {};
  const int size = WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
  if (size <= 0) return {};
  std::string ansi(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), ansi.data(), size, nullptr, nullptr);
  return ansi;
}

}  // namespace

std::string WindowsClipboard::GetText() {
  if (IsClipboardFormatAvailable(CF_TEXT)) {
    OpenedClipboard clipboard(nullptr);
    if (clipboard) return AnsiText(LockedData(GetClipboardData(CF_TEXT)));
  }
  if (IsClipboardFormatAvailable(CF_UNICODETEXT)) {
    OpenedClipboard clipboard(nullptr);
    if (clipboard) return WideTextInAnsi(LockedData(GetClipboardData(CF_UNICODETEXT)));
  }
  return {};
}

void WindowsClipboard::PutText(const std::string& text) {
  if (text.empty()) return;
  const int length = static_cast<int>(text.size());
  const int wideLength = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(wideLength > 0 ? wideLength : 0), L'\0');
  if (wideLength > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(), wideLength);

  // The blocks end in zeroes: one wide NUL and one byte NUL.
  GlobalBlock wideBlock(wide.size() * sizeof(wchar_t) + 2);
  GlobalBlock ansiBlock(text.size() + 1);
  if (!wideBlock.Fill(wide.data(), wide.size() * sizeof(wchar_t)) || !ansiBlock.Fill(text.data(), text.size())) {
    return;
  }
  OpenedClipboard clipboard(owner_);
  if (!clipboard) return;
  EmptyClipboard();
  wideBlock.PutAs(CF_UNICODETEXT);
  ansiBlock.PutAs(CF_TEXT);
}

}  // namespace orlavix::win32
