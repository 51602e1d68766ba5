#include <windows.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <vector>

#include "platform/host_services.h"

namespace orlavix::platform {
namespace {

// Releases a COM interface pointer once, whatever path is taken.
template <typename Interface>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() {
    if (p_) p_->Release();
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  Interface** Out() { return &p_; }
  Interface* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }

 private:
  Interface* p_ = nullptr;
};

class Win32HostServices : public HostServices {
 public:
  int ReadProfileInt(const std::string& section, const std::string& key, int fallback,
                     const std::string& file) override {
    return static_cast<int>(GetPrivateProfileIntA(section.c_str(), key.c_str(), fallback, file.c_str()));
  }

  std::string ReadProfileString(const std::string& section, const std::string& key, const std::string& fallback,
                                const std::string& file) override {
    char value[MAX_PATH] = "";
    GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(), value, sizeof value, file.c_str());
    return value;
  }

  bool WriteProfileString(const std::string& section, const std::string& key, const std::string& value,
                          const std::string& file) override {
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) != FALSE;
  }

  bool FindSpecialFolder(SpecialFolder folder, std::string& path) override {
    char buffer[MAX_PATH * 2] = "";
    const int id = folder == SpecialFolder::AppData ? CSIDL_APPDATA : CSIDL_PROGRAM_FILES;
    if (!SHGetSpecialFolderPathA(nullptr, buffer, id, FALSE)) return false;
    path = buffer;
    return true;
  }

  bool UserName(std::string& name) override {
    char buffer[257] = "";
    DWORD size = sizeof buffer;
    if (!GetUserNameA(buffer, &size)) return false;
    name = buffer;
    return true;
  }

  bool ShortcutTarget(const std::string& path, std::string& target) override {
    ComPtr<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_ALL, IID_IShellLinkA,
                                reinterpret_cast<void**>(link.Out())))) {
      return false;
    }
    ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.Out())))) return false;
    const int length = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
    if (length <= 0) return false;
    std::vector<wchar_t> wide(static_cast<std::size_t>(length));
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), length);
    if (FAILED(file->Load(wide.data(), STGM_READ))) return false;
    char buffer[MAX_PATH * 2] = "";
    if (link->GetPath(buffer, sizeof buffer, nullptr, SLGP_UNCPRIORITY) != S_OK || !buffer[0]) return false;
    target = buffer;
    return true;
  }

  bool MutexFree(const std::string& name) override {
    const HANDLE mutex = CreateMutexA(nullptr, FALSE, name.c_str());
    const bool existed = GetLastError() == ERROR_ALREADY_EXISTS;
    if (!mutex) return false;
    CloseHandle(mutex);
    return !existed;
  }

  bool OpenProgram(const std::string& path) override {
    const HINSTANCE result = ShellExecuteA(nullptr, "open", path.c_str(), nullptr, nullptr, SW_SHOW);
    return reinterpret_cast<INT_PTR>(result) > 32;
  }
};

}  // namespace

HostServices& SystemHostServices() {
  static Win32HostServices services;
  return services;
}

}  // namespace orlavix::platform
