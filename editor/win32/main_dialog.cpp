#include "editor/win32/main_dialog.h"

#include <commctrl.h>
#include <commdlg.h>

#include <cstddef>
#include <utility>

#include "app/resource.h"
#include "editor/win32/item_list_subclass.h"
#include "model/catalogues.h"
#include "support/mbtext.h"
#include "support/win32/about_dialog.h"
#include "support/win32/center_dialog.h"
#include "support/win32/open_file_dialog.h"
#include "support/win32/system_menu.h"
#include "support/win32/timed_message_box.h"

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

int CategoryButton(SettingCategory category) {
  switch (category) {
    case SettingCategory::Options: return IDC_SHOW_OPTIONS;
    case SettingCategory::General: return IDC_SHOW_GENERAL;
    case SettingCategory::Colors: return IDC_SHOW_COLORS;
    case SettingCategory::Controls: return IDC_SHOW_CONTROLS;
    case SettingCategory::Settings: return IDC_SHOW_SETTINGS;
    case SettingCategory::Report: break;
  }
  return 0;
}

HICON LoadProgramIcon(int widthMetric, int heightMetric) {
  return static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_ORLAVIX), IMAGE_ICON,
                                       GetSystemMetrics(widthMetric), GetSystemMetrics(heightMetric),
                                       LR_DEFAULTCOLOR));
}

LayoutRect ClientRectOf(HWND control, HWND dialog) {
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return LayoutRect{r.left, r.top, r.right, r.bottom};
}

}  // namespace

MainDialog::MainDialog(std::string commandLine) : MainDialog(std::move(commandLine), platform::SystemHostServices()) {}

MainDialog::MainDialog(std::string commandLine, platform::HostServices& hostServices)
    : editor_(*this, *this, *this, *this, hostServices) {
  editor_.commandLine = std::move(commandLine);
}

MainDialog::~MainDialog() = default;

INT_PTR MainDialog::DoModal(HWND owner) {
  RunModal(IDD_MAIN, owner);
  return kEndValue;
}

// The message map. Handlers that pass a message on leave it to the dialog's
// default processing.
bool MainDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  result = 0;
  switch (message) {
    case WM_INITDIALOG: OnInitDialog(); result = TRUE; return true;
    case WM_SYSCOMMAND: return OnSysCommand(wParam);
    case WM_SIZE: OnSize(wParam, LOWORD(lParam), HIWORD(lParam)); return false;
    case WM_TIMER: OnTimer(wParam); return true;
    case WM_GETMINMAXINFO: OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam)); return true;
    case WM_DROPFILES: OnDropFiles(reinterpret_cast<HDROP>(wParam)); return true;
    case kRunWithThisSkinMessage: editor_.RunHostWithSkin(); return true;
    case kCheckUnusedSkinFilesMessage: editor_.CheckSkinFiles(); return true;
    case kShowExtraDataMessage: editor_.ShowExtraText(); return true;
    case WM_COMMAND: return OnCommand(LOWORD(wParam));
    case WM_NOTIFY: return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    // The item list's own messages; each answers 0, so that the list then
    // goes on with its own processing of the click, menu or key.
    case kItemListDoubleClick: editor_.EditSelectedItem(); return true;
    case kItemListContextMenu: editor_.ShowRowMenu(static_cast<int>(wParam)); return true;
    case kItemListKey: editor_.HandleListKey(static_cast<int>(wParam), static_cast<int>(lParam)); return true;
  }
  return false;
}

// Commands are told apart by the control id alone, whatever the notification.
bool MainDialog::OnCommand(int id) {
  switch (id) {
    case IDOK: editor_.Apply(); return true;
    case IDCANCEL: OnClose(); return true;
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

bool MainDialog::OnNotify(const NMHDR& header) {
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

void MainDialog::OnInitDialog() {
  PrepareResize();
  CenterDialog(Window());

  bigIcon_.Reset(LoadProgramIcon(SM_CXICON, SM_CYICON));
  smallIcon_.Reset(LoadProgramIcon(SM_CXSMICON, SM_CYSMICON));
  SendMessageA(Window(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.Get()));
  SendMessageA(Window(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.Get()));

  list_.Attach(Item(IDC_ITEM_LIST));
  PrepareItemList(list_.Window());

  editor_.RescanSkins();
  ShowItem(IDC_ITEM_LIST, false);
  editor_.PrepareCatalogues();

  EnableItem(IDC_START_EDITING, false);
  CheckItem(IDC_SAVE_ONLY_CHECKED, true);
  AddSystemMenuItems();
  items_.Create(Window());
  editor_.AttachItemTools(items_.Tools());
  editor_.initialised = true;
  editor_.TakeCommandLine();
}

void MainDialog::PrepareResize() {
  SetWindowLongPtrA(Window(), GWL_STYLE, GetWindowLongPtrA(Window(), GWL_STYLE) | WS_CLIPCHILDREN);
  RECT client{};
  GetClientRect(Window(), &client);
  initialClient_ = SIZE{client.right, client.bottom};

  const int gripWidth = GetSystemMetrics(SM_CXVSCROLL);
  const int gripHeight = GetSystemMetrics(SM_CYHSCROLL);
  sizeGrip_ = CreateWindowExA(0, "SCROLLBAR", nullptr,
                              WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SBS_SIZEGRIP | SBS_SIZEBOXBOTTOMRIGHTALIGN,
                              client.right - gripWidth, client.bottom - gripHeight, gripWidth, gripHeight,
                              Window(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kSizeGripId)),
                              GetModuleHandleA(nullptr), nullptr);

  RECT window{};
  GetWindowRect(Window(), &window);
  minimumWindow_ = SIZE{window.right - window.left, window.bottom - window.top};

  layout_.clear();
  for (const ResizeRule& rule : kResizeRules) {
    if (const HWND control = Item(rule.id)) layout_.push_back({rule.id, rule.rule, ClientRectOf(control, Window())});
  }
  if (sizeGrip_) layout_.push_back({kSizeGripId, Follow::MoveCorner, ClientRectOf(sizeGrip_, Window())});
}

void MainDialog::AddSystemMenuItems() {
  AddSystemMenuItem(Window(), kAboutCommand, J("バージョン情報(&A)..."));
}

bool MainDialog::OnSysCommand(WPARAM command) {
  if (command == kAboutCommand) {
    AboutDialog().DoModal(GetActiveWindow());
    return true;
  }
  // Maximising, restoring and the like change the list's size after this
  // message; the columns are refitted once that has happened.
  SetTimer(Window(), kRefitTimer, kRefitDelayMs, nullptr);
  return false;
}

void MainDialog::OnSize(WPARAM kind, int width, int height) {
  editor_.RefitColumns();
  if (kind == SIZE_MINIMIZED || layout_.empty()) return;
  const std::vector<LayoutRect> placed = Relayout(layout_, width - initialClient_.cx, height - initialClient_.cy);
  SendMessageA(Window(), WM_SETREDRAW, FALSE, 0);
  for (std::size_t i = 0; i < layout_.size(); ++i) {
    const HWND control = layout_[i].id == kSizeGripId ? sizeGrip_ : Item(layout_[i].id);
    const LayoutRect& r = placed[i];
    SetWindowPos(control, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (sizeGrip_) ShowWindow(sizeGrip_, kind == SIZE_MAXIMIZED ? SW_HIDE : SW_SHOW);
  SendMessageA(Window(), WM_SETREDRAW, TRUE, 0);
  RedrawWindow(Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

void MainDialog::OnTimer(UINT_PTR id) {
  KillTimer(Window(), id);
  editor_.RefitColumns();
}

void MainDialog::OnGetMinMaxInfo(MINMAXINFO* info) {
  if (minimumWindow_.cx <= 0) return;
  info->ptMinTrackSize.x = minimumWindow_.cx;
  info->ptMinTrackSize.y = minimumWindow_.cy;
}

void MainDialog::OnDropFiles(HDROP drop) {
  const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  std::vector<std::string> paths;
  for (UINT i = 0; i < count; ++i) {
    char path[520] = "";
    DragQueryFileA(drop, i, path, sizeof path);
    paths.emplace_back(path);
  }
  DragFinish(drop);
  editor_.DropFiles(paths);
}

void MainDialog::OnClose() {
  if (editor_.Close()) EndDialog(Window(), kEndValue);
}

// DialogControls

void MainDialog::EnableCategoryButton(SettingCategory category, bool enable) {
  if (const int id = CategoryButton(category)) EnableItem(id, enable);
}

void MainDialog::EnableEditButton(bool enable) { EnableItem(IDC_EDIT_ITEM, enable); }

void MainDialog::HideExtraText() { ShowItem(IDC_EXTRA_TEXT, false); }

void MainDialog::ShowExtraText(const std::string& text) {
  SetItemText(IDC_EXTRA_TEXT, text);
  ShowItem(IDC_EXTRA_TEXT, true);
  SetFocus(Item(IDC_EXTRA_TEXT));
  SendDlgItemMessageA(Window(), IDC_EXTRA_TEXT, EM_SETSEL, 0, 0);
  SendDlgItemMessageA(Window(), IDC_EXTRA_TEXT, EM_SCROLLCARET, 0, 0);
}

bool MainDialog::SaveOnlyChecked() { return IsItemChecked(IDC_SAVE_ONLY_CHECKED); }

void MainDialog::ShowEditingControls(bool editing) {
  for (int id : {IDC_SKIN_NAME, IDC_SHOW_OPTIONS, IDC_SHOW_GENERAL, IDC_SHOW_COLORS, IDC_SHOW_CONTROLS,
                 IDC_SHOW_SETTINGS, IDC_DETAIL_LABEL, IDC_ITEM_LIST, IDC_SAVE_ONLY_CHECKED, IDC_EDIT_ITEM, IDOK}) {
    ShowItem(id, editing);
  }
  ShowItem(IDC_SKIN_LIST, !editing);
  ShowItem(IDC_BROWSE, !editing);
}

void MainDialog::GrowDialog(int pixels) {
  RECT r{};
  GetWindowRect(Window(), &r);
  MoveWindow(Window(), r.left, r.top, r.right - r.left, r.bottom - r.top + pixels, TRUE);
}

void MainDialog::SetStartButtonText(const std::string& text) { SetItemText(IDC_START_EDITING, text); }

bool MainDialog::SelectedSkinName(std::string& name) {
  const auto selected = SendDlgItemMessageA(Window(), IDC_SKIN_LIST, CB_GETCURSEL, 0, 0);
  if (selected < 0) return false;
  const auto length = SendDlgItemMessageA(Window(), IDC_SKIN_LIST, CB_GETLBTEXTLEN, selected, 0);
  if (length < 0) return false;
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  SendDlgItemMessageA(Window(), IDC_SKIN_LIST, CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  name = text;
  return true;
}

void MainDialog::SetChosenSkinText(const std::string& text) { SetItemText(IDC_SKIN_NAME, text); }

// Messages

void MainDialog::Alert(const std::string& text) { MessageBoxA(nullptr, text.c_str(), nullptr, MB_OK); }

void MainDialog::Report(const std::string& text, int seconds) {
  TimedMessageBox(Window(), text.c_str(), J("報告").c_str(), MB_ICONINFORMATION,
                  static_cast<DWORD>(seconds > 0 ? seconds : 0));
}

void MainDialog::Warn(const std::string& text) {
  MessageBoxA(Window(), text.c_str(), J("報告").c_str(), MB_ICONWARNING | MB_OK);
}

Messages::Answer MainDialog::AskToSave(bool cancelIsDefault) {
  const std::string text = J("変更されていますが、保存されていません。\n変更を保存しますか？");
  const UINT type =
      MB_YESNOCANCEL | MB_ICONQUESTION | MB_SYSTEMMODAL | (cancelIsDefault ? MB_DEFBUTTON3 : MB_DEFBUTTON1);
  switch (MessageBoxA(Window(), text.c_str(), J("確認").c_str(), type)) {
    case IDYES: return Answer::Yes;
    case IDNO: return Answer::No;
    default: return Answer::Cancel;
  }
}

bool MainDialog::ConfirmSave(const std::string& text) {
  return MessageBoxA(Window(), text.c_str(), J("確認").c_str(), MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

// HostControls

std::string MainDialog::HostLocation() { return ItemText(IDC_HOST_LOCATION); }

void MainDialog::SetHostLocation(const std::string& path) { SetItemText(IDC_HOST_LOCATION, path); }

void MainDialog::ClearSkins() { SendDlgItemMessageA(Window(), IDC_SKIN_LIST, CB_RESETCONTENT, 0, 0); }

void MainDialog::AddSkin(const std::string& name) {
  SendDlgItemMessageA(Window(), IDC_SKIN_LIST, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
}

std::vector<std::string> MainDialog::SkinNames() {
  std::vector<std::string> names;
  const auto count = static_cast<int>(SendDlgItemMessageA(Window(), IDC_SKIN_LIST, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    const auto length = SendDlgItemMessageA(Window(), IDC_SKIN_LIST, CB_GETLBTEXTLEN, i, 0);
    if (length < 0) continue;
    std::string name(static_cast<std::size_t>(length) + 1, '\0');
    SendDlgItemMessageA(Window(), IDC_SKIN_LIST, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(name.data()));
    name.resize(static_cast<std::size_t>(length));
    names.push_back(std::move(name));
  }
  return names;
}

void MainDialog::SelectSkin(int index) { SendDlgItemMessageA(Window(), IDC_SKIN_LIST, CB_SETCURSEL, index, 0); }

void MainDialog::EnableSkinList(bool enable) { EnableItem(IDC_SKIN_LIST, enable); }

void MainDialog::EnableStartButton(bool enable) { EnableItem(IDC_START_EDITING, enable); }

bool MainDialog::AskForHostExecutable(const std::string& startFolder, std::string& chosen) {
  const std::string filter = std::string("Velquor/Osket") + '\0' + "Velquor.exe;Osket.exe" + '\0' +
                             J("実行可能ファイル(*.exe)") + '\0' + "*.exe" + '\0' +
                             J("すべてのファイル(*.*)") + '\0' + "*.*" + '\0';
  return AskForExistingFile(GetActiveWindow(), filter, startFolder, chosen);
}

}  // namespace orlavix::win32
