#include "boxes/win32/about_dialog.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <utility>

#include "boxes/win32/about_resource.h"
#include "support/version.h"
#include "support/win32/center_dialog.h"
#include "support/win32/nt_platform.h"
#include "support/win32/program_icon.h"
#include "support/win32/window_text.h"

namespace orlavix::win32 {
namespace {

void OpenWithShell(const std::string& address) {
  ShellExecuteW(nullptr, L"open", Wide(address).c_str(), nullptr, nullptr, SW_SHOW);
}

// A copy of cursor `id` of the module at `path`, or null.
HCURSOR CursorFromModule(const wchar_t* path, int id) {
  const UniqueLibrary module(LoadLibraryW(path));
  if (!module) return nullptr;
  const HCURSOR cursor = LoadCursorW(module.Get(), MAKEINTRESOURCEW(id));
  return cursor ? static_cast<HCURSOR>(CopyIcon(cursor)) : nullptr;
}

}  // namespace

AboutDialog::AboutDialog() : AboutDialog(&OpenWithShell) {}

AboutDialog::AboutDialog(LinkOpener openLink) : openLink_(std::move(openLink)) {}

INT_PTR AboutDialog::DoModal(HWND owner) { return RunModal(IDD_ABOUT, owner); }

std::string AboutDialog::AboutText() {
  return std::string(kProgramName) + " " + kProgramVersion + "\n\n" + kCopyrightLine;
}

bool AboutDialog::OnCommand(int id, int code) {
  if (id == IDC_ABOUT_LINK) {
    if (code != STN_CLICKED) return false;
    OpenLink();
    return true;
  }
  if (id == IDOK || id == IDCANCEL) {
    // The link's font and cursor go with the window, not with this object.
    linkFont_.Reset();
    handCursor_.Reset();
  }
  return ModalDialog::OnCommand(id, code);
}

bool AboutDialog::OnInitDialog() {
  CenterDialog(Window());

  icons_ = SetProgramIcons(Window());

  SetItemText(IDC_ABOUT_TEXT, AboutText());
  SetItemText(IDC_ABOUT_LINK, kMakerWebAddress);

  const auto dialogFont = reinterpret_cast<HFONT>(SendMessageW(Window(), WM_GETFONT, 0, 0));
  LOGFONTW font{};
  if (dialogFont && GetObjectW(dialogFont, sizeof font, &font) == sizeof font) {
    font.lfUnderline = TRUE;
    linkFont_.Reset(CreateFontIndirectW(&font));
    SendMessageW(Item(IDC_ABOUT_LINK), WM_SETFONT, reinterpret_cast<WPARAM>(linkFont_.Get()), FALSE);
  }

  LoadHandCursor();
  return true;
}

void AboutDialog::LoadHandCursor() {
  wchar_t path[MAX_PATH] = L"";
  HCURSOR cursor = nullptr;
  if (IsNtPlatform()) {
    if (GetSystemDirectoryW(path, MAX_PATH) && PathAppendW(path, L"user32.dll")) {
      cursor = CursorFromModule(path, 114);
    }
  } else if (GetWindowsDirectoryW(path, MAX_PATH) && PathAppendW(path, L"winhlp32.exe")) {
    cursor = CursorFromModule(path, 106);
  }
  // A system without that resource still gets a hand, and failing that an
  // arrow: never an empty cursor over the link.
  if (!cursor) cursor = static_cast<HCURSOR>(CopyIcon(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND))));
  if (!cursor) cursor = static_cast<HCURSOR>(CopyIcon(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW))));
  handCursor_.Reset(cursor);
}

HBRUSH AboutDialog::OnCtlColorStatic(HDC dc, HWND control) {
  SetBkMode(dc, TRANSPARENT);
  if (GetDlgCtrlID(control) == IDC_ABOUT_LINK) SetTextColor(dc, RGB(0, 0, 0xFF));
  return GetSysColorBrush(COLOR_BTNFACE);
}

bool AboutDialog::OnSetCursor(HWND under) {
  if (!under || GetDlgCtrlID(under) != IDC_ABOUT_LINK || GetParent(under) != Window()) return false;
  SetCursor(handCursor_.Get());
  return true;
}

void AboutDialog::OpenLink() {
  if (openLink_) openLink_(ItemText(IDC_ABOUT_LINK));
}

}  // namespace orlavix::win32
