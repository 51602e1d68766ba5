// Shows one window the way a person sees it, for tools/screenshots.sh:
//   orlavix_screens about   the version dialog (closes itself after 8 s)
//   orlavix_screens box     a counting report box over an owner (10 s)
//   orlavix_screens main PATH        the main dialog on the host at PATH (8 s)
//   orlavix_screens main-large PATH  the same, made larger
//   orlavix_screens main-max PATH    the same, maximised
#include <windows.h>
#include <objbase.h>

#include <cstring>

#include "editor/win32/main_dialog.h"
#include "support/mbtext.h"
#include "support/win32/about_dialog.h"
#include "support/win32/timed_message_box.h"
#include "tests/window/window_test_support.h"

int main(int argc, char** argv) {
  using namespace orlavix;
  test::InitWindowTests();
  const char* what = argc > 1 ? argv[1] : "about";
  if (std::strncmp(what, "main", 4) == 0) {
    CoInitialize(nullptr);
    win32::MainDialog dialog(argc > 2 ? argv[2] : "");
    test::TimerScript script;
    // Once the virtual desktop has settled, so that maximising knows its size.
    script.At(1500, [&] {
      if (std::strcmp(what, "main-large") == 0) {
        RECT r{};
        GetWindowRect(dialog.Window(), &r);
        SetWindowPos(dialog.Window(), nullptr, r.left - 150, r.top - 120, r.right - r.left + 300,
                     r.bottom - r.top + 240, SWP_NOZORDER);
      } else if (std::strcmp(what, "main-max") == 0) {
        SendMessageA(dialog.Window(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
      }
    });
    script.At(8000, [&] { EndDialog(dialog.Window(), 2); });
    dialog.DoModal(nullptr);
    CoUninitialize();
    return 0;
  }
  test::OwnerWindow owner(RECT{200, 120, 1000, 620}, "Orlavix");
  if (std::strcmp(what, "box") == 0) {
    const std::string text = J("スキンを保存しました。");
    win32::TimedMessageBox(owner.Get(), text.c_str(), J("報告").c_str(), MB_ICONINFORMATION, 10);
    return 0;
  }
  test::WindowSpy spy;
  test::TimerScript script;
  script.At(8000, [&] {
    if (HWND dialog = spy.CurrentDialog()) EndDialog(dialog, IDCANCEL);
  });
  win32::AboutDialog().DoModal(owner.Get());
  return 0;
}
