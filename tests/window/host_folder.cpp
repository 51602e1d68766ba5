#include "tests/window/host_folder.h"

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstring>

#include "platform/win32/wide_text.h"

namespace orlavix::test {

TempFolder::TempFolder() {
  static int serial = 0;
  char temp[MAX_PATH] = "";
  GetTempPathA(sizeof temp, temp);
  path_ = std::string(temp) + "orlavix-window-" + std::to_string(GetCurrentProcessId()) + "-" +
          std::to_string(GetTickCount()) + "-" + std::to_string(serial++);
  CreateDirectoryA(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() { RemoveTree(path_); }

void MakeFolders(const std::string& path) {
  for (std::size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1)) {
    CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
  }
  CreateDirectoryA(path.c_str(), nullptr);
}

void WriteFileText(const std::string& path, const std::string& bytes) {
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

std::string ReadFileText(const std::string& path) {
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::string();
  std::string bytes;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  CloseHandle(file);
  return bytes;
}

void RemoveTree(const std::string& path) {
  WIN32_FIND_DATAA data{};
  const HANDLE find = FindFirstFileA((path + "\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = data.cFileName;
      if (name == "." || name == "..") continue;
      const std::string child = path + "\\" + name;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(child);
      } else {
        SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(child.c_str());
      }
    } while (FindNextFileA(find, &data));
    FindClose(find);
  }
  RemoveDirectoryA(path.c_str());
}

void CopyTree(const std::string& from, const std::string& to) {
  CreateDirectoryA(to.c_str(), nullptr);
  WIN32_FIND_DATAA data{};
  const HANDLE find = FindFirstFileA((from + "\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = data.cFileName;
    if (name == "." || name == "..") continue;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      CopyTree(from + "\\" + name, to + "\\" + name);
    } else {
      CopyFileA((from + "\\" + name).c_str(), (to + "\\" + name).c_str(), FALSE);
    }
  } while (FindNextFileA(find, &data));
  FindClose(find);
}

std::string FromUnixPath(const std::string& path) {
  std::string out = "Z:" + path;
  for (char& c : out) {
    if (c == '/') c = '\\';
  }
  return out;
}

bool MakeShortcut(const std::string& link, const std::string& target) {
  IShellLinkA* shell = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&shell)))) {
    return false;
  }
  bool saved = false;
  IPersistFile* file = nullptr;
  if (SUCCEEDED(shell->SetPath(target.c_str())) &&
      SUCCEEDED(shell->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    saved = SUCCEEDED(file->Save(win32::Wide(link).c_str(), TRUE));
    file->Release();
  }
  shell->Release();
  return saved;
}

HostFolder MakeHostFolder(const std::string& root, const std::string& exeName, const std::vector<std::string>& skins,
                          const std::string& skin, const std::string& property) {
  HostFolder host;
  host.root = root;
  MakeFolders(root + "\\bin");
  host.executable = root + "\\bin\\" + exeName;
  WriteFileText(host.executable, "MZ");
  WriteFileText(root + "\\bin\\Velquor.Property", property);
  MakeFolders(root + "\\settings\\All Users\\setting");
  host.userIni = root + "\\settings\\All Users\\setting\\user.ini";
  WriteFileText(host.userIni, "[General]\r\nSkin=" + skin + "\r\n");
  for (const std::string& name : skins) {
    MakeFolders(host.SkinFolder(name) + "\\controls");
    WriteFileText(host.SkinFolder(name) + "\\skin.ini", "[General]\r\nAuthor=" + name + "\r\n");
  }
  return host;
}

void DropFiles(HWND window, const std::vector<std::string>& paths) {
  std::size_t bytes = sizeof(DROPFILES) + 1;
  for (const std::string& path : paths) bytes += path.size() + 1;
  const HGLOBAL block = GlobalAlloc(GHND, bytes);
  auto* drop = static_cast<DROPFILES*>(GlobalLock(block));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = FALSE;
  char* at = reinterpret_cast<char*>(drop) + sizeof(DROPFILES);
  for (const std::string& path : paths) {
    std::memcpy(at, path.c_str(), path.size() + 1);
    at += path.size() + 1;
  }
  GlobalUnlock(block);
  PostMessageA(window, WM_DROPFILES, reinterpret_cast<WPARAM>(block), 0);
}

}  // namespace orlavix::test
