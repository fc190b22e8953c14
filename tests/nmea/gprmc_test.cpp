#include "nmea/gprmc.h"

#include <gtest/gtest.h>

#include "common/basic.h"
#include "nmea/gps_time.h"
#include "nmea/position.h"
#include "support/fakes.h"
#include "support/sentences.h"

namespace koralin {
namespace {

std::string Deg(const std::string& s) { return Replace(s, "~", std::string(1, kDegree)); }

// $GPRMC with this status, position, speed and date.
std::string Rmc(const std::string& status, const std::string& position = "4807.038,N,01131.000,E",
                const std::string& speed = "022.4", const std::string& date = "230394") {
  return test::Nmea("GPRMC,123519," + status + "," + position + "," + speed + ",084.4," + date + ",003.1,W");
}

// A rig whose input is port 3, with the tables filled as at start-up.
struct Decoder : test::TestRig {
  explicit Decoder(int input = 3) { ReadyToDecode(input); }
  void Decode(const std::string& sentence) { ExtractingGPRMC(app, sentence); }
};

TEST(ExtractingGPRMC, InputOffShowsTheZeroSentence) {
  Decoder d(0);
  d.Decode("");
  const Form1& f = d.app.form1;
  EXPECT_EQ(f.lblLatitude.Caption() + f.lblLongitude.Caption(), Deg("00~00.00'N000~00.00'E"));
  EXPECT_EQ(f.lblTime.Caption() + " " + f.lblDate.Caption(), "00:00:00 00-Empty-2000");
  EXPECT_EQ(f.lblCompassText.Caption(), "---");
  EXPECT_EQ(f.lblCompassText.BackColor(), colour::kPink);
  EXPECT_EQ(d.app.fix.CourseColour, colour::kRed);
  EXPECT_EQ(f.lblGPRMC.Caption(), kZeroSentence);
}

TEST(ExtractingGPRMC, ValidFixFillsTheWindow) {
  Decoder d;
  d.app.form1.mnuCrcCheck.SetChecked(true);
  d.Decode("$GPGGA,1*00\r\n" + test::Rmc() + "\r\n");
  const Form1& f = d.app.form1;
  EXPECT_EQ(d.app.fix.LatitudeText + " " + d.app.fix.LongitudeText, "4807.04N 01131.00E");
  EXPECT_EQ(f.lblLatitude.Caption() + f.lblLongitude.Caption(), Deg("48~07.04'N011~31.00'E"));
  EXPECT_EQ(f.lblTime.Caption() + " " + f.lblDate.Caption(), "12:35:19 23-March-2094");
  EXPECT_EQ(d.app.fix.UtcDateText, "23-03-2094");
  EXPECT_EQ(f.lblLock.Caption() + f.lblVal1.Caption(), "Rx okA");
  EXPECT_EQ(f.lblCompass.Caption(), Deg("084.4~"));
  EXPECT_EQ(f.lblCompass.BackColor(), colour::kWhite);
  EXPECT_EQ(f.lblCompassText.BackColor(), colour::kLightYellow);
  EXPECT_EQ(d.app.fix.SpeedKnotsText, "022.4");
  EXPECT_EQ(d.app.fix.CourseColour, colour::kGreen);
  EXPECT_TRUE(d.app.fix.GPRMCFound && f.tmrComInTimeOut.Enabled());
}

TEST(ExtractingGPRMC, LockStates) {
  const struct {
    std::string sentence;
    const char* lock;
    Colour course;
  } cases[] = {
      {Rmc("V"), "Rx not ok", colour::kRed},
      {Rmc(""), "No Rx", colour::kGreen},
      {Rmc("X"), "No Rx", colour::kGreen},
      {Rmc("A", "4807.038,N,01131.000,E", "022.4", ""), "Old data", colour::kRed},
      {test::Nmea("GPRMC,123519,A,4807.038,N"), "Rx ok", colour::kGreen},  // fewer than 11 commas: not decoded
  };
  for (const auto& c : cases) {
    Decoder d;
    d.Decode(Rmc("A"));
    d.Decode(c.sentence);
    EXPECT_EQ(d.app.form1.lblLock.Caption(), c.lock) << c.sentence;
    EXPECT_EQ(d.app.fix.CourseColour, c.course) << c.sentence;
    EXPECT_EQ(d.app.form1.lblGPRMC.Caption(), c.sentence.substr(0, c.sentence.size() - 3)) << c.sentence;
  }
}

TEST(ExtractingGPRMC, MissingSentenceMeansOldDataUntilTheNextOne) {
  Decoder d;
  d.app.form1.Frame1.SetCaption("GPS-NMEA-0183 CRC error !");
  d.Decode("$GPGGA,1,2,3*00");
  EXPECT_EQ(d.app.form1.lblLock.Caption(), "Old data");
  EXPECT_FALSE(d.app.fix.GPRMCFound);
  d.Decode(Rmc("A"));
  EXPECT_EQ(d.app.form1.Frame1.Caption(), "GPS-NMEA-0183");
}

TEST(ExtractingGPRMC, FourVoidsInARowZeroTheSpeedOnce) {
  Decoder d;
  d.Decode(Rmc("A"));
  for (int i = 1; i <= 3; ++i) d.Decode(Rmc("V"));
  d.Decode(Rmc("A"));  // an "A" in between restarts the count
  for (int i = 1; i <= 3; ++i) d.Decode(Rmc("V"));
  EXPECT_EQ(d.app.fix.SpeedKnotsText, "022.4");
  d.Decode(Rmc("V"));
  EXPECT_EQ(d.app.fix.SpeedKnotsText, "0");
  EXPECT_EQ(d.app.fix.VoidCount, 0);
}

TEST(ExtractingGPRMC, FluxGateHeadingShowsCyanWithoutItsMark) {
  Decoder d;
  d.app.settings.MinGpsSpeedOut = 5;
  d.app.heading.FluxHeadingText = Deg("123.4~F");
  d.Decode(Rmc("A", "4807.038,N,01131.000,E", "000.4"));
  EXPECT_EQ(d.app.form1.lblCompass.Caption(), Deg("123~"));
  EXPECT_EQ(d.app.form1.lblCompass.BackColor(), colour::kCyan);
  EXPECT_EQ(d.app.form1.lblCompassText.BackColor(), colour::kPink);
}

TEST(Position, FieldsAndDecimalDegrees) {
  const std::tuple<const char*, bool, const char*> fields[] = {
      {"4807.038", true, "4807.04"}, {"0000.0000", true, "0000.00"}, {"", true, "0000.00"}, {"5.5", true, "0005.50"},
      {"0.5", true, "0000.50"}, {"12", true, "0012.00"}, {"4807.035", true, "4807.04"}, {"4807.045", true, "4807.04"},
      {"48x07.038", true, "4807.04"}, {"01131.000", false, "01131.00"}, {"00005.1234", false, "00005.12"},
      {"abc", false, "00000.00"}, {"17959.999", false, "17960.00"},
  };
  for (const auto& [field, latitude, expected] : fields)
    EXPECT_EQ(latitude ? FormatLatitude(field) : FormatLongitude(field), expected) << field;
  const std::pair<const char*, float> decimals[] = {
      {"5212.35N", 52.205833f}, {"3351.39S", -33.8565f}, {"00454.32E", 4.9053333f}, {"15112.34w", -151.20567f},
      {"", 0.0f},               {"1234", 0.0f},          {".5N", 5.0f / 60 * 0.01f},
  };
  for (const auto& [text, expected] : decimals) EXPECT_NEAR(sngConv2Decimal(text), expected, 1e-4) << text;
}

TEST(ShowDegrees, SwitchingRedrawsFromTheKeptTextsOrDecodesAgain) {
  Decoder d;
  const Form1& f = d.app.form1;
  d.Decode(Rmc("A", "3351.390,S,15112.340,W"));
  d.Decode(Rmc("V", "3351.390,S,15112.340,W"));
  d.app.form1.lblLatitude.Click();
  EXPECT_EQ(f.lblLatitude.Caption() + " " + f.lblLongitude.Caption(), "-33.85650S -151.20567W");
  EXPECT_EQ(f.lblLatitude.BackColor(), colour::kYellow);
  d.app.form1.lblLongitude.Click();
  EXPECT_EQ(f.lblLatitude.Caption(), Deg("33~51.39'S"));
  EXPECT_EQ(f.lblLongitude.BackColor(), colour::kWhite);
  // A valid fix is decoded again in the new format.
  d.app.poll.RxText = Rmc("A", "5212.350,N,00454.320,E");
  d.Decode(d.app.poll.RxText);
  ShowDegrees(d.app, false);
  EXPECT_EQ(f.lblLatitude.Caption() + " " + f.lblLongitude.Caption(), "52.20583N 4.90533E");
}

TEST(GpsTime, RoundTimeAndDates) {
  const std::pair<const char*, const char*> times[] = {
      {"235959.600", "000000"}, {"120000.500", "120000"}, {"120000.501", "120001"}, {"123519", "123519"},
      {"123559.7", "123600"}, {"125959.9", "130000"}, {"000000", "000000"}, {"", "000000"}, {"1234", "001234"},
      {"123519.00", "123519"}, {"1234567", "1234567"},
  };
  for (const auto& [field, expected] : times) EXPECT_EQ(RoundTime(field), expected) << field;
  const std::tuple<const char*, const char*, const char*> dates[] = {
      {"311299", "31-12-2099", "31-December-2099"}, {"010026", "01-00-2026", "01-Empty-2026"},
      {"151026", "15-10-2026", "15-Oktober-2026"}, {"31129", "", ""},
  };
  for (const auto& [date, utc, label] : dates) {
    Decoder d;
    d.app.fix.GPRMCSentence = std::string("$GPRMC,1,A,2,N,3,E,4,5,") + date + ",6,W";
    ShowGPSDate(d.app);
    EXPECT_EQ(d.app.fix.UtcDateText, utc) << date;
    EXPECT_EQ(d.app.form1.lblDate.Caption(), label) << date;
  }
}

}  // namespace
}  // namespace koralin
