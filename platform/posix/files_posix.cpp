// POSIX files: there is no mandatory locking here, so reading simply reads.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>

#include "platform/codepage.h"
#include "platform/files.h"

namespace orlavix::platform {
namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }

 private:
  int fd_;
};

// Paths arrive in the working code page; the file system speaks UTF-8.
std::string NativePath(const std::string& path) { return WorkingToUtf8(path); }

}  // namespace

ReadStatus ReadWholeFile(const std::string& path, std::string& bytes) {
  bytes.clear();
  if (path.empty()) return ReadStatus::Failed;
  FileDescriptor file(open(NativePath(path).c_str(), O_RDONLY | O_CLOEXEC));
  if (!file.valid()) return ReadStatus::Failed;
  struct stat info {};
  if (fstat(file.get(), &info) != 0 || S_ISDIR(info.st_mode)) return ReadStatus::Failed;
  const auto size = static_cast<std::uint64_t>(info.st_size);
  if (size >= kReadLimit) return ReadStatus::TooLarge;
  try {
    bytes.resize(static_cast<std::size_t>(size));
  } catch (const std::bad_alloc&) {
    bytes.clear();
    return ReadStatus::Failed;
  }
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t got = read(file.get(), &bytes[done], bytes.size() - done);
    if (got < 0) {
      if (errno == EINTR) continue;
      bytes.clear();
      bytes.shrink_to_fit();
      return ReadStatus::Failed;
    }
    if (got == 0) break;  // the file shrank while we read: keep what is there
    done += static_cast<std::size_t>(got);
  }
  bytes.resize(done);
  return ReadStatus::Ok;
}

bool FileExists(const std::string& path) {
  if (path.empty()) return false;
  struct stat info {};
  return stat(NativePath(path).c_str(), &info) == 0;
}

bool WriteWholeFile(const std::string& path, std::string_view bytes) {
  if (path.empty()) return false;
  FileDescriptor file(open(NativePath(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
  if (!file.valid()) return false;
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t put = write(file.get(), bytes.data() + done, bytes.size() - done);
    if (put < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(put);
  }
  return true;
}

bool CopyFileOver(const std::string& from, const std::string& to) {
  std::string bytes;
  if (ReadWholeFile(from, bytes) != ReadStatus::Ok) return false;
  return WriteWholeFile(to, bytes);
}

}  // namespace orlavix::platform
