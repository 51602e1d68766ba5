#include "support/win32/nt_platform.h"

#include <windows.h>

#include <atomic>

namespace orlavix::win32 {
namespace {

std::atomic<bool> ntPlatform{false};

// The system's version, as the program has always asked for it; false when
// the system does not say.
bool SystemVersion(OSVERSIONINFOW& info) {
  info = OSVERSIONINFOW{};
  info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  return GetVersionExW(&info) != FALSE;
#pragma GCC diagnostic pop
}

}  // namespace

bool IsNtPlatform() {
  OSVERSIONINFOW info;
  if (!ntPlatform.load() && SystemVersion(info) && info.dwPlatformId == VER_PLATFORM_WIN32_NT) {
    ntPlatform.store(true);
  }
  return ntPlatform.load();
}

bool IsBeforeWindows2000() {
  OSVERSIONINFOW info;
  if (!SystemVersion(info) || info.dwMajorVersion >= 5) return false;
  return !(info.dwMajorVersion == 4 && info.dwMinorVersion >= 90);
}

}  // namespace orlavix::win32
