#include "editors/win32/gdiplus_objects.h"

namespace orlavix::win32 {
namespace {

// Touched only on the user-interface thread.
std::unique_ptr<GdiplusContext>& Running() {
  static std::unique_ptr<GdiplusContext> context;
  return context;
}

}  // namespace

GdiplusContext* GdiplusContext::Get() {
  std::unique_ptr<GdiplusContext>& running = Running();
  if (!running) {
    Gdiplus::GdiplusStartupInput input;  // version 1, no callback, nothing suppressed
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return nullptr;
    running.reset(new GdiplusContext(token));
  }
  return running.get();
}

void GdiplusContext::Shutdown() { Running().reset(); }

GdiplusContext::~GdiplusContext() { Gdiplus::GdiplusShutdown(token_); }

}  // namespace orlavix::win32
