#include "config/sites.h"

#include <charconv>
#include <cmath>

#include "engine/fields.h"
#include "engine/numtext.h"

namespace velmar {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim(std::string_view s) {
  while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool blankLine(std::string_view s) { return trim(s).empty(); }

// A numeric field. Besides the plain form, the general numeric text form
// writes very large and very small magnitudes with an exponent ("1E+20",
// "1E-07"); a carried-over line must read back whatever it was written as.
std::optional<double> siteNumber(std::string_view field) {
  const std::string_view t = trim(field);
  const size_t e = t.find_first_of("Ee");
  const std::string_view mantissa = t.substr(0, e);
  if (mantissa.find_first_of(" \t") != std::string_view::npos) return std::nullopt;
  const std::optional<double> plain = parseNumber(mantissa);
  if (!plain) return std::nullopt;
  if (e == std::string_view::npos) return plain;

  std::string_view exponent = t.substr(e + 1);
  if (!exponent.empty() && (exponent[0] == '+' || exponent[0] == '-')) exponent.remove_prefix(1);
  if (exponent.empty()) return std::nullopt;
  for (char c : exponent)
    if (c < '0' || c > '9') return std::nullopt;
  std::string_view all = t;
  if (all[0] == '+') all.remove_prefix(1);  // from_chars takes no plus sign
  double v = 0;
  const auto res =
      std::from_chars(all.data(), all.data() + all.size(), v, std::chars_format::general);
  if (res.ec != std::errc{} || res.ptr != all.data() + all.size() || !std::isfinite(v))
    return std::nullopt;
  return v;
}

// A masked number. A value that rounds to zero shows no minus sign.
std::string masked(double x, FixedMask mask) {
  std::string s = formatFixed(x, mask);
  if (s[0] == '-' && s.find_first_not_of("0.", 1) == std::string::npos) s.erase(0, 1);
  return s;
}

// At most `max` bytes of a line for a message, cut at a character boundary.
std::string excerpt(const std::string& s, size_t max) {
  if (s.size() <= max) return s;
  size_t n = max;
  while (n > 0 && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80) --n;
  return s.substr(0, n) + "…";
}

// Empty when every unread line is blank.
std::string unreadNotice(const std::string& path, const std::vector<UnreadLine>& unread) {
  constexpr size_t kShown = 10;
  std::string m = "「" + path + "」の次の行は測地として読めないため、一覧に入れていません。";
  size_t told = 0;
  for (const UnreadLine& u : unread) {
    if (u.blank) continue;
    if (told++ < kShown)
      m += "\n  " + std::to_string(u.lineNumber) + " 行目: " + excerpt(u.text, 60);
  }
  if (told == 0) return {};
  if (told > kShown) m += "\n  ほか " + std::to_string(told - kShown) + " 行";
  m += "\nこれらの行はファイルにそのまま残ります。";
  return m;
}

void addParagraph(std::string& to, const std::string& text) {
  if (text.empty()) return;
  if (!to.empty()) to += "\n\n";
  to += text;
}

}  // namespace

const std::vector<SiteRecord>& shippedSites() {
  // Elevations in metres. 明石 lies on 135° E, the meridian of Japan
  // Standard Time.
  static const std::vector<SiteRecord> sites = {
      {"東京", 35.6895, 139.6917, 40}, {"大阪", 34.6937, 135.5023, 5},
      {"札幌", 43.0642, 141.3469, 20}, {"福岡", 33.5904, 130.4017, 5},
      {"那覇", 26.2124, 127.6792, 10}, {"明石", 34.6486, 135, 50},
  };
  return sites;
}

std::optional<SiteRecord> parseSiteLine(std::string_view line) {
  SiteRecord r;
  size_t pos;
  size_t i = 0;
  while (i < line.size() && isBlank(line[i])) ++i;
  if (i < line.size() && line[i] == '"') {
    for (++i;; ++i) {
      if (i >= line.size()) return std::nullopt;  // no closing quote
      if (line[i] != '"') {
        r.name += line[i];
      } else if (i + 1 < line.size() && line[i + 1] == '"') {
        r.name += '"';
        ++i;
      } else {
        break;
      }
    }
    pos = i + 1;
    while (pos < line.size() && isBlank(line[pos])) ++pos;
    if (pos >= line.size() || line[pos] != ',') return std::nullopt;
    ++pos;
  } else {
    const size_t comma = line.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    r.name = std::string(line.substr(0, comma));
    pos = comma + 1;
  }

  double* const numbers[] = {&r.latitude, &r.longitude, &r.elevation};
  for (int k = 0; k < 3; ++k) {
    const size_t comma = line.find(',', pos);
    if ((k < 2) == (comma == std::string_view::npos)) return std::nullopt;  // too few or too many
    const std::optional<double> v = siteNumber(line.substr(pos, comma - pos));
    if (!v) return std::nullopt;
    *numbers[k] = *v;
    pos = comma + 1;
  }
  return r;
}

std::string siteNameField(std::string_view name) {
  if (name.find_first_of(",\"") == std::string_view::npos) return std::string(name);
  std::string q = "\"";
  for (char c : name) {
    if (c == '"') q += '"';
    q += c;
  }
  return q + "\"";
}

std::string carriedSiteLine(const SiteRecord& s) {
  return siteNameField(s.name) + "," + formatGeneral(s.latitude) + " ," +
         formatGeneral(s.longitude) + " ," + formatGeneral(s.elevation) + " ";
}

std::string editedSiteLine(const SiteRecord& s) {
  return siteNameField(s.name) + "," + masked(s.latitude, kLatitudeMask) + "," +
         masked(s.longitude, kLongitudeMask) + "," + masked(s.elevation, kElevationMask);
}

SiteFile readSites(const std::string& path) {
  SiteFile f;
  const TextLines t = readTextFile(path);
  f.error = t.status.error;
  f.reason = t.status.message;
  f.encoding = t.encoding;
  std::string notes = t.status.message;
  for (size_t i = 0; i < t.lines.size(); ++i) {
    const std::string& line = t.lines[i];
    const int number = static_cast<int>(i + 1);
    // A blank line is kept too: a rewrite changes the line edited and no
    // other, so that the file keeps its shape (and a UTF-8 file whose
    // second line starts with a byte-order mark does not get one in front).
    const bool blank = blankLine(line);
    std::optional<SiteRecord> r;
    if (!blank) r = parseSiteLine(line);
    if (r) {
      f.sites.push_back(std::move(*r));
      f.lines.push_back(number);
    } else {
      f.unread.push_back({number, static_cast<int>(f.sites.size()), line, blank});
    }
  }
  const std::string unreadText = unreadNotice(path, f.unread);
  addParagraph(notes, unreadText);
  if (f.sites.empty()) {
    if (t.status.ok() && unreadText.empty())
      addParagraph(notes, "「" + path + "」に測地がありません。");
    notes += "\n初期の測地一覧を使います。";
    f.sites = shippedSites();
    f.lines.clear();
    f.shipped = true;
  }
  f.message = notes;
  return f;
}

std::string siteRangeMessage(const SiteRecord& site, const std::string& path, int line) {
  const bool latitude = kLatitudeRange.holds(site.latitude);
  const bool longitude = kLongitudeRange.holds(site.longitude);
  if (latitude && longitude) return {};
  std::string m = "「" + path + "」";
  if (line > 0) m += "の " + std::to_string(line) + " 行目";
  m += "の測地「" + excerpt(site.name, 60) + "」は";
  if (!latitude) m += "緯度が " + kLatitudeRange.text() + " まで";
  if (!latitude && !longitude) m += "、";
  if (!longitude) m += "経度が " + kLongitudeRange.text() + " まで";
  return m + "の範囲にないため、使えません。";
}

FileStatus ensureSiteFile(const std::string& path) {
  const TextLines t = readTextFile(path);
  bool empty = t.status.ok();
  for (const std::string& l : t.lines) empty = empty && blankLine(l);
  if (t.status.error != FileError::Missing && !empty) return {};
  std::vector<std::string> lines;
  for (const SiteRecord& s : shippedSites()) lines.push_back(carriedSiteLine(s));
  return writeTextFile(path, lines);
}

std::vector<std::string> rewriteSites(const SiteFile& file, const SiteRecord& edited,
                                      SiteAction action, int selected) {
  const int n = static_cast<int>(file.sites.size());
  const std::string editedLine = editedSiteLine(edited);
  std::vector<std::string> out;
  size_t u = 0;
  // Unread lines go back in front of the site that followed them.
  auto keepUnreadBefore = [&](int site) {
    while (u < file.unread.size() && file.unread[u].sitesBefore <= site)
      out.push_back(file.unread[u++].text);
  };
  for (int i = 0;;) {
    if (i == 0 && action == SiteAction::Initial) {
      keepUnreadBefore(i);
      out.push_back(editedLine);
      ++i;
    }
    if (action == SiteAction::Replace && i == selected) {
      keepUnreadBefore(i);
      out.push_back(editedLine);
      ++i;
    }
    if (i > n - 1) break;
    keepUnreadBefore(i);
    out.push_back(carriedSiteLine(file.sites[i]));
    if (action == SiteAction::Add && i == selected) out.push_back(editedLine);
    ++i;
    if (i > n - 1) break;
  }
  keepUnreadBefore(n);
  return out;
}

}  // namespace velmar
