#include "cli/cli_outputs.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>

namespace velmar::cli {

bool writeListing(const DataTable& table, const std::string& path) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  for (const std::string& line : table.listing()) out << line << '\n';
  out.close();
  if (out) return true;
  std::cerr << "velmar-cli: 「" << path << "」を書き込めませんでした: " << std::strerror(errno)
            << "\n";
  return false;
}

}  // namespace velmar::cli
