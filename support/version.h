// The program's name, version and home, shared by the About dialog, the
// header that every saved skin.ini carries and (through the resource script)
// the file's version information.
#pragma once

#define ORLAVIX_VERSION_NUMBERS 0, 2, 8, 0
#define ORLAVIX_VERSION_TEXT "0.2.8"
#define ORLAVIX_COPYRIGHT_TEXT "Copyright (C) 2026 Orlavix Project"

#ifndef RC_INVOKED
namespace orlavix {

inline constexpr char kProgramName[] = "Orlavix";
inline constexpr char kProgramVersion[] = ORLAVIX_VERSION_TEXT;
inline constexpr char kCopyrightLine[] = ORLAVIX_COPYRIGHT_TEXT;
// The maker's web page: the About dialog's link and the saved file's header.
inline constexpr char kMakerWebAddress[] = "https://orlavix.example/";

// Three lines, each written after "# " in a saved skin.ini.
inline constexpr const char* kCopyrightLines[3] = {
    kCopyrightLine,
    "Written by Orlavix, the skin.ini editor; you may edit it by hand.",
    "Distributed in the hope that it will be useful, but without any warranty.",
};

}  // namespace orlavix
#endif
