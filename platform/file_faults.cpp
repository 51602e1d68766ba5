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

}  // namespace orlavix::platform
