#include "cli/cli_args.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>

#include "config/text_file.h"
#include "engine/fields.h"
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
  return "velmar-cli: " + printable(argument) +
         ": 欄に書ける数値ではありません。絶対値が 0.0001 以上 999999999999999 以下の数値か 0 "
         "を指定してください。";
}

}  // namespace

std::string printable(std::string_view text, size_t max) {
  std::string out;
  size_t i = 0;
  while (i < text.size()) {
    if (out.size() >= max) {
      out += "…";
      break;
    }
    const unsigned char c = static_cast<unsigned char>(text[i]);
    // A whole UTF-8 character of two to four bytes passes as it is.
    const size_t length = c >= 0xF0 && c < 0xF5 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 && c < 0xE0 ? 2 : 1;
    if (c >= 0x80 && length > 1 && i + length <= text.size() && validUtf8(text.substr(i, length))) {
      out.append(text.substr(i, length));
      i += length;
      continue;
    }
    if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c < 0x20 || c >= 0x7F) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    } else {
      out += static_cast<char>(c);
    }
    ++i;
  }
  return out;
}

std::string messageLine(const std::string& text) {
  std::string line;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      if (!line.empty() && line.back() != ' ') line += ' ';
    } else {
      line += text[i];
    }
  }
  return printable(line, 4000);
}

bool isPictureName(const std::string& view) {
  for (const char* name : {"phase", "face", "orbit", "sky", "shadow", "sun", "graph"})
    if (view == name) return true;
  return false;
}

namespace {

// The parser's cases; the switch over them names every one, so an option in
// the table that the parser does not handle does not compile.
enum class Opt {
  Date,
  Time,
  Dt,
  AutoDt,
  Lat,
  Lon,
  Site,
  Sites,
  Reference,
  Easy,
  AutoRebase,
  Search,
  Step,
  Past,
  Count,
  Table,
  Graph,
  GraphSeries,
  Export,
  Svg,
  ViewSize,
  GraphAxes,
  Trail,
  NoOrbits,
  Big,
  Topocentric,
  Almanac,
  Events,
  Koyomi,
  SolarEclipses,
  Help,
  Version,
};

struct OptionRow {
  Opt id;
  OptionInfo info;
};

// In the order --help lists them.
const std::vector<OptionRow>& optionRows() {
  static const std::vector<OptionRow> rows = {
      {Opt::Date, {"--date", "YYYY-MM-DD", "日付 (日本標準時)。省略すると今日"}},
      {Opt::Time, {"--time", "HH:MM:SS", "時刻 (日本標準時)。省略すると現在の時刻"}},
      {Opt::Dt, {"--dt", "SECONDS", "ΔT (秒)。省略すると主画面の計算は年 - 1934、月の暦・出来事・日食・観測地から見た月は実測値"}},
      {Opt::AutoDt, {"--auto-dt", "", "ΔT を自動で決める (1935 年からは年 - 1935)"}},
      {Opt::Lat, {"--lat", "DEG", "観測地の緯度 (度、北が正)"}},
      {Opt::Lon, {"--lon", "DEG", "観測地の経度 (度、東が正)"}},
      {Opt::Site, {"--site", "N", "測地一覧の N 行目 (0 から) の観測地"}},
      {Opt::Sites, {"--sites", "FILE", "測地一覧のファイル (既定は作業フォルダーの sokuti.dat)"}},
      {Opt::Reference, {"--reference", "JD", "基準日 (基準の新月のユリウス日)"}},
      {Opt::Easy, {"--easy", "", "簡易計算 (基準の新月を時の単位で求める)"}},
      {Opt::AutoRebase, {"--auto-rebase", "", "朔月自動基準化"}},
      {Opt::Search,
       {"--search", "KIND",
        "最初の計算の後に探す (age 月齢推算、new 新月、full 満月、next-full 次の満月、prev-full "
        "前の満月)"}},
      {Opt::Step,
       {"--step", "UNIT AMOUNT", "連続推算の単位 (year month day hour minute second) と変化分"}},
      {Opt::Past, {"--past", "", "連続推算を過去へ進める (--step と共に)"}},
      {Opt::Count, {"--count", "N", "ループ回数 (--table・--graph-axes と共には 100000 まで)"}},
      {Opt::Table, {"--table", "FILE", "データ表の一覧を FILE に書く"}},
      {Opt::Graph, {"--graph", "", "グラフを描く"}},
      {Opt::GraphSeries,
       {"--graph-series", "SMKB", "グラフの系列 (太陽・月・輝面・黄緯) をそれぞれ 1 か 0 で"}},
      {Opt::Export, {"--export", "FILE", "計算結果を CSV (.csv) か TSV (.tsv) のファイルに書く"}},
      {Opt::Svg,
       {"--svg", "VIEW=FILE", "図を SVG で書く (VIEW: phase face orbit sky shadow sun graph)"}},
      {Opt::ViewSize, {"--view-size", "VIEW=WxH", "図の大きさ (twip)"}},
      {Opt::GraphAxes, {"--graph-axes", "", "グラフの SVG (--svg graph=) に目盛りと日付を重ねる"}},
      {Opt::Trail, {"--trail", "", "天空図に軌跡を残す"}},
      {Opt::NoOrbits, {"--no-orbits", "", "軌道図に軌道を描かない"}},
      {Opt::Big, {"--big", "sky,shadow,sun", "拡大表示にする図"}},
      {Opt::Topocentric,
       {"--topocentric", "", "観測地から見た月の方位と高度 (大気差込み) も表示する"}},
      {Opt::Almanac, {"--almanac", "YYYY-MM", "その月の月の暦 (月の出入り・南中・日の出入り)"}},
      {Opt::Events, {"--events", "YYYY", "その年の月相・近地点・遠地点・月食・日食"}},
      {Opt::Koyomi, {"--koyomi", "YYYY", "その年の二十四節気・雑節・月相・旧暦の月の始め"}},
      {Opt::SolarEclipses,
       {"--solar-eclipses", "Y1 Y2",
        "Y1 年から Y2 年までに観測地で見える日食 (接触の時刻・食分・面積比・太陽高度)"}},
      {Opt::Help, {"--help", "", "この使い方を表示する"}},
      {Opt::Version, {"--version", "", "版を表示する"}},
  };
  return rows;
}

const OptionRow* findOption(const std::string& name) {
  if (name == "-h") return findOption("--help");
  for (const OptionRow& row : optionRows())
    if (name == row.info.name) return &row;
  return nullptr;
}

}  // namespace

const std::vector<OptionInfo>& options() {
  static const std::vector<OptionInfo> infos = [] {
    std::vector<OptionInfo> v;
    for (const OptionRow& row : optionRows()) v.push_back(row.info);
    return v;
  }();
  return infos;
}

std::string usage() {
  std::string out =
      "使い方: velmar-cli [オプション]...\n"
      "日本標準時の日時と観測地から月と太陽の位置を計算し、欄ごとに表示します。\n"
      "\nオプション:\n";
  // Names and arguments are ASCII: their bytes are their columns.
  size_t width = 0;
  for (const OptionInfo& o : options())
    width = std::max(width, std::string(o.name).size() + 1 + std::string(o.argument).size());
  for (const OptionInfo& o : options()) {
    std::string left = o.name;
    if (*o.argument) left += std::string(" ") + o.argument;
    out += "  " + left + std::string(width - left.size() + 2, ' ') + o.help + "\n";
  }
  return out;
}

namespace {

// Options that hold one value: given twice, the second would silently win.
bool takesOneValue(Opt o) {
  return o != Opt::Svg && o != Opt::ViewSize && o != Opt::Big && o != Opt::AutoDt &&
         o != Opt::Easy && o != Opt::AutoRebase && o != Opt::Past && o != Opt::Trail &&
         o != Opt::NoOrbits && o != Opt::Topocentric && o != Opt::Graph && o != Opt::GraphAxes &&
         o != Opt::Help && o != Opt::Version;
}

// What the almanac and the events use besides themselves: every other
// option belongs to the main calculation, which they do not run.
bool servesTheAlmanac(Opt o) {
  return o == Opt::Almanac || o == Opt::Events || o == Opt::Koyomi || o == Opt::SolarEclipses ||
         o == Opt::Dt || o == Opt::AutoDt || o == Opt::Lat || o == Opt::Lon || o == Opt::Site ||
         o == Opt::Sites;
}

// The name ends in ".csv" or ".tsv", in any case.
bool hasExportExtension(const std::string& name) {
  if (name.size() < 4) return false;
  std::string ext = name.substr(name.size() - 4);
  for (char& c : ext) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return ext == ".csv" || ext == ".tsv";
}

}  // namespace

ParseResult parseArgs(const std::vector<std::string>& argv) {
  ParseResult r;
  std::set<Opt> seen;
  for (size_t i = 0; i < argv.size(); ++i) {
    const std::string& a = argv[i];
    // An empty error means success: an empty word is named, not passed on.
    auto fail = [&](const std::string& what) {
      r.error = what.empty() ? "\"\" (空の引数)" : printable(what);
      return r;
    };
    auto needValue = [&]() -> const std::string* {
      if (i + 1 >= argv.size()) return nullptr;
      return &argv[++i];
    };
    const OptionRow* row = findOption(a);
    if (!row) return fail(a);
    if (!seen.insert(row->id).second && takesOneValue(row->id)) {
      r.error = printable(a) + " (2 回指定されています)";
      return r;
    }
    switch (row->id) {
      case Opt::AutoDt:
        r.args.autoDeltaT = true;
        break;
      case Opt::Easy:
        r.args.easy = true;
        break;
      case Opt::AutoRebase:
        r.args.autoRebase = true;
        break;
      case Opt::Past:
        r.args.past = true;
        break;
      case Opt::Trail:
        r.args.trail = true;
        break;
      case Opt::NoOrbits:
        r.args.noOrbits = true;
        break;
      case Opt::Topocentric:
        r.args.topocentric = true;
        break;
      case Opt::Graph:
        r.args.graph = true;
        break;
      case Opt::GraphAxes:
        r.args.graphAxes = true;
        break;
      // Asked for both, the first is printed.
      case Opt::Help:
        r.args.help = !r.args.version;
        break;
      case Opt::Version:
        r.args.version = !r.args.help;
        break;
      case Opt::Almanac: {
        const std::string* v = needValue();
        if (!v) return fail(a);
        const size_t dash = v->find('-');
        const auto year = dash == std::string::npos ? std::nullopt : digitsYear(v->substr(0, dash));
        const auto month =
            dash == std::string::npos ? std::nullopt : digitsYear(v->substr(dash + 1));
        if (!year || !month || *month < 1 || *month > 12 || v->size() - dash > 3)
          return fail(a + " " + *v);
        r.args.almanac = Args::Month{*year, static_cast<int>(*month)};
        break;
      }
      case Opt::Events: {
        const std::string* v = needValue();
        if (!v) return fail(a);
        const auto year = digitsYear(*v);
        if (!year) return fail(a + " " + *v);
        r.args.events = *year;
        break;
      }
      case Opt::Koyomi: {
        const std::string* v = needValue();
        if (!v) return fail(a);
        const auto year = digitsYear(*v);
        if (!year) return fail(a + " " + *v);
        r.args.koyomi = *year;
        break;
      }
      case Opt::SolarEclipses: {
        const std::string* first = needValue();
        if (!first) return fail(a);
        const std::string* last = needValue();
        if (!last) return fail(a + " " + *first);
        const auto y1 = digitsYear(*first);
        const auto y2 = digitsYear(*last);
        if (!y1 || !y2) return fail(a + " " + *first + " " + *last);
        if (*y1 > *y2) {
          r.error = printable(a + " " + *first + " " + *last) + " (始めの年が終わりの年より後です)";
          return r;
        }
        r.args.solarEclipses = Args::Years{*y1, *y2};
        break;
      }
      case Opt::Big: {
        const std::string* v = needValue();
        if (!v) return fail(a);
        // A comma-separated list of the views that have an enlarged scale.
        size_t from = 0;
        while (true) {
          const size_t comma = v->find(',', from);
          const std::string name =
              v->substr(from, comma == std::string::npos ? comma : comma - from);
          if (name != "sky" && name != "shadow" && name != "sun") return fail(a + " " + *v);
          r.args.big.push_back(name);
          if (comma == std::string::npos) break;
          from = comma + 1;
        }
        break;
      }
      case Opt::Sites: {
        const std::string* v = needValue();
        if (!v || v->empty()) return fail(a);
        r.args.sitesFile = *v;
        break;
      }
      case Opt::Search: {
        const std::string* v = needValue();
        if (!v) return fail(a);
        if (*v != "age" && *v != "new" && *v != "full" && *v != "next-full" && *v != "prev-full")
          return fail(a + " " + *v);
        r.args.search = *v;
        break;
      }
      case Opt::Site:
      case Opt::Count: {
        const std::string* v = needValue();
        if (!v) return fail(a);
        auto num = parseNumber(*v);
        // The range first: a double beyond long long has no defined conversion.
        if (!num || *num < 0 || *num > 1e9 || *num != std::floor(*num)) return fail(a + " " + *v);
        (row->id == Opt::Site ? r.args.site : r.args.count) = static_cast<long long>(*num);
        break;
      }
      case Opt::Table:
      case Opt::Export: {
        const std::string* v = needValue();
        if (!v || v->empty()) return fail(a);
        // The window adds the extension of the picked type; here there is
        // no type to pick, and the name is written exactly as given.
        if (row->id == Opt::Export && !hasExportExtension(*v)) {
          r.error = printable(a + " " + *v) + " (名前は .csv か .tsv で終わるものにしてください)";
          return r;
        }
        (row->id == Opt::Table ? r.args.tableFile : r.args.exportFile) = *v;
        break;
      }
      case Opt::GraphSeries: {
        const std::string* v = needValue();
        if (!v) return fail(a);
        if (v->size() != 4 || v->find_first_not_of("01") != std::string::npos)
          return fail(a + " " + *v);
        for (size_t k = 0; k < 4; ++k) r.args.graphSeries[k] = (*v)[k] == '1';
        break;
      }
      case Opt::Step: {
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
        break;
      }
      case Opt::Svg:
      case Opt::ViewSize: {
        const std::string* v = needValue();
        if (!v) return fail(a);
        const auto parts = splitView(*v);
        if (!parts) return fail(a + " " + *v);
        if (row->id == Opt::Svg) {
          r.args.svg.push_back({parts->first, parts->second});
        } else {
          const auto size = splitSize(parts->second);
          if (!size) return fail(a + " " + *v);
          r.args.viewSizes.push_back({parts->first, size->first, size->second});
        }
        break;
      }
      case Opt::Date:
      case Opt::Time: {
        const std::string* v = needValue();
        if (!v) return fail(a);
        auto parts = splitTriple(*v, row->id == Opt::Date ? '-' : ':');
        if (!parts) return fail(a + " " + *v);
        (row->id == Opt::Date ? r.args.date : r.args.time) = *parts;
        break;
      }
      case Opt::Dt:
      case Opt::Lat:
      case Opt::Lon:
      case Opt::Reference: {
        const std::string* v = needValue();
        if (!v) return fail(a);
        auto num = parseNumber(*v);
        if (!num) return fail(a + " " + *v);
        if (row->id == Opt::Dt) {
          r.args.deltaT = *num;
          if (r.refusal.empty()) r.refusal = refuseUnwritable(a + " " + *v, *num);
        } else if (row->id == Opt::Lat) {
          if (!kLatitudeRange.holds(*num)) return fail(a + " " + *v);
          r.args.latitude = *num;
        } else if (row->id == Opt::Lon) {
          if (!kLongitudeRange.holds(*num)) return fail(a + " " + *v);
          r.args.longitude = *num;
        } else {
          size_t b = v->find_first_not_of(' ');
          size_t e = v->find_last_not_of(' ');
          r.args.reference = v->substr(b, e - b + 1);
        }
        break;
      }
    }
  }
  if (r.args.past && !r.args.stepUnit) r.error = "--past (--step がありません)";
  if (r.args.graphAxes && std::none_of(r.args.svg.begin(), r.args.svg.end(),
                                       [](const Args::Svg& s) { return s.view == "graph"; }))
    r.error = "--graph-axes (--svg graph= がありません)";
  if (r.args.almanac || r.args.events || r.args.koyomi || r.args.solarEclipses) {
    for (const OptionRow& row : optionRows()) {
      if (seen.count(row.id) && !servesTheAlmanac(row.id) && row.id != Opt::Help &&
          row.id != Opt::Version) {
        r.error = std::string(row.info.name) +
                  " (--almanac と --events と --koyomi と --solar-eclipses には使えません)";
        break;
      }
    }
  }
  if (r.args.count && *r.args.count > kMaxKeptSteps && (r.args.tableFile || r.args.graphAxes))
    r.error = "--count " + std::to_string(*r.args.count) + " (--table か --graph-axes と共には " +
              std::to_string(kMaxKeptSteps) + " まで)";
  return r;
}

}  // namespace velmar::cli
