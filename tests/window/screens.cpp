// Shows one window the way a person sees it, for tools/screenshots.sh:
//   orlavix_screens about   the version dialog (closes itself after 8 s)
//   orlavix_screens box     a counting report box over an owner (10 s)
#include <windows.h>

#include <cstring>

#include "support/mbtext.h"
#include "support/win32/about_dialog.h"
#include "support/win32/timed_message_box.h"
#include "tests/window/window_test_support.h"

int main(int argc, char** argv) {
  using namespace orlavix;
  test::InitWindowTests();
  const char* what = argc > 1 ? argv[1] : "about";
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
