// The DF estimate as the bus publishes it: one text item per value, on an
// object of its own so that the window's items stay as they are.
#pragma once

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "df/estimate.h"

namespace koralin {

// The items in their fixed order: the order the bridge prints them in.
inline constexpr std::array<const char*, 8> kEstimateItemNames = {
    "Latitude", "Longitude", "SemiMajor", "SemiMinor", "Orientation", "LinesUsed", "LinesRejected", "State"};

// Name and text of each item, in that order: the place and the ellipse are
// empty while there is no estimate, the state says why.
std::vector<std::pair<std::string, std::string>> EstimateItems(const DfEstimate& estimate);

}  // namespace koralin
