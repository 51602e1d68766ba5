// The steps of AnalyseSkinFile over one skin.ini, in the order it takes
// them, and what they share. Internal to the analysis.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "analysis/kept_lines_reader.h"
#include "analysis/skin_analysis.h"

namespace orlavix {

class SkinDocument;

namespace analysis_steps {

// The findings of each family as they are found.
class FindingLists {
 public:
  // A finding of the four families about the file's contents is, unless
  // said otherwise, something a save leaves out or changes; its reason is
  // its message.
  Finding& Add(FindingFamily family, const char* code, int line, std::string key, std::string message,
               std::string file = "skin.ini");
  std::vector<Finding>& Of(FindingFamily family) { return lists_[static_cast<int>(family)]; }
  // Appends them to the result's, family by family.
  void Finish(SkinResult& result);

 private:
  static constexpr int kFamilies = 6;
  std::vector<Finding> lists_[kFamilies];
};

struct EntryLine {
  int line;
  std::string value;
};

// What the steps over one file share. `raw` looks into `bytes` or
// `converted`, so the state stays where it was made.
struct SkinFileState {
  SkinFileState() = default;
  SkinFileState(const SkinFileState&) = delete;
  SkinFileState& operator=(const SkinFileState&) = delete;

  std::string bytes;          // the file as read
  std::string converted;      // its contents as UTF-8 when the reader converts them
  std::string_view raw;       // its contents as UTF-8 (not well-formed ones as they are)
  std::string decoded;        // as the editor reads it: DecodeSkinFileBytes of the bytes
  bool wellFormed = true;     // the conversions give well-formed UTF-8
  std::vector<char> invalidLine;  // by line index: not UTF-8 (empty when all are)
  std::map<std::string, std::vector<EntryLine>> entries[4];  // known keys of the loaded sections
  std::map<std::string, int> controlLines;                   // line of each Controls key that wins
  std::vector<std::pair<int, std::string>> keptLines;        // line and key of each setting a save writes
  FindingLists lists;
};

// Reads the file into bytes; false, with error, when it cannot.
bool ReadSkinIni(const std::string& iniPath, std::string& bytes, std::string& error);

// The file's bytes as they are: encoding problems. Fills raw and decoded.
// False when nothing past the first character reads (UTF-16 without a mark).
bool ReportEncoding(SkinFileState& file);

// Lines that are not UTF-8: only a file that is not well-formed has any.
void ReportLinesNotUtf8(SkinFileState& file);

// Walks the lines of text (the decoded file) with the reader's own rules,
// collecting the entries of known keys.
void WalkLines(std::string_view text, const HeaderBlock& header, const KnownKeys& known,
               const AnalysisOptions& options, SkinFileState& file);

// Repeated keys and values, by the line that wins (the last).
void ReportRepeatedKeysAndValues(const KnownKeys& known, const AnalysisOptions& options, SkinFileState& file);

// Characters that the working code page cannot hold, in the settings a save
// writes back from the catalogues.
void ReportCharactersCodePageCannotHold(SkinFileState& file);

// The image report with the editor's own rules, and what each used image
// file holds.
void ReportImages(const SkinDocument& document, const std::string& controlsFolder, const KnownKeys& known,
                  const std::map<std::string, int>& controlLines, FindingLists& lists, std::vector<UsedImage>& images);

}  // namespace analysis_steps
}  // namespace orlavix
