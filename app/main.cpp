// Program entry: prepares COM and the common controls, runs the main dialog
// with the command line and tidies up.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <memory>

#include "editor/win32/main_dialog.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  const HRESULT com = CoInitialize(nullptr);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  INT_PTR exitCode = 0;
  {
    // Destroyed before COM goes: it holds the preview window and the catalogues.
    auto dialog = std::make_unique<orlavix::win32::MainDialog>(commandLine ? commandLine : "");
    exitCode = dialog->DoModal(GetActiveWindow());
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return static_cast<int>(exitCode);
}
