#include "cli/cli_args.h"

#include <cmath>

#include "engine/numtext.h"

namespace velmar::cli {

namespace {

// "N<sep>N<sep>N" with N one or more digits; each part without its leading
// zeros, as a user would type it into a field.
std::optional<std::vector<std::string>> splitTriple(const std::string& s, char sep) {
  std::vector<std::string> parts(1);
  for (char c : s) {
    if (c == sep) {
      parts.emplace_back();
    } else if (c >= '0' && c <= '9') {
      parts.back() += c;
    } else {
      return std::nullopt;
    }
  }
  if (parts.size() != 3) return std::nullopt;
  for (std::string& p : parts) {
    if (p.empty()) return std::nullopt;
    size_t nz = p.find_first_not_of('0');
    p = nz == std::string::npos ? "0" : p.substr(nz);
  }
  return parts;
}

// A year of one to nine digits, as the almanac options take it.
std::optional<long long> digitsYear(const std::string& s) {
  if (s.empty() || s.size() > 9 || s.find_first_not_of("0123456789") != std::string::npos)
    return std::nullopt;
  return std::stoll(s);
}

// "VIEW=VALUE" with a known picture name and a value.
std::optional<std::pair<std::string, std::string>> splitView(const std::string& s) {
  const size_t eq = s.find('=');
  if (eq == std::string::npos || eq + 1 == s.size()) return std::nullopt;
  std::string view = s.substr(0, eq);
  if (!isPictureName(view)) return std::nullopt;
  return std::make_pair(std::move(view), s.substr(eq + 1));
}

// "WxH", two positive numbers of twips.
std::optional<std::pair<double, double>> splitSize(const std::string& s) {
  const size_t x = s.find('x');
  if (x == std::string::npos) return std::nullopt;
  const auto w = parseNumber(std::string_view(s).substr(0, x));
  const auto h = parseNumber(std::string_view(s).substr(x + 1));
  if (!w || !h || *w <= 0 || *h <= 0 || *w > 1e7 || *h > 1e7) return std::nullopt;
  return std::make_pair(*w, *h);
}

// The fields hold a number as plain text of at most 15 significant digits.
// Outside these bounds it would be written with an exponent ("1E+15",
// "1E-05"), which value() reads as 1.
constexpr double kFieldLargest = 999999999999999;
constexpr double kFieldSmallest = 0.0001;

std::string refuseUnwritable(const std::string& argument, double v) {
  const double a = std::fabs(v);
  if (a == 0 || (a >= kFieldSmallest && a <= kFieldLargest)) return {};
  return "velmar-cli: " + argument +
         ": 欄に書ける数値ではありません。絶対値が 0.0001 以上 999999999999999 以下の数値か 0 "
         "を指定してください。";
}

}  // namespace

bool isPictureName(const std::string& view) {
  for (const char* name : {"phase", "face", "orbit", "sky", "shadow", "sun", "graph"})
    if (view == name) return true;
  return false;
}

const char* usage() {
  return "使い方: velmar-cli [--date YYYY-MM-DD] [--time HH:MM:SS] [--dt SECONDS] [--auto-dt]\n"
         "                  [--lat DEG] [--lon DEG] [--site N] [--sites FILE]\n"
         "                  [--reference JD] [--easy] [--auto-rebase]\n"
         "                  [--search age|new|full|next-full|prev-full]\n"
         "                  [--step year|month|day|hour|minute|second AMOUNT [--past]] [--count "
         "N]\n"
         "                  [--table FILE] [--graph] [--graph-series SMKB] [--export FILE]\n"
         "                  [--svg VIEW=FILE]... [--view-size VIEW=WxH]...\n"
         "                  [--trail] [--no-orbits] [--big sky,shadow,sun]\n"
         "                  [--topocentric] [--almanac YYYY-MM] [--events YYYY]\n";
}

ParseResult parseArgs(const std::vector<std::string>& argv) {
  ParseResult r;
  for (size_t i = 0; i < argv.size(); ++i) {
    const std::string& a = argv[i];
    // An empty error means success: an empty word is named, not passed on.
    auto fail = [&](const std::string& what) {
      r.error = what.empty() ? "\"\" (空の引数)" : what;
      return r;
    };
    auto needValue = [&]() -> const std::string* {
      if (i + 1 >= argv.size()) return nullptr;
      return &argv[++i];
    };
    if (a == "--auto-dt") {
      r.args.autoDeltaT = true;
    } else if (a == "--easy") {
      r.args.easy = true;
    } else if (a == "--auto-rebase") {
      r.args.autoRebase = true;
    } else if (a == "--past") {
      r.args.past = true;
    } else if (a == "--trail") {
      r.args.trail = true;
    } else if (a == "--no-orbits") {
      r.args.noOrbits = true;
    } else if (a == "--topocentric") {
      r.args.topocentric = true;
    } else if (a == "--almanac") {
      const std::string* v = needValue();
      if (!v) return fail(a);
      const size_t dash = v->find('-');
      const auto year = dash == std::string::npos ? std::nullopt : digitsYear(v->substr(0, dash));
      const auto month = dash == std::string::npos ? std::nullopt : digitsYear(v->substr(dash + 1));
      if (!year || !month || *month < 1 || *month > 12 || v->size() - dash > 3)
        return fail(a + " " + *v);
      r.args.almanac = Args::Month{*year, static_cast<int>(*month)};
    } else if (a == "--events") {
      const std::string* v = needValue();
      if (!v) return fail(a);
      const auto year = digitsYear(*v);
      if (!year) return fail(a + " " + *v);
      r.args.events = *year;
    } else if (a == "--big") {
      const std::string* v = needValue();
      if (!v) return fail(a);
      // A comma-separated list of the views that have an enlarged scale.
      size_t from = 0;
      while (true) {
        const size_t comma = v->find(',', from);
        const std::string name = v->substr(from, comma == std::string::npos ? comma : comma - from);
        if (name != "sky" && name != "shadow" && name != "sun") return fail(a + " " + *v);
        r.args.big.push_back(name);
        if (comma == std::string::npos) break;
        from = comma + 1;
      }
    } else if (a == "--sites") {
      const std::string* v = needValue();
      if (!v || v->empty()) return fail(a);
      r.args.sitesFile = *v;
    } else if (a == "--search") {
      const std::string* v = needValue();
      if (!v) return fail(a);
      if (*v != "age" && *v != "new" && *v != "full" && *v != "next-full" && *v != "prev-full")
        return fail(a + " " + *v);
      r.args.search = *v;
    } else if (a == "--site" || a == "--count") {
      const std::string* v = needValue();
      if (!v) return fail(a);
      auto num = parseNumber(*v);
      // The range first: a double beyond long long has no defined conversion.
      if (!num || *num < 0 || *num > 1e9 || *num != std::floor(*num)) return fail(a + " " + *v);
      (a == "--site" ? r.args.site : r.args.count) = static_cast<long long>(*num);
    } else if (a == "--table" || a == "--export") {
      const std::string* v = needValue();
      if (!v || v->empty()) return fail(a);
      (a == "--table" ? r.args.tableFile : r.args.exportFile) = *v;
    } else if (a == "--graph") {
      r.args.graph = true;
    } else if (a == "--graph-series") {
      const std::string* v = needValue();
      if (!v) return fail(a);
      if (v->size() != 4 || v->find_first_not_of("01") != std::string::npos)
        return fail(a + " " + *v);
      for (size_t k = 0; k < 4; ++k) r.args.graphSeries[k] = (*v)[k] == '1';
    } else if (a == "--step") {
      if (i + 2 >= argv.size()) return fail(a);
      const std::string& unit = argv[++i];
      const std::string& amount = argv[++i];
      if (unit != "year" && unit != "month" && unit != "day" && unit != "hour" &&
          unit != "minute" && unit != "second")
        return fail(a + " " + unit);
      auto num = parseNumber(amount);
      if (!num) return fail(a + " " + unit + " " + amount);
      r.args.stepUnit = unit;
      r.args.stepAmount = *num;
      if (r.refusal.empty()) r.refusal = refuseUnwritable(a + " " + unit + " " + amount, *num);
    } else if (a == "--svg" || a == "--view-size") {
      const std::string* v = needValue();
      if (!v) return fail(a);
      const auto parts = splitView(*v);
      if (!parts) return fail(a + " " + *v);
      if (a == "--svg") {
        r.args.svg.push_back({parts->first, parts->second});
      } else {
        const auto size = splitSize(parts->second);
        if (!size) return fail(a + " " + *v);
        r.args.viewSizes.push_back({parts->first, size->first, size->second});
      }
    } else if (a == "--help" || a == "-h") {
      r.args.help = true;
    } else if (a == "--date" || a == "--time") {
      const std::string* v = needValue();
      if (!v) return fail(a);
      auto parts = splitTriple(*v, a == "--date" ? '-' : ':');
      if (!parts) return fail(a + " " + *v);
      (a == "--date" ? r.args.date : r.args.time) = *parts;
    } else if (a == "--dt" || a == "--lat" || a == "--lon" || a == "--reference") {
      const std::string* v = needValue();
      if (!v) return fail(a);
      auto num = parseNumber(*v);
      if (!num) return fail(a + " " + *v);
      if (a == "--dt") {
        r.args.deltaT = *num;
        if (r.refusal.empty()) r.refusal = refuseUnwritable(a + " " + *v, *num);
      }
      if (a == "--lat") {
        if (*num < -90 || *num > 90) return fail(a + " " + *v);
        r.args.latitude = *num;
      }
      if (a == "--lon") {
        if (*num < -180 || *num > 360) return fail(a + " " + *v);
        r.args.longitude = *num;
      }
      if (a == "--reference") {
        size_t b = v->find_first_not_of(' ');
        size_t e = v->find_last_not_of(' ');
        r.args.reference = v->substr(b, e - b + 1);
      }
    } else {
      return fail(a);
    }
  }
  if (r.args.past && !r.args.stepUnit) r.error = "--past (--step がありません)";
  return r;
}

}  // namespace velmar::cli
