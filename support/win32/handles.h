// Owners for the Win32 handles that the windows keep: each releases its handle
// once, whatever path the owner leaves by.
#pragma once

#include <windows.h>

#include <utility>

namespace orlavix::win32 {

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
  explicit operator bool() const { return handle_ != nullptr; }
  Handle Release() { return std::exchange(handle_, nullptr); }
  void Reset(Handle h = nullptr) {
    if (handle_) Traits::Free(handle_);
    handle_ = h;
  }

 private:
  Handle handle_ = nullptr;
};

struct GdiObjectTraits {
  static void Free(HGDIOBJ h) { DeleteObject(h); }
};
struct CursorTraits {
  static void Free(HCURSOR h) { DestroyCursor(h); }
};
struct IconTraits {
  static void Free(HICON h) { DestroyIcon(h); }
};
struct LibraryTraits {
  static void Free(HMODULE h) { FreeLibrary(h); }
};

using UniqueFont = UniqueHandle<HFONT, GdiObjectTraits>;
using UniqueCursor = UniqueHandle<HCURSOR, CursorTraits>;
using UniqueIcon = UniqueHandle<HICON, IconTraits>;
using UniqueLibrary = UniqueHandle<HMODULE, LibraryTraits>;

}  // namespace orlavix::win32
