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

void Outputs::print() { printTable(table_, ui_, printer_, files_); }

}  // namespace velmar
