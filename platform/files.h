// Host file services. Paths are in the working code page; contents are raw
// bytes. Each operation keeps the sharing rules the program relies on.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orlavix::platform {

// Files this large or larger are refused before anything is allocated: their
// size does not fit the 32 bits the program keeps sizes in.
constexpr std::uint64_t kReadLimit = std::uint64_t{1} << 32;

enum class ReadStatus { Ok, Failed, TooLarge };

// Reads the whole file into bytes. On Windows the file is opened with no
// sharing, so a file another program holds open is not read. On anything but
// Ok, bytes is left empty.
ReadStatus ReadWholeFile(const std::string& path, std::string& bytes);

// True when path names an existing file or folder.
bool FileExists(const std::string& path);

// Creates the file anew (or empties it) and writes all bytes. On Windows it is
// opened with no sharing, so a file that another program holds open fails.
bool WriteWholeFile(const std::string& path, std::string_view bytes);

// Copies a file byte for byte, replacing the target if it exists.
bool CopyFileOver(const std::string& from, const std::string& to);

}  // namespace orlavix::platform
