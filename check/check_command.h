// The orlavix-check command, free of any console: arguments in, text out,
// exit code back. main() binds it to the real console.
#pragma once

#include <string>
#include <vector>

#include "analysis/skin_analysis.h"

namespace orlavix::check {

// Where the command writes. Readable text and errors are in the working code
// page (the console binding converts them); JSON is UTF-8 bytes.
class Console {
 public:
  virtual ~Console() = default;
  virtual void Out(const std::string& text) = 0;
  virtual void OutUtf8(const std::string& bytes) = 0;
  virtual void Err(const std::string& text) = 0;
};

// A skin folder and the name of its skin.ini as spelled there.
struct SkinPlace {
  std::string folder;
  std::string iniName;
};

// The skins a PATH names: a skin folder, a folder of skin folders, a skin.ini,
// or a host executable (its root's resources/skins). False with a message
// when there is nothing to check there.
bool FindSkins(const std::string& path, std::vector<SkinPlace>& skins, std::string& error);

// Exit codes.
constexpr int kNoFindings = 0;
constexpr int kFindings = 1;
constexpr int kUsageOrUnreadable = 2;

// Runs the command on its arguments (without the program name), in the
// working code page.
int RunCheck(const std::vector<std::string>& args, Console& console);

// The readable report, working code page, LF line ends; the summary counts
// the paths and skins that could not be read too. quiet leaves out skins
// without findings and the summary.
std::string FormatReadable(const std::vector<SkinResult>& results, std::size_t unreadable, bool quiet);
// The JSON document, UTF-8, LF line ends.
std::string FormatJson(const std::vector<SkinResult>& results, const std::vector<std::string>& errors, bool quiet);

}  // namespace orlavix::check
