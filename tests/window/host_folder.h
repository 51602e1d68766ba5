// A host installation laid out on disk for the window tests: the executable
// in bin with its property file, skins under resources\skins\ and user.ini.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace orlavix::test {

// A fresh folder under the system's temporary folder, removed with
// everything in it at the end.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::string& Path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

 private:
  std::string path_;
};

// Creates every folder of the path.
void MakeFolders(const std::string& path);
void WriteFileText(const std::string& path, const std::string& bytes);
std::string ReadFileText(const std::string& path);
// Removes a folder and everything in it.
void RemoveTree(const std::string& path);
// Copies a folder and everything in it.
void CopyTree(const std::string& from, const std::string& to);
// A path of the machine that runs Wine ("/work/x") as Windows sees it ("Z:\work\x").
std::string FromUnixPath(const std::string& path);

// A shortcut file at `link` pointing to `target` (COM must be initialised).
bool MakeShortcut(const std::string& link, const std::string& target);

struct HostFolder {
  std::string root;
  std::string executable;
  std::string userIni;  // settings\All Users\setting\user.ini
  std::string SkinFolder(const std::string& name) const { return root + "\\resources\\skins\\" + name; }
};

// root\bin\<exeName>, root\bin\Velquor.Property with `property` as its text,
// root\settings\All Users\setting\user.ini naming `skin`, and one folder with
// a skin.ini per skin name.
HostFolder MakeHostFolder(const std::string& root, const std::string& exeName, const std::vector<std::string>& skins,
                          const std::string& skin, const std::string& property = "[Setting]\r\nUseAppData=0\r\n");

// Posts a real HDROP of the paths to the window, as a drop from the shell.
void DropFiles(HWND window, const std::vector<std::string>& paths);

}  // namespace orlavix::test
