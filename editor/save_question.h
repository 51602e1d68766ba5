// The question before a save that would leave out or change something that
// skin.ini holds, made from the analysis of the file on disk.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/skin_analysis.h"

namespace orlavix {

// How many findings the question names; the rest are counted.
constexpr std::size_t kSaveQuestionFindings = 12;

// The question in the working code page: the findings that a save leaves out
// or changes, one line each in the order of the file, and the name of the
// backup that the save makes. "" when the save loses nothing.
// At most `characters` characters of text, "…" after it when cut: a file
// may hold lines of any length, and a question shows only their start.
std::string Clipped(std::string_view text, std::size_t characters);

std::string SaveQuestionText(const std::vector<Finding>& findings, const std::string& backupName);

// How a save reads the file on disk before it writes: images are no business
// of a save, the author's comments are; with `keepUnknownLines`, what the
// catalogues do not carry is kept and so no loss.
AnalysisOptions SaveAnalysisOptions(bool keepUnknownLines);

}  // namespace orlavix
