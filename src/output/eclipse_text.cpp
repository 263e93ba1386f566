#include "output/eclipse_text.h"

#include <cmath>

#include "engine/numtext.h"

namespace velmar {

const char* solarKindName(solar::Kind kind) {
  switch (kind) {
    case solar::Kind::Partial:
      return "部分日食";
    case solar::Kind::Annular:
      return "金環日食";
    case solar::Kind::Total:
      return "皆既日食";
    case solar::Kind::Hybrid:
      return "金環皆既日食";
  }
  return "";
}

const char* localKindName(solar::LocalKind kind) {
  switch (kind) {
    case solar::LocalKind::Partial:
      return "部分日食";
    case solar::LocalKind::Annular:
      return "金環日食";
    case solar::LocalKind::Total:
      return "皆既日食";
  }
  return "";
}

std::string jstText(const std::optional<double>& jdUt) {
  if (!jdUt) return "--";
  const almanac::JstTime j = almanac::jstOf(*jdUt);
  return formatInt(j.year) + "/" + twoDigits(j.month) + "/" + twoDigits(j.day) + " " +
         twoDigits(j.hour) + ":" + twoDigits(j.minute) + ":" + twoDigits(j.second);
}

const std::array<const char*, kLocalEclipseColumns>& localEclipseTitles() {
  static const std::array<const char*, kLocalEclipseColumns> titles = {
      "種類",       "食の始め", "第2接触", "食の最大",         "第3接触",
      "食の終わり", "食分",     "面積比",  "最大時の太陽高度",
  };
  return titles;
}

std::string localEclipseHeader(char separator) {
  std::string out;
  for (const char* t : localEclipseTitles()) {
    if (!out.empty()) out += separator;
    out += t;
  }
  return out;
}

namespace {

std::optional<double> instantOf(const std::optional<solar::Contact>& c) {
  return c ? std::optional<double>(c->jd) : std::nullopt;
}

// A tenth of a degree below the horizon that rounds to nothing reads 0.0,
// not -0.0.
std::string angleText(double degrees) {
  return formatFixed(std::nearbyint(degrees * 10) / 10 + 0.0, 1, 1, false);
}

}  // namespace

std::vector<std::string> localEclipseCells(const solar::LocalEclipse& e) {
  return {
      localKindName(e.kind),
      jstText(e.begin.jd),
      jstText(instantOf(e.secondContact)),
      jstText(e.maximum.jd),
      jstText(instantOf(e.thirdContact)),
      jstText(e.end.jd),
      formatFixed(e.magnitude, 1, 4, false),
      formatFixed(e.obscuration, 1, 4, false),
      angleText(e.maximum.altitude),
  };
}

std::string localEclipseLine(const solar::LocalEclipse& e, char separator) {
  std::string out;
  for (const std::string& cell : localEclipseCells(e)) {
    if (!out.empty()) out += separator;
    out += cell;
  }
  return out;
}

std::vector<std::string> localEclipseLines(const std::vector<solar::LocalEclipse>& eclipses,
                                           const AlmanacSite& site, char separator) {
  std::vector<std::string> out{almanacSiteLine(site, separator), localEclipseHeader(separator)};
  for (const solar::LocalEclipse& e : eclipses) out.push_back(localEclipseLine(e, separator));
  return out;
}

std::vector<std::string> localEclipseListing(const std::vector<solar::LocalEclipse>& eclipses,
                                             const AlmanacSite& site) {
  std::vector<std::vector<std::string>> table;
  table.emplace_back(localEclipseTitles().begin(), localEclipseTitles().end());
  for (const solar::LocalEclipse& e : eclipses) table.push_back(localEclipseCells(e));
  return linedUpListing(almanacSiteListingLine(site), table);
}

std::string horizonNote(const solar::LocalEclipse& e) {
  std::string out;
  if (e.risesEclipsed) out = "日出帯食";
  if (e.setsEclipsed) out += std::string(out.empty() ? "" : "、") + "日入帯食";
  return out;
}

std::string localEclipseDetail(const solar::LocalEclipse& e) {
  std::string out;
  auto contact = [&](const char* name, const std::optional<solar::Contact>& c) {
    if (!c) return;
    if (!out.empty()) out += "\n";
    out += std::string(name) + "　" + jstText(c->jd) + "　太陽高度 " + angleText(c->altitude) +
           "°　方位 " + angleText(c->azimuth) + "°";
  };
  contact("食の始め", e.begin);
  contact("第2接触", e.secondContact);
  contact("食の最大", e.maximum);
  contact("第3接触", e.thirdContact);
  contact("食の終わり", e.end);
  out += "\n食分 " + formatFixed(e.magnitude, 1, 4, false) + "　面積比 " +
         formatFixed(e.obscuration, 1, 4, false);
  const std::string note = horizonNote(e);
  if (!note.empty()) out += "　" + note;
  out += "\n" + std::string(solarKindName(e.global.kind)) + "　最大食 " + jstText(e.global.greatest) +
         "　食分 " + formatFixed(e.global.magnitude, 1, 4, false) + "　γ " +
         formatFixed(e.global.gamma, 1, 4, false);
  return out;
}

}  // namespace velmar
