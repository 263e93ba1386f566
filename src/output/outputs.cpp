#include "output/outputs.h"

#include "output/printing.h"

namespace velmar {

void Outputs::take() {
  // Each box is read at its output's turn: an output that switches itself
  // off ends the loop only when the later ones are off too.
  if (form_.check(Check::TableOutput) == 1) table_.dataadd();
  if (form_.check(Check::GraphOutput) == 1) graph_.graphadd();
  if (form_.check(Check::FileOutput) == 1) file_.fileadd();
}

bool Outputs::checkClicked(Check c) {
  switch (c) {
    case Check::TableOutput:
      table_.switched();
      return true;
    case Check::GraphOutput:
      graph_.switched();
      return true;
    case Check::FileOutput:
      file_.switched();
      return true;
    case Check::GraphSun:
    case Check::GraphMoon:
    case Check::GraphIllumination:
    case Check::GraphLatitude:
      graph_.seriesClicked();
      return true;
    default:
      return false;
  }
}

std::optional<long long> Outputs::rowsToEnd() const {
  const double n = loopCount(form_);
  // Beyond 2^53 a double no longer counts every row.
  const bool whole =
      n >= 1 && n <= 9007199254740992.0 && n == static_cast<double>(static_cast<long long>(n));
  std::optional<long long> most;
  auto take = [&](Check box, long long counted) {
    if (form_.check(box) != 1) return true;
    if (!whole || counted >= n) return false;
    const long long left = static_cast<long long>(n) - counted;
    if (!most || left > *most) most = left;
    return true;
  };
  if (!take(Check::TableOutput, table_.counter()) ||
      !take(Check::GraphOutput, graph_.state().graphIndex) ||
      !take(Check::FileOutput, file_.counter()))
    return std::nullopt;
  return most;
}

void Outputs::print() { printTable(table_, ui_, printer_, files_); }

}  // namespace velmar
