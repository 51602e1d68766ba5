// Merging skin.ini sections into catalogues, and collecting the sections that
// no catalogue models. Each call reads the file from disk again.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "document/skin_document.h"
#include "model/setting_catalogue.h"
#include "support/messages.h"

namespace orlavix {

// "General", "Colors", "Controls", "Settings": the order the writer uses too.
constexpr const char* kSkinSections[4] = {"General", "Colors", "Controls", "Settings"};

// True when name is one of the four, compared as section headers are.
bool IsSkinSection(std::string_view name);

// Reads skinIniPath into skinText, then applies each entry of the first
// section called `section` with SetFromText (checked = value not empty).
// An unreadable file leaves the catalogue as it is.
void LoadSection(const std::string& skinIniPath, SkinDocument& skinText, std::string_view section,
                 SettingCatalogue& catalogue, Messages& messages);
// The same from a document already read.
void LoadSectionFrom(const SkinDocument& skinText, std::string_view section, SettingCatalogue& catalogue);

// Reads skinIniPath into skinText and replaces extraText with the raw text of
// every other section, each followed by CR LF. With `extraBytes`, replaces it
// too with the same sections as the file's own UTF-8 bytes (CR LF line ends,
// an empty line after each section): what a save writes, so that characters
// the working code page lacks survive. An unreadable file leaves both
// unchanged.
void CollectOtherSections(const std::string& skinIniPath, SkinDocument& skinText, std::string& extraText,
                          Messages& messages, std::string* extraBytes = nullptr);

// The extraBytes of CollectOtherSections alone: all that a save writes. The
// file is read again, but its text is decoded only where the bytes cannot
// be taken as they are. False when the file cannot be read, which leaves
// extraBytes unchanged.
bool CollectOtherSectionBytes(const std::string& skinIniPath, std::string& extraBytes, Messages& messages);

// Collects the other sections as ReadFromFile decodes the file, so that each
// piece is collected while the processor still holds it; whatever that way
// cannot settle is collected from the whole text at the end.
class OtherSectionsCollector : public DecodeWatcher {
 public:
  // Without `wantText`, Finish leaves extraText as it is.
  explicit OtherSectionsCollector(bool wantText = true);
  ~OtherSectionsCollector() override;
  void Expect(std::size_t fileSize) override;
  void Decoded(std::string_view text, std::string_view utf8, bool last) override;
  // The results of CollectOtherSectionsOf(text, utf8, ...) for the text and
  // contents that the read gave.
  void Finish(std::string_view text, std::string_view utf8, std::string& extraText, std::string& extraBytes);
  // Without the text: the bytes, when the pieces settled everything.
  bool FinishBytes(std::string& extraBytes);

  class Fast;
  class Bytes;

 private:
  bool wantText_;
  std::unique_ptr<Fast> fast_;
  std::unique_ptr<Bytes> bytes_;
};

// The same from a text already read: `text` in the working code page and the
// file's contents as SkinFileUtf8 gives them, whose lines match one for one.
void CollectOtherSectionsOf(std::string_view text, std::string_view utf8, std::string& extraText,
                            std::string& extraBytes);

}  // namespace orlavix
