// Program entry: prepares COM and the common controls, runs the main dialog
// with the command line and tidies up.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <memory>

#include "editor/win32/main_dialog.h"
#include "values/win32/gdiplus_objects.h"
#include "support/mbtext.h"
#include "support/win32/window_text.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR commandLine, int) {
  const HRESULT com = CoInitialize(nullptr);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  orlavix::win32::NarrowText path = orlavix::win32::Narrow(commandLine ? commandLine : L"");
  if (!path.Whole()) {
    // With '?' in it the path would name another file or none.
    orlavix::win32::ShowLostCharacters(
        nullptr, orlavix::J("コマンドラインのパスには Orlavix が扱えない文字があるため、開けません。"), path.lost);
    path.text.clear();
  }
  INT_PTR exitCode = 0;
  {
    const orlavix::win32::GdiplusSession gdiplus;
    // Destroyed before GDI+ and COM go: it holds the preview window and the catalogues.
    auto dialog = std::make_unique<orlavix::win32::MainDialog>(std::move(path.text));
    exitCode = dialog->DoModal(GetActiveWindow());
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return static_cast<int>(exitCode);
}
