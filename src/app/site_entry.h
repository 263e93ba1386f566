#pragma once
// Typed site coordinates, for when no site list is at hand.
#include <optional>
#include <string>

#include "engine/calculator.h"

namespace velmar {

// Checks the typed latitude and longitude and makes them the site. Returns a
// Japanese message naming the bad field instead when one does not read.
std::optional<std::string> enterSite(Calculator& calc, const std::string& latitude,
                                     const std::string& longitude);

}  // namespace velmar
