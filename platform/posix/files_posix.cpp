// POSIX files: there is no mandatory locking here, so reading simply reads.
// Replacing writes a file beside the old one, syncs it and renames it over.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <new>

#include "platform/codepage.h"
#include "platform/files.h"

namespace orlavix::platform {
namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd = -1) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  void Reset(int fd) {
    Close();
    fd_ = fd;
  }
  // Closes now and says whether the system accepted it (a delayed write error
  // can show up only here).
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return fd < 0 || close(fd) == 0;
  }

 private:
  int fd_;
};

// Paths arrive in the working code page; the file system speaks UTF-8.
std::string NativePath(const std::string& path) { return WorkingToUtf8(path); }

FileError ErrorOf(int error) {
  switch (error) {
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
    case EFBIG:
      return FileError::DiskFull;
    case EACCES:
    case EPERM:
    case EROFS:
      return FileError::ReadOnly;
    case EBUSY:
    case ETXTBSY:
      return FileError::InUse;
    case ENOENT:
      return FileError::Missing;
    default:
      return FileError::Other;
  }
}

bool Fail(FileError* error, FileError why) {
  if (error) *error = why;
  return false;
}

// A fresh file beside `target`, created exclusively; removed again by its
// destructor unless Keep() was called.
class TemporaryFile {
 public:
  TemporaryFile(const std::string& target, mode_t mode) {
    static std::atomic<unsigned> serial{0};
    for (int attempt = 0; attempt < 100 && !file_.valid(); ++attempt) {
      path_ = target + ".~" + std::to_string(getpid()) + "-" + std::to_string(serial++) + ".tmp";
      file_.Reset(open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode));
      if (!file_.valid() && errno != EEXIST) break;
    }
    error_ = file_.valid() ? 0 : errno;
    if (!file_.valid()) path_.clear();  // never remove a file that is not ours
  }
  ~TemporaryFile() {
    file_.Close();
    if (!kept_ && !path_.empty()) unlink(path_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  bool valid() const { return file_.valid(); }
  int error() const { return error_; }
  int fd() const { return file_.get(); }
  const std::string& path() const { return path_; }
  FileDescriptor& file() { return file_; }
  void Keep() { kept_ = true; }

 private:
  std::string path_;
  FileDescriptor file_;
  int error_ = 0;
  bool kept_ = false;
};

// Writes all bytes, or fails with the reason. The fault seam can cut the
// write short after a number of bytes.
bool WriteAll(int fd, std::string_view bytes, std::int64_t failAfter, FileError* error) {
  std::size_t limit = bytes.size();
  const bool cut = failAfter >= 0 && static_cast<std::uint64_t>(failAfter) < bytes.size();
  if (cut) limit = static_cast<std::size_t>(failAfter);
  std::size_t done = 0;
  while (done < limit) {
    const ssize_t put = write(fd, bytes.data() + done, limit - done);
    if (put < 0) {
      if (errno == EINTR) continue;
      return Fail(error, ErrorOf(errno));
    }
    done += static_cast<std::size_t>(put);
  }
  if (cut) return Fail(error, ActiveFileFaults().error);
  return true;
}

// Writes the pieces one after the other; the fault seam counts all of them.
bool WritePieces(int fd, std::initializer_list<std::string_view> pieces, FileError* error) {
  std::int64_t failAfter = ActiveFileFaults().failWriteAfter;
  for (const std::string_view piece : pieces) {
    if (!WriteAll(fd, piece, failAfter, error)) return false;
    if (failAfter >= 0) failAfter -= static_cast<std::int64_t>(piece.size());
  }
  return true;
}

// Flushes the file to the disk and closes it, checking both.
bool SyncAndClose(FileDescriptor& file, bool faultable, FileError* error) {
  if (faultable && ActiveFileFaults().failFlush) return Fail(error, ActiveFileFaults().error);
  if (fsync(file.get()) != 0) return Fail(error, ErrorOf(errno));
  if (!file.Close()) return Fail(error, ErrorOf(errno));
  return true;
}

// The rename itself is made durable by syncing the folder; a folder that
// cannot be opened or synced does not undo a rename that has happened.
void SyncFolderOf(const std::string& nativePath) {
  const std::size_t slash = nativePath.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : nativePath.substr(0, slash);
  FileDescriptor dir(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.valid()) fsync(dir.get());
}

bool Rename(TemporaryFile& temp, const std::string& nativeTarget, FileError* error) {
  if (rename(temp.path().c_str(), nativeTarget.c_str()) != 0) return Fail(error, ErrorOf(errno));
  temp.Keep();
  SyncFolderOf(nativeTarget);
  return true;
}

// Copies `size` bytes from one descriptor to another, in the kernel where it
// can, by reading and writing where it cannot.
bool CopyBytes(int from, int to, std::uint64_t size, std::int64_t failAfter, FileError* error) {
  const bool cut = failAfter >= 0 && static_cast<std::uint64_t>(failAfter) < size;
  const std::uint64_t limit = cut ? static_cast<std::uint64_t>(failAfter) : size;
  std::uint64_t done = 0;
#if defined(__linux__)
  bool kernel = true;
  while (kernel && done < limit) {
    const std::uint64_t want = limit - done < (1u << 30) ? limit - done : (1u << 30);
    const ssize_t got = copy_file_range(from, nullptr, to, nullptr, static_cast<std::size_t>(want), 0);
    if (got > 0) {
      done += static_cast<std::uint64_t>(got);
    } else if (got == 0) {
      break;  // the source shrank
    } else if (errno == EINTR) {
      continue;
    } else if (errno == ENOSYS || errno == EXDEV || errno == EINVAL || errno == EOPNOTSUPP || errno == EBADF) {
      kernel = false;  // fall back to plain reads and writes from where it stopped
    } else {
      return Fail(error, ErrorOf(errno));
    }
  }
  if (kernel || done >= limit) {
    if (cut) return Fail(error, ActiveFileFaults().error);
    return true;
  }
  if (lseek(from, static_cast<off_t>(done), SEEK_SET) < 0) return Fail(error, ErrorOf(errno));
#endif
  char buffer[1 << 16];
  while (done < limit) {
    const std::uint64_t want = limit - done < sizeof buffer ? limit - done : sizeof buffer;
    const ssize_t got = read(from, buffer, static_cast<std::size_t>(want));
    if (got < 0) {
      if (errno == EINTR) continue;
      return Fail(error, ErrorOf(errno));
    }
    if (got == 0) break;
    if (!WriteAll(to, std::string_view(buffer, static_cast<std::size_t>(got)), -1, error)) return false;
    done += static_cast<std::uint64_t>(got);
  }
  if (cut) return Fail(error, ActiveFileFaults().error);
  return true;
}

}  // namespace

ReadStatus ReadWholeFile(const std::string& path, std::string& bytes, ReadSink* sink, FileError* error) {
  bytes.clear();
  if (!ReadMayStart(path, error)) return ReadStatus::Failed;
  const auto failed = [error](FileError why) {
    Fail(error, why);
    return ReadStatus::Failed;
  };
  FileDescriptor file(open(NativePath(path).c_str(), O_RDONLY | O_CLOEXEC));
  if (!file.valid()) return failed(ErrorOf(errno));
  struct stat info {};
  if (fstat(file.get(), &info) != 0) return failed(ErrorOf(errno));
  if (S_ISDIR(info.st_mode)) return failed(FileError::Other);
  const auto size = static_cast<std::uint64_t>(info.st_size);
  if (size >= kReadLimit) return ReadStatus::TooLarge;
  try {
    // Room taken once; each piece is sized just before it is read into, so
    // the zeroing of a resize happens in the cache, not over the whole file.
    bytes.reserve(static_cast<std::size_t>(size));
    const std::size_t piece = ReadPieceSize();
    std::size_t done = 0;
    while (true) {
      const std::size_t want = size - done < piece ? static_cast<std::size_t>(size - done) : piece;
      std::size_t got = 0;
      bytes.resize(done + want);
      while (got < want) {
        const ssize_t n = read(file.get(), &bytes[done + got], want - got);
        if (n < 0) {
          if (errno == EINTR) continue;
          const int why = errno;
          bytes.clear();
          bytes.shrink_to_fit();
          return failed(ErrorOf(why));
        }
        if (n == 0) break;  // the file shrank while we read: keep what is there
        got += static_cast<std::size_t>(n);
      }
      done += got;
      bytes.resize(done);
      const bool last = got < want || done == size;
      if (sink && !sink->Piece(bytes, last)) break;
      if (last) break;
    }
  } catch (const std::bad_alloc&) {
    bytes.clear();
    bytes.shrink_to_fit();
    return failed(FileError::Other);
  }
  return ReadStatus::Ok;
}

bool FileExists(const std::string& path) {
  if (path.empty()) return false;
  struct stat info {};
  return stat(NativePath(path).c_str(), &info) == 0;
}

bool ReadFileStamp(const std::string& path, FileStamp& stamp) {
  struct stat info {};
  if (path.empty() || stat(NativePath(path).c_str(), &info) != 0) return false;
  stamp.size = static_cast<std::uint64_t>(info.st_size);
  stamp.lastWrite = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
  return true;
}

bool WriteWholeFile(const std::string& path, std::string_view bytes) {
  if (path.empty()) return false;
  FileDescriptor file(open(NativePath(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
  if (!file.valid()) return false;
  return WriteAll(file.get(), bytes, -1, nullptr) && file.Close();
}

bool ReplaceFileContents(const std::string& path, std::initializer_list<std::string_view> pieces,
                         FileError* error) {
  if (error) *error = FileError::None;
  if (path.empty()) return Fail(error, FileError::Missing);
  const std::string native = NativePath(path);
  struct stat info {};
  if (stat(native.c_str(), &info) != 0) return Fail(error, ErrorOf(errno));
  if (!S_ISREG(info.st_mode)) return Fail(error, FileError::Other);
  // A file that refuses writing stays as it is, though its folder would let a
  // rename replace it.
  {
    FileDescriptor probe(open(native.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (!probe.valid()) return Fail(error, ErrorOf(errno));
  }
  TemporaryFile temp(native, info.st_mode & 0777);
  if (!temp.valid()) return Fail(error, ErrorOf(temp.error()));
  // Keep the old file's permissions and, where allowed, its owner.
  fchmod(temp.fd(), info.st_mode & 07777);
  if (geteuid() == 0) (void)!fchown(temp.fd(), info.st_uid, info.st_gid);
  if (!WritePieces(temp.fd(), pieces, error)) return false;
  if (!SyncAndClose(temp.file(), true, error)) return false;
  if (ActiveFileFaults().failReplace) return Fail(error, ActiveFileFaults().error);
  return Rename(temp, native, error);
}

bool CopyFileOver(const std::string& from, const std::string& to, FileError* error) {
  if (error) *error = FileError::None;
  if (from.empty() || to.empty()) return Fail(error, FileError::Missing);
  FileDescriptor source(open(NativePath(from).c_str(), O_RDONLY | O_CLOEXEC));
  if (!source.valid()) return Fail(error, ErrorOf(errno));
  struct stat info {};
  if (fstat(source.get(), &info) != 0) return Fail(error, ErrorOf(errno));
  if (!S_ISREG(info.st_mode)) return Fail(error, FileError::Other);
  const std::string target = NativePath(to);
  TemporaryFile temp(target, info.st_mode & 0777);
  if (!temp.valid()) return Fail(error, ErrorOf(temp.error()));
  if (!CopyBytes(source.get(), temp.fd(), static_cast<std::uint64_t>(info.st_size), ActiveFileFaults().failCopyAfter,
                 error)) {
    return false;
  }
  if (!SyncAndClose(temp.file(), false, error)) return false;
  return Rename(temp, target, error);
}

}  // namespace orlavix::platform
