// A tiny program that takes the browser's place in the demo installation: it
// holds the browser's named mutex while it runs, reads the skin that its
// user.ini names, shows its name in the window's title and what that skin
// says about itself in the window.
#include <windows.h>

#include <string>

#include "document/skin_document.h"
#include "editor/host_location.h"
#include "platform/host_services.h"
#include "support/mbtext.h"
#include "support/messages.h"

namespace {

struct NoMessages : orlavix::Messages {
  void Alert(const std::string&) override {}
  void Report(const std::string&, int) override {}
  void Warn(const std::string&) override {}
  Answer AskToSave(bool) override { return Answer::No; }
  bool ConfirmSave(const std::string&) override { return false; }
};

std::string Parent(std::string path) {
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string g_text;

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      RECT rc;
      GetClientRect(hwnd, &rc);
      InflateRect(&rc, -16, -16);
      HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
      DrawTextA(dc, g_text.c_str(), static_cast<int>(g_text.size()), &rc, DT_LEFT | DT_WORDBREAK);
      SelectObject(dc, old);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  HANDLE mutex = CreateMutexA(nullptr, FALSE, "Velquor200Mutex");

  char exe[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  const std::string root = Parent(Parent(exe));
  // The same user.ini that the editor writes, found by the same rules; the
  // window's title names the skin so that one can tell which it started with.
  const std::string skin = orlavix::CurrentSkinName(exe, orlavix::platform::SystemHostServices());
  const std::string title = "Velquor (stand-in) - " + skin;

  NoMessages messages;
  orlavix::SkinDocument doc;
  const std::string skinIni = root + "\\resources\\skins\\" + skin + "\\skin.ini";
  g_text = orlavix::J("スキン: ") + skin + "\r\n";
  doc.ReadFromFile(skinIni, messages);
  if (doc.HasText()) {
    for (const auto& entry : doc.SectionEntries("General")) {
      if (entry.key == "Author" || entry.key == "Description" || entry.key == "Version") {
        g_text += entry.key + ": " + entry.value + "\r\n";
      }
    }
  } else {
    g_text += orlavix::J("skin.ini を読めません: ") + skinIni;
  }

  WNDCLASSA wc = {};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = "OrlavixStandInHost";
  RegisterClassA(&wc);
  HWND hwnd = CreateWindowA(wc.lpszClassName, title.c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                            CW_USEDEFAULT, 480, 240, nullptr, nullptr, instance, nullptr);
  ShowWindow(hwnd, show);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  if (mutex) CloseHandle(mutex);
  return 0;
}
