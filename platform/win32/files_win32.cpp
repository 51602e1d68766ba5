// Win32 files: read sharing everything with other programs, so that a file a
// sync client or a scanner holds open is still read; written only when nobody
// else holds the file. Replacing writes a file beside the old one, flushes it
// and swaps it in with ReplaceFileA.
#include <windows.h>

#include <cstdint>
#include <new>
#include <stdexcept>

#include "platform/files.h"
#include "platform/win32/guards.h"
#include "platform/win32/wide_text.h"

namespace orlavix::platform {
namespace {

using win32::Wide;
using FileHandle = win32::UniqueFile;

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;


FileError ErrorOf(DWORD error) {
  switch (error) {
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
    case ERROR_UNABLE_TO_REMOVE_REPLACED:
      return FileError::InUse;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_NOT_READY:
      return FileError::ReadOnly;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return FileError::DiskFull;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return FileError::Missing;
    default:
      return FileError::Other;
  }
}

bool Fail(FileError* error, FileError why) {
  if (error) *error = why;
  return false;
}

bool FailWithLastError(FileError* error) { return Fail(error, ErrorOf(GetLastError())); }

// A fresh file beside `target`, created exclusively; removed again by its
// destructor unless Keep() was called.
class TemporaryFile {
 public:
  explicit TemporaryFile(const std::string& target, bool create = true) {
    static LONG serial = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
      path_ = target + ".~" + std::to_string(GetCurrentProcessId()) + "-" +
              std::to_string(InterlockedIncrement(&serial)) + ".tmp";
      if (!create) {
        if (GetFileAttributesW(Wide(path_).c_str()) == INVALID_FILE_ATTRIBUTES) return;
        continue;
      }
      file_.Reset(CreateFileW(Wide(path_).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
      if (file_) return;
      error_ = GetLastError();
      if (error_ != ERROR_FILE_EXISTS && error_ != ERROR_ALREADY_EXISTS) break;
    }
    path_.clear();  // never remove a file that is not ours
  }
  ~TemporaryFile() {
    file_.Close();
    if (!kept_ && !path_.empty()) {
      SetFileAttributesW(Wide(path_).c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileW(Wide(path_).c_str());
    }
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  bool named() const { return !path_.empty(); }
  DWORD error() const { return error_; }
  const std::string& path() const { return path_; }
  FileHandle& file() { return file_; }
  void Keep() { kept_ = true; }

 private:
  std::string path_;
  FileHandle file_;
  DWORD error_ = ERROR_FILE_EXISTS;
  bool kept_ = false;
};

bool WriteAll(HANDLE file, std::string_view bytes, std::int64_t failAfter, FileError* error) {
  std::size_t limit = bytes.size();
  const bool cut = failAfter >= 0 && static_cast<std::uint64_t>(failAfter) < bytes.size();
  if (cut) limit = static_cast<std::size_t>(failAfter);
  std::size_t done = 0;
  while (done < limit) {
    const std::size_t left = limit - done;
    const DWORD want = left > 0x40000000u ? 0x40000000u : static_cast<DWORD>(left);
    DWORD put = 0;
    if (!WriteFile(file, bytes.data() + done, want, &put, nullptr)) return FailWithLastError(error);
    if (put == 0) return Fail(error, FileError::Other);
    done += put;
  }
  if (cut) return Fail(error, ActiveFileFaults().error);
  return true;
}

// Writes the pieces one after the other; the fault seam counts all of them.
bool WritePieces(HANDLE file, std::initializer_list<std::string_view> pieces, FileError* error) {
  std::int64_t failAfter = ActiveFileFaults().failWriteAfter;
  for (const std::string_view piece : pieces) {
    if (!WriteAll(file, piece, failAfter, error)) return false;
    if (failAfter >= 0) failAfter -= static_cast<std::int64_t>(piece.size());
  }
  return true;
}

bool FlushAndClose(FileHandle& file, bool faultable, FileError* error) {
  if (faultable && ActiveFileFaults().failFlush) return Fail(error, ActiveFileFaults().error);
  if (!FlushFileBuffers(file.Get())) return FailWithLastError(error);
  if (!file.Close()) return FailWithLastError(error);
  return true;
}

// The fault seam's copy: the bytes a real copy would write, cut short.
bool CopyCutShort(const std::string& from, HANDLE to, std::int64_t failAfter, FileError* error) {
  FileHandle source(CreateFileW(Wide(from).c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!source) return FailWithLastError(error);
  std::int64_t left = failAfter;
  char buffer[1 << 16];
  while (left > 0) {
    DWORD got = 0;
    const DWORD want = left < static_cast<std::int64_t>(sizeof buffer) ? static_cast<DWORD>(left) : sizeof buffer;
    if (!ReadFile(source.Get(), buffer, want, &got, nullptr)) return FailWithLastError(error);
    if (got == 0) return true;  // the whole file fitted before the fault
    if (!WriteAll(to, std::string_view(buffer, got), -1, error)) return false;
    left -= got;
  }
  LARGE_INTEGER size{};
  if (GetFileSizeEx(source.Get(), &size) && size.QuadPart <= failAfter) return true;
  return Fail(error, ActiveFileFaults().error);
}

}  // namespace

ReadStatus ReadWholeFile(const std::string& path, std::string& bytes, ReadSink* sink, FileError* error) {
  bytes.clear();
  if (!ReadMayStart(path, error)) return ReadStatus::Failed;
  const auto failed = [error](FileError why) {
    Fail(error, why);
    return ReadStatus::Failed;
  };
  FileHandle file(CreateFileW(Wide(path).c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) return failed(ErrorOf(GetLastError()));
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0) return failed(ErrorOf(GetLastError()));
  if (static_cast<std::uint64_t>(size.QuadPart) >= kReadLimit) return ReadStatus::TooLarge;
  const auto total = static_cast<std::uint64_t>(size.QuadPart);
  if (total > static_cast<std::uint64_t>(SIZE_MAX - 1)) return failed(FileError::Other);  // 32-bit build
  try {
    // Room taken once; each piece is sized just before it is read into, so
    // the zeroing of a resize happens in the cache, not over the whole file.
    bytes.reserve(static_cast<std::size_t>(total));
    const std::size_t piece = ReadPieceSize();
    std::size_t done = 0;
    while (true) {
      const std::size_t want = total - done < piece ? static_cast<std::size_t>(total - done) : piece;
      std::size_t got = 0;
      bytes.resize(done + want);
      while (got < want) {
        DWORD n = 0;
        if (!ReadFile(file.Get(), &bytes[done + got], static_cast<DWORD>(want - got), &n, nullptr)) {
          const DWORD why = GetLastError();
          bytes.clear();
          bytes.shrink_to_fit();
          return failed(ErrorOf(why));
        }
        if (n == 0) break;  // the file shrank: keep what is there
        got += n;
      }
      done += got;
      bytes.resize(done);
      const bool last = got < want || done == total;
      if (sink && !sink->Piece(bytes, last)) break;
      if (last) break;
    }
  } catch (const std::bad_alloc&) {
    bytes.clear();
    bytes.shrink_to_fit();
    return failed(FileError::Other);
  } catch (const std::length_error&) {
    bytes.clear();
    return failed(FileError::Other);
  }
  return ReadStatus::Ok;
}

bool FileExists(const std::string& path) {
  if (path.empty()) return false;
  return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool ReadFileStamp(const std::string& path, FileStamp& stamp) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (path.empty() || !GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &data)) return false;
  stamp.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  stamp.lastWrite = static_cast<std::int64_t>((static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                                              data.ftLastWriteTime.dwLowDateTime);
  return true;
}

bool WriteWholeFile(const std::string& path, std::string_view bytes) {
  if (path.empty()) return false;
  FileHandle file(CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) return false;
  return WriteAll(file.Get(), bytes, -1, nullptr) && file.Close();
}

bool ReplaceFileContents(const std::string& path, std::initializer_list<std::string_view> pieces,
                         FileError* error) {
  if (error) *error = FileError::None;
  if (path.empty()) return Fail(error, FileError::Missing);
  const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return FailWithLastError(error);
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return Fail(error, FileError::Other);
  if (attributes & FILE_ATTRIBUTE_READONLY) return Fail(error, FileError::ReadOnly);
  // Opening it for writing with no sharing is the test the program has always
  // made: a file that another program holds open in any way is left alone.
  {
    FileHandle probe(CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                 nullptr));
    if (!probe) return FailWithLastError(error);
  }
  TemporaryFile temp(path);
  if (!temp.named()) return Fail(error, ErrorOf(temp.error()));
  if (!WritePieces(temp.file().Get(), pieces, error)) return false;
  if (!FlushAndClose(temp.file(), true, error)) return false;
  if (ActiveFileFaults().failReplace) return Fail(error, ActiveFileFaults().error);
  // Hidden or system stays so, whichever way the new file is put in place.
  SetFileAttributesW(Wide(temp.path()).c_str(), attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                                        FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED));
  // ReplaceFileA keeps the old file's attributes, rights and creation time.
  if (ReplaceFileW(Wide(path).c_str(), Wide(temp.path()).c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                   nullptr)) {
    temp.Keep();
    return true;
  }
  const DWORD failure = GetLastError();
  // When the old file has already been moved aside, finishing the move is the
  // only way to leave a skin.ini in place: the new file is whole and flushed.
  if (failure == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2 ||
      (GetFileAttributesW(Wide(path).c_str()) == INVALID_FILE_ATTRIBUTES && FileExists(temp.path()))) {
    if (MoveFileExW(Wide(temp.path()).c_str(), Wide(path).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      temp.Keep();
      return true;
    }
    return FailWithLastError(error);
  }
  return Fail(error, ErrorOf(failure));
}

bool CopyFileOver(const std::string& from, const std::string& to, FileError* error) {
  if (error) *error = FileError::None;
  if (from.empty() || to.empty()) return Fail(error, FileError::Missing);
  const std::int64_t failAfter = ActiveFileFaults().failCopyAfter;
  TemporaryFile temp(to, failAfter >= 0);
  if (!temp.named()) return Fail(error, ErrorOf(temp.error()));
  if (failAfter >= 0) {
    if (!CopyCutShort(from, temp.file().Get(), failAfter, error)) return false;
  } else {
    if (!CopyFileW(Wide(from).c_str(), Wide(temp.path()).c_str(), TRUE)) return FailWithLastError(error);
    // The copy takes the source's attributes; a read-only copy could neither
    // be flushed here nor replace an older backup.
    SetFileAttributesW(Wide(temp.path()).c_str(), FILE_ATTRIBUTE_NORMAL);
    temp.file().Reset(CreateFileW(Wide(temp.path()).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!temp.file()) return FailWithLastError(error);
  }
  if (!FlushAndClose(temp.file(), false, error)) return false;
  if (!MoveFileExW(Wide(temp.path()).c_str(), Wide(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return FailWithLastError(error);
  }
  temp.Keep();
  return true;
}

}  // namespace orlavix::platform
