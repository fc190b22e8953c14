#include "nmea/degrees.h"

#include <cmath>

#include "common/basic.h"

namespace koralin {

std::string FormatHeading(std::string_view h) { return Replace(Format(Val(h), "000.0"), ",", ".") + kDegree; }

float NormaliseDegrees(float a) {
  const float n = RoundHalfEven(a);
  float r = std::fmod(n, 360.0f);
  if (r < 0) r += 360.0f;
  return r == 0 ? 0.0f : r;  // no "-0"
}

}  // namespace koralin
