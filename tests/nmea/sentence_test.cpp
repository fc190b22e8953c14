#include "nmea/sentence.h"

#include <gtest/gtest.h>

#include "support/fakes.h"
#include "support/sentences.h"

namespace koralin {
namespace {

const std::string kGood = test::Rmc();  // ...,W*6A
constexpr const char* kZero = "$GPRMC,000000,A,0000.0000,N,00000.0000,E,0.000,0.000,000000,0.000,W,A*68";

TEST(GetSentence, FindsChecksAndCuts) {
  const struct { bool verify; std::string text, expected; } cases[] = {
      {true, "$GPGGA,1,2*00\r\n" + kGood + "\r\n$GPRMC,1,2,3*00\r\n", kGood},  // the first one only
      {true, "$GPGGA,123519,4807.038,N*00", ""}, {true, kGood.substr(0, kGood.size() - 1), ""},  // one character after the star
      {true, "$GPRMC,123519,A,4807.038,N,01131.000,E", ""},
      {true, "$GPRMC,,V,,,,,,,,,,N*53", "$GPRMC,,V,,,,,,,,,,N*53"}, {false, kGood + "\r\n", kGood.substr(0, kGood.size() - 3)},
      {false, "$GPRMC,1,2", ""}, {false, "$GPRMC,1*2", "$GPRMC,1"},  // unchecked: cut before the star, ten characters at least
      {false, "$GPRMC" + std::string(90, 'x'), "$GPRMC" + std::string(72, 'x')}, {false, "$GPRMC,1\r\n,2*", "$GPRMC,1,2"},
  };
  for (const auto& c : cases) {
    test::TestRig rig;
    rig.app.form1.mnuCrcCheck.SetChecked(c.verify);
    EXPECT_EQ(GetSentence(rig.app, "$GPRMC", c.text), c.expected) << c.text;
    EXPECT_EQ(rig.app.form1.Frame1.Caption(), "GPS NMEA-0183") << c.text;
  }
  test::TestRig rig;  // only a checksum that does not match is reported, in the frame
  rig.app.form1.mnuCrcCheck.SetChecked(true);
  EXPECT_EQ(GetSentence(rig.app, "$GPRMC", kGood.substr(0, kGood.size() - 1) + "B") + rig.app.form1.Frame1.Caption(),
            "GPS-NMEA-0183 CRC error !");
}

TEST(CrcOk, AcceptsOnlyUpperCaseHexOfTheBody) {
  const std::pair<std::string, bool> cases[] = {
      {kGood, true}, {kZero, false},  // the body's checksum is 09
      {"$GPRMC,,V,,,,,,,,,,N*53", true}, {"$GPRMC,,V,,,,,,,,,,N*5", false}, {"$PSRF100,1*0E", false},
      {"$A,23456*3", false}, {"$ABCDEFG*41", false}, {"short*0", false}, {"no dollar here at all*00", false},
      {"$GPRMC,,V,,,,,,,,,,N", false}, {kGood.substr(0, kGood.size() - 1) + "a", false},
      {"$GPXYZ,p,0*C", true}, {"$GPXYZ,p,0*0C", true}, {"$GPXYZ,p,0*0c", false},  // single-digit checksums
      {"$GPXYZ,p,0*C\r\n", true}, {"$GPXYZ,p,0*C.", true},
  };
  for (const auto& [sentence, ok] : cases) EXPECT_EQ(CrcOk(sentence), ok) << sentence;
}

TEST(FindSentence, AnyTalkerStandsForTwoUpperCaseLetters) {
  const struct { bool anyTalker; const char* prefix; std::string text; std::size_t at; } cases[] = {
      {true, "$GPRMC", "x$GNRMC,1", 2}, {false, "$GPRMC", "$GNRMC,1", 0}, {true, "$GPRMC", "$GPSRMC,1$gnRMC,1$G1RMC,1$GRMC,1", 0},
      {true, "$GPRMC", "$GARMC,1$GPRMC,1", 1},  // the first in the text wins
      {true, "$HCHDT", "$IIHDT,1", 1}, {true, "$GP", "ab$BDGSV,1", 3},  // the baud search's test
      {true, "$PGRMZ", "$GNRMZ,1", 0},  // a maker's own sentence keeps its name
  };
  for (const auto& c : cases) {
    test::TestRig rig;
    rig.app.form1.mnuAnyTalker.SetChecked(c.anyTalker);
    EXPECT_EQ(FindSentence(rig.app, c.prefix, c.text), c.at) << c.anyTalker << " " << c.prefix << " " << c.text;
    EXPECT_EQ(FindSentence(rig.app, "$GP", "$GPGSV,1$GPRMC", 3), 9u) << "from the third character on";
  }
}

}  // namespace
}  // namespace koralin
