// The program's name, version and home, shared by the About dialog and the
// header that every saved skin.ini carries.
#pragma once

namespace orlavix {

inline constexpr char kProgramName[] = "Orlavix";
inline constexpr char kProgramVersion[] = "0.2.8";
inline constexpr char kCopyrightLine[] = "Copyright (C) 2026 Orlavix Project";
// The maker's web page: the About dialog's link and the saved file's header.
inline constexpr char kMakerWebAddress[] = "https://orlavix.example/";

// Three lines, each written after "# " in a saved skin.ini.
inline constexpr const char* kCopyrightLines[3] = {
    kCopyrightLine,
    "Written by Orlavix, the skin.ini editor; you may edit it by hand.",
    "Distributed in the hope that it will be useful, but without any warranty.",
};

}  // namespace orlavix
