// Path helpers in the manner of the shell's path functions, stepping through
// multibyte text by character, so a trail byte 0x5C is never taken for a
// separator. Both '\' and '/' separate components when a path is taken apart;
// joining uses the platform's own separator.
#pragma once

#include <string>
#include <string_view>

namespace orlavix {

#ifdef _WIN32
constexpr char kPathSeparator = '\\';
#else
constexpr char kPathSeparator = '/';
#endif

// folder + one separator + name (PathAppendA): no separator is doubled; an
// empty folder gives the name, an empty name the folder.
std::string JoinPath(std::string_view folder, std::string_view name);

// The path without its last component and the separator before it
// (PathRemoveFileSpecA): "C:\a\b.exe" -> "C:\a", "C:\a" -> "C:\", "b" -> "".
std::string RemoveFileSpec(std::string_view path);

// The last component (PathFindFileNameA): "C:\a\b.exe" -> "b.exe".
std::string FileNameOf(std::string_view path);

// The extension of the last component with its dot, or empty
// (PathFindExtensionA): "b.tar.gz" -> ".gz", "b" -> "".
std::string ExtensionOf(std::string_view path);

// The last component without its extension (PathRemoveExtensionA on the name).
std::string StemOf(std::string_view path);

}  // namespace orlavix
