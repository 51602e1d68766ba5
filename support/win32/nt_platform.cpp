#include "support/win32/nt_platform.h"

#include <windows.h>

#include <atomic>

namespace orlavix::win32 {
namespace {
std::atomic<bool> ntPlatform{false};
}

bool IsNtPlatform() {
  if (!ntPlatform.load()) {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    const BOOL known = GetVersionExW(&info);
#pragma GCC diagnostic pop
    if (known && info.dwPlatformId == VER_PLATFORM_WIN32_NT) ntPlatform.store(true);
  }
  return ntPlatform.load();
}

bool IsBeforeWindows2000() {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!GetVersionExW(&info)) return false;
#pragma GCC diagnostic pop
  if (info.dwMajorVersion >= 5) return false;
  return !(info.dwMajorVersion == 4 && info.dwMinorVersion >= 90);
}

}  // namespace orlavix::win32
