#include "cli/cli_args.h"

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

}  // namespace

const char* usage() {
  return "使い方: velmar-cli [--date YYYY-MM-DD] [--time HH:MM:SS] [--dt SECONDS] [--auto-dt]\n"
         "                  [--lat DEG] [--lon DEG] [--reference JD] [--easy]\n";
}

ParseResult parseArgs(const std::vector<std::string>& argv) {
  ParseResult r;
  for (size_t i = 0; i < argv.size(); ++i) {
    const std::string& a = argv[i];
    auto fail = [&](const std::string& what) {
      r.error = what;
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
      if (a == "--dt") r.args.deltaT = *num;
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
  return r;
}

}  // namespace velmar::cli
