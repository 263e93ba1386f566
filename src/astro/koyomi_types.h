#pragma once
// The plain values of the Japanese calendar (astro/koyomi.h), apart so
// that the almanac's day rows can hold them.
#include <optional>

namespace velmar::koyomi {

// A term or a longitude-defined 雑節: its longitude (0 to 345) and instant.
enum class TimedKind { Term, DoyoStart, Nyubai, Hangesho };
struct Timed {
  TimedKind kind;
  int longitude;
  double jd;
};

enum class DatedKind {
  Setsubun,
  HiganStart,
  Shanichi,
  Hachijuhachiya,
  Nihyakutoka,
  Nihyakuhatsuka,
  Jugoya,
  Jusanya,
  ShunbunNoHi,
  ShubunNoHi,
};
struct Dated {
  DatedKind kind;
  long long day;  // JST day number
  // 十五夜 and 十三夜: the full moon of their lunation.
  std::optional<double> fullMoon;
};

// One month of the old calendar.
struct LunarMonth {
  long long firstDay;  // JST day number of the day holding the new moon
  int month;           // 1 to 12
  bool leap;
};
// A day's date in the old calendar; month 0 when it is not known.
struct LunarDate {
  int month = 0;
  bool leap = false;
  int day = 0;
};

}  // namespace velmar::koyomi
