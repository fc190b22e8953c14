#include "nmea/pgrmz.h"

#include "common/basic.h"

namespace koralin {

PgrmzSentence ParsePgrmz(std::string sentence) {
  PgrmzSentence z;
  z.altitude = GetNmeaField(kRmzAltitude, sentence);
  z.metres = LCase(GetNmeaField(kRmzAltitudeUnit, sentence)) != "f";
  z.text = std::move(sentence);
  return z;
}

}  // namespace koralin
