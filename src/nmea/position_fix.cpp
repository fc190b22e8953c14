#include "nmea/position_fix.h"

namespace koralin {

namespace {

struct Layout {
  Field time, latitude, latHemisphere, longitude, longHemisphere;
};

PositionFix Read(const Layout& l, std::string sentence, bool valid) {
  PositionFix p;
  p.time = GetNmeaField(l.time, sentence);
  p.latitude = GetNmeaField(l.latitude, sentence);
  p.latHemisphere = GetNmeaField(l.latHemisphere, sentence);
  p.longitude = GetNmeaField(l.longitude, sentence);
  p.longHemisphere = GetNmeaField(l.longHemisphere, sentence);
  // A fix without both coordinates is none, whatever its flags say.
  p.status.assign(1, valid && !p.latitude.empty() && !p.longitude.empty() ? 'A' : 'V');
  p.text = std::move(sentence);
  return p;
}

}  // namespace

PositionFix ParseGgaFix(std::string sentence) {
  const std::string quality = GetNmeaField(kGgaQuality, sentence);
  const bool valid = !quality.empty() && quality != "0";
  return Read({kGgaTime, kGgaLatitude, kGgaLatHemisphere, kGgaLongitude, kGgaLongHemisphere}, std::move(sentence),
              valid);
}

PositionFix ParseGns(std::string sentence) {
  const std::string mode = GetNmeaField(kGnsMode, sentence);
  const bool valid = mode.find_first_not_of('N') != std::string::npos;
  return Read({kGnsTime, kGnsLatitude, kGnsLatHemisphere, kGnsLongitude, kGnsLongHemisphere}, std::move(sentence),
              valid);
}

PositionFix ParseGll(std::string sentence) {
  const bool valid = GetNmeaField(kGllStatus, sentence) == "A" && GetNmeaField(kGllMode, sentence) != "N";
  return Read({kGllTime, kGllLatitude, kGllLatHemisphere, kGllLongitude, kGllLongHemisphere}, std::move(sentence),
              valid);
}

}  // namespace koralin
