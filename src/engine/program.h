#pragma once
// The program's names, as its windows, message boxes and files show them.

namespace velmar {

// The caption of message boxes and the guidance line's resting text.
inline constexpr const char* kTitleText = "Velmar  Ver2";
// The first line of every export file and the version box.
inline constexpr const char* kVersionText = "Velmar  Ver 2.80a";

}  // namespace velmar
