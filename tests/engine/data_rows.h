#pragma once
// The reference tables under tests/data: tab-separated rows, '#' lines
// and blank lines skipped, for the tests that compare with independent
// ephemerides and published tables.
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace velmar::testing_data {

inline std::vector<std::vector<std::string>> dataRows(const std::string& name) {
  std::ifstream in(std::string(VELMAR_TEST_DATA) + "/" + name);
  std::vector<std::vector<std::string>> rows;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> cells;
    std::istringstream cellsIn(line);
    std::string cell;
    while (std::getline(cellsIn, cell, '\t')) cells.push_back(cell);
    rows.push_back(cells);
  }
  return rows;
}

}  // namespace velmar::testing_data
