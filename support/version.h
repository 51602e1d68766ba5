// What the version dialog says about the program.
#pragma once

namespace orlavix {

inline constexpr char kProgramName[] = "Orlavix";
inline constexpr char kProgramVersion[] = "0.2.8";
inline constexpr char kCopyrightLine[] = "Copyright (C) 2026 Orlavix Project";
inline constexpr char kMakerWebAddress[] = "https://orlavix.example/";

}  // namespace orlavix
