#pragma once
// The solar eclipses seen from a site as texts: the lines velmar-cli
// prints, the 日食 window's cells and its file, clipboard and printer
// outputs. UTF-8 lines without their ends; files get Shift-JIS and CR LF
// where they are written (config/text_file.h).
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "astro/solar_eclipses.h"
#include "output/almanac_text.h"

namespace velmar {

// 部分日食 金環日食 皆既日食 金環皆既日食, and the same names for what a site sees.
const char* solarKindName(solar::Kind kind);
const char* localKindName(solar::LocalKind kind);

// "YYYY/MM/DD HH:MM:SS" in JST; "--" when there is none.
std::string jstText(const std::optional<double>& jdUt);

// The columns of a local eclipse's line: the kind, the five contacts, 食分,
// 面積比 and the Sun's altitude at the maximum.
inline constexpr size_t kLocalEclipseColumns = 9;
const std::array<const char*, kLocalEclipseColumns>& localEclipseTitles();
std::string localEclipseHeader(char separator);
// 食分 and 面積比 to four decimals, the altitude (refraction included) to one.
std::vector<std::string> localEclipseCells(const solar::LocalEclipse& e);
std::string localEclipseLine(const solar::LocalEclipse& e, char separator);
// A file's lines: the site line, the header, one line per eclipse.
std::vector<std::string> localEclipseLines(const std::vector<solar::LocalEclipse>& eclipses,
                                           const AlmanacSite& site, char separator);
// The printer's listing: the same columns lined up with blanks.
std::vector<std::string> localEclipseListing(const std::vector<solar::LocalEclipse>& eclipses,
                                             const AlmanacSite& site);
// 日出帯食 / 日入帯食, both joined by "、", or empty.
std::string horizonNote(const solar::LocalEclipse& e);
// Each contact with the Sun's altitude and azimuth, one per line, and the
// eclipse as a whole (its kind, magnitude and greatest eclipse).
std::string localEclipseDetail(const solar::LocalEclipse& e);

}  // namespace velmar
