// The sentence parsers: finding, checking and cutting sentences, and each one's fields (the fix without RMC too).
#include <gtest/gtest.h>

#include "common/basic.h"
#include "nmea/altitude.h"
#include "nmea/degrees.h"
#include "nmea/doppler_bearing.h"
#include "nmea/gps_time.h"
#include "nmea/gsa.h"
#include "nmea/hdt.h"
#include "nmea/position.h"
#include "nmea/position_fix.h"
#include "nmea/rmc.h"
#include "nmea/sentence.h"
#include "nmea/waypoint.h"
#include "support/sentences.h"

namespace koralin {
namespace {

const std::string kGood = test::Rmc();  // ...,W*6A
constexpr const char* kZero = "$GPRMC,000000,A,0000.0000,N,00000.0000,E,0.000,0.000,000000,0.000,W,A*68";
const std::string kDeg(1, kDegree);

// Each parser on a real sentence, and on one cut short: every field is read
// from its own place, at most as wide as the program reads it.
TEST(Records, EachSentenceGivesItsFields) {
  const RmcSentence rmc = ParseRmc("$GPRMC,123519.75,A,4807.03812,S,01131.00012,WEST,022.45,084.41,230394,003.1,W*6A");
  EXPECT_EQ(rmc.time + "|" + rmc.status + "|" + rmc.latitude + rmc.latHemisphere + "|" + rmc.longitude +
                rmc.longHemisphere + "|" + rmc.speed + "|" + rmc.course + "|" + rmc.date + "|" + std::to_string(rmc.complete),
            "123519.75|A|4807.0381S|01131.0001WEST|022.4|084.4|230394|1");
  const RmcSentence cut = ParseRmc("$GPRMC,123519,V,,,,,,,230394");
  EXPECT_EQ(cut.status + cut.latitude + cut.date + std::to_string(cut.complete), "V2303940");
  const GgaSentence gga = ParseGga("$GPGGA,121945,5146.6039,N,00531.2582,E,1,06,1.40,1545.44,m,47.2,M,,*7A");
  const PgrmzSentence feet = ParsePgrmz("$PGRMZ,93,f,3*21"), metres = ParsePgrmz("$PGRMZ,1234567,M,3");
  EXPECT_EQ(gga.altitude + std::to_string(gga.metres) + "|" + feet.altitude + std::to_string(feet.metres) + "|" +
                metres.altitude + std::to_string(metres.metres),
            "1545.41|930|1234561");
  EXPECT_FALSE(ParseGga("$GPGGA,1,2,N,3,E,1,06,1.4,545.4,F").metres);
  const std::pair<const char*, int> modes[] = {{"$GPGSA,A,3,04,05*39", 3}, {"$GPGSA,A,,04", 0}, {"$GPGSA,A,24", 2}};
  for (const auto& [text, mode] : modes) EXPECT_EQ(ParseGsa(text).mode, mode) << text;
  const HdtSentence hdt = ParseHdt("$HCHDT,123.45,t*2D"), untrue = ParseHdt("$HCHDT,9e999,F");
  EXPECT_EQ(*hdt.heading + std::to_string(hdt.isTrue) + std::to_string(untrue.isTrue) + std::to_string(untrue.heading.has_value()),
            "123.4" + kDeg + "100");
}

TEST(Sentences, TheFirstIsFoundAndCutVerifiedOrNot) {
  const struct { bool verify; std::string text, expected; } cases[] = {
      {true, "$GPGGA,1,2*00\r\n" + kGood + "\r\n$GPRMC,1,2,3*00\r\n", kGood},  // the first one only
      {true, "$GPGGA,123519,4807.038,N*00", ""}, {true, kGood.substr(0, kGood.size() - 1), ""},  // one character after the star
      {true, "$GPRMC,123519,A,4807.038,N,01131.000,E", ""},
      {true, "$GPRMC,,V,,,,,,,,,,N*53", "$GPRMC,,V,,,,,,,,,,N*53"}, {false, kGood + "\r\n", kGood.substr(0, kGood.size() - 3)},
      {false, "$GPRMC,1,2", ""}, {false, "$GPRMC,1*2", "$GPRMC,1"},  // unchecked: cut before the star, ten characters at least
      {false, "$GPRMC" + std::string(90, 'x'), "$GPRMC" + std::string(72, 'x')},
      {false, "$GPRMC" + std::string(73, 'x') + "*1", "$GPRMC" + std::string(72, 'x')},  // no star looked for past 79
      {false, "$GPRMC,1\r\n,2*", "$GPRMC,1,2"},
  };
  for (const auto& c : cases) {
    const FoundSentence found = GetSentence({c.verify, false}, "$GPRMC", c.text);
    EXPECT_EQ(found.text, c.expected) << c.text;
    EXPECT_EQ(found.refusal, Refusal::kNone) << c.text;
  }
}

// The largest field a decoder takes: twenty characters, a billion.
TEST(Sentences, ADecodableFieldHasTwentyCharactersAndABillionAtMost) {
  const std::pair<std::string, bool> fields[] = {
      {"000000000000000001.5", true}, {"0000000000000000001.5", false}, {"-1000000000", true}, {"1000000001", false}};
  for (const auto& [field, taken] : fields) {
    const FoundSentence found = GetDecodableSentence({}, "$GPGGA", "$GPGGA,1," + field + ",N*");
    EXPECT_EQ(found.refusal, taken ? Refusal::kNone : Refusal::kUndecodable) << field;
    EXPECT_EQ(found.text.empty(), !taken) << field;
  }
}

TEST(Sentences, TheChecksumIsUpperCaseHexOfTheBody) {
  const std::pair<std::string, bool> sums[] = {
      {kGood, true}, {kZero, false},  // the body's checksum is 09
      {"$GPRMC,,V,,,,,,,,,,N*53", true}, {"$GPRMC,,V,,,,,,,,,,N*5", false}, {"$PSRF100,1*0E", false},
      {"$A,23456*3", false}, {"$ABCDEFG*41", false}, {"short*0", false}, {"no dollar here at all*00", false},
      {"$GPRMC,,V,,,,,,,,,,N", false}, {kGood.substr(0, kGood.size() - 1) + "a", false},
      {"$GPXYZ,p,0*C", true}, {"$GPXYZ,p,0*0C", true}, {"$GPXYZ,p,0*0c", false},  // single-digit checksums
      {"$GPXYZ,p,0*C\r\n", true}, {"$GPXYZ,p,0*C.", true},
  };
  for (const auto& [sentence, ok] : sums) EXPECT_EQ(CrcOk(sentence), ok) << sentence;
}

TEST(Sentences, AnyTalkerIsTwoUpperCaseLettersAndTheFirstInTheTextWins) {
  const struct { bool anyTalker; const char* prefix; std::string text; std::size_t at; } finds[] = {
      {true, "$GPRMC", "x$GNRMC,1", 2}, {false, "$GPRMC", "$GNRMC,1", 0}, {true, "$GPRMC", "$GPSRMC,1$gnRMC,1$G1RMC,1$GRMC,1", 0},
      {true, "$GPRMC", "$GARMC,1$GPRMC,1", 1},  // the first in the text wins
      {true, "$HCHDT", "$IIHDT,1", 1}, {true, "$GP", "ab$BDGSV,1", 3},  // the baud search's test
      {true, "$PGRMZ", "$GNRMZ,1", 0},  // a maker's own sentence keeps its name
  };
  for (const auto& c : finds) {
    // and, from the third character on, the second
    EXPECT_EQ(FindSentence(c.prefix, c.text, 1, c.anyTalker) * 100 + FindSentence("$GP", "$GPGSV,1$GPRMC", 3, c.anyTalker),
              c.at * 100 + 9)
        << c.anyTalker << " " << c.prefix << " " << c.text;
  }
}

TEST(Position, LatitudeAndLongitudeAreFormattedToHundredthsOfAMinute) {
  const std::pair<const char*, const char*> latitudes[] = {
      {"4807.038", "4807.04"}, {"0000.0000", "0000.00"}, {"", "0000.00"},        {"5.5", "0005.50"},
      {"0.5", "0000.50"},      {"12", "0012.00"},        {"4807.035", "4807.04"}, {"4807.045", "4807.04"},
      {"48x07.038", "4807.04"}};
  for (const auto& [field, expected] : latitudes) EXPECT_EQ(FormatLatitude(field), expected) << field;
  const std::pair<const char*, const char*> longitudes[] = {
      {"01131.000", "01131.00"}, {"00005.1234", "00005.12"}, {"abc", "00000.00"}, {"17959.999", "17960.00"}};
  for (const auto& [field, expected] : longitudes) EXPECT_EQ(FormatLongitude(field), expected) << field;
}

TEST(Position, DegreesAndMinutesBecomeSignedDecimalDegrees) {
  const std::pair<const char*, float> decimals[] = {
      {"5212.35N", 52.205833f}, {"3351.39S", -33.8565f}, {"00454.32E", 4.9053333f}, {"15112.34w", -151.20567f},
      {"", 0.0f},               {"1234", 0.0f},          {".5N", 5.0f / 60 * 0.01f}, {"123.45N", 1.3908333f}};
  for (const auto& [text, expected] : decimals) EXPECT_NEAR(sngConv2Decimal(text), expected, 1e-4) << text;
}

// What a line of bearing is made of: where and when, or nothing for a field out of range.
TEST(Position, TheHuntReadsPlaceAndTimeStrictlyAndWritesThePlaceBack) {
  const std::tuple<const char*, const char*, double> places[] = {  // -999: none
      {"5212.35", "N", 52.205833}, {"3351.39", "s", -33.8565}, {"00454.32", "E", 4.905333}, {"9000.0", "N", 90},
      {"18000", "W", -180}, {"9100", "E", 91}, {"9000.01", "S", -999}, {"18000.1", "E", -999}, {"5260.00", "N", -999},
      {"12.5", "N", -999}, {"123456.0", "E", -999}, {"52a2.35", "N", -999}, {"5212.3x", "N", -999},
      {"5212.35", "X", -999}};
  for (const auto& [field, hemisphere, degrees] : places)
    EXPECT_NEAR(CoordinateDegrees(field, hemisphere).value_or(-999), degrees, 1e-6) << field << hemisphere;
  const std::tuple<const char*, const char*, double> times[] = {
      {"010100", "000000", 946684800}, {"290200", "235959", 951868799}, {"230394", "123519.25", 3920186119.25},
      {"310100", "235960", 949363200}, {"290201", "000000", -999}, {"320100", "000000", -999},
      {"010100", "240000", -999}, {"010100", "006000", -999}, {"010100", "000061", -999}, {"01010", "000000", -999},
      {"010100", "00000", -999}, {"010100", "000000.x", -999}};
  for (const auto& [date, time, seconds] : times)
    EXPECT_NEAR(UtcSeconds(date, time).value_or(-999), seconds, 1e-6) << date << " " << time;
  EXPECT_EQ(SentencePlace(0.5, 0.25), "0030.0000,N,00015.0000,E");
  EXPECT_EQ(WaypointSentence(-51.99999999, -179.5, "TX"), "$GPWPL,5200.0000,S,17930.0000,W,TX*43\r\n");
}

TEST(Heading, HeadingsHaveThreeDigitsOneDecimalAndTheDegreeMark) {
  const std::pair<const char*, const char*> headings[] = {
      {"123.45", "123.4"}, {"123.55", "123.6"}, {"5.2xyz", "005.2"}, {"-5", "-005.0"}};
  for (const auto& [in, out] : headings) EXPECT_EQ(FormatHeading(in), out + kDeg) << in;
}

// Seen: the bearing and its amplitude, or "-" when none was found.
TEST(DopplerBearing, TheLastOneCountsWithItsAmplitude) {
  const std::tuple<const char*, const char*, const char*> bearings[] = {
      {"DF101/9 [12]", "DF", "DF101 [12]"}, {"$DFBRG200/4", "$DFBRG", "$DFBRG200/4 "}, {"%12", "%", "-"},
      {"%123/4", "%", "%123/4 "}, {"%123/45", "%", "%123 "}, {"rommel%323/9Bla bla", "%", "%323 "}, {"%1a3/4", "%", "-"},
      {"%111/1 %222/2", "%", "%222/2 "}, {"%111/1 %22", "%", "-"},  // only the last occurrence counts
      {"DF101/9 [7", "DF", "DF101 "}, {"[3] DF101/9 ]", "DF", "DF101 [3]"}, {"DF101/9 [12][3]", "DF", "DF101 [12]"},
  };
  for (const auto& [text, prefix, seen] : bearings) {
    const std::optional<DopplerBearing> b = ParseDopplerBearing(text, prefix);
    EXPECT_EQ(b ? b->text + " " + b->amplitude : "-", seen) << text;
  }
  for (const auto& [text, quality] : {std::pair{"%123/4", 4}, {"%123/45", 4}, {"%123x4", -1}, {"%123/", -1}, {"%123/x", -1}})
    EXPECT_EQ(ParseDopplerBearing(text, "%")->quality, quality) << text;
}

// The fix of receivers without RMC: GGA, GNS and GLL.
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
