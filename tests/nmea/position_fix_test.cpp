// The fix of receivers without RMC: GGA, GNS and GLL.
#include <gtest/gtest.h>

#include "nmea/position_fix.h"

namespace koralin {
namespace {

TEST(PositionFix, EachSentenceGivesTimePositionAndWhetherItIsAFix) {
  const struct { PositionFix (*parse)(std::string); const char* sentence; const char* read; } rows[] = {
      {ParseGgaFix, "$GPGGA,194100.00,4221.8235522,N,07101.9438007,W,1,04,1.4,6.914,M,-33.057,M,,",
       "194100.00 4221.8235N 07101.9438W A"},
      {ParseGgaFix, "$GPGGA,194100.00,4221.8235,N,07101.9438,W,0,04,1.4,6.9,M,,M,,", "194100.00 4221.8235N 07101.9438W V"},
      {ParseGgaFix, "$GPGGA,,,,,,6,,,,M,,M,,", "   V"},  // a fix without coordinates is none
      {ParseGns, "$GNGNS,213712.000,4111.59903,N,11156.54809,W,AANN,13,0.93,01482.5,-016.5,,",
       "213712.000 4111.5990N 11156.5480W A"},
      {ParseGns, "$GNGNS,191434.96,4111.5,N,11156.5,W,NNN,,,,,,", "191434.96 4111.5N 11156.5W V"},
      {ParseGll, "$GNGLL,4111.59903,N,11156.54809,W,213712.000,A,A", "213712.000 4111.5990N 11156.5480W A"},
      {ParseGll, "$GPGLL,4111.5,S,11156.5,E,213712,A", "213712 4111.5S 11156.5E A"},  // before the mode field
      {ParseGll, "$GPGLL,4111.5,N,11156.5,W,213712,V,N", "213712 4111.5N 11156.5W V"},
      {ParseGll, "$GPGLL,4111.5,N,11156.5,W,213712,A,N", "213712 4111.5N 11156.5W V"},
  };
  for (const auto& r : rows) {
    const PositionFix p = r.parse(r.sentence);
    EXPECT_EQ(p.time + " " + p.latitude + p.latHemisphere + " " + p.longitude + p.longHemisphere + " " + p.status, r.read)
        << r.sentence;
    EXPECT_EQ(p.text, r.sentence);
  }
}

}  // namespace
}  // namespace koralin
