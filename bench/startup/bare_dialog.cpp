// The yardstick of the start-up benchmark: the program's main dialog template
// shown as it is, by an entry that prepares what the program's does (COM, the
// common controls) and nothing else.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "editor/win32/main_dialog_resource.h"

namespace {

INT_PTR CALLBACK BareProcedure(HWND window, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
    EndDialog(window, 2);
    return TRUE;
  }
  return FALSE;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  const HRESULT com = CoInitialize(nullptr);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  const INT_PTR result =
      DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_MAIN), GetActiveWindow(), &BareProcedure, 0);
  if (SUCCEEDED(com)) CoUninitialize();
  return static_cast<int>(result);
}
