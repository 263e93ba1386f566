#pragma once
// The data table's printed listing as velmar-cli writes it.
#include <string>

#include "output/data_table.h"

namespace velmar::cli {

// The listing (header line, then one line per row) in UTF-8 with LF line
// ends. False, after a message on stderr, when the file could not be
// written.
bool writeListing(const DataTable& table, const std::string& path);

}  // namespace velmar::cli
