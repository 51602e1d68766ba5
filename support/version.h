// The program's name, version and home, shared by the About dialog and the
// header that every saved skin.ini carries.
#pragma once

namespace orlavix {

constexpr const char* kProgramName = "Orlavix";
constexpr const char* kVersion = "0.2.8";
constexpr const char* kHomePage = "https://orlavix.example.net/";

// Three lines, each written after "# " in a saved skin.ini.
constexpr const char* kCopyrightLines[3] = {
    "Copyright (C) 2026 the Orlavix developers.",
    "Written by Orlavix, the skin.ini editor; you may edit it by hand.",
    "Distributed in the hope that it will be useful, but without any warranty.",
};

}  // namespace orlavix
