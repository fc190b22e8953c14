// The altitude sentences: $GPGGA's altitude and $PGRMZ.
#pragma once

#include <string>

#include "nmea/sentence.h"

namespace koralin {

// $GPGGA,121945,5146.6039,N,00531.2582,E,1,06,1.40,545.4,M,47.2,M,,*7A
//        time   latitude    longitude   quality, satellites, hdop, altitude, unit, ...
inline constexpr Field kGgaAltitude{9, 6};
inline constexpr Field kGgaAltitudeUnit{10, 1};  // "M" metres, else feet

// $PGRMZ,93,f,3*21  (altitude, unit, fix dimension)
inline constexpr Field kRmzAltitude{1, 6};
inline constexpr Field kRmzAltitudeUnit{2, 1};  // "f" feet, else metres

struct AltitudeSentence {
  std::string text;
  std::string altitude;  // as received
  bool metres = false;
};
using GgaSentence = AltitudeSentence;
using PgrmzSentence = AltitudeSentence;

GgaSentence ParseGga(std::string sentence);
PgrmzSentence ParsePgrmz(std::string sentence);

}  // namespace koralin
