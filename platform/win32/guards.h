// Owners for what the Windows layer borrows from the system: each gives it
// back once, whatever path its owner leaves by.
#pragma once

#include <windows.h>
#include <unknwn.h>

#include <cstring>
#include <utility>

namespace orlavix::win32 {

// A move-only owner of one handle; Traits says what an empty handle is and
// how a handle is given back.
template <typename Handle, typename Traits>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle h) : handle_(h) {}
  ~UniqueHandle() { Reset(); }
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  Handle Get() const { return handle_; }
  Handle operator->() const { return handle_; }
  explicit operator bool() const { return handle_ != Traits::Empty(); }
  Handle Release() { return std::exchange(handle_, Traits::Empty()); }
  void Reset(Handle h = Traits::Empty()) {
    if (handle_ != Traits::Empty()) Traits::Free(handle_);
    handle_ = h;
  }
  // Gives the handle back now and says whether the system accepted it.
  bool Close() {
    const Handle h = Release();
    return h == Traits::Empty() || Traits::Free(h);
  }
  // For a creating call's out parameter: gives back what was held first.
  Handle* Receive() {
    Reset();
    return &handle_;
  }

 private:
  Handle handle_ = Traits::Empty();
};

// Traits of a handle that is empty when null and given back by `GiveBack`.
template <typename Handle, auto GiveBack>
struct NullEmptyTraits {
  static constexpr Handle Empty() { return nullptr; }
  static bool Free(Handle h) { return GiveBack(h) != FALSE; }
};
struct FileTraits {
  static HANDLE Empty() { return INVALID_HANDLE_VALUE; }
  static bool Free(HANDLE h) { return CloseHandle(h) != FALSE; }
};
inline BOOL ReleaseInterface(IUnknown* p) { return p->Release(), TRUE; }

using UniqueFile = UniqueHandle<HANDLE, FileTraits>;
using UniqueFont = UniqueHandle<HFONT, NullEmptyTraits<HFONT, &DeleteObject>>;
using UniqueCursor = UniqueHandle<HCURSOR, NullEmptyTraits<HCURSOR, &DestroyCursor>>;
using UniqueIcon = UniqueHandle<HICON, NullEmptyTraits<HICON, &DestroyIcon>>;
using UniqueLibrary = UniqueHandle<HMODULE, NullEmptyTraits<HMODULE, &FreeLibrary>>;
using UniqueMenu = UniqueHandle<HMENU, NullEmptyTraits<HMENU, &DestroyMenu>>;
// A COM interface pointer, released once.
template <typename Interface>
using ComPtr = UniqueHandle<Interface*, NullEmptyTraits<Interface*, &ReleaseInterface>>;

// BeginPaint and EndPaint as a pair.
class PaintScope {
 public:
  explicit PaintScope(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
  ~PaintScope() { EndPaint(window_, &paint_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  HDC Dc() const { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// The clipboard, open exactly as long as this lives.
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

// A movable global memory block, freed unless handed over to the clipboard.
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
  void PutOnClipboardAs(UINT format) {
    if (block_ && SetClipboardData(format, block_)) block_ = nullptr;
  }

 private:
  HGLOBAL block_;
};

// A global block locked for reading, unlocked again on every path.
class LockedBlock {
 public:
  explicit LockedBlock(HANDLE block)
      : block_(block), bytes_(block ? GlobalSize(block) : 0), memory_(block ? GlobalLock(block) : nullptr) {}
  ~LockedBlock() {
    if (memory_) GlobalUnlock(block_);
  }
  LockedBlock(const LockedBlock&) = delete;
  LockedBlock& operator=(const LockedBlock&) = delete;
  const void* Memory() const { return memory_; }
  SIZE_T Bytes() const { return bytes_; }

 private:
  HANDLE block_;
  SIZE_T bytes_;
  void* memory_;
};

}  // namespace orlavix::win32
