// A line of bearing: where the car was, which way the transmitter lay.
#pragma once

#include <string>

namespace koralin {

// Quality when the bearing's form carries no quality digit.
inline constexpr int kNoQuality = -1;

struct LineOfBearing {
  double time = 0;       // UTC, seconds since 1970
  double latitude = 0;   // degrees, north positive
  double longitude = 0;  // degrees, east positive
  double bearing = 0;    // degrees from true north, [0, 360)
  int quality = kNoQuality;  // 0..9, higher is better
  std::string source;    // "serial", "companion" or a car's name
};

}  // namespace koralin
