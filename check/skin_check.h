// Checks one skin folder the way the editor and the host will see it: the
// image report, what the next save drops, repeated keys, values that do not
// read back as written, the file's encoding and the image files' headers.
// Reads files only.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/setting_catalogue.h"

namespace orlavix::check {

// Families in the order a skin's findings are listed.
enum class Family { Images, Dropped, Duplicate, Value, Encoding, ImageFile };
const char* FamilyName(Family family);

struct Finding {
  Family family = Family::Images;
  std::string code;        // stable ASCII identifier, such as "missing-image"
  std::string file;        // relative to the skin folder, '/' between parts
  int line = 0;            // 1-based line of the file; 0 when none applies
  std::string key;         // the setting key, "" when none
  std::string name;        // the image name of the image findings (lower case)
  std::vector<int> lines;  // every line of a repeated key
  std::string message;     // working code page
};

// A name the ticked Controls settings use, with what its file holds.
struct UsedImage {
  std::string name;               // lower case, as the report compares
  std::vector<std::string> keys;  // the settings that name it, in catalogue order
  std::string file;               // "controls/<name as on disk>", "" when missing
  std::string format;             // "png", "bmp", "ico", "" when none or missing
  std::int64_t width = 0, height = 0;  // 0 when unknown
};

struct SkinResult {
  std::string name;    // the folder's name
  std::string folder;  // the folder's path, as given or found
  std::vector<Finding> findings;
  std::vector<UsedImage> images;
};

// The four skin catalogues, built once, with their keys by lower case.
class KnownKeys {
 public:
  KnownKeys();
  // Catalogue of the skin section at index 0..3 (General, Colors, Controls, Settings).
  const SettingCatalogue& Catalogue(int section) const { return catalogues_[section]; }
  // The catalogue's key that equals key without regard to case, or "".
  std::string KeyInOtherCase(int section, const std::string& key) const;

 private:
  SettingCatalogue catalogues_[4];
  std::unordered_map<std::string, std::string> lowerKeys_[4];
};

// Checks the skin in folder (which holds skinIniName). False, with a message
// in the working code page, when its skin.ini cannot be read at all.
bool CheckSkin(const std::string& folder, const std::string& skinIniName, const KnownKeys& known,
               SkinResult& result, std::string& error);

}  // namespace orlavix::check
