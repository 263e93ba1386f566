#include "cli/cli_outputs.h"

#include <iostream>

#include "cli/cli_args.h"
#include "config/file_writer.h"

namespace velmar::cli {

bool writeListing(const DataTable& table, const std::string& path) {
  // Through a temporary file, as the program's other files: a full disk
  // leaves the old listing, not a cut-off one.
  AtomicFile out;
  FileStatus status = out.open(path);
  if (status.ok()) {
    for (const std::string& line : table.listing()) {
      out.write(line);
      out.write("\n");
    }
    status = out.commit();
  }
  if (status.ok()) return true;
  std::cerr << "velmar-cli: " << messageLine(status.message) << "\n";
  return false;
}

}  // namespace velmar::cli
