// Writing skin.ini back in the program's fixed layout, after a numbered backup.
#pragma once

#include <string>
#include <string_view>

#include "document/kept_lines.h"
#include "model/setting_catalogue.h"

namespace orlavix {

// "#" followed by 78 "=".
extern const char* const kSeparatorLine;

// What decides which lines a section writes.
struct SectionStyle {
  bool onlyChecked = true;  // the "save only ticked items" box
  bool helpLines = true;    // the "OutputHelpString" editor option
};

// The help comment of an item: the description without ideographic spaces,
// trimmed; "" when nothing remains.
std::string HelpText(std::string_view description);

// The header comment that opens the file, without a final LF.
std::string HeaderComment(std::string_view descriptionText);

// The help line written before an item's entry line: "# " and its HelpText;
// "" when that is empty.
std::string HelpLine(const SettingItem& item);
// The entry line of an item that is not ticked: "#", its key and "=".
std::string UntickedEntryLine(const SettingItem& item);

// True for a comment line that the writer puts around the sections whatever
// the items hold: the separator line, a section's comment, and the title of
// the other sections. (The header comment is HeaderComment's.)
bool IsSectionCommentLine(std::string_view line);

// Appends the section's block (head and item lines, LF line ends) to text, or
// nothing when no item writes an entry line.
void WriteSection(std::string_view comment, std::string_view sectionName, const SettingCatalogue& catalogue,
                  bool first, const SectionStyle& style, std::string& text);

// The skin catalogues and collected other sections that make up one file.
struct SkinContent {
  const SettingCatalogue& general;
  const SettingCatalogue& colors;
  const SettingCatalogue& controls;
  const SettingCatalogue& settings;
  const std::string& extraText;
  // The other sections as the file's own bytes (CollectOtherSections with
  // extraBytes); when given, the file carries these instead of extraText.
  const std::string* extraBytes = nullptr;
  // What the file on disk holds that the catalogues do not carry, written
  // back in its places: its lines before the header, comment runs before the
  // item they preceded, kept lines at each section's end, values as written,
  // and the sections the reader passes over after the other sections. The
  // text forms (BuildSkinText) leave it out.
  const KeptLines* kept = nullptr;
};

// The whole file's text in the working code page, LF line ends.
std::string BuildSkinText(SkinContent content, const SectionStyle& style);

// The whole file as it goes to disk: UTF-8, CR LF line ends. The generated
// part comes from the working code page; the other sections are carried over
// as their own bytes when the content has them.
std::string BuildSkinFile(SkinContent content, const SectionStyle& style);

// CR LF -> LF, LF CR -> LF, CR -> LF, then LF -> CR LF.
std::string NormalizeLineEnds(std::string_view text);

// How many line ends (CR LF pairs) NormalizeLineEnds makes of one run of CR
// and LF bytes: the four replacements never reach across other bytes.
std::size_t LineEndsInRun(std::string_view run);

// A text of the working code page as the file holds it: line ends
// normalised, then UTF-8.
std::string EncodeSkinText(std::string_view text);

// path followed by ".%03d" of number.
std::string BackupName(const std::string& path, int number);

// The name the next backup of path takes: the lowest free path.000 ...
// path.999, or path.999 when all exist.
std::string NextBackupName(const std::string& path);

// Why a save failed, for the warning the person sees.
enum class SaveError { None, Backup, InUse, ReadOnly, DiskFull, Other };

// Copies the file to the lowest free path.000 ... path.999 (999 again when all
// exist). False when there is no file or the copy fails; a failed copy leaves
// no new or damaged numbered file behind. `error` (when given) says why: InUse
// when another program holds the file, DiskFull, otherwise Backup.
bool BackupSkinFile(const std::string& path, SaveError* error = nullptr);

// Backs the file up, then replaces it with the text as UTF-8 with CR LF line
// ends (EncodeSkinText). False when anything fails; skin.ini is then exactly as
// it was, and `error` (when given) says why.
bool WriteSkinFile(const std::string& path, std::string_view text, SaveError* error = nullptr);

// As WriteSkinFile, for a file already encoded (BuildSkinFile).
bool WriteSkinBytes(const std::string& path, std::string_view bytes, SaveError* error = nullptr);

// Saves the skin: the bytes of BuildSkinFile, written as WriteSkinBytes does,
// with the other sections written straight from content.extraBytes rather
// than copied behind the generated part first.
bool SaveSkinContent(const std::string& path, SkinContent content, const SectionStyle& style,
                     SaveError* error = nullptr);

}  // namespace orlavix
