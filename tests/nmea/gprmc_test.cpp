#include "nmea/gprmc.h"

#include <gtest/gtest.h>

#include "common/basic.h"
#include "display/compass.h"
#include "nmea/gps_time.h"
#include "nmea/position.h"
#include "nmea/sentence.h"
#include "support/fakes.h"

namespace koralin {
namespace {

std::string Deg(const std::string& s) { return Replace(s, "~", std::string(1, kDegree)); }

// A rig whose input is port 3, with the tables filled as at start-up.
struct Decoder : test::TestRig {
  explicit Decoder(int input = 3, bool verify = false) {
    ReadyToDecode(input);
    app.form1.mnuCrcCheck.SetChecked(verify);
  }
  void Decode(const std::string& body) { ExtractingGPRMC(app, AddCrc(body + "*")); }
};

TEST(ExtractingGPRMC, InputOffShowsTheZeroSentence) {
  Decoder d(0);
  ExtractingGPRMC(d.app, "");
  const Form1& f = d.app.form1;
  EXPECT_EQ(f.lblLatitude.Caption(), Deg("00~00.00'N"));
  EXPECT_EQ(f.lblLongitude.Caption(), Deg("000~00.00'E"));
  EXPECT_EQ(f.lblTime.Caption(), "00:00:00");
  EXPECT_EQ(f.lblDate.Caption(), "00-Empty-2000");
  EXPECT_EQ(f.lblLock.Caption(), "Rx ok");
  EXPECT_EQ(f.lblCompassText.Caption(), "---");
  EXPECT_EQ(f.lblCompassText.BackColor(), colour::kPink);
  EXPECT_EQ(d.app.fix.CourseColour, colour::kRed);
  EXPECT_EQ(f.lblGPRMC.Caption(), kZeroSentence);
  EXPECT_TRUE(d.clockSetter.set.empty());
}

TEST(ExtractingGPRMC, ValidFixFillsTheWindow) {
  Decoder d(3, true);
  ExtractingGPRMC(d.app, "$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A\r\n");
  const Form1& f = d.app.form1;
  EXPECT_EQ(d.app.fix.LatitudeText, "4807.04N");
  EXPECT_EQ(d.app.fix.LongitudeText, "01131.00E");
  EXPECT_EQ(f.lblLatitude.Caption(), Deg("48~07.04'N"));
  EXPECT_EQ(f.lblLongitude.Caption(), Deg("011~31.00'E"));
  EXPECT_EQ(f.lblTime.Caption(), "12:35:19");
  EXPECT_EQ(f.lblDate.Caption(), "23-March-2094");
  EXPECT_EQ(d.app.fix.UtcDateText, "23-03-2094");
  EXPECT_EQ(f.lblLock.Caption(), "Rx ok");
  EXPECT_EQ(f.lblVal1.Caption(), "A");
  EXPECT_EQ(f.lblCompass.Caption(), Deg("084.4~"));
  EXPECT_EQ(f.lblCompass.BackColor(), colour::kWhite);
  EXPECT_EQ(f.lblCompassText.BackColor(), colour::kLightYellow);
  EXPECT_EQ(d.app.fix.SpeedKnotsText, "022.4");
  EXPECT_EQ(d.app.fix.CourseColour, colour::kGreen);
  EXPECT_TRUE(d.app.fix.GPRMCFound);
  EXPECT_TRUE(f.tmrComInTimeOut.Enabled());
}

TEST(ExtractingGPRMC, LockStates) {
  const struct {
    const char* body;
    const char* lock;
    Colour course;
  } cases[] = {
      {"$GPRMC,123519,V,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W", "Rx not ok", colour::kRed},
      {"$GPRMC,123519,,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W", "No Rx", colour::kGreen},
      {"$GPRMC,123519,X,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W", "No Rx", colour::kGreen},
      {"$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,,003.1,W", "Old data", colour::kRed},
      {"$GPRMC,123519,A,4807.038,N", "Rx ok", colour::kGreen},  // fewer than 11 commas: not decoded
  };
  for (const auto& c : cases) {
    Decoder d;
    d.Decode("$GPRMC,000001,A,0000.0000,N,00000.0000,E,0.000,0.000,010101,0.000,W");
    d.Decode(c.body);
    EXPECT_EQ(d.app.form1.lblLock.Caption(), c.lock) << c.body;
    EXPECT_EQ(d.app.fix.CourseColour, c.course) << c.body;
    EXPECT_EQ(d.app.form1.lblGPRMC.Caption(), c.body) << c.body;
  }
}

TEST(ExtractingGPRMC, MissingSentenceMeansOldDataUntilTheNextOne) {
  Decoder d(3, true);
  d.app.form1.Frame1.SetCaption("GPS-NMEA-0183 CRC error !");
  ExtractingGPRMC(d.app, "$GPGGA,1,2,3*00");
  EXPECT_EQ(d.app.form1.lblLock.Caption(), "Old data");
  EXPECT_FALSE(d.app.fix.GPRMCFound);
  EXPECT_TRUE(d.app.fix.OldDataShown);
  d.Decode("$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W");
  EXPECT_EQ(d.app.form1.Frame1.Caption(), "GPS-NMEA-0183");
  EXPECT_FALSE(d.app.fix.OldDataShown);
}

TEST(ExtractingGPRMC, FourVoidsInARowZeroTheSpeedOnce) {
  Decoder d;
  const std::string voidRmc = "$GPRMC,123519,V,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W";
  const std::string validRmc = "$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W";
  d.Decode(validRmc);
  for (int i = 1; i <= 3; ++i) d.Decode(voidRmc);
  d.Decode(validRmc);  // an "A" in between restarts the count
  for (int i = 1; i <= 3; ++i) d.Decode(voidRmc);
  EXPECT_EQ(d.app.fix.SpeedKnotsText, "022.4");
  d.Decode(voidRmc);
  EXPECT_EQ(d.app.fix.SpeedKnotsText, "0");
  EXPECT_EQ(d.app.fix.VoidCount, 0);
}

TEST(ExtractingGPRMC, FluxGateHeadingShowsCyanWithoutItsMark) {
  Decoder d;
  d.app.settings.MinGpsSpeedOut = 5;
  d.app.heading.FluxHeadingText = Deg("123.4~F");
  d.Decode("$GPRMC,123519,A,4807.038,N,01131.000,E,000.4,084.4,230394,003.1,W");
  EXPECT_EQ(d.app.form1.lblCompass.Caption(), Deg("123~"));
  EXPECT_EQ(d.app.form1.lblCompass.BackColor(), colour::kCyan);
  EXPECT_EQ(d.app.form1.lblCompassText.BackColor(), colour::kPink);
}

TEST(PositionFormats, LatitudeAndLongitudeFields) {
  const struct {
    const char* field;
    bool latitude;
    const char* expected;
  } cases[] = {
      {"4807.038", true, "4807.04"}, {"0000.0000", true, "0000.00"}, {"", true, "0000.00"}, {"5.5", true, "0005.50"},
      {"0.5", true, "0000.50"}, {"12", true, "0012.00"}, {"4807.035", true, "4807.04"}, {"4807.045", true, "4807.04"},
      {"48x07.038", true, "4807.04"}, {"01131.000", false, "01131.00"}, {"00005.1234", false, "00005.12"},
      {"abc", false, "00000.00"}, {"17959.999", false, "17960.00"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.latitude ? FormatLatitude(c.field) : FormatLongitude(c.field), c.expected) << c.field;
}

TEST(PositionFormats, DecimalDegrees) {
  const std::pair<const char*, float> cases[] = {
      {"5212.35N", 52.205833f}, {"3351.39S", -33.8565f}, {"00454.32E", 4.9053333f}, {"15112.34w", -151.20567f},
      {"", 0.0f},               {"1234", 0.0f},          {".5N", 5.0f / 60 * 0.01f},
  };
  for (const auto& [text, expected] : cases) EXPECT_NEAR(sngConv2Decimal(text), expected, 1e-4) << text;
}

TEST(ShowDegrees, SwitchingWithVoidStatusRedrawsFromTheKeptTexts) {
  Decoder d;
  d.Decode("$GPRMC,123519,A,3351.390,S,15112.340,W,022.4,084.4,230394,003.1,W");
  d.Decode("$GPRMC,123520,V,3351.390,S,15112.340,W,022.4,084.4,230394,003.1,W");
  d.app.form1.lblLatitude.Click();
  EXPECT_TRUE(d.app.settings.DecimalDegrees);
  EXPECT_EQ(d.app.form1.lblLatitude.Caption(), "-33.85650S");
  EXPECT_EQ(d.app.form1.lblLongitude.Caption(), "-151.20567W");
  EXPECT_EQ(d.app.form1.lblLatitude.BackColor(), colour::kYellow);
  d.app.form1.lblLongitude.Click();
  EXPECT_EQ(d.app.form1.lblLatitude.Caption(), Deg("33~51.39'S"));
  EXPECT_EQ(d.app.form1.lblLatitude.BackColor(), colour::kWhite);

  // A valid fix is decoded again in the new format.
  d.app.poll.RxText = AddCrc("$GPRMC,123519,A,5212.350,N,00454.320,E,022.4,084.4,230394,003.1,W*");
  ExtractingGPRMC(d.app, d.app.poll.RxText);
  ShowDegrees(d.app, false);
  EXPECT_EQ(d.app.form1.lblLatitude.Caption(), "52.20583N");
  EXPECT_EQ(d.app.form1.lblLongitude.Caption(), "4.90533E");
}

TEST(RoundTime, RoundsTheFractionHalfToEven) {
  const std::pair<const char*, const char*> cases[] = {
      {"235959.600", "000000"}, {"120000.500", "120000"}, {"120000.501", "120001"}, {"123519", "123519"},
      {"123559.7", "123600"}, {"125959.9", "130000"}, {"000000", "000000"}, {"", "000000"}, {"1234", "001234"},
      {"123519.00", "123519"}, {"1234567", "1234567"},
  };
  for (const auto& [field, expected] : cases) EXPECT_EQ(RoundTime(field), expected) << field;
}

TEST(ShowGPSDate, DatesAndMonthNames) {
  const struct {
    const char* date;
    const char* utc;
    const char* label;
  } cases[] = {
      {"311299", "31-12-2099", "31-December-2099"},
      {"010026", "01-00-2026", "01-Empty-2026"},
      {"151026", "15-10-2026", "15-Oktober-2026"},
  };
  for (const auto& c : cases) {
    Decoder d;
    d.app.fix.GPRMCSentence = std::string("$GPRMC,1,A,2,N,3,E,4,5,") + c.date + ",6,W";
    ShowGPSDate(d.app);
    EXPECT_EQ(d.app.fix.UtcDateText, c.utc);
    EXPECT_EQ(d.app.form1.lblDate.Caption(), c.label);
  }
  Decoder d;
  d.app.fix.GPRMCSentence = "$GPRMC,1,A,2,N,3,E,4,5,31129,6,W";
  ShowGPSDate(d.app);
  EXPECT_EQ(d.app.fix.UtcDateText, "");
}

}  // namespace
}  // namespace koralin
