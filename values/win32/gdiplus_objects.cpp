#include "values/win32/gdiplus_objects.h"

namespace orlavix::win32 {
namespace {

int sessions = 0;  // touched only on the user-interface thread

}  // namespace

GdiplusSession::GdiplusSession() {
  Gdiplus::GdiplusStartupInput input;  // version 1, no callback, nothing suppressed
  if (Gdiplus::GdiplusStartup(&token_, &input, nullptr) == Gdiplus::Ok) {
    ++sessions;
  } else {
    token_ = 0;
  }
}

GdiplusSession::~GdiplusSession() {
  if (token_ == 0) return;
  Gdiplus::GdiplusShutdown(token_);
  --sessions;
}

bool GdiplusSession::Running() { return sessions > 0; }

}  // namespace orlavix::win32
