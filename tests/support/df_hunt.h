// Places and lines of bearing for the DF tests, and a small hunt for the DF
// window's: a 2 km drive east with a transmitter 1.5 km north of its middle,
// bearings a few degrees off, one reflected bearing and one of too low a
// quality for `kSmallHuntRules`.
#pragma once

#include <GeographicLib/Geodesic.hpp>
#include <cmath>

#include "df/hunt.h"

namespace koralin::test {

struct Place { double lat, lon; };

inline Place Offset(Place p, double azimuth, double metres) {
  Place q{};
  GeographicLib::Geodesic::WGS84().Direct(p.lat, p.lon, azimuth, metres, q.lat, q.lon);
  return q;
}

inline double Metres(Place a, Place b) {
  double s12 = 0;
  GeographicLib::Geodesic::WGS84().Inverse(a.lat, a.lon, b.lat, b.lon, s12);
  return s12;
}

// A line from `car` pointing exactly at `tx`, plus `offset` degrees.
inline LineOfBearing Sighting(Place car, Place tx, double offset = 0) {
  double azi1 = 0, azi2 = 0;
  GeographicLib::Geodesic::WGS84().Inverse(car.lat, car.lon, tx.lat, tx.lon, azi1, azi2);
  return {.latitude = car.lat, .longitude = car.lon, .bearing = std::fmod(azi1 + offset + 720, 360), .source = ""};
}

inline constexpr HuntRules kSmallHuntRules{.minQuality = 3, .maxAgeSeconds = 0};

// Lines 5 and 9 are the reflected and the weak one.
// Crossed at once unless `cross` is false.
inline void FillSmallHunt(DfHunt& hunt, int count = 12, bool cross = true) {
  const Place tx = Offset({48.0, 11.0 + 0.0134}, 0, 1500);
  for (int i = 0; i < count; ++i) {
    LineOfBearing l = Sighting(Offset({48.0, 11.0}, 90, 2000.0 * i / (count - 1)), tx, i == 5 ? 100 : (i % 2 ? 3 : -3));
    l.quality = i == 9 ? 1 : 5;
    l.time = 1.7e9 + i;
    hunt.Add(l);
  }
  if (cross) hunt.Update(kSmallHuntRules);
}

}  // namespace koralin::test
