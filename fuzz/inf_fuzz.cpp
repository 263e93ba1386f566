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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const InfReadResult read = parseInf(fuzz::splitLines(text));
  VELMAR_FUZZ_CHECK(read.firstBadLine >= 0 && read.firstBadLine <= 15);
  // The same bytes as a file on disk, through the Shift-JIS decoding.
  (void)readInfFile(fuzz::writeScratch(data, size));

  // A file the program wrote must not greet the next start with a message,
  // and saving again without a change must write the same lines.
  const std::vector<std::string> first = saved(read.values);
  const InfReadResult again = parseInf(first);
  VELMAR_FUZZ_CHECK(again.firstBadLine == 0);
  VELMAR_FUZZ_CHECK(saved(again.values) == first);

  return 0;
}
