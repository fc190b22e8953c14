// Decoding $GPRMC: time, status, position, speed, course and date.
#pragma once

#include <string_view>

namespace koralin {

struct App;

// The fields of $GPRMC, counted from the first comma:
//   $GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A
//          time   status latitude  longitude  speed course date  variation
inline constexpr int kRmcTime = 1;
inline constexpr int kRmcStatus = 2;  // "A" valid, "V" void
inline constexpr int kRmcLatitude = 3;
inline constexpr int kRmcLatHemisphere = 4;
inline constexpr int kRmcLongitude = 5;
inline constexpr int kRmcLongHemisphere = 6;
inline constexpr int kRmcSpeed = 7;  // knots
inline constexpr int kRmcCourse = 8;
inline constexpr int kRmcDate = 9;  // ddmmyy
// A sentence with fewer commas is shown but not decoded.
inline constexpr int kRmcCommas = 11;

void ExtractingGPRMC(App& app, std::string_view text);

}  // namespace koralin
