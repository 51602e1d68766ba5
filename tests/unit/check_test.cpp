// orlavix-check: the demo skins' known findings, a skin with one of each
// finding against its exact JSON, the exit codes, where PATH leads, and the
// image headers by table.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "check/check_command.h"
#include "analysis/image_header.h"
#include "analysis/skin_analysis.h"
#include "support/mbtext.h"
#include "tests/unit/test_files.h"

namespace orlavix::check {
namespace {

namespace fs = std::filesystem;

const std::string kDemoSkins = ORLAVIX_TEST_DATA "/../../demo/resources/skins";

// A 3 x 2 PNG, whole.
const std::string kPng(
    "\x89\x50\x4E\x47\x0D\x0A\x1A\x0A\x00\x00\x00\x0D\x49\x48\x44\x52\x00\x00\x00\x03\x00\x00\x00\x02\x08\x02"
    "\x00\x00\x00\x12\x16\xF1\x4D\x00\x00\x00\x10\x49\x44\x41\x54\x78\x9C\x63\xF8\xCF\xC0\x00\x41\x0C\x70\x16"
    "\x00\x41\xD2\x05\xFB\x87\xF0\xB9\x48\x00\x00\x00\x00\x49\x45\x4E\x44\xAE\x42\x60\x82",
    73);

std::string Le(std::uint32_t value, int bytes) {
  std::string out;
  for (int i = 0; i < bytes; ++i) out += static_cast<char>(value >> (8 * i) & 0xFF);
  return out;
}

// A BMP of the given size with a BITMAPINFOHEADER; pixels follow the header.
std::string Bmp(int width, int height, std::uint32_t pixelOffset = 54) {
  std::string b = "BM" + Le(54 + 4, 4) + Le(0, 4) + Le(pixelOffset, 4) + Le(40, 4) +
                  Le(static_cast<std::uint32_t>(width), 4) + Le(static_cast<std::uint32_t>(height), 4) +
                  Le(1, 2) + Le(32, 2) + std::string(24, '\0');
  return b + std::string(4, '\x7F');
}

// An icon file with entries of the given sizes (0 meaning 256).
std::string Ico(std::vector<int> sizes, std::uint32_t imageBytes = 8) {
  std::string b = std::string("\0\0\1\0", 4) + Le(static_cast<std::uint32_t>(sizes.size()), 2);
  std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(sizes.size());
  for (int size : sizes) {
    b += Le(static_cast<std::uint32_t>(size), 1) + Le(static_cast<std::uint32_t>(size), 1) + std::string(6, '\0') +
         Le(imageBytes, 4) + Le(offset, 4);
    offset += 8;
  }
  return b + std::string(8 * sizes.size(), '\x01');
}

TEST(CheckImageHeaderTest, FormatsSizesAndDamage) {
  std::string badCrc = kPng;
  badCrc[20] = '\x09';  // the width changed, the checksum not
  std::string textMode = kPng;
  textMode.erase(4, 1);  // CR LF turned into LF
  struct Case {
    const char* what;
    std::string bytes;
    ImageFormat format;
    bool damaged;
    std::int64_t width, height;
  };
  const Case cases[] = {
      {"PNG", kPng, ImageFormat::Png, false, 3, 2},
      {"PNG with a wrong IHDR checksum", badCrc, ImageFormat::Png, true, 0, 0},
      {"PNG copied in text mode", textMode, ImageFormat::Png, true, 0, 0},
      {"PNG cut short", kPng.substr(0, 20), ImageFormat::Png, true, 0, 0},
      {"BMP", Bmp(5, 7), ImageFormat::Bmp, false, 5, 7},
      {"top-down BMP", Bmp(5, -7), ImageFormat::Bmp, false, 5, 7},
      {"BMP whose pixels lie past its end", Bmp(5, 7, 4096), ImageFormat::Bmp, true, 0, 0},
      {"BMP with no width", Bmp(0, 7), ImageFormat::Bmp, true, 0, 0},
      {"ICO: the largest entry", Ico({16, 0, 32}), ImageFormat::Ico, false, 256, 256},
      {"ICO with no entries", Ico({}), ImageFormat::Ico, true, 0, 0},
      {"ICO whose image runs past its end", Ico({16}, 999), ImageFormat::Ico, true, 0, 0},
      {"JPEG", "\xFF\xD8\xFF\xE0 JFIF", ImageFormat::None, false, 0, 0},
      {"text", "hello", ImageFormat::None, false, 0, 0},
      {"empty", "", ImageFormat::None, false, 0, 0},
  };
  for (const Case& c : cases) {
    const ImageHeader header = ReadImageHeader(c.bytes);
    EXPECT_EQ(header.format, c.format) << c.what;
    EXPECT_EQ(header.damaged, c.damaged) << c.what;
    EXPECT_EQ(header.problem.empty(), c.format != ImageFormat::None && !c.damaged) << c.what;
    if (!c.damaged) {
      EXPECT_EQ(header.width, c.width) << c.what;
      EXPECT_EQ(header.height, c.height) << c.what;
    }
  }
}

class RecordingConsole : public Console {
 public:
  void Out(const std::string& text) override { out += text; }
  void OutUtf8(const std::string& bytes) override { out += bytes; }
  void Err(const std::string& text) override { err += text; }
  std::string out, err;
};

std::vector<std::string> Codes(const SkinResult& result) {
  std::vector<std::string> codes;
  for (const Finding& f : result.findings) codes.push_back(f.code);
  return codes;
}

TEST(CheckSkinTest, DemoSkinsGiveTheirKnownFindings) {
  std::vector<SkinPlace> skins;
  std::string error;
  ASSERT_TRUE(FindSkins(kDemoSkins, skins, error)) << error;
  ASSERT_EQ(skins.size(), 3u);
  const KnownKeys known;
  std::vector<SkinResult> results(3);
  for (std::size_t i = 0; i < 3; ++i) ASSERT_TRUE(CheckSkin(skins[i].folder, skins[i].iniName, known, results[i], error));
  // Listed by name whatever the letter case: Aqua, default, Zen.
  EXPECT_EQ(results[0].name, "Aqua");
  EXPECT_EQ(results[1].name, "default");
  EXPECT_EQ(results[2].name, "Zen");

  const SkinResult& aqua = results[0];
  ASSERT_EQ(Codes(aqua),
            (std::vector<std::string>{"missing-image", "unused-image", "before-first-section", "unknown-key"}));
  EXPECT_EQ(aqua.findings[0].name, "logo.png");
  EXPECT_EQ(aqua.findings[0].key, "LogoSkin");
  EXPECT_EQ(aqua.findings[0].message, J("存在していないファイル: logo.png"));
  EXPECT_EQ(aqua.findings[1].name, "unused_old.bmp");
  EXPECT_EQ(aqua.findings[1].file, "controls/unused_old.bmp");
  EXPECT_EQ(aqua.findings[1].message, J("使用されていないファイル: unused_old.bmp"));
  EXPECT_EQ(aqua.findings[2].line, 1);
  // Both of them a save keeps, as it does the comment in [Colors].
  EXPECT_EQ(aqua.findings[3].key, "TabHoverText");
  EXPECT_FALSE(aqua.findings[2].lostBySave || aqua.findings[3].lostBySave);
  // Every image the settings name and that exists has a size.
  for (const UsedImage& image : aqua.images) {
    if (image.name == "logo.png") continue;
    EXPECT_FALSE(image.format.empty()) << image.name;
    EXPECT_GT(image.width, 0) << image.name;
  }
  EXPECT_TRUE(results[1].findings.empty());
  EXPECT_TRUE(results[2].findings.empty());

  // The same through the command: findings make exit code 1.
  RecordingConsole console;
  EXPECT_EQ(RunCheck({kDemoSkins}, console), kFindings);
  EXPECT_NE(console.out.find(J(": [missing-image] LogoSkin: 存在していないファイル: logo.png\n")), std::string::npos)
      << console.out;
  EXPECT_NE(console.out.find(J("スキン 3 個を調べました: 指摘 4 件 (スキン 1 個)")), std::string::npos);
}

// A skin with one of each finding, written byte by byte.
const char kOneOfEach[] =
    "; made by hand\r\n"                                      // 1 before the first section
    "[General]\r\n"                                           // 2
    "Author=\xE4\xBD\x9C\xE8\x80\x85 \xF0\x9F\x98\x80\r\n"    // 3 an emoji: not in code page 932
    "Version=1.0\r\n"                                         // 4
    "version=2.0\r\n"                                         // 5 another letter case
    "ButtonHeight =20\r\n"                                    // 6 a space before '='
    "Homepage=http://example.com/\r\n"                        // 7 no such setting
    "just text\r\n"                                           // 8 not key=value
    "# a comment the editor replaces\r\n"                     // 9
    "[Colors]\r\n"                                            // 10
    "MenuText=ff0000\r\n"                                     // 11 no '#'
    "MenuHighlight=#3a7bd5\r\n"                               // 12
    "MenuHighlight=#3A7BD6\r\n"                               // 13 repeated; upper case is fine
    "MenuTxt=#1d2b3a\r\n"                                     // 14 one letter short of MenuText
    "[Controls]\n"                                            // 15
    "TabSkin=Tab.PNG\n"                                       // 16 exists as tab.png
    "LeftTabSkin=tab.png\n"                                   // 17 the same file
    "ButtonSkin=button.bmp\n"                                 // 18 damaged
    "ReBarSkin=rebar.png\n"                                   // 19 a JPEG really
    "LogoSkin=logo.png\n"                                     // 20 missing
    "MenuSkin=menu.ico\n"                                     // 21
    "TabCloseSkin=close.bmp\n"                                // 22 three states: neither 10 nor 4 divides
    "MenuItemFontSize=9pt\n"                                  // 23
    "ButtonDrawFocus=yes\n"                                   // 24
    "InformationDockSkinType=right-tile\n"                    // 25
    "TitleBarSkinType=bar\n"                                  // 26
    "ReBarSkinType=bar\n"                                     // 27 allowed here
    "[Colors] ; again\n"                                      // 28 text after ']'
    "MenuText=#000000\n"                                      // 29
    "[general]\n"                                             // 30 a second General
    "Author=other\n"                                          // 31
    "[ Settings]\n"                                           // 32 not read as Settings
    "ActiveTabBold=enable\n"                                  // 33
    "[Broken\n"                                               // 34 no closing bracket
    "[Extra]\n"                                               // 35
    "Old=\x93\xFA\x96\x7B\n"                                  // 36 Shift_JIS bytes
    "Emoji=\xF0\x9F\x98\x80\n"                                // 37 other sections keep their bytes
    "\0after the NUL\n";                                      // 38

class OneOfEachTest : public ::testing::Test {
 protected:
  OneOfEachTest() {
    skin = dir.path() / "Sample";
    fs::create_directories(skin / "controls" / "sub");
    testing::WriteBytes(skin / "skin.ini", std::string(kOneOfEach, sizeof kOneOfEach - 1));
    testing::WriteBytes(skin / "controls" / "tab.png", kPng);
    testing::WriteBytes(skin / "controls" / "button.bmp", "BM\x10");
    testing::WriteBytes(skin / "controls" / "rebar.png", "\xFF\xD8\xFF\xE0 JFIF");
    testing::WriteBytes(skin / "controls" / "menu.ico", Ico({16, 48}));
    testing::WriteBytes(skin / "controls" / "close.bmp", Bmp(10, 4));
    testing::WriteBytes(skin / "controls" / "Old.png", kPng);
    testing::WriteBytes(skin / "controls" / "toolbar_drop_down_glass.png", kPng);
    testing::WriteBytes(skin / "controls" / "sub" / "ignored.png", kPng);
  }
  testing::TempDir dir;
  fs::path skin;
};

TEST_F(OneOfEachTest, JsonIsExactlyTheExpectedDocument) {
  RecordingConsole console;
  EXPECT_EQ(RunCheck({skin.string(), "--json"}, console), kFindings);
  EXPECT_EQ(console.err, "");
  // The document names the folder it was given; the expected one says PATH.
  std::string json = console.out;
  std::string path;
  for (char c : AnsiToUtf8(skin.string())) {
    if (c == '\\') path += '\\';
    path += c;
  }
  const std::size_t at = json.find("\"" + path + "\"");
  ASSERT_NE(at, std::string::npos) << json;
  json.replace(at + 1, path.size(), "PATH");
  const std::string expected = testing::ReadBytes(ORLAVIX_TEST_DATA "/check/one_of_each.json");
  EXPECT_EQ(json, expected);
}

TEST_F(OneOfEachTest, ExitCodesAndReadableOutput) {
  {
    RecordingConsole console;  // readable lines: path, line, code, key, reason
    EXPECT_EQ(RunCheck({skin.string()}, console), kFindings);
    const std::string ini = (skin / "skin.ini").string();
    EXPECT_NE(console.out.find(ini + ":20: [missing-image] LogoSkin: " + J("存在していないファイル: logo.png") + "\n"),
              std::string::npos)
        << console.out;
    EXPECT_NE(console.out.find(ini + ":11: [bad-color] MenuText: "), std::string::npos);
    // The strip that cannot split names its states and its size.
    const std::string strip = (skin / "controls" / "close.bmp").string() + ": [image-states] TabCloseSkin: " +
                              J("3 個の状態 (通常、ホバー、押下) の画像ですが、幅 10・高さ 4 はどちらも 3 で割り切れません\n");
    EXPECT_NE(console.out.find(strip), std::string::npos) << console.out;
    EXPECT_NE(console.out.find(ini + ":14: [unknown-key] MenuTxt: " +
                               J("Orlavix の知らないキーです。MenuText のつづり違いではありませんか") + "\n"),
              std::string::npos);
  }
  {
    // A clean skin: the demo's default, copied.
    fs::create_directories(dir.path() / "clean" / "controls");
    testing::WriteBytes(dir.path() / "clean" / "skin.ini", "[General]\nAuthor=Me\n[Controls]\nButtonSkin=b.bmp\n");
    testing::WriteBytes(dir.path() / "clean" / "controls" / "b.bmp", Bmp(15, 3));  // five states across
    RecordingConsole console;
    EXPECT_EQ(RunCheck({(dir.path() / "clean").string()}, console), kNoFindings);
    EXPECT_EQ(console.out, (dir.path() / "clean").string() + J(": 指摘はありません\nスキン 1 個を調べました: 指摘はありません\n"));
    RecordingConsole quiet;
    EXPECT_EQ(RunCheck({"--quiet", (dir.path() / "clean").string()}, quiet), kNoFindings);
    EXPECT_EQ(quiet.out, "");
  }
  struct Usage {
    std::vector<std::string> args;
    int code;
  };
  const Usage usages[] = {
      {{}, kUsageOrUnreadable},
      {{"--colour"}, kUsageOrUnreadable},
      {{(dir.path() / "nothing here").string()}, kUsageOrUnreadable},
      // A readable skin does not hide an unreadable path beside it.
      {{skin.string(), (dir.path() / "nothing here").string()}, kUsageOrUnreadable},
      // A folder with no skin in it or below it.
      {{(skin / "controls").string()}, kUsageOrUnreadable},
      {{"--help"}, kNoFindings},
  };
  for (const Usage& u : usages) {
    RecordingConsole console;
    EXPECT_EQ(RunCheck(u.args, console), u.code) << (u.args.empty() ? "" : u.args[0]);
    EXPECT_EQ(console.err.empty(), u.code == kNoFindings) << console.err;
  }
}

// Where a PATH leads: a skin, a folder of skins, a skin.ini, a host executable.
TEST_F(OneOfEachTest, PathsLeadToSkins) {
  const fs::path host = dir.path() / "host";
  fs::create_directories(host / "bin");
  fs::create_directories(host / "resources" / "skins" / "b-skin");
  fs::create_directories(host / "resources" / "skins" / "A-skin");
  fs::create_directories(host / "resources" / "skins" / "not-a-skin");
  testing::WriteBytes(host / "bin" / "Velquor.exe", "MZ");
  testing::WriteBytes(host / "resources" / "skins" / "b-skin" / "skin.ini", "");
  testing::WriteBytes(host / "resources" / "skins" / "A-skin" / "skin.ini", "");
  const fs::path skins = host / "resources" / "skins";
  struct Case {
    fs::path path;
    std::vector<fs::path> folders;
  };
  const Case cases[] = {
      {skin, {skin}},
      {skin / "skin.ini", {skin}},
      {dir.path(), {skin}},
      {skins, {skins / "A-skin", skins / "b-skin"}},
      {host / "bin" / "Velquor.exe", {skins / "A-skin", skins / "b-skin"}},
  };
  for (const Case& c : cases) {
    std::vector<SkinPlace> found;
    std::string error;
    EXPECT_TRUE(FindSkins(c.path.string(), found, error)) << c.path << error;
    ASSERT_EQ(found.size(), c.folders.size()) << c.path;
    for (std::size_t i = 0; i < found.size(); ++i) {
      EXPECT_TRUE(fs::equivalent(found[i].folder, c.folders[i])) << c.path << " " << found[i].folder;
    }
  }
}

// Files the reader takes differently: UTF-16, with and without a byte-order mark.
TEST(CheckSkinTest, Utf16Files) {
  testing::TempDir dir;
  const std::string text = "[Colors]\r\nMenuText=ff0000\r\n";
  std::string utf16 = "\xFF\xFE";
  for (char c : text) utf16 += std::string(1, c) + '\0';
  const KnownKeys known;
  std::string error;
  for (const bool mark : {true, false}) {
    testing::WriteBytes(dir.path() / "skin.ini", mark ? utf16 : utf16.substr(2));
    SkinResult result;
    ASSERT_TRUE(CheckSkin(dir.path().string(), "skin.ini", known, result, error));
    // With the mark the reader decodes it, so its values are checked too.
    const std::vector<std::string> expected =
        mark ? std::vector<std::string>{"bad-color", "utf16"} : std::vector<std::string>{"utf16"};
    EXPECT_EQ(Codes(result), expected);
    if (mark) {
      EXPECT_EQ(result.findings[0].line, 2);
    }
  }
}

// A trail byte 0x5D (the second byte of ゾ) is not a closing bracket.
TEST(CheckSkinTest, HeaderLinesAreReadByCharacter) {
  testing::TempDir dir;
  testing::WriteBytes(dir.path() / "skin.ini", "[General]\nAuthor=a\n[\xE3\x82\xBE\xE3\x83\xBC\xE3\x83\xB3\nx=1\n");
  const KnownKeys known;
  SkinResult result;
  std::string error;
  ASSERT_TRUE(CheckSkin(dir.path().string(), "skin.ini", known, result, error));
  EXPECT_EQ(Codes(result), std::vector<std::string>{"bad-header"});
}

}  // namespace
}  // namespace orlavix::check
