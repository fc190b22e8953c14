#include "nmea/waypoint.h"

#include <cmath>

#include "common/basic.h"
#include "nmea/sentence.h"

namespace koralin {

namespace {

// Degrees and minutes from a whole count of 1/10000 minutes, so that a
// minute rounding up to 60 carries into the degrees.
std::string DegreesMinutes(double degrees, const char* degreePattern) {
  const long long tenThousandths = std::llround(std::fabs(degrees) * 60 * 10000);
  const long long wholeDegrees = tenThousandths / 600000;
  const double minutes = static_cast<double>(tenThousandths % 600000) / 10000;
  return Format(static_cast<double>(wholeDegrees), degreePattern) + Format(minutes, "00.0000");
}

}  // namespace

std::string SentencePlace(double latitude, double longitude) {
  return DegreesMinutes(latitude, "00") + (latitude < 0 ? ",S," : ",N,") + DegreesMinutes(longitude, "000") +
         (longitude < 0 ? ",W" : ",E");
}

std::string WaypointSentence(double latitude, double longitude, std::string_view name) {
  return AddCrc("$GPWPL," + SentencePlace(latitude, longitude) + "," + std::string(name) + "*");
}

}  // namespace koralin
