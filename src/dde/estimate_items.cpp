#include "dde/estimate_items.h"

#include "common/basic.h"

namespace koralin {

std::vector<std::pair<std::string, std::string>> EstimateItems(const DfEstimate& e) {
  const bool placed = e.state == DfState::kEstimate;
  const auto shown = [placed](double v, std::string_view pattern) { return placed ? Format(v, pattern) : ""; };
  // Six decimals of a degree are about 0.1 m, finer than any hunt's ellipse.
  const std::array<std::string, kEstimateItemNames.size()> texts = {
      shown(e.latitude, "0.000000"), shown(e.longitude, "0.000000"), shown(e.semiMajor, "0"),
      shown(e.semiMinor, "0"),       shown(e.orientation, "0.0"),    NumText(e.used),
      NumText(e.rejected),           DfStateText(e.state)};
  std::vector<std::pair<std::string, std::string>> items;
  for (std::size_t i = 0; i < texts.size(); ++i) items.emplace_back(kEstimateItemNames[i], texts[i]);
  return items;
}

std::vector<std::pair<std::string, std::string>> TeamItems(const Team& team) {
  std::string cars;
  for (const auto& [name, car] : team.Cars())
    cars += (cars.empty() ? "" : ", ") + name + (car.online ? " online " : " offline ") + NumText(car.lines);
  return {{kTeamItemNames[0], team.StateText()}, {kTeamItemNames[1], cars},
          {kTeamItemNames[2], NumText(team.DroppedTotal())}};
}

}  // namespace koralin
