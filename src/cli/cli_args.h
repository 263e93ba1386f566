#pragma once
// Command-line arguments of velmar-cli.
#include <array>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace velmar::cli {

struct Args {
  // Date and time parts as plain whole-number text, in field order.
  std::optional<std::vector<std::string>> date;  // year, month, day
  std::optional<std::vector<std::string>> time;  // hour, minute, second
  std::optional<double> deltaT;
  bool autoDeltaT = false;
  std::optional<double> latitude;
  std::optional<double> longitude;
  std::optional<std::string> reference;  // text for the reference-date field
  bool easy = false;
  bool help = false;
  bool version = false;
  // Sites: an index into the site file, and that file's path.
  std::optional<long long> site;
  std::optional<std::string> sitesFile;
  // Lunation: age, new, full, next-full or prev-full; and autoRebaseCheck ticked.
  std::optional<std::string> search;
  bool autoRebase = false;
  // Stepping: unit (year .. second), amount, direction.
  std::optional<std::string> stepUnit;
  double stepAmount = 1;
  bool past = false;
  // The loop count field (loopCountField), written through its rule; without it
  // the field keeps the value of a first start.
  std::optional<long long> count;
  // Outputs: the data table's listing to a file, the graph with its four
  // series boxes ("太陽", "月", "輝面", "黄緯", 1 ticked), the export file.
  std::optional<std::string> tableFile;
  bool graph = false;
  // The graph's SVG with its scales and dates over it.
  bool graphAxes = false;
  std::array<bool, 4> graphSeries{true, true, true, true};
  std::optional<std::string> exportFile;
  // Pictures: each named one is open from the start and written as SVG to
  // its file at the end; sizes in twips where given.
  struct Svg {
    std::string view;
    std::string file;
  };
  std::vector<Svg> svg;
  struct ViewSize {
    std::string view;
    double width;
    double height;
  };
  std::vector<ViewSize> viewSizes;
  // The views' switches, set as states before the first calculation: the
  // sky view's "軌跡", the orbit view's "軌道" unticked, and the
  // "拡大表示" of the named views (sky, shadow, sun).
  bool trail = false;
  bool noOrbits = false;
  std::vector<std::string> big;
  // The almanac: a month's table ("YYYY-MM"), a year's events, and the
  // Moon seen from the site after each printed calculation.
  struct Month {
    long long year;
    int month;
  };
  std::optional<Month> almanac;
  std::optional<long long> events;
  // A year's 二十四節気, 雑節, quarters and months of the old calendar.
  std::optional<long long> koyomi;
  // The solar eclipses seen at the site from one year to another, both
  // included.
  struct Years {
    long long first, last;
  };
  std::optional<Years> solarEclipses;
  bool topocentric = false;
};

// The pictures --svg and --view-size name.
bool isPictureName(const std::string& view);

// The most steps --count takes when a run keeps every row (--table) or
// every point (--graph-axes) in memory.
inline constexpr long long kMaxKeptSteps = 100000;

// A text from the command line or a file name as a message may show it: on
// one line, what cannot be printed escaped (\n, \t, \xNN for a control
// character or a byte that is not UTF-8), cut after `max` bytes with "…".
std::string printable(std::string_view text, size_t max = 200);

// A message of the core or of a file (which may name any file) as one line
// of stderr, like every other message: its line breaks (CR in the core's
// boxes, LF in the files' messages) become blanks, and what else cannot be
// printed is escaped.
std::string messageLine(const std::string& text);

struct ParseResult {
  Args args;
  std::string error;  // the offending argument, empty when all is well
  // A well-formed number that its field cannot hold: the Japanese message
  // that refuses it, empty when all is well.
  std::string refusal;
};

ParseResult parseArgs(const std::vector<std::string>& argv);

// Every option once: what the parser knows, what --help prints and what the
// manual page must describe.
struct OptionInfo {
  const char* name;      // "--date"
  const char* argument;  // "YYYY-MM-DD", or "" for a switch
  const char* help;      // one line, Japanese
};
const std::vector<OptionInfo>& options();

// The whole usage: a synopsis, then one line per option.
std::string usage();

}  // namespace velmar::cli
