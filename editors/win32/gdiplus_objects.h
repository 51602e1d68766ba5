// GDI+ through its flat interface: the process-wide start-up context and an
// owner for each kind of object the preview makes.
#pragma once

#include <windows.h>

// The GDI+ headers need the COM and property types that a lean windows.h leaves out.
#include <objidl.h>
#include <propidl.h>

#include <gdiplus.h>

#include <memory>
#include <utility>

namespace orlavix::win32 {

// GDI+ started for the process: made on the first drawing, shut down when
// the preview window that made it is destroyed. Later drawing starts anew.
class GdiplusContext {
 public:
  // The running context, started now when there is none; null when GDI+
  // cannot start.
  static GdiplusContext* Get();
  // Shuts GDI+ down if it is running.
  static void Shutdown();

  ~GdiplusContext();
  GdiplusContext(const GdiplusContext&) = delete;
  GdiplusContext& operator=(const GdiplusContext&) = delete;

  // Drawn behind images: white until the image drawing sets it.
  COLORREF background = RGB(0xFF, 0xFF, 0xFF);

 private:
  explicit GdiplusContext(ULONG_PTR token) : token_(token) {}
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
