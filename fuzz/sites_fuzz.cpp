// The site file sokuti.dat: any line either reads as a site or is kept as an
// unread line, a site carried over into a rewritten file reads back as the
// same site, and a rewrite loses no line.
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "config/sites.h"
#include "fuzz_input.h"

using namespace velmar;

namespace {

// The general numeric text keeps 15 significant digits.
bool sameNumber(double written, double read) {
  return std::fabs(written - read) <= std::fabs(written) * 1e-14;
}

void checkCarried(const SiteRecord& s) {
  const std::optional<SiteRecord> back = parseSiteLine(carriedSiteLine(s));
  VELMAR_FUZZ_CHECK(back.has_value());
  VELMAR_FUZZ_CHECK(back->name == s.name);
  VELMAR_FUZZ_CHECK(sameNumber(s.latitude, back->latitude));
  VELMAR_FUZZ_CHECK(sameNumber(s.longitude, back->longitude));
  VELMAR_FUZZ_CHECK(sameNumber(s.elevation, back->elevation));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  for (const std::string& line : fuzz::splitLines(text))
    if (const std::optional<SiteRecord> s = parseSiteLine(line)) checkCarried(*s);

  const SiteFile file = readSites(fuzz::writeScratch(data, size));
  VELMAR_FUZZ_CHECK(!file.sites.empty());
  const int n = static_cast<int>(file.sites.size());
  const SiteRecord& edited = file.sites.back();
  for (SiteAction action : {SiteAction::Initial, SiteAction::Add, SiteAction::Replace}) {
    const std::vector<std::string> lines = rewriteSites(file, edited, action, n / 2);
    const size_t expected = file.sites.size() + file.unread.size() + (action == SiteAction::Add);
    VELMAR_FUZZ_CHECK(lines.size() == expected);
  }
  return 0;
}
