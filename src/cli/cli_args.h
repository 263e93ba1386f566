#pragma once
// Command-line arguments of velmar-cli.
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
  // Sites: an index into the site file, and that file's path.
  std::optional<long long> site;
  std::optional<std::string> sitesFile;
  // Lunation: age, new, full, next-full or prev-full; and Check1 ticked.
  std::optional<std::string> search;
  bool autoRebase = false;
  // Stepping: unit (year .. second), amount, number of blocks, direction.
  std::optional<std::string> stepUnit;
  double stepAmount = 1;
  long long count = 1;
  bool past = false;
};

struct ParseResult {
  Args args;
  std::string error;  // the offending argument, empty when all is well
  // A well-formed number that its field cannot hold: the Japanese message
  // that refuses it, empty when all is well.
  std::string refusal;
};

ParseResult parseArgs(const std::vector<std::string>& argv);

const char* usage();

}  // namespace velmar::cli
