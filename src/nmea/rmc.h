// $GPRMC, the recommended minimum: time, status, position, speed, course, date.
#pragma once

#include <string>

#include "nmea/sentence.h"

namespace koralin {

// $GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A
//        time   status latitude  longitude  speed course date  variation
inline constexpr Field kRmcTime{1, 10};
inline constexpr Field kRmcStatus{2, 1};  // "A" valid, "V" void
inline constexpr Field kRmcLatitude{3, 9};
inline constexpr Field kRmcLatHemisphere{4, 1};
inline constexpr Field kRmcLongitude{5, 10};
inline constexpr Field kRmcLongHemisphere{6, 10};
inline constexpr Field kRmcSpeed{7, 5};  // knots
inline constexpr Field kRmcCourse{8, 5};
inline constexpr Field kRmcDate{9, 6};  // ddmmyy
// A sentence with fewer commas is shown but not decoded.
inline constexpr int kRmcCommas = 11;

// The fields as received; the display shows several of them as they stand.
struct RmcSentence {
  std::string text;
  bool complete = false;  // enough commas to be decoded
  std::string time, status, latitude, latHemisphere, longitude, longHemisphere, speed, course, date;
};

RmcSentence ParseRmc(std::string sentence);

}  // namespace koralin
