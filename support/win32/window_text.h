// Window texts, message boxes and the refusal of text that the working code
// page cannot hold: every text a window shows or gives back goes through the
// wide functions here, converted at the one boundary (platform/win32/wide_text.h).
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "platform/win32/wide_text.h"

namespace orlavix::win32 {

// The window's whole text.
NarrowText WindowText(HWND window);
void SetText(HWND window, std::string_view text);

// MessageBoxW with working text.
int ShowMessageBox(HWND owner, std::string_view text, std::string_view caption, UINT type);

// Tells the person that `lost` cannot be kept: a warning owned by `owner`,
// caption "報告", with `reason` followed by each character and its code.
void ShowLostCharacters(HWND owner, std::string_view reason, const std::u32string& lost);

}  // namespace orlavix::win32
