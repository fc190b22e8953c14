#include "nmea/sentence.h"

#include <gtest/gtest.h>

#include "support/fakes.h"

namespace koralin {
namespace {

constexpr const char* kZero = "$GPRMC,000000,A,0000.0000,N,00000.0000,E,0.000,0.000,000000,0.000,W,A*68";
// A sentence with a correct checksum.
constexpr const char* kGood = "$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A";

struct GetSentenceCase {
  const char* name;
  bool verify;
  std::string text;
  std::string expected;
};

TEST(GetSentence, FindsChecksAndCuts) {
  const std::string good = kGood;
  const GetSentenceCase cases[] = {
      {"verified, after other text", true, "$GPGGA,1,2*00\r\n" + good + "\r\n", good},
      {"only the first of two", true, good + "\r\n" + "$GPRMC,1,2,3*00\r\n", good},
      {"absent", true, "$GPGGA,123519,4807.038,N*00", ""},
      {"one character after the star", true, good.substr(0, good.size() - 1), ""},
      {"no star", true, "$GPRMC,123519,A,4807.038,N,01131.000,E", ""},
      {"bad checksum", true, "$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6B", ""},
      {"void sentence with empty fields", true, "$GPRMC,,V,,,,,,,,,,N*53", "$GPRMC,,V,,,,,,,,,,N*53"},
      {"unverified: cut before the star", false, good + "\r\n", good.substr(0, good.size() - 3)},
      {"unverified: 10 characters without star", false, "$GPRMC,1,2", ""},
      {"unverified: 10 characters with star", false, "$GPRMC,1*2", "$GPRMC,1"},
      {"unverified: 79 or more without star keeps 78", false, "$GPRMC" + std::string(90, 'x'),
       "$GPRMC" + std::string(72, 'x')},
      {"unverified: line ends removed", false, "$GPRMC,1\r\n,2*", "$GPRMC,1,2"},
  };
  for (const auto& c : cases) {
    test::TestRig rig;
    rig.app.form1.mnuCrcCheck.SetChecked(c.verify);
    EXPECT_EQ(GetSentence(rig.app, "$GPRMC", c.text), c.expected) << c.name;
  }
}

TEST(GetSentence, MismatchShowsCrcErrorInTheFrame) {
  test::TestRig rig;
  rig.app.form1.mnuCrcCheck.SetChecked(true);
  EXPECT_EQ(GetSentence(rig.app, "$GPRMC", kZero), "");
  EXPECT_EQ(rig.app.form1.Frame1.Caption(), "GPS-NMEA-0183 CRC error !");
}

TEST(CrcOk, AcceptsOnlyUpperCaseHexOfTheBody) {
  const struct {
    std::string sentence;
    bool ok;
  } cases[] = {
      {kGood, true}, {kZero, false},  // the body's checksum is 09
      {"$GPRMC,,V,,,,,,,,,,N*53", true}, {"$GPRMC,,V,,,,,,,,,,N*5", false}, {"$PSRF100,1*0E", false},
      {"$A,23456*3", false}, {"$ABCDEFG*41", false}, {"short*0", false}, {"no dollar here at all*00", false},
      {"$GPRMC,,V,,,,,,,,,,N", false},
      {"$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6a", false},
      {"$GPXYZ,p,0*C", true},  {"$GPXYZ,p,0*0C", true}, {"$GPXYZ,p,0*0c", false},  // single-digit checksums
  };
  for (const auto& c : cases) EXPECT_EQ(CrcOk(c.sentence), c.ok) << c.sentence;
}

TEST(AddCrc, WritesTwoUpperCaseDigitsAndCrLf) {
  const struct {
    std::string text, expected;
  } cases[] = {
      {"$PSRF100,1,4800,8,1,0*", "$PSRF100,1,4800,8,1,0*0E\r\n"},
      {"$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*FF", std::string(kGood) + "\r\n"},
      {"$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*", std::string(kGood) + "\r\n"},
      {"", ""}, {"GPRMC,1,2*", ""}, {"$GPRMC,1,2", ""},
      {"$AB*", ""},  // the star must stand at least six after the "$"
  };
  for (const auto& c : cases) EXPECT_EQ(AddCrc(c.text), c.expected) << c.text;
}

TEST(Fields, CommaCountAndGetNmeaField) {
  EXPECT_EQ(CommaCount(kZero), 12);
  EXPECT_EQ(CommaCount(""), 0);
  const struct {
    int n;
    std::size_t m;
    std::string expected;
  } cases[] = {
      {2, 1, "A"}, {3, 9, "0000.0000"}, {5, 10, "00000.0000"}, {12, 10, "A*68"}, {7, 3, "0.0"},
      {13, 10, ""}, {0, 5, ""}, {1, 0, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(GetNmeaField(c.n, c.m, kZero), c.expected) << c.n;
  EXPECT_EQ(GetNmeaField(2, 5, "$X,a,,b"), "");
  EXPECT_EQ(GetNmeaField(3, 5, "$X,a,,b"), "b");
  EXPECT_EQ(GetNmeaField(1, 5, "$X,"), "");
  EXPECT_EQ(GetNmeaField(7, 5, "$GPRMC,1,A,2,N,3,E,123456,9"), "12345");
  const std::string commas(10000, ',');
  EXPECT_EQ(CommaCount(commas), 10000);
  EXPECT_EQ(GetNmeaField(9999, 5, commas), "");
  EXPECT_EQ(GetNmeaField(5, 5, "$" + commas + "x"), "");
  EXPECT_EQ(GetNmeaField(10000, 5, "$" + commas + "x"), "x");
}

TEST(MenuCrcCheck, Toggles) {
  test::TestRig rig;
  MenuItem& m = rig.app.form1.mnuCrcCheck;
  const bool before = m.Checked();
  m.Click();
  EXPECT_NE(m.Checked(), before);
}

}  // namespace
}  // namespace koralin
