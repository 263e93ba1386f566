// velmar-cli's arguments, one word between NUL bytes: any words give either
// a named fault or arguments the program can use as they are.
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "cli/cli_args.h"
#include "engine/numtext.h"
#include "fuzz_input.h"

using namespace velmar;

namespace {

// A number velmar-cli writes into a field must read back from it.
bool fitsField(double v) {
  const std::string text = formatPlain(v);
  return text.find('E') == std::string::npos && std::fabs(value(text) - v) <= std::fabs(v) * 1e-14;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const cli::ParseResult r = cli::parseArgs(fuzz::splitWords(text, '\0'));
  // A fault is told on one line of bounded length, whatever the words.
  for (const std::string* m : {&r.error, &r.refusal}) {
    VELMAR_FUZZ_CHECK(m->find_first_of("\r\n") == std::string::npos);
    VELMAR_FUZZ_CHECK(m->size() < 1000);
  }
  if (!r.error.empty() || !r.refusal.empty()) return 0;
  const cli::Args& a = r.args;
  VELMAR_FUZZ_CHECK(!(a.help && a.version));
  if (a.exportFile) {
    const std::string& e = *a.exportFile;
    VELMAR_FUZZ_CHECK(e.size() >= 4 && e[e.size() - 4] == '.');
  }
  if (a.site) VELMAR_FUZZ_CHECK(*a.site >= 0 && *a.site <= 1000000000);
  if (a.count) VELMAR_FUZZ_CHECK(*a.count >= 0 && *a.count <= 1000000000);
  if (a.past) VELMAR_FUZZ_CHECK(a.stepUnit.has_value());
  if (a.deltaT) VELMAR_FUZZ_CHECK(fitsField(*a.deltaT));
  if (a.stepUnit) VELMAR_FUZZ_CHECK(fitsField(a.stepAmount));
  if (a.latitude) VELMAR_FUZZ_CHECK(std::fabs(*a.latitude) <= 90);
  if (a.longitude) VELMAR_FUZZ_CHECK(*a.longitude >= -180 && *a.longitude <= 360);
  for (const auto* parts : {&a.date, &a.time}) {
    if (!*parts) continue;
    VELMAR_FUZZ_CHECK((*parts)->size() == 3);
    for (const std::string& p : **parts)
      VELMAR_FUZZ_CHECK(!p.empty() && p.find_first_not_of("0123456789") == std::string::npos);
  }
  if (a.sitesFile) VELMAR_FUZZ_CHECK(!a.sitesFile->empty());
  return 0;
}
