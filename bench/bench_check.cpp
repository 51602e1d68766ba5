// Times orlavix-check over a skins folder of generated skins, each with a
// skin.ini of the four sections and 20 images in its controls folder, for
// 250, 500, 1,000 and 2,000 skins (or the counts given), readable and JSON.
//   orlavix_bench_check [skins...]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "check/check_command.h"

namespace {

namespace fs = std::filesystem;

// A 3 x 2 PNG.
const std::string kPng(
    "\x89\x50\x4E\x47\x0D\x0A\x1A\x0A\x00\x00\x00\x0D\x49\x48\x44\x52\x00\x00\x00\x03\x00\x00\x00\x02\x08\x02"
    "\x00\x00\x00\x12\x16\xF1\x4D\x00\x00\x00\x10\x49\x44\x41\x54\x78\x9C\x63\xF8\xCF\xC0\x00\x41\x0C\x70\x16"
    "\x00\x41\xD2\x05\xFB\x87\xF0\xB9\x48\x00\x00\x00\x00\x49\x45\x4E\x44\xAE\x42\x60\x82",
    73);

const char* const kImageKeys[20] = {
    "TabSkin", "LeftTabSkin", "BottomTabSkin", "RightTabSkin", "TabBgSkin", "ButtonSkin", "FlatButtonSkin",
    "TabCloseSkin", "TabScrollSkin", "EditSkin", "ComboBoxSkin", "ToolBarSkin", "StatusBarSkin", "MenuSkin",
    "ReBarSkin", "ReBarChevronSkin", "LogoSkin", "ReBarGripSkin", "MenuItem1", "MenuItemHighlight"};

void Write(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Skins as authors write them: Japanese text, comments, the four sections and
// an other section; every fifth skin with a few findings.
void MakeSkins(const fs::path& root, int count) {
  fs::remove_all(root);
  for (int s = 0; s < count; ++s) {
    const fs::path skin = root / ("skin" + std::to_string(s));
    fs::create_directories(skin / "controls");
    std::string ini =
        "[General]\r\nAuthor=\xE4\xBD\x9C\xE8\x80\x85 " + std::to_string(s) + "\r\nVersion=1.0\r\n"
        "Description=\xE6\xB0\xB4\xE8\x89\xB2\xE3\x81\xAE\xE3\x82\xB9\xE3\x82\xAD\xE3\x83\xB3\r\n"
        "ButtonWidth=24\r\nButtonHeight=24\r\nButtonText=true\r\n\r\n"
        "[Colors]\r\nMenuText=#1d2b3a\r\nMenuHighlight=#3a7bd5\r\nMenuHighlightText=#ffffff\r\n"
        "TabActiveText=#0b3355\r\nTabDeactiveText=#5a6b7c\r\nStatusBarText=#223344\r\n\r\n"
        "[Controls]\r\n# images\r\n";
    for (int i = 0; i < 20; ++i) {
      ini += std::string(kImageKeys[i]) + "=image" + std::to_string(i) + ".png\r\n";
      Write(skin / "controls" / ("image" + std::to_string(i) + ".png"), kPng);
    }
    ini += "InformationDockSkinType=stretch\r\nMenuItemFontSize=9\r\nReBarSkinType=bar\r\n\r\n"
           "[Settings]\r\nActiveTabBold=enable\r\n\r\n[Sidebar]\r\nWidth=240\r\nPanel=bookmarks\r\n";
    if (s % 5 == 0) ini += "[Colors] ; again\r\nMenuText=ff0000\r\n";
    Write(skin / "skin.ini", ini);
  }
}

class NullConsole : public orlavix::check::Console {
 public:
  void Out(const std::string& text) override { bytes += text.size(); }
  void OutUtf8(const std::string& text) override { bytes += text.size(); }
  void Err(const std::string& text) override { std::fputs(text.c_str(), stderr); }
  std::size_t bytes = 0;
};

using orlavix::bench::Millis;

}  // namespace

int main(int argc, char** argv) {
  std::vector<int> counts;
  for (int i = 1; i < argc; ++i) counts.push_back(std::atoi(argv[i]));
  if (counts.empty()) counts = {250, 500, 1000, 2000};
  const fs::path root = fs::temp_directory_path() / "orlavix-bench-check";
  std::printf("%7s %14s %14s %12s %12s\n", "skins", "readable ms", "json ms", "ms/skin", "exit code");
  for (int count : counts) {
    MakeSkins(root, count);
    NullConsole console;
    int code = 0;
    const double readable = Millis([&] { code = orlavix::check::RunCheck({root.string()}, console); });
    const double json = Millis([&] { orlavix::check::RunCheck({"--json", root.string()}, console); });
    std::printf("%7d %14.1f %14.1f %12.3f %12d\n", count, readable, json, readable / count, code);
  }
  fs::remove_all(root);
  return 0;
}
