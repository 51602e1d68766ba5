// Program entry: prepares COM and the common controls, runs the program's
// window and tidies up.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "support/win32/about_dialog.h"

namespace {

// The window that the program runs; it returns the process exit code.
int RunProgram() {
  orlavix::win32::AboutDialog about;
  about.DoModal(nullptr);
  return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const HRESULT com = CoInitialize(nullptr);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  const int exitCode = RunProgram();
  if (SUCCEEDED(com)) CoUninitialize();
  return exitCode;
}
