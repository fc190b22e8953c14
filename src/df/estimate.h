// What crossing the lines gives: a place with its 95 % ellipse, or why not.
#pragma once

#include <string>
#include <vector>

namespace koralin {

enum class DfState {
  kTooFewLines,  // fewer than 3 usable lines
  kBarelyCross,  // the lines seen from the best point span too small an angle
  kBehind,       // the best point lies behind most of the lines
  kEstimate,
};

struct DfEstimate {
  DfState state = DfState::kTooFewLines;
  double latitude = 0;
  double longitude = 0;
  // The 95 % confidence ellipse: semi-axes in metres, the major axis's
  // azimuth in degrees from north, [0, 180).
  double semiMajor = 0;
  double semiMinor = 0;
  double orientation = 0;
  int used = 0;      // lines that carry weight in the estimate
  int rejected = 0;  // usable lines set aside as outliers
  double spread = 0; // degrees spanned by the used lines, seen from the place
  std::vector<bool> outlier;  // per line, in line order: usable but set aside
};

// One line of words for the window, the bus and the terminal.
std::string DfStateText(DfState state);

}  // namespace koralin
