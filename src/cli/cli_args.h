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
};

struct ParseResult {
  Args args;
  std::string error;  // the offending argument, empty when all is well
};

ParseResult parseArgs(const std::vector<std::string>& argv);

const char* usage();

}  // namespace velmar::cli
