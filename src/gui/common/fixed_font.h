#pragma once
// The data window's font. The program is designed for "ＭＳ ゴシック", a
// Japanese fixed-pitch font in which a Japanese character is exactly two
// columns wide, so that the table's titles stand over their values. Where
// it is not installed, the font fontconfig picks for it in Japanese with
// fixed pitch takes its place (Noto Sans Mono CJK JP, for instance).
#include <QFont>
#include <QString>

namespace velmar {

// A font of `family`, or of the installed Japanese fixed-pitch font that
// stands in for it. `pointSize` 0 leaves the size at its default.
QFont fixedPitchFont(const QString& family, double pointSize = 0);

// Whether the font keeps the columns: every ASCII character the same width
// and a Japanese character twice that.
bool keepsColumns(const QFont& font);

}  // namespace velmar
