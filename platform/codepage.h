// The working code page as the host system defines it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orlavix::platform {

// GetACP() on Windows; 932 elsewhere.
unsigned WorkingCodePage();

// Lead-byte test of the working code page (IsDBCSLeadByte on Windows).
bool IsDbcsLeadByte(unsigned char c);

// Byte-for-byte conversions; never throw, never truncate: what cannot be
// represented becomes the code page's default character.
std::string Utf8ToWorking(std::string_view utf8);
// The same, saying whether every byte belonged to a well-formed character
// (false where the platform's converter does not tell).
std::string Utf8ToWorking(std::string_view utf8, bool& wellFormed);
std::string WorkingToUtf8(std::string_view text);

// Utf8ToWorking of buffer[from, end), put in place of the whole buffer.
void Utf8ToWorkingInPlace(std::string& buffer, std::size_t from);

// WorkingToUtf8 of the text after each run of CR and LF bytes in it has
// become lineEnds(run) CR LF pairs; in one pass where the platform can.
std::string WorkingToUtf8CrLf(std::string_view text, std::size_t (*lineEnds)(std::string_view run));

}  // namespace orlavix::platform
