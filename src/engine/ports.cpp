#include "engine/ports.h"

namespace velmar {


CivilTime toJst(std::chrono::system_clock::time_point tp) {
  using namespace std::chrono;
  return astro::jstOfUnixSeconds(floor<seconds>(tp.time_since_epoch()).count());
}

}  // namespace velmar
