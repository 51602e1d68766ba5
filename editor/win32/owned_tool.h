// What the item commands' tools have in common: a window that owns their
// boxes, menus and clipboard data.
#pragma once

#include <windows.h>

namespace orlavix::win32 {

// A tool whose boxes, menus and clipboard data belong to a window.
class OwnedTool {
 public:
  void SetOwner(HWND owner) { owner_ = owner; }

 protected:
  explicit OwnedTool(HWND owner) : owner_(owner) {}
  HWND owner_;
};

}  // namespace orlavix::win32
