#include "platform/files.h"

namespace orlavix::platform {
namespace {

FileFaults& Faults() {
  static FileFaults faults;
  return faults;
}

}  // namespace

void SetFileFaults(const FileFaults& faults) { Faults() = faults; }

void ClearFileFaults() { Faults() = FileFaults{}; }

const FileFaults& ActiveFileFaults() { return Faults(); }

bool ReadMayStart(const std::string& path, FileError* error) {
  FileError why = FileError::None;
  if (path.empty()) why = FileError::Missing;
  else if (Faults().failRead) why = Faults().error;
  if (error) *error = why;
  return why == FileError::None;
}

namespace {

std::size_t readPiece = kReadPiece;

}  // namespace

void SetReadPieceSize(std::size_t bytes) { readPiece = bytes == 0 ? kReadPiece : bytes; }

std::size_t ReadPieceSize() { return readPiece; }

}  // namespace orlavix::platform
