// The one item the program's windows add to their system menu.
#pragma once

#include <windows.h>

#include <string>

namespace orlavix::win32 {

// Inserts a string item `text` (working code page) with the command
// kSystemMenuItemCommand at the top of the window's system menu, and a
// separator under it.
void AddSystemMenuItem(HWND window, const std::string& text);

}  // namespace orlavix::win32
