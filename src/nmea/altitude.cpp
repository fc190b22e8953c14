#include "nmea/altitude.h"

#include "common/basic.h"

namespace koralin {

GgaSentence ParseGga(std::string sentence) {
  const bool metres = LCase(GetNmeaField(kGgaAltitudeUnit, sentence)) == "m";
  std::string altitude = GetNmeaField(kGgaAltitude, sentence);
  return {std::move(sentence), std::move(altitude), metres};
}

PgrmzSentence ParsePgrmz(std::string sentence) {
  const bool metres = LCase(GetNmeaField(kRmzAltitudeUnit, sentence)) != "f";
  std::string altitude = GetNmeaField(kRmzAltitude, sentence);
  return {std::move(sentence), std::move(altitude), metres};
}

}  // namespace koralin
