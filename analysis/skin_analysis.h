// What a skin holds that the editor or the host reads otherwise than it was
// written: lines a save leaves out, repeated keys, values that do not read
// back as written, the file's encoding, and the image report with what each
// used image file holds. One analysis for orlavix-check and for the editor's
// question before a save. Reads files only.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "document/kept_lines.h"
#include "model/setting_catalogue.h"

namespace orlavix {

// Families in the order a skin's findings are listed.
enum class FindingFamily { Images, Dropped, Duplicate, Value, Encoding, ImageFile };
const char* FindingFamilyName(FindingFamily family);

struct Finding {
  FindingFamily family = FindingFamily::Images;
  std::string code;        // stable ASCII identifier, such as "missing-image"
  std::string file;        // relative to the skin folder, '/' between parts
  int line = 0;            // 1-based line of the file; 0 when none applies
  std::string key;         // the setting key, "" when none
  std::string name;        // the image name of the image findings (lower case)
  std::vector<int> lines;  // every line of a repeated key
  std::string message;     // working code page
  // The message's reason alone, without what a save does about it.
  std::string reason;
  // The line itself as the reader sees it, for a finding of a line without a key.
  std::string lineText;
  // A save leaves out or changes what the finding names.
  bool lostBySave = false;
};

// A name the ticked Controls settings use, with what its file holds.
struct UsedImage {
  std::string name;               // lower case, as the report compares
  std::vector<std::string> keys;  // the settings that name it, in catalogue order
  std::string file;               // "controls/<name as on disk>", "" when missing
  std::string format;             // "png", "bmp", "ico", "" when none or missing
  std::int64_t width = 0, height = 0;  // 0 when unknown
  int states = 0;  // states its first setting with a state list names; 0 when none
};

struct SkinResult {
  std::string name;    // the folder's name
  std::string folder;  // the folder's path, as given or found
  std::vector<Finding> findings;
  std::vector<UsedImage> images;
};

// The four skin catalogues, built once, with their keys by lower case and
// the comment lines the writer puts among their items.
class KnownKeys {
 public:
  KnownKeys();
  // Catalogue of the skin section at index 0..3 (General, Colors, Controls, Settings).
  const SettingCatalogue& Catalogue(int section) const { return catalogues_[section]; }
  // The catalogue's key that equals key without regard to case, or "".
  std::string KeyInOtherCase(int section, const std::string& key) const;
  // A help line or the line of an unticked item of the section (-1: of any).
  bool IsItemCommentLine(int section, std::string_view line) const;
  // A line the editor writes itself in the section (-1: in any): a separator
  // or section comment, a help line or the line of an unticked item.
  bool IsOwnLine(int section, std::string_view line) const;
  // The catalogue's key one or two edits away from key (letter case aside),
  // the nearest first in catalogue order; "" when none is.
  std::string KeyNear(int section, const std::string& key) const;

 private:
  SettingCatalogue catalogues_[4];
  std::unordered_map<std::string, std::string> lowerKeys_[4];
  std::unordered_set<std::string> itemComments_[4];
};

struct AnalysisOptions {
  // The image report and what each used image file holds: lists the
  // controls folder and reads the used images.
  bool images = true;
  // Comment lines of the four sections that the editor did not write.
  // (orlavix-check leaves them alone.)
  bool authorComments = false;
  // A save keeps what the file holds that the catalogues do not carry (the
  // editor option KeepUnknownLines, whose default this is): unknown keys,
  // lines that are no entry, comments, values as written, lines before the
  // first section and sections the reader passes over are then no loss.
  bool keepUnknownLines = true;
};

// Analyses the skin.ini at iniPath (and, with images, the controls folder
// beside it) into result's findings and images. False, with a message in the
// working code page, when the file cannot be read at all. With `kept`, also
// replaces it with what a save keeps of the file (CollectKeptLines): the
// same read serves both.
bool AnalyseSkinFile(const std::string& iniPath, const KnownKeys& known, const AnalysisOptions& options,
                     SkinResult& result, std::string& error, KeptLines* kept = nullptr);

// The same for the skin in folder, which holds skinIniName; result names the
// folder.
bool CheckSkin(const std::string& folder, const std::string& skinIniName, const KnownKeys& known,
               SkinResult& result, std::string& error, const AnalysisOptions& options = AnalysisOptions());

}  // namespace orlavix
