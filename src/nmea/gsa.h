// $GPGSA, the fix quality: here its mode.
#pragma once

#include <string>

#include "nmea/sentence.h"

namespace koralin {

// $GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1*39
//        selection, mode, satellites..., dilutions
inline constexpr Field kGsaMode{2, 1};  // 1 no fix, 2 2D, 3 3D

struct GsaSentence {
  std::string text;
  int mode = 0;  // 0 when the field is empty or no digit
};

GsaSentence ParseGsa(std::string sentence);

}  // namespace koralin
