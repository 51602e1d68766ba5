// The main road, walked on the real program as a person would, from another
// process: pick the skin, edit a colour, apply (Aqua's own lines kept, with
// no question), edit again, close and answer.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/win32/wide_text.h"
#include "support/mbtext.h"
#include "tests/e2e/remote_program.h"

namespace orlavix::e2e {
namespace {

constexpr int kBrowse = 1001, kSkinList = 1002, kSkinName = 1023, kToggle = 1010, kOptions = 1026, kColors = 1006,
              kItemList = 1009, kEdit = 1011, kValueText = 1012, kValueChoice = 1014;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The message of a message box: its static text, id 0xFFFF.
std::string BoxText(HWND box) { return TextOf(GetDlgItem(box, 0xFFFF)); }

// A fresh copy of the demo host with the stand-in browser in its bin folder.
class DemoHost {
 public:
  DemoHost() {
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    static int serial = 0;
    root_ = std::string(temp) + "orlavix-e2e-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(serial++);
    ok_ = CopyTree(WindowsPath(ORLAVIX_E2E_DEMO), root_) &&
          CopyFileA(WindowsPath(ORLAVIX_E2E_HOST).c_str(), Executable().c_str(), FALSE);
  }
  ~DemoHost() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }
  bool Ok() const { return ok_; }
  std::string Executable() const { return root_ + "\\bin\\Velquor.exe"; }
  std::string SkinIni(const std::string& skin) const {
    return root_ + "\\resources\\skins\\" + skin + "\\skin.ini";
  }

 private:
  std::string root_;
  bool ok_ = false;
};

// The main dialog of a started program, with the person's gestures on it.
class Session {
 public:
  Session(const std::string& exe, const DemoHost& host)
      : program_(exe, "\"" + host.Executable() + "\"") {
    main_ = program_.FindDialog("Orlavix", 15000);
    list_ = GetDlgItem(main_, kItemList);
  }
  RemoteProgram& Program() { return program_; }
  HWND Main() const { return main_; }
  HWND List() const { return list_; }

  // Picks the preselected skin and starts editing it.
  void StartEditing() {
    Press(main_, kToggle);
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(list_) && program_.RowCount(list_) > 0; }, 5000));
  }

  void ShowCategory(int button, const std::string& someKey) {
    Press(main_, button);
    ASSERT_TRUE(WaitFor([&] { return program_.FindRow(list_, 1, someKey) >= 0; }, 5000)) << someKey;
  }

  // Selects the row of `key`, presses 編集(&E) and returns the value dialog.
  HWND OpenEditor(const std::string& key, int* row) {
    *row = program_.FindRow(list_, 1, key);
    if (*row < 0) return nullptr;
    program_.SelectRow(list_, *row);
    Press(main_, kEdit);
    return program_.FindDialog(J("入力"));
  }

  // Types a colour into the value dialog and confirms it.
  void EditText(const std::string& key, const std::string& typed, const std::string& shown) {
    int row = -1;
    HWND input = OpenEditor(key, &row);
    ASSERT_NE(input, nullptr) << key;
    SendMessageA(GetDlgItem(input, kValueText), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed.c_str()));
    Press(input, IDOK);
    ASSERT_TRUE(WaitFor([&] { return program_.CellText(list_, row, 2) == shown; }, 5000))
        << key << " shows " << program_.CellText(list_, row, 2);
    EXPECT_TRUE(program_.RowChecked(list_, row));
  }

  // The colour dialog is the default editor of colours; these walks type them.
  void TypeColours() {
    ShowCategory(kOptions, "UseColorDialog");
    int row = -1;
    HWND input = OpenEditor("UseColorDialog", &row);
    ASSERT_NE(input, nullptr);
    SendMessageA(GetDlgItem(input, kValueChoice), CB_SETCURSEL, 1, 0);  // "false"
    Press(input, IDOK);
    ASSERT_TRUE(WaitFor([&] { return program_.CellText(list_, row, 2) == "false"; }, 5000));
  }

  // Presses 終了(&X) and answers the question with `answer`.
  void CloseAnswering(int answer) {
    Press(main_, IDCANCEL);
    HWND question = program_.FindDialog(J("確認"));
    ASSERT_NE(question, nullptr);
    Press(question, answer);
    ASSERT_TRUE(WaitFor([&] { return program_.NoDialog(J("確認")); }, 5000));
  }

 private:
  RemoteProgram program_;
  HWND main_ = nullptr;
  HWND list_ = nullptr;
};

void ExpectFixedLayout(const std::string& file) {
  EXPECT_EQ(file.find("\n"), file.find("\r\n") + 1) << "line ends are CR LF";
  EXPECT_EQ(file.find("\r\r"), std::string::npos);
  for (std::size_t at = file.find('\n'); at != std::string::npos; at = file.find('\n', at + 1)) {
    ASSERT_EQ(file[at - 1], '\r') << "bare LF at byte " << at;
  }
  const std::size_t general = file.find("[General]\r\n"), colors = file.find("[Colors]\r\n"),
                    controls = file.find("[Controls]\r\n"), settings = file.find("[Settings]\r\n"),
                    sidebar = file.find("[Sidebar]\r\n; kept as it is by the editor\r\nWidth=240\r\nPanel=bookmarks");
  ASSERT_NE(general, std::string::npos);
  ASSERT_NE(sidebar, std::string::npos) << "the other section is carried over";
  EXPECT_LT(general, colors);
  EXPECT_LT(colors, controls);
  EXPECT_LT(controls, settings);
  EXPECT_LT(settings, sidebar);
}

TEST(MainRoad, EditApplyEditAgainAndSaveOnClose) {
  DemoHost host;
  ASSERT_TRUE(host.Ok());
  const std::string skinIni = host.SkinIni("Aqua");
  const std::string original = ReadFile(skinIni);
  Session session(WindowsPath(ORLAVIX_E2E_PROGRAM), host);
  ASSERT_NE(session.Main(), nullptr) << "the main dialog appears";
  EXPECT_EQ(TextOf(GetDlgItem(session.Main(), kSkinList)), "Aqua") << "the skin user.ini names";

  session.StartEditing();
  EXPECT_EQ(TextOf(GetDlgItem(session.Main(), kSkinName)), "Aqua");
  // What a person reads is Japanese whatever the system's code page.
  EXPECT_EQ(TextOf(GetDlgItem(session.Main(), kToggle)), J("変更(&H)"));
  session.TypeColours();
  session.ShowCategory(kColors, "MenuText");
  EXPECT_EQ(session.Program().CellText(session.List(), session.Program().FindRow(session.List(), 1, "MenuText"), 0),
            J("メニューの文字色"));
  session.EditText("MenuText", " 12ab34 ", "#12ab34");

  // Aqua's line 1, its comment and its unknown key in [Colors] are kept:
  // the save asks nothing.
  Press(session.Main(), IDOK);  // 適用(&A)
  const HWND report = session.Program().FindDialog(J("報告"), 3000);
  ASSERT_NE(report, nullptr) << "the save is confirmed";
  EXPECT_EQ(BoxText(report), J("設定内容を保存しました。"));
  const DWORD shown = GetTickCount();
  ASSERT_TRUE(WaitFor([&] { return session.Program().NoDialog(J("報告")); }, 8000)) << "it closes itself";
  EXPECT_GE(GetTickCount() - shown, 2000u);

  const std::string firstSave = ReadFile(skinIni);
  EXPECT_NE(firstSave.find("MenuText=#12ab34\r\n"), std::string::npos);
  // The skin's Japanese text, byte for byte as it was.
  EXPECT_NE(firstSave.find("Author=青木 ひかり\r\n"), std::string::npos);
  EXPECT_NE(firstSave.find("Description=水色のさわやかなスキン\r\n"), std::string::npos);
  EXPECT_NE(firstSave.find("MenuHighlight=#3a7bd5\r\n"), std::string::npos);
  EXPECT_EQ(firstSave.rfind("# Aqua: a demo skin for Orlavix\r\n", 0), 0u);
  EXPECT_NE(firstSave.find("# 文字は紺、ハイライトは空色でそろえる\r\n# メニューの文字色\r\nMenuText=#12ab34\r\n"),
            std::string::npos);
  EXPECT_NE(firstSave.find("TabHoverText=#2a6fb0\r\n"), std::string::npos);
  ExpectFixedLayout(firstSave);
  EXPECT_TRUE(ReadFile(skinIni + ".000") == original) << "the backup holds the old bytes";

  // The file now holds nothing a save loses: closing with Yes saves at once.
  session.EditText("MenuHighlight", "#000080", "#000080");
  session.CloseAnswering(IDYES);
  EXPECT_EQ(session.Program().WaitForExit(15000), 2);
  const std::string secondSave = ReadFile(skinIni);
  EXPECT_NE(secondSave.find("MenuHighlight=#000080\r\n"), std::string::npos);
  EXPECT_NE(secondSave.find("MenuText=#12ab34\r\n"), std::string::npos);
  ExpectFixedLayout(secondSave);
  EXPECT_TRUE(ReadFile(skinIni + ".001") == firstSave) << "the second backup holds the first save";
}

TEST(MainRoad, CancelKeepsEditingAndNoDiscards) {
  DemoHost host;
  ASSERT_TRUE(host.Ok());
  const std::string skinIni = host.SkinIni("Aqua");
  const std::string original = ReadFile(skinIni);
  Session session(WindowsPath(ORLAVIX_E2E_PROGRAM), host);
  ASSERT_NE(session.Main(), nullptr);
  session.StartEditing();
  session.TypeColours();
  session.ShowCategory(kColors, "MenuText");
  session.EditText("MenuText", "#abcdef", "#abcdef");

  session.CloseAnswering(IDCANCEL);
  EXPECT_EQ(session.Program().WaitForExit(500), -1) << "Cancel keeps the program open";
  const int row = session.Program().FindRow(session.List(), 1, "MenuText");
  EXPECT_EQ(session.Program().CellText(session.List(), row, 2), "#abcdef") << "and the edit";

  session.CloseAnswering(IDNO);
  EXPECT_EQ(session.Program().WaitForExit(10000), 2);
  EXPECT_TRUE(ReadFile(skinIni) == original) << "No discards the edit";
  EXPECT_FALSE(Exists(skinIni + ".000"));
}

// The walks run once per system code page that the test command asks for:
// make sure the system is the one asked for.
TEST(MainRoad, RunsUnderTheCodePageAskedFor) {
  const char* asked = std::getenv("ORLAVIX_E2E_CODE_PAGE");
  if (!asked || !*asked) GTEST_SKIP() << "no code page asked for";
  EXPECT_EQ(GetACP(), static_cast<UINT>(std::atoi(asked)));
}

// The download as a skin author unpacks it: it starts and shows its dialog.
TEST(Download, PackagedProgramShowsTheMainDialog) {
  const char* packaged = std::getenv("ORLAVIX_PACKAGED_PROGRAM");
  if (!packaged || !*packaged) GTEST_SKIP() << "no unpacked download given";
  DemoHost host;
  ASSERT_TRUE(host.Ok());
  Session session(WindowsPath(packaged), host);
  ASSERT_NE(session.Main(), nullptr);
  EXPECT_TRUE(WaitFor([&] { return TextOf(GetDlgItem(session.Main(), kSkinList)) == "Aqua"; }, 5000));
  // The file dialog's library is loaded only now, when 参照(&B) first needs it.
  Press(session.Main(), kBrowse);
  const HWND open = session.Program().FindDialog(J("開く"));
  ASSERT_NE(open, nullptr) << "the file dialog opens";
  Press(open, IDCANCEL);
  ASSERT_TRUE(WaitFor([&] { return session.Program().NoDialog(J("開く")); }, 5000));
  Press(session.Main(), IDCANCEL);
  EXPECT_EQ(session.Program().WaitForExit(10000), 2);
}

// Read as UTF-16, the same whatever this process's code page.
std::string VersionString(const std::vector<char>& info, const std::string& name) {
  void* value = nullptr;
  UINT size = 0;
  const std::wstring path = win32::Wide("\\StringFileInfo\\041103a4\\" + name);
  if (!VerQueryValueW(info.data(), path.c_str(), &value, &size) || size == 0) return "";
  return win32::Narrow(static_cast<const wchar_t*>(value)).text;
}

TEST(Download, VersionInformationInTheFile) {
  const std::string exe = WindowsPath(ORLAVIX_E2E_PROGRAM);
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(win32::Wide(exe).c_str(), &ignored);
  ASSERT_GT(size, 0u);
  std::vector<char> info(size);
  ASSERT_TRUE(GetFileVersionInfoW(win32::Wide(exe).c_str(), 0, size, info.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT fixedSize = 0;
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &fixedSize));
  EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(2, 0));
  EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(0, 8));
  EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(2, 0));
  EXPECT_EQ(fixed->dwProductVersionLS, MAKELONG(0, 8));
  WORD* translation = nullptr;
  UINT translationSize = 0;
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                             &translationSize));
  EXPECT_EQ(translation[0], 0x0411);
  EXPECT_EQ(translation[1], 932);
  EXPECT_EQ(VersionString(info, "ProductName"), "Orlavix");
  EXPECT_EQ(VersionString(info, "FileVersion"), "0.2.8");
  EXPECT_EQ(VersionString(info, "ProductVersion"), "0.2.8");
  EXPECT_EQ(VersionString(info, "FileDescription"), J("Orlavix スキン設定エディタ"));
  EXPECT_EQ(VersionString(info, "LegalCopyright"), "Copyright (C) 2026 Orlavix Project");
}

}  // namespace
}  // namespace orlavix::e2e
