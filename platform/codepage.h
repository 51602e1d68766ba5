// The working code page as the host system defines it.
#pragma once

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
std::string WorkingToUtf8(std::string_view text);

}  // namespace orlavix::platform
