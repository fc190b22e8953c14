#include "nmea/rmc.h"

namespace koralin {

RmcSentence ParseRmc(std::string sentence) {
  RmcSentence r;
  r.complete = CommaCount(sentence) >= kRmcCommas;
  r.time = GetNmeaField(kRmcTime, sentence);
  r.status = GetNmeaField(kRmcStatus, sentence);
  r.latitude = GetNmeaField(kRmcLatitude, sentence);
  r.latHemisphere = GetNmeaField(kRmcLatHemisphere, sentence);
  r.longitude = GetNmeaField(kRmcLongitude, sentence);
  r.longHemisphere = GetNmeaField(kRmcLongHemisphere, sentence);
  r.speed = GetNmeaField(kRmcSpeed, sentence);
  r.course = GetNmeaField(kRmcCourse, sentence);
  r.date = GetNmeaField(kRmcDate, sentence);
  r.text = std::move(sentence);
  return r;
}

}  // namespace koralin
