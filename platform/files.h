// Host file services. Paths are in the working code page; contents are raw
// bytes. Each operation keeps the sharing rules the program relies on.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace orlavix::platform {

// Files this large or larger are refused before anything is allocated: their
// size does not fit the 32 bits the program keeps sizes in.
constexpr std::uint64_t kReadLimit = std::uint64_t{1} << 32;

enum class ReadStatus { Ok, Failed, TooLarge };

// Why a file operation failed, as far as the system says.
enum class FileError {
  None,
  InUse,     // another program holds the file open (Windows sharing rules)
  ReadOnly,  // the file or its folder refuses writing: attribute, rights, medium
  DiskFull,  // no room left (or over quota)
  Missing,   // the file to read or replace does not exist
  Other,
};

// Told of a file piece by piece as it is read, so that work on the bytes can
// follow the reading while they are still in the processor's cache.
class ReadSink {
 public:
  virtual ~ReadSink() = default;
  // Called after each piece (about 256 KiB) with all bytes read so far; the
  // sink may rewrite what came before, but not resize the buffer. `last` is
  // true once, for the final piece. Returning false ends the reading there.
  virtual bool Piece(std::string& bytes, bool last) = 0;
};

// Reads the whole file into bytes. The file is opened sharing reading,
// writing and deleting with other programs, so a file that a sync client,
// a scanner or an editor holds open is still read. On anything but Ok, bytes
// is left empty and `error` (when given) says why, as far as the system does.
// With a sink, each piece is handed to it as it arrives.
ReadStatus ReadWholeFile(const std::string& path, std::string& bytes, ReadSink* sink = nullptr,
                         FileError* error = nullptr);

// The piece size of ReadWholeFile.
constexpr std::size_t kReadPiece = 256 * 1024;
// Tests read in pieces of their own size, down to one byte, to reach every
// boundary with small files; 0 restores kReadPiece.
void SetReadPieceSize(std::size_t bytes);
std::size_t ReadPieceSize();

// True when path names an existing file or folder.
bool FileExists(const std::string& path);

// What tells one state of a file from the next without reading it.
struct FileStamp {
  std::uint64_t size = 0;
  std::int64_t lastWrite = 0;  // in the system's own units
  bool operator==(const FileStamp& other) const { return size == other.size && lastWrite == other.lastWrite; }
  bool operator!=(const FileStamp& other) const { return !(*this == other); }
};
// False when the file cannot be found or asked.
bool ReadFileStamp(const std::string& path, FileStamp& stamp);

// Creates the file anew (or empties it) and writes all bytes. On Windows it is
// opened with no sharing, so a file that another program holds open fails.
// Writes in place: a failure midway leaves a partial file. Use
// ReplaceFileContents for files whose loss matters.
bool WriteWholeFile(const std::string& path, std::string_view bytes);

// Replaces the contents of the existing file at path in one step: the bytes go
// to a temporary file in the same folder, are flushed to the disk, and that
// file then takes the old one's place. On any failure the old file is exactly
// as it was and the temporary file is gone. A file that another program holds
// open (Windows) or that is read-only is not replaced.
// The new contents may come in pieces, written one after the other.
bool ReplaceFileContents(const std::string& path, std::initializer_list<std::string_view> pieces,
                         FileError* error = nullptr);
inline bool ReplaceFileContents(const std::string& path, std::string_view bytes, FileError* error = nullptr) {
  return ReplaceFileContents(path, {bytes}, error);
}

// Copies a file byte for byte, replacing the target if it exists. The copy is
// made beside the target under a temporary name and renamed when complete,
// so the target is either untouched or a whole copy.
bool CopyFileOver(const std::string& from, const std::string& to, FileError* error = nullptr);

// Faults the file layer makes on purpose, so that tests can walk every failure
// path of a save on any disk. Active until cleared; not thread-safe (tests set
// them on the thread that saves).
struct FileFaults {
  // ReplaceFileContents: writing the new file fails after this many bytes;
  // flushing it fails; putting it in the old one's place fails.
  std::int64_t failWriteAfter = -1;
  bool failFlush = false;
  bool failReplace = false;
  // CopyFileOver: the copy fails after this many bytes.
  std::int64_t failCopyAfter = -1;
  // ReadWholeFile: every read fails, as a file locked for reading does.
  bool failRead = false;
  FileError error = FileError::DiskFull;  // what the failing step reports
};
void SetFileFaults(const FileFaults& faults);
void ClearFileFaults();
const FileFaults& ActiveFileFaults();

// What every system's ReadWholeFile settles before it opens the file: sets
// `error` to None, or to why the read fails already (no name, a read fault).
bool ReadMayStart(const std::string& path, FileError* error);

}  // namespace orlavix::platform
