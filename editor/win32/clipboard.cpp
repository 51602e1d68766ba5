#include "editor/win32/clipboard.h"

#include <cstring>
#include <utility>

#include "platform/win32/wide_text.h"

namespace orlavix::win32 {

namespace {

// The locale of the CF_TEXT put here: Japanese, whose code page is 932.
constexpr LCID kWorkingLocale = MAKELCID(MAKELANGID(LANG_JAPANESE, SUBLANG_JAPANESE_JAPAN), SORT_DEFAULT);

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
template <typename Char>
std::basic_string<Char> BlockText(const LockedData& data) {
  if (!data.Memory()) return {};
  const Char* text = static_cast<const Char*>(data.Memory());
  const SIZE_T limit = data.Bytes() / sizeof(Char);
  SIZE_T length = 0;
  while (length < limit && text[length] != Char()) ++length;
  return std::basic_string<Char>(text, length);
}

// The clipboard's text as UTF-16. The system makes this form of any text
// put in another; CF_TEXT itself is in the system's code page, which need
// not be the working one.
std::wstring ClipboardWide() {
  if (!IsClipboardFormatAvailable(CF_UNICODETEXT)) return {};
  OpenedClipboard clipboard(nullptr);
  if (!clipboard) return {};
  return BlockText<wchar_t>(LockedData(GetClipboardData(CF_UNICODETEXT)));
}

void PutBoth(HWND owner, const std::wstring& wide, const std::string& text) {
  // The blocks end in zeroes: one wide NUL and one byte NUL.
  GlobalBlock wideBlock((wide.size() + 1) * sizeof(wchar_t));
  GlobalBlock textBlock(text.size() + 1);
  GlobalBlock localeBlock(sizeof(LCID));
  if (!wideBlock.Fill(wide.data(), wide.size() * sizeof(wchar_t)) || !textBlock.Fill(text.data(), text.size()) ||
      !localeBlock.Fill(&kWorkingLocale, sizeof kWorkingLocale)) {
    return;
  }
  OpenedClipboard clipboard(owner);
  if (!clipboard) return;
  EmptyClipboard();
  wideBlock.PutAs(CF_UNICODETEXT);
  textBlock.PutAs(CF_TEXT);
  localeBlock.PutAs(CF_LOCALE);
}

}  // namespace

std::string WindowsClipboard::GetText() { return Narrow(ClipboardWide()).text; }

void WindowsClipboard::PutText(const std::string& text) {
  if (text.empty()) return;
  PutBoth(owner_, Wide(text), text);
}

void WindowsClipboard::AppendText(const std::string& text) {
  if (text.empty()) return;
  const std::wstring wide = ClipboardWide() + Wide(text);
  PutBoth(owner_, wide, Narrow(wide).text);
}

}  // namespace orlavix::win32
