#include "app/site_entry.h"

#include "engine/numtext.h"

namespace velmar {

std::optional<std::string> enterSite(Calculator& calc, const std::string& latitude,
                                     const std::string& longitude) {
  const std::optional<double> lat = parseNumber(latitude);
  if (!lat || *lat < -90 || *lat > 90)
    return "北緯には -90 から 90 までの数値を入力してください。";
  const std::optional<double> lon = parseNumber(longitude);
  if (!lon || *lon < -180 || *lon > 360)
    return "東経には -180 から 360 までの数値を入力してください。";
  calc.setSite(*lat, *lon);
  return std::nullopt;
}

}  // namespace velmar
