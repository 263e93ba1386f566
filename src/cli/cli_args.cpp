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

const char* usage() {
  return "使い方: velmar-cli [--date YYYY-MM-DD] [--time HH:MM:SS] [--dt SECONDS] [--auto-dt]\n"
         "                  [--lat DEG] [--lon DEG] [--site N] [--sites FILE]\n"
         "                  [--reference JD] [--easy] [--auto-rebase]\n"
         "                  [--search age|new|full|next-full|prev-full]\n"
         "                  [--step year|month|day|hour|minute|second AMOUNT --count N [--past]]\n";
}

ParseResult parseArgs(const std::vector<std::string>& argv) {
  ParseResult r;
  bool countGiven = false;
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
      if (!num || *num < 0 || *num > 1e9 || *num != std::floor(*num) ||
          (a == "--count" && *num < 1))
        return fail(a + " " + *v);
      if (a == "--site") {
        r.args.site = static_cast<long long>(*num);
      } else {
        r.args.count = static_cast<long long>(*num);
        countGiven = true;
      }
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
  if ((countGiven || r.args.past) && !r.args.stepUnit) {
    r.error = countGiven ? "--count (--step がありません)" : "--past (--step がありません)";
  }
  return r;
}

}  // namespace velmar::cli
