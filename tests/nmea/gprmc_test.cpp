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

// A rig whose input is port 3 (or the one given), with the tables filled as at start-up.
struct Decoder : test::TestRig {
  explicit Decoder(int input = 1) { ReadyToDecode(input); }
  void Decode(const std::string& sentence) { ExtractingGPRMC(app, sentence); }
  // What the window shows of the fix: lock, compass, and the rose's colour.
  std::string Shown() const {
    const Form1& f = app.form1;
    return f.lblLock.Caption() + "|" + f.lblCompass.Caption() + (f.lblCompass.BackColor() == colour::kCyan ? " cyan" : "") +
           "|" + Trim(f.lblCompassText.Caption()) + (f.lblCompassText.BackColor() == colour::kPink ? " pink " : " ") +
           (app.fix.CourseColour == colour::kGreen ? "green" : "red");
  }
  std::string Place() const {
    const Form1& f = app.form1;
    return f.lblLatitude.Caption() + " " + f.lblLongitude.Caption() + " " + f.lblTime.Caption() + " " + f.lblDate.Caption();
  }
};

TEST(ExtractingGPRMC, WhatEachSentenceShows) {
  const struct { int input; std::string flux, sentence, shown; } cases[] = {
      {1, "", "$GPGGA,1*00\r\n" + Rmc("A") + "\r\n", "Rx ok|084.4~|East green"},
      {1, "", Rmc("V"), "Rx not ok|084.4~|East red"}, {1, "", Rmc(""), "No Rx|084.4~|East green"},
      {1, "", Rmc("X"), "No Rx|084.4~|East green"},
      {1, "", Rmc("A", "4807.038,N,01131.000,E", "022.4", ""), "Old data|084.4~|East red"},
      {1, "", test::Nmea("GPRMC,123519,A,4807.038,N"), "Rx ok|084.4~|East green"},  // fewer than 11 commas: not decoded
      {1, "", "$GPRMC,1,2*00", "Old data|084.4~|East red"},
      // Too slow for the GPS course: the flux-gate heading, without its mark.
      {1, "123.4~F", Rmc("A", "4807.038,N,01131.000,E", "000.4"), "Rx ok|123~ cyan|East pink red"},
      {1, "", Rmc("A", "4807.038,N,01131.000,E", "005.0"), "Rx ok|084.4~|East pink green"},  // at the least speed: not moving
      {0, "", "", "Rx ok|---~|--- pink red"},  // input off: the zero sentence
  };
  for (const auto& c : cases) {
    Decoder d(c.input);
    d.app.form1.mnuCrcCheck.SetChecked(true);
    d.app.settings.MinGpsSpeedOut = 5;
    d.Decode(Rmc("A"));
    d.app.heading.FluxHeadingText = Deg(c.flux);
    d.Decode(c.sentence);
    EXPECT_EQ(d.Shown(), Deg(c.shown)) << c.sentence;
    EXPECT_EQ(d.Place(), Deg(c.input ? "48~07.04'N 011~31.00'E 12:35:19 23-March-2094"
                                     : "00~00.00'N 000~00.00'E 00:00:00 00-Empty-2000")) << c.sentence;
  }
  Decoder d;
  d.Decode(Rmc("A"));  // kept, and published
  EXPECT_EQ(d.app.fix.LatitudeText + d.app.fix.LongitudeText + d.app.fix.UtcDateText + d.app.form1.lblLat1.Caption() +
                d.app.form1.lblCompas1.Caption(), Deg("4807.04N01131.00E23-03-20944807.04N084.4~"));
  EXPECT_TRUE(d.app.form1.tmrComInTimeOut.Enabled());
  d.Decode(Rmc("V", "4807.038,N,01131.000,E", "022.4", "240394"));  // a void fix still dates
  EXPECT_EQ(d.app.form1.lblDate.Caption(), "24-March-2094");
  d.Decode(Rmc("A", "4807.038,N,01131.000,E", "022.4", "24039"));  // a date cut short is no date
  EXPECT_EQ(d.app.fix.UtcDateText, "");
  d.Decode(test::Rmc("123519", "022.4", "359.99"));  // five characters of the course count
  EXPECT_EQ(d.app.fix.CourseText, Deg("359.9~"));
}

TEST(ExtractingGPRMC, OldDataUntilTheNextSentenceAndFourVoidsZeroTheSpeed) {
  Decoder d;
  d.app.form1.Frame1.SetCaption("GPS-NMEA-0183 CRC error !");
  d.Decode("");
  d.Decode(Rmc("A"));
  EXPECT_EQ(d.app.form1.Frame1.Caption(), "GPS-NMEA-0183");
  d.app.form1.Frame1.SetCaption("GPS-NMEA-0183 (Locked 2D)");
  d.Decode(Rmc("A"));  // restored once after old data, not at every fix
  EXPECT_EQ(d.app.form1.Frame1.Caption(), "GPS-NMEA-0183 (Locked 2D)");
  for (int i = 1; i <= 7; ++i) d.Decode(Rmc(i == 4 ? "A" : "V"));  // an "A" in between restarts the count
  EXPECT_EQ(d.app.fix.SpeedKnotsText, "022.4");
  d.Decode(Rmc("V"));
  EXPECT_EQ(d.app.fix.SpeedKnotsText + std::to_string(d.app.fix.VoidCount), "00");
}

TEST(ShowDegrees, SwitchingRedrawsFromTheKeptTextsOrDecodesAgain) {
  Decoder d;
  Form1& f = d.app.form1;
  d.Decode(Rmc("A", "3351.390,S,15112.340,W"));
  d.Decode(Rmc("V", "3351.390,S,15112.340,W"));
  f.lblLatitude.Click();
  EXPECT_EQ(f.lblLatitude.Caption() + " " + f.lblLongitude.Caption(), "-33.85650S -151.20567W");
  EXPECT_EQ(f.lblLatitude.BackColor(), colour::kYellow);
  f.lblLongitude.Click();
  EXPECT_TRUE(f.lblLatitude.Caption() == Deg("33~51.39'S") && f.lblLongitude.BackColor() == colour::kWhite);
  d.app.poll.RxText = Rmc("A", "5212.350,N,00454.320,E");  // a valid fix is decoded again
  d.Decode(d.app.poll.RxText);
  ShowDegrees(d.app, false);
  EXPECT_EQ(f.lblLatitude.Caption() + " " + f.lblLongitude.Caption(), "52.20583N 4.90533E");
}

TEST(GpsTimeAndPosition, FieldsRoundedDatesAndDecimalDegrees) {
  const std::pair<const char*, const char*> times[] = {
      {"235959.600", "000000"}, {"120000.500", "120000"}, {"120000.501", "120001"}, {"123519", "123519"},
      {"123559.7", "123600"},   {"125959.9", "130000"},   {"", "000000"},           {"1234", "001234"},
      {"123519.00", "123519"},  {"1234567", "1234567"}};
  for (const auto& [field, expected] : times) EXPECT_EQ(RoundTime(field), expected) << field;
  const std::tuple<const char*, const char*, const char*> dates[] = {
      {"311299", "31-12-2099", "31-December-2099"}, {"010026", "01-00-2026", "01-Empty-2026"},
      {"151026", "15-10-2026", "15-Oktober-2026"},  {"31129", "", ""}};
  for (const auto& [date, utc, label] : dates) {
    Decoder d;
    d.app.fix.GPRMCSentence = std::string("$GPRMC,1,A,2,N,3,E,4,5,") + date + ",6,W";
    ShowGPSDate(d.app);
    EXPECT_EQ(d.app.fix.UtcDateText + "|" + d.app.form1.lblDate.Caption(), std::string(utc) + "|" + label) << date;
  }
  const std::pair<const char*, const char*> latitudes[] = {
      {"4807.038", "4807.04"}, {"0000.0000", "0000.00"}, {"", "0000.00"},        {"5.5", "0005.50"},
      {"0.5", "0000.50"},      {"12", "0012.00"},        {"4807.035", "4807.04"}, {"4807.045", "4807.04"},
      {"48x07.038", "4807.04"}};
  for (const auto& [field, expected] : latitudes) EXPECT_EQ(FormatLatitude(field), expected) << field;
  const std::pair<const char*, const char*> longitudes[] = {
      {"01131.000", "01131.00"}, {"00005.1234", "00005.12"}, {"abc", "00000.00"}, {"17959.999", "17960.00"}};
  for (const auto& [field, expected] : longitudes) EXPECT_EQ(FormatLongitude(field), expected) << field;
  const std::pair<const char*, float> decimals[] = {
      {"5212.35N", 52.205833f}, {"3351.39S", -33.8565f}, {"00454.32E", 4.9053333f}, {"15112.34w", -151.20567f},
      {"", 0.0f},               {"1234", 0.0f},          {".5N", 5.0f / 60 * 0.01f}, {"123.45N", 1.3908333f}};
  for (const auto& [text, expected] : decimals) EXPECT_NEAR(sngConv2Decimal(text), expected, 1e-4) << text;
}

}  // namespace
}  // namespace koralin
