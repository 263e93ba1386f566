#pragma once
// The application font: one with every glyph of the Japanese captions.

namespace velmar {

// Sets the first installed of the fonts the program is drawn for; leaves
// Qt's default when none is installed.
void useJapaneseFont();

}  // namespace velmar
