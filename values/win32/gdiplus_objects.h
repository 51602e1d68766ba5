// GDI+ through its flat interface: the program's session and an owner for
// each kind of object the preview makes.
#pragma once

#include <windows.h>

// The GDI+ headers need the COM and property types that a lean windows.h leaves out.
#include <objidl.h>
#include <propidl.h>

#include <gdiplus.h>

#include <utility>

namespace orlavix::win32 {

// GDI+ for the whole program: started once by the program's entry, before
// any window draws with it, and shut down when the program ends.
class GdiplusSession {
 public:
  GdiplusSession();
  ~GdiplusSession();
  GdiplusSession(const GdiplusSession&) = delete;
  GdiplusSession& operator=(const GdiplusSession&) = delete;

  // Whether a session has started GDI+: without it nothing is drawn.
  static bool Running();

 private:
  ULONG_PTR token_ = 0;
};

// Owns one GDI+ object and frees it with `Free` once.
template <typename Object, Gdiplus::GpStatus(WINGDIPAPI* Free)(Object*)>
class GdipObject {
 public:
  GdipObject() = default;
  ~GdipObject() { Reset(); }
  GdipObject(const GdipObject&) = delete;
  GdipObject& operator=(const GdipObject&) = delete;

  Object* Get() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }
  // For the creating call's out parameter; frees what was held.
  Object** Receive() {
    Reset();
    return &object_;
  }
  void Reset() {
    if (object_) Free(object_);
    object_ = nullptr;
  }

 private:
  Object* object_ = nullptr;
};

using GdipImage = GdipObject<Gdiplus::GpImage, Gdiplus::DllExports::GdipDisposeImage>;
using GdipGraphics = GdipObject<Gdiplus::GpGraphics, Gdiplus::DllExports::GdipDeleteGraphics>;
using GdipBrush = GdipObject<Gdiplus::GpBrush, Gdiplus::DllExports::GdipDeleteBrush>;
using GdipPen = GdipObject<Gdiplus::GpPen, Gdiplus::DllExports::GdipDeletePen>;

// An opaque GDI+ colour from a COLORREF.
inline Gdiplus::ARGB OpaqueArgb(COLORREF color) {
  return 0xFF000000u | (static_cast<Gdiplus::ARGB>(GetRValue(color)) << 16) |
         (static_cast<Gdiplus::ARGB>(GetGValue(color)) << 8) | GetBValue(color);
}

}  // namespace orlavix::win32
