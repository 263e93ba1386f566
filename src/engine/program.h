#pragma once
// The program's names, as its windows, message boxes and files show them.

namespace velmar {

// The caption of message boxes and the guidance line's resting text.
inline constexpr const char* kTitleText = "Velmar  Ver2";
// The first line of every export file and the version box. The version
// itself is the build's (CMakeLists.txt), so the package and the program
// never disagree.
inline constexpr const char* kVersionText = "Velmar  Ver " VELMAR_VERSION;

}  // namespace velmar
