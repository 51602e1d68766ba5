#include "editor/win32/main_dialog.h"

#include <commctrl.h>

#include <cstddef>
#include <utility>

#include "boxes/win32/about_dialog.h"
#include "editor/win32/item_list_subclass.h"
#include "editor/win32/main_dialog_resource.h"
#include "model/catalogues.h"
#include "platform/win32/wide_text.h"
#include "support/mbtext.h"
#include "support/win32/center_dialog.h"
#include "support/win32/private_messages.h"
#include "support/win32/system_menu.h"

namespace orlavix::win32 {

namespace {

constexpr int kEndValue = 2;

// The resize table: each control and how it follows the client size.
struct ResizeRule {
  int id;
  Follow rule;
};
constexpr ResizeRule kResizeRules[] = {
    {IDC_HOST_LOCATION, Follow::Widen},     {IDC_SKIN_LIST, Follow::Widen},
    {IDC_SKIN_NAME, Follow::Widen},         {IDC_BROWSE, Follow::MoveRight},
    {IDC_START_EDITING, Follow::MoveRight}, {IDC_SHOW_GENERAL, Follow::Group},
    {IDC_SHOW_COLORS, Follow::Group},       {IDC_SHOW_CONTROLS, Follow::Group},
    {IDC_SHOW_SETTINGS, Follow::Group},     {IDC_EXTRA_TEXT, Follow::Grow},
    {IDC_ITEM_LIST, Follow::Grow},          {IDC_SAVE_ONLY_CHECKED, Follow::MoveDown},
    {IDC_EDIT_ITEM, Follow::MoveCorner},    {IDOK, Follow::MoveCorner},
    {IDCANCEL, Follow::MoveCorner},
};
constexpr int kSizeGripId = 0;

LayoutRect ClientRectOf(HWND control, HWND dialog) {
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return LayoutRect{r.left, r.top, r.right, r.bottom};
}

}  // namespace

MainDialog::MainDialog(std::string commandLine) : MainDialog(std::move(commandLine), platform::SystemHostServices()) {}

MainDialog::MainDialog(std::string commandLine, platform::HostServices& hostServices)
    : editor_(itemListPort_, controlsPort_, messageBoxes_, hostControlsPort_, hostServices) {
  commandLine_ = std::move(commandLine);
}

MainDialog::~MainDialog() = default;

INT_PTR MainDialog::DoModal(HWND owner) {
  RunModal(IDD_MAIN, owner);
  return kEndValue;
}

// Commands are told apart by the control id alone, whatever the notification.
bool MainDialog::OnCommand(int id, int) {
  switch (id) {
    case IDOK: editor_.Apply(); return true;
    case IDCANCEL: Close(); return true;
    case IDC_BROWSE: editor_.BrowseForHost(); return true;
    case IDC_START_EDITING: editor_.ToggleEditing(); return true;
    case IDC_SHOW_OPTIONS: editor_.ShowCategory(SettingCategory::Options); return true;
    case IDC_SHOW_GENERAL: editor_.ShowCategory(SettingCategory::General); return true;
    case IDC_SHOW_COLORS: editor_.ShowCategory(SettingCategory::Colors); return true;
    case IDC_SHOW_CONTROLS: editor_.ShowCategory(SettingCategory::Controls); return true;
    case IDC_SHOW_SETTINGS: editor_.ShowCategory(SettingCategory::Settings); return true;
    case IDC_EDIT_ITEM: editor_.EditSelectedItem(); return true;
  }
  return false;
}

bool MainDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case kRunWithThisSkinMessage: editor_.RunHostWithSkin(); return true;
    case kCheckUnusedSkinFilesMessage: editor_.CheckSkinFiles(); return true;
    case kShowExtraDataMessage: editor_.ShowExtraText(); return true;
    case kRestoreBackupMessage: editor_.ShowBackups(); return true;
    case kDialogKey:
      result = editor_.DialogKey(static_cast<int>(wParam), (lParam & kDialogKeyControl) != 0,
                                 (lParam & kDialogKeyShift) != 0, (lParam & kDialogKeyAlt) != 0,
                                 GetFocus() == list_.Window())
                   ? 1
                   : 0;
      return true;
    // The item list's own messages. An answer of 0 lets the list go on with
    // its own processing of the click, menu or key; typed characters are the
    // editor's, so the list's search on the descriptions (and its beep) stays out.
    case kItemListDoubleClick: result = editor_.ActivateRow(static_cast<int>(wParam)) ? 1 : 0; return true;
    case kItemListContextMenu: editor_.ShowRowMenu(static_cast<int>(wParam)); return true;
    case kItemListKey: editor_.HandleListKey(static_cast<int>(wParam), static_cast<int>(lParam)); return true;
    case kItemListChar: result = editor_.TypeInList(static_cast<int>(lParam)) ? 1 : 0; return true;
    // Back from another program, which may have changed skin.ini or the image
    // shown. The dialog manager still restores the focus.
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) {
        editor_.FollowFileOnDisk();
        items_.Tools().preview->CheckFileChanged();
      }
      return false;
    case WM_QUERYENDSESSION: result = QueryEndSession() ? TRUE : FALSE; return true;
    // The session ends: nothing more is written, whatever was asked before.
    case WM_ENDSESSION:
      if (wParam) End(kEndValue);
      return true;
  }
  return false;
}

bool MainDialog::OnNotify(const NMHDR& header, LRESULT&) {
  if (header.idFrom != IDC_ITEM_LIST) return false;
  switch (header.code) {
    case NM_CLICK:
      editor_.RefreshPreview();
      return false;  // the list goes on with its own click processing
    case LVN_COLUMNCLICK:
      editor_.SortByColumn(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
      return true;
    case LVN_ITEMCHANGED: {
      const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
      if ((change.uChanged & LVIF_STATE) && ((change.uNewState ^ change.uOldState) & LVIS_STATEIMAGEMASK)) {
        editor_.CheckBoxChanged(change.iItem);
      }
      return false;
    }
  }
  return false;
}

bool MainDialog::OnInitDialog() {
  PrepareResize();
  CenterDialog(Window());
  icons_ = SetProgramIcons(Window());

  list_.Attach(Item(IDC_ITEM_LIST));
  skinList_.Attach(Item(IDC_SKIN_LIST));
  extraText_.Attach(Item(IDC_EXTRA_TEXT));
  PrepareItemList(list_.Window());

  ShowItem(IDC_ITEM_LIST, false);
  EnableItem(IDC_START_EDITING, false);
  CheckItem(IDC_SAVE_ONLY_CHECKED, true);
  AddSystemMenuItem(Window(), J("バージョン情報(&A)..."));
  items_.Create(Window());
  keys_.Attach(Window());
  editor_.Start(commandLine_, items_.Tools());
  return true;
}

void MainDialog::PrepareResize() {
  SetWindowLongPtrW(Window(), GWL_STYLE, GetWindowLongPtrW(Window(), GWL_STYLE) | WS_CLIPCHILDREN);
  RECT client{};
  GetClientRect(Window(), &client);
  initialClient_ = SIZE{client.right, client.bottom};

  const int gripWidth = GetSystemMetrics(SM_CXVSCROLL);
  const int gripHeight = GetSystemMetrics(SM_CYHSCROLL);
  sizeGrip_ = CreateWindowExW(0, L"SCROLLBAR", nullptr,
                              WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SBS_SIZEGRIP | SBS_SIZEBOXBOTTOMRIGHTALIGN,
                              client.right - gripWidth, client.bottom - gripHeight, gripWidth, gripHeight,
                              Window(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kSizeGripId)),
                              GetModuleHandleW(nullptr), nullptr);

  RECT window{};
  GetWindowRect(Window(), &window);
  minimumWindow_ = SIZE{window.right - window.left, window.bottom - window.top};

  layout_.clear();
  for (const ResizeRule& rule : kResizeRules) {
    if (const HWND control = Item(rule.id)) layout_.push_back({rule.id, rule.rule, ClientRectOf(control, Window())});
  }
  if (sizeGrip_) layout_.push_back({kSizeGripId, Follow::MoveCorner, ClientRectOf(sizeGrip_, Window())});
}

bool MainDialog::OnSysCommand(UINT command) {
  if (command == kSystemMenuItemCommand) {
    AboutDialog().DoModal(GetActiveWindow());
    return true;
  }
  // Maximising, restoring and the like change the list's size after this
  // message; the columns are refitted once that has happened.
  SetTimer(Window(), kRefitTimer, kRefitDelayMs, nullptr);
  return false;
}

void MainDialog::OnSize(UINT kind, int width, int height) {
  editor_.RefitColumns();
  if (kind == SIZE_MINIMIZED || layout_.empty()) return;
  const std::vector<LayoutRect> placed = Relayout(layout_, width - initialClient_.cx, height - initialClient_.cy);
  // Redraw switched back on shows the window it is sent to: a dialog resized
  // before it is first shown is left to draw itself when it appears.
  const bool shown = IsWindowVisible(Window()) != FALSE;
  if (shown) SendMessageW(Window(), WM_SETREDRAW, FALSE, 0);
  for (std::size_t i = 0; i < layout_.size(); ++i) {
    const HWND control = layout_[i].id == kSizeGripId ? sizeGrip_ : Item(layout_[i].id);
    const LayoutRect& r = placed[i];
    SetWindowPos(control, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (sizeGrip_) ShowWindow(sizeGrip_, kind == SIZE_MAXIMIZED ? SW_HIDE : SW_SHOW);
  if (!shown) return;
  SendMessageW(Window(), WM_SETREDRAW, TRUE, 0);
  RedrawWindow(Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

bool MainDialog::OnTimer(UINT_PTR id) {
  KillTimer(Window(), id);
  editor_.RefitColumns();
  return true;
}

bool MainDialog::OnGetMinMaxInfo(MINMAXINFO& info) {
  if (minimumWindow_.cx <= 0) return false;
  info.ptMinTrackSize.x = minimumWindow_.cx;
  info.ptMinTrackSize.y = minimumWindow_.cy;
  return true;
}

void MainDialog::OnDropFiles(HDROP drop) {
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  std::vector<std::string> paths;
  std::u32string lost;
  for (UINT i = 0; i < count; ++i) {
    wchar_t path[520] = L"";
    DragQueryFileW(drop, i, path, sizeof path / sizeof path[0]);
    NarrowText narrow = Narrow(path);
    // With '?' in it the path names another file or none: left out, and said.
    if (narrow.Whole()) {
      paths.push_back(std::move(narrow.text));
    } else {
      lost += narrow.lost;
    }
  }
  DragFinish(drop);
  if (!lost.empty() && editor_.choosingSkin) RefusePath(Window(), lost);
  if (lost.empty() || !paths.empty()) editor_.DropFiles(paths);
}

void MainDialog::Close() {
  if (editor_.Close()) End(kEndValue);
}

bool MainDialog::QueryEndSession() {
  if (!editor_.modified) return true;
  // Windows names the reason while the closing question waits for an answer.
  ShutdownBlockReasonCreate(Window(), Wide(J("保存されていない変更があります")).c_str());
  const bool mayEnd = editor_.Close();
  ShutdownBlockReasonDestroy(Window());
  return mayEnd;
}

}  // namespace orlavix::win32
