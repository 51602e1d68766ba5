// What a save keeps of the skin.ini on disk that the catalogues do not carry:
// keys no item has, lines that are no entry, the author's comments, values as
// the file writes them, lines before the first section and sections the
// reader passes over. Read from the file just before a save (see
// CollectKeptLines) and written back around the generated lines. Everything
// here is the file's own UTF-8, each line ended by CR LF, so that characters
// the working code page lacks survive.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace orlavix {

// A run of the author's comment lines, or of kept lines, of one section.
struct KeptRun {
  // The item whose lines the run goes directly before (its help line, or
  // its entry line): the item whose entry line followed it in the file. ""
  // for lines that go to the section's end.
  std::string beforeKey;
  std::string lines;
};

// A value of an item as the file writes it, when it does not read back so.
struct WrittenValue {
  std::string utf8;     // the value text after '='
  std::string readsAs;  // how the item formats what it reads (working code page)
};

struct KeptSection {
  // Comment runs and kept lines, in file order.
  std::vector<KeptRun> runs;
  // By key, the values that do not read back as written.
  std::map<std::string, WrittenValue> values;
  // By key, the value of every entry of an item as the loader reads it (the
  // last line of a key given twice), in the working code page: what the
  // file on disk holds now. Nothing a save writes.
  std::map<std::string, std::string> entries;
  // A later header of the section is carried with the other sections: the
  // section is written even with nothing in it, so that it stays the one
  // the reader takes.
  bool headerAgain = false;
};

struct KeptLines {
  // Lines before the first section that the editor did not write.
  std::string top;
  // General, Colors, Controls, Settings, in the order of kSkinSections.
  KeptSection sections[4];
  // A second header of a skin section, or a header line the reader does not
  // list, each with the lines under it: formatted as the other sections'
  // bytes are (an empty line after each block).
  std::string otherBytes;

  bool Empty() const {
    for (const KeptSection& section : sections) {
      if (!section.runs.empty() || !section.values.empty() || section.headerAgain) return false;
    }
    return top.empty() && otherBytes.empty();
  }
  // The item was changed in this editing session: its own form is written.
  void ForgetValue(int section, const std::string& key) { sections[section].values.erase(key); }
};

}  // namespace orlavix
