// A small hunt for the DF window's tests: a 2 km drive east with a
// transmitter 1.5 km north of its middle, bearings a few degrees off, one
// reflected bearing and one of too low a quality for `kSmallHuntRules`.
#pragma once

#include <GeographicLib/Geodesic.hpp>
#include <cmath>

#include "df/hunt.h"

namespace koralin::test {

inline constexpr HuntRules kSmallHuntRules{.minQuality = 3, .maxAgeSeconds = 0};

// Lines 5 and 9 are the reflected and the weak one.
// Crossed at once unless `cross` is false.
inline void FillSmallHunt(DfHunt& hunt, int count = 12, bool cross = true) {
  const GeographicLib::Geodesic& g = GeographicLib::Geodesic::WGS84();
  double txLat = 0, txLon = 0;
  g.Direct(48.0, 11.0 + 0.0134, 0, 1500, txLat, txLon);
  for (int i = 0; i < count; ++i) {
    LineOfBearing l;
    g.Direct(48.0, 11.0, 90, 2000.0 * i / (count - 1), l.latitude, l.longitude);
    double s12 = 0, azi1 = 0, azi2 = 0;
    g.Inverse(l.latitude, l.longitude, txLat, txLon, s12, azi1, azi2);
    const double off = i == 5 ? 100 : (i % 2 ? 3 : -3);
    l.bearing = std::fmod(azi1 + off + 720, 360);
    l.quality = i == 9 ? 1 : 5;
    l.time = 1.7e9 + i;
    hunt.Add(l);
  }
  if (cross) hunt.Update(kSmallHuntRules);
}

}  // namespace koralin::test
