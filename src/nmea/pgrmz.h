// $PGRMZ, a receiver's altitude sentence.
#pragma once

#include <string>

#include "nmea/sentence.h"

namespace koralin {

// $PGRMZ,93,f,3*21  (altitude, unit, fix dimension)
inline constexpr Field kRmzAltitude{1, 6};
inline constexpr Field kRmzAltitudeUnit{2, 1};  // "f" feet, else metres

struct PgrmzSentence {
  std::string text;
  std::string altitude;  // as received
  bool metres = false;
};

PgrmzSentence ParsePgrmz(std::string sentence);

}  // namespace koralin
