// Win32 files: opened with no sharing, so a file that another program holds
// open is not read, and nobody writes it while we read it.
#include <windows.h>

#include <cstdint>
#include <new>
#include <stdexcept>

#include "platform/files.h"

namespace orlavix::platform {
namespace {

class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() {
    if (valid()) CloseHandle(handle_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};

}  // namespace

ReadStatus ReadWholeFile(const std::string& path, std::string& bytes) {
  bytes.clear();
  if (path.empty()) return ReadStatus::Failed;
  FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file.valid()) return ReadStatus::Failed;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0) return ReadStatus::Failed;
  if (static_cast<std::uint64_t>(size.QuadPart) >= kReadLimit) return ReadStatus::TooLarge;
  const auto total = static_cast<std::uint64_t>(size.QuadPart);
  if (total > static_cast<std::uint64_t>(SIZE_MAX - 1)) return ReadStatus::Failed;  // 32-bit build
  try {
    bytes.resize(static_cast<std::size_t>(total));
  } catch (const std::bad_alloc&) {
    bytes.clear();
    return ReadStatus::Failed;
  } catch (const std::length_error&) {
    bytes.clear();
    return ReadStatus::Failed;
  }
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD got = 0;
    const DWORD want = static_cast<DWORD>(bytes.size() - done);
    if (!ReadFile(file.get(), &bytes[done], want, &got, nullptr)) {
      bytes.clear();
      bytes.shrink_to_fit();
      return ReadStatus::Failed;
    }
    if (got == 0) break;  // the file shrank: keep what is there
    done += got;
  }
  bytes.resize(done);
  return ReadStatus::Ok;
}

bool FileExists(const std::string& path) {
  if (path.empty()) return false;
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool WriteWholeFile(const std::string& path, std::string_view bytes) {
  if (path.empty()) return false;
  FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file.valid()) return false;
  std::size_t done = 0;
  while (done < bytes.size()) {
    const std::size_t left = bytes.size() - done;
    const DWORD want = left > 0x40000000u ? 0x40000000u : static_cast<DWORD>(left);
    DWORD put = 0;
    if (!WriteFile(file.get(), bytes.data() + done, want, &put, nullptr) || put == 0) return false;
    done += put;
  }
  return true;
}

bool CopyFileOver(const std::string& from, const std::string& to) {
  return CopyFileA(from.c_str(), to.c_str(), FALSE) != FALSE;
}

}  // namespace orlavix::platform
