// The DF estimate as the bus publishes it: one text item per value, on an
// object of its own so that the window's items stay as they are.
#pragma once

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "df/estimate.h"
#include "team/team.h"

namespace koralin {

// The items in their fixed order: the order the bridge prints them in.
inline constexpr std::array<const char*, 8> kEstimateItemNames = {
    "Latitude", "Longitude", "SemiMajor", "SemiMinor", "Orientation", "LinesUsed", "LinesRejected", "State"};

// Name and text of each item, in that order: the place and the ellipse are
// empty while there is no estimate, the state says why.
std::vector<std::pair<std::string, std::string>> EstimateItems(const DfEstimate& estimate);

// The team hunt's items on the same object, after those: the state
// ("team: connected", "" when off), the other cars ("red online 12, green
// offline 3": name, presence, lines taken) and the messages dropped.
inline constexpr std::array<const char*, 3> kTeamItemNames = {"Team", "TeamCars", "TeamDropped"};
std::vector<std::pair<std::string, std::string>> TeamItems(const Team& team);

}  // namespace koralin
