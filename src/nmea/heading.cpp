#include "nmea/heading.h"

#include <cmath>

#include "app/app.h"
#include "common/basic.h"

namespace koralin {

// The instrument decoders are not wired to the display yet.
void ExtractingHCHDT(App&, std::string_view, bool& found) { found = false; }
void ExtractingDoppler(App&, std::string_view, std::string_view, bool& found) { found = false; }

std::string FormatHeading(std::string_view h) {
  return Replace(Format(Val(h), "000.0"), ",", ".") + kDegree;
}

float NormaliseDegrees(float a) {
  const float n = RoundHalfEven(a);
  float r = std::fmod(n, 360.0f);
  if (r < 0) r += 360.0f;
  return r == 0 ? 0.0f : r;  // no "-0"
}

std::string GetHeadingText(App& app) {
  const FixState& fix = app.fix;
  if (fix.RmcStatus == "A" && Val(fix.SpeedKnotsText) >= app.settings.MinGpsSpeedOut) return fix.CourseText;
  if (!app.heading.FluxHeadingText.empty()) {
    const float v = RoundHalfEven(static_cast<float>(Val(app.heading.FluxHeadingText))) + app.settings.FluxCompassOffset;
    return NumText(static_cast<long long>(NormaliseDegrees(v))) + kDegree + "F";
  }
  return std::string("---") + kDegree;
}

void ClearFluxData(App&) {}

}  // namespace koralin
