// The fix of receivers that send no RMC: $GPGGA, $GPGNS and $GPGLL carry the
// position, the UTC time and whether the fix is valid.
#pragma once

#include <string>

#include "nmea/sentence.h"

namespace koralin {

// $GPGGA,194100.00,4221.8235522,N,07101.9438007,W,1,04,1.4,6.914,M,-33.057,M,,*5D
//        time      latitude       longitude       quality (0 no fix), satellites, ...
inline constexpr Field kGgaTime{1, 10};
inline constexpr Field kGgaLatitude{2, 9};
inline constexpr Field kGgaLatHemisphere{3, 1};
inline constexpr Field kGgaLongitude{4, 10};
inline constexpr Field kGgaLongHemisphere{5, 1};
inline constexpr Field kGgaQuality{6, 1};

// $GNGNS,213712.000,4111.59903,N,11156.54809,W,AANN,13,0.93,01482.5,-016.5,,*52
//        time       latitude     longitude     mode per system ("N" no fix), ...
inline constexpr Field kGnsTime{1, 10};
inline constexpr Field kGnsLatitude{2, 9};
inline constexpr Field kGnsLatHemisphere{3, 1};
inline constexpr Field kGnsLongitude{4, 10};
inline constexpr Field kGnsLongHemisphere{5, 1};
inline constexpr Field kGnsMode{6, 8};

// $GNGLL,4111.59903,N,11156.54809,W,213712.000,A,A*50
//        latitude     longitude     time       status ("A" valid), mode ("N" no fix)
inline constexpr Field kGllLatitude{1, 9};
inline constexpr Field kGllLatHemisphere{2, 1};
inline constexpr Field kGllLongitude{3, 10};
inline constexpr Field kGllLongHemisphere{4, 1};
inline constexpr Field kGllTime{5, 10};
inline constexpr Field kGllStatus{6, 1};
inline constexpr Field kGllMode{7, 1};

// The fields as received, and the fix's validity as an RMC status would say it.
struct PositionFix {
  std::string text;
  std::string time, status, latitude, latHemisphere, longitude, longHemisphere;  // status "A" or "V"
};

PositionFix ParseGgaFix(std::string sentence);
PositionFix ParseGns(std::string sentence);
PositionFix ParseGll(std::string sentence);

}  // namespace koralin
