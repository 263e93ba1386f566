#include "engine/ports.h"

namespace velmar {

namespace {

// Days since 1970-01-01 to a proleptic Gregorian date (H. Hinnant's
// civil_from_days).
void civilFromDays(long long z, int& y, int& m, int& d) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const long long doe = z - era * 146097;
  const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long yy = yoe + era * 400;
  const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long long mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(yy + (m <= 2 ? 1 : 0));
}

}  // namespace

CivilTime toJst(std::chrono::system_clock::time_point tp) {
  using namespace std::chrono;
  const long long secs = floor<seconds>(tp.time_since_epoch()).count() + 9 * 3600;
  long long days = secs / 86400;
  long long rem = secs % 86400;
  if (rem < 0) {
    rem += 86400;
    --days;
  }
  CivilTime c{};
  civilFromDays(days, c.year, c.month, c.day);
  c.hour = static_cast<int>(rem / 3600);
  c.minute = static_cast<int>(rem / 60 % 60);
  c.second = static_cast<int>(rem % 60);
  return c;
}

}  // namespace velmar
