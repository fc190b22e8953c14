#include "nmea/gga.h"

#include "common/basic.h"

namespace koralin {

GgaSentence ParseGga(std::string sentence) {
  GgaSentence g;
  g.altitude = GetNmeaField(kGgaAltitude, sentence);
  g.metres = LCase(GetNmeaField(kGgaAltitudeUnit, sentence)) == "m";
  g.text = std::move(sentence);
  return g;
}

}  // namespace koralin
