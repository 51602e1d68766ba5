#include <windows.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include "platform/host_services.h"
#include "platform/win32/guards.h"
#include "platform/win32/wide_text.h"

namespace orlavix::platform {
namespace {

using win32::ComPtr;
using win32::Narrow;
using win32::Wide;


// A path from the system, refused when the working code page cannot hold
// it: with '?' in it, it would name another file or none.
bool TakeWholePath(const wchar_t* path, std::string& out) {
  win32::NarrowText narrow = Narrow(path);
  if (narrow.text.empty() || !narrow.Whole()) return false;
  out = std::move(narrow.text);
  return true;
}

class Win32HostServices : public HostServices {
 public:
  int ReadProfileInt(const std::string& section, const std::string& key, int fallback,
                     const std::string& file) override {
    return static_cast<int>(
        GetPrivateProfileIntW(Wide(section).c_str(), Wide(key).c_str(), fallback, Wide(file).c_str()));
  }

  std::string ReadProfileString(const std::string& section, const std::string& key, const std::string& fallback,
                                const std::string& file) override {
    wchar_t value[MAX_PATH] = L"";
    GetPrivateProfileStringW(Wide(section).c_str(), Wide(key).c_str(), Wide(fallback).c_str(), value, MAX_PATH,
                             Wide(file).c_str());
    return Narrow(value).text;
  }

  bool WriteProfileString(const std::string& section, const std::string& key, const std::string& value,
                          const std::string& file) override {
    return WritePrivateProfileStringW(Wide(section).c_str(), Wide(key).c_str(), Wide(value).c_str(),
                                      Wide(file).c_str()) != FALSE;
  }

  // The system writes a profile file in its own ANSI code page.
  bool ProfileCanHold(const std::string& value) override { return win32::SystemCodePageHolds(value); }

  bool FindSpecialFolder(SpecialFolder folder, std::string& path) override {
    wchar_t buffer[MAX_PATH * 2] = L"";
    const int id = folder == SpecialFolder::AppData ? CSIDL_APPDATA : CSIDL_PROGRAM_FILES;
    if (!SHGetSpecialFolderPathW(nullptr, buffer, id, FALSE)) return false;
    return TakeWholePath(buffer, path);
  }

  bool UserName(std::string& name) override {
    wchar_t buffer[257] = L"";
    DWORD size = sizeof buffer / sizeof buffer[0];
    if (!GetUserNameW(buffer, &size)) return false;
    win32::NarrowText narrow = Narrow(buffer);
    if (!narrow.Whole()) return false;  // a folder named after it could not be found
    name = std::move(narrow.text);
    return true;
  }

  bool ShortcutTarget(const std::string& path, std::string& target) override {
    ComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_ALL, IID_IShellLinkW,
                                reinterpret_cast<void**>(link.Receive())))) {
      return false;
    }
    ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.Receive())))) return false;
    if (FAILED(file->Load(Wide(path).c_str(), STGM_READ))) return false;
    wchar_t buffer[MAX_PATH * 2] = L"";
    if (link->GetPath(buffer, MAX_PATH * 2, nullptr, SLGP_UNCPRIORITY) != S_OK) return false;
    return TakeWholePath(buffer, target);
  }

  bool MutexFree(const std::string& name) override {
    const HANDLE mutex = CreateMutexW(nullptr, FALSE, Wide(name).c_str());
    const bool existed = GetLastError() == ERROR_ALREADY_EXISTS;
    if (!mutex) return false;
    CloseHandle(mutex);
    return !existed;
  }

  bool OpenProgram(const std::string& path) override {
    const HINSTANCE result = ShellExecuteW(nullptr, L"open", Wide(path).c_str(), nullptr, nullptr, SW_SHOW);
    return reinterpret_cast<INT_PTR>(result) > 32;
  }
};

}  // namespace

HostServices& SystemHostServices() {
  static Win32HostServices services;
  return services;
}

}  // namespace orlavix::platform
