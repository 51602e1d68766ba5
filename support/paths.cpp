#include "support/paths.h"

#include "support/mbtext.h"

namespace orlavix {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Byte index of the last single-byte separator, or npos.
std::size_t LastSeparator(std::string_view path) {
  std::size_t last = std::string_view::npos;
  for (std::size_t i = 0; i < path.size(); i = NextChar(path, i)) {
    if (IsSeparator(path[i])) last = i;
  }
  return last;
}

bool EndsWithSeparator(std::string_view path) {
  const std::size_t last = LastSeparator(path);
  return last != std::string_view::npos && last + 1 == path.size();
}

// Length of the root that a path keeps when its last component is removed:
// "C:\", "\", "/", "\\server\share\" (as far as present), or 0.
std::size_t RootLength(std::string_view path) {
  if (path.size() >= 2 && path[1] == ':' && !IsLeadByte(static_cast<unsigned char>(path[0]))) {
    return path.size() >= 3 && IsSeparator(path[2]) ? 3 : 2;
  }
  if (!path.empty() && IsSeparator(path[0])) return 1;
  return 0;
}

}  // namespace

std::string JoinPath(std::string_view folder, std::string_view name) {
  while (!name.empty() && IsSeparator(name.front())) name.remove_prefix(1);
  std::string out(folder);
  if (out.empty()) return std::string(name);
  if (name.empty()) return out;
  if (!EndsWithSeparator(out)) out += kPathSeparator;
  out.append(name);
  return out;
}

std::string RemoveFileSpec(std::string_view path) {
  const std::size_t root = RootLength(path);
  const std::size_t last = LastSeparator(path);
  // Keep the root's own separator ("C:\a" -> "C:\").
  if (last == std::string_view::npos || last < root) return std::string(path.substr(0, root));
  return std::string(path.substr(0, last));
}

std::string FileNameOf(std::string_view path) {
  std::size_t last = LastSeparator(path);
  if (last != std::string_view::npos && last + 1 == path.size()) {
    // A trailing separator belongs to the last component, as the shell has it.
    const std::size_t before = LastSeparator(path.substr(0, last));
    return std::string(path.substr(before == std::string_view::npos ? 0 : before + 1));
  }
  return std::string(path.substr(last == std::string_view::npos ? 0 : last + 1));
}

std::string ExtensionOf(std::string_view path) {
  const std::string name = FileNameOf(path);
  std::size_t dot = std::string::npos;
  for (std::size_t i = 0; i < name.size(); i = NextChar(name, i)) {
    if (name[i] == '.') dot = i;
    if (name[i] == ' ') dot = std::string::npos;  // the shell ignores a dot followed by a blank
  }
  return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::string StemOf(std::string_view path) {
  std::string name = FileNameOf(path);
  name.resize(name.size() - ExtensionOf(name).size());
  return name;
}

}  // namespace orlavix
