#include "nmea/heading.h"

#include <gtest/gtest.h>

#include <cmath>

#include "common/basic.h"
#include "nmea/altitude.h"
#include "nmea/polling.h"
#include "support/fakes.h"
#include "support/sentences.h"

namespace koralin {
namespace {

using test::Nmea;

const std::string kDeg(1, kDegree);
std::string Flux(const std::string& v) { return v + kDeg + "F"; }
std::string Gga(const std::string& altitude, const std::string& unit) {
  return Nmea("GPGGA,121945,5146.6039,N,00531.2582,E,1,06,1.40," + altitude + "," + unit + ",47.2,M,,");
}
std::string Rmz(const std::string& altitude, const std::string& unit) {
  return Nmea("PGRMZ," + altitude + "," + unit + ",3");
}

// The decoders of the heading and the altitude, checksums verified.
class HeadingTest : public ::testing::Test {
 protected:
  HeadingTest() { f.mnuCrcCheck.SetChecked(true); }
  bool Compass(const std::string& text) {
    bool found = true;
    ExtractingHCHDT(app, text, found);
    return found;
  }
  // One poll holding text, decoded as the dispatcher does.
  void Altitude(const std::string& text) {
    ExtractingGPGGA(app, text);
    ExtractingPGRMZ(app, text);
  }
  test::TestRig rig;
  App& app = rig.app;
  Form1& f = rig.app.form1;
  HeadingState& h = rig.app.heading;
};

TEST_F(HeadingTest, CompassSentencesSetTheFluxHeadingUntilElevenLackTheTrueMarkOrTheOutputPortIsRead) {
  h.FluxHeadingText = "stale";
  EXPECT_FALSE(Compass("nothing here"));  // no compass seen yet: nothing shown
  EXPECT_EQ(h.FluxHeadingText + (f.lblFluxGateCompass.Visible() ? "shown" : ""), "");
  const std::string s = Nmea("HCHDT,123.4,T");
  app.settings.FluxCompassOffset = 10;
  EXPECT_TRUE(Compass("$GPRMC,junk\r\n" + s + "\r\n"));
  EXPECT_EQ(h.FluxHeadingText + f.lblFluxGateCompass.Caption(), Flux("123.4") + s);
  EXPECT_EQ(GetHeadingText(app), Flux("133"));  // no valid GPS fix: the compass with its offset
  EXPECT_FALSE(Compass("$GPRMC,no compass"));   // once seen, the heading stays
  EXPECT_EQ(h.FluxHeadingText + h.HCHDTSentence, Flux("123.4"));
  EXPECT_TRUE(f.lblFluxGateCompass.Visible());
  EXPECT_TRUE(Compass(Nmea("HCHDT,7,t")));
  for (int i = 1; i <= 10; ++i) EXPECT_TRUE(Compass(Nmea("HCHDT,45.0,M")));
  EXPECT_EQ(h.FluxHeadingText, Flux("007.0"));
  for (int i = 0; i < 20; ++i) Compass(Nmea("HCHDT,45.0,M"));
  EXPECT_EQ(h.FluxHeadingText + std::to_string(h.FluxNoTrueCount), "11");  // held there, so it never runs over
  Compass(Nmea("HCHDT,46.0,T"));
  EXPECT_EQ(h.FluxHeadingText + std::to_string(h.FluxNoTrueCount), Flux("046.0") + "0");
  app.settings.ComPortOut = 1;  // relayed when asked for
  rig.comm2.Open(1, "4800,N,8,1", 1024, 512);
  f.mnuHCHDTout.SetChecked(true);
  Compass(Nmea("HCHDT,47.0,T"));
  EXPECT_EQ(rig.comm2.written, Nmea("HCHDT,47.0,T") + "\r\n");
  app.poll.RxTextHCHDT = "$HCHDT,1";  // reading the compass from the output port starts afresh
  f.mnuHCHDTinp.Click();
  EXPECT_EQ(app.poll.RxTextHCHDT + h.HCHDTSentence + f.lblFluxGateCompass.Caption() + h.FluxHeadingText, Flux("047.0"));
  EXPECT_TRUE(f.tmrPolling.Enabled() && !f.lblFluxGateCompass.Visible());  // the heading itself is kept
  f.tmrPolling.SetEnabled(false);
  f.mnuHCHDTinp.Click();
  EXPECT_FALSE(f.tmrPolling.Enabled());
}

TEST_F(HeadingTest, DopplerBearings) {
  // Seen: the bearing and its amplitude, or "-" when none was found.
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"DF101/9 [12]", "DF", "DF101 [12]"}, {"$DFBRG200/4", "$DFBRG", "$DFBRG200/4 "}, {"%12", "%", "-"},
      {"%123/4", "%", "%123/4 "}, {"%123/4\r\n", "%", "%123 "}, {"%123/45", "%", "%123 "},
      {"rommel%323/9Bla bla", "%", "%323 "}, {"%111/1 %222/2", "%", "%222/2 "},
      {"%111/1 %22", "%", "-"},  // only the last occurrence counts
      {"%1a3/4", "%", "-"}, {"", "%", "-"}, {"DF101/9 [1x]", "DF", "DF101 "}, {"DF101/9 [7", "DF", "DF101 "},
      {"[3] DF101/9 ]", "DF", "DF101 [3]"}, {"DF101/9 [12][3]", "DF", "DF101 [12]"},
  };
  for (const auto& [text, prefix, seen] : cases) {
    f.lblDoppler.SetVisible(true);
    f.lblAmplitude.SetVisible(true);
    f.lblAmplitude.SetCaption("");
    h.DopplerBearing = "old";
    app.fix.NoRxCount = 5;
    bool found = std::string(seen) == "-";
    ExtractingDoppler(app, text, prefix, found);
    const std::string shown = f.lblDoppler.Caption() + " " + (f.lblAmplitude.Visible() ? f.lblAmplitude.Caption() : "");
    EXPECT_EQ(found ? shown : "-", seen) << text;
    EXPECT_EQ(h.DopplerBearing + std::to_string(app.fix.NoRxCount) + std::to_string(f.lblDoppler.Visible()),
              found ? f.lblDoppler1.Caption() + "01" : "old50") << text;
  }
  // The dispatcher tries "%", "$DFBRG" and "DF" in turn.
  const std::pair<const char*, const char*> polls[] = {
      {"$DFBRG200/4", "$DFBRG200/4"}, {"DF032/1", "DF032/1"}, {"DF270/0 %12", "DF270"}, {"%188/7 DF032/1", "%188"}};
  for (const auto& [text, bearing] : polls) {
    app.poll.RxTextDoppler = text;
    DispatchSentences(app);
    EXPECT_EQ(h.DopplerBearing, bearing) << text;
  }
}

TEST(HeadingHelpers, NormaliseAndFormat) {
  for (const auto& [in, out] : {std::pair{-5.0f, 355.0f}, {359.5f, 0.0f}, {-0.4f, 0.0f}, {-725.0f, 355.0f}, {-360.0f, 0.0f}}) {
    EXPECT_EQ(NormaliseDegrees(in), out) << in;
    EXPECT_FALSE(std::signbit(NormaliseDegrees(in))) << in;  // never "-0"
  }
  const std::pair<const char*, const char*> headings[] = {
      {"90", "090.0"},  {"123.45", "123.4"}, {"123.55", "123.6"},  {"359.96", "360.0"}, {"", "000.0"},
      {"abc", "000.0"}, {"5.2xyz", "005.2"}, {"1234.5", "1234.5"}, {"-5", "-005.0"}};
  for (const auto& [in, out] : headings) EXPECT_EQ(FormatHeading(in), out + kDeg) << in;
}

TEST_F(HeadingTest, HeadingTextChoosesItsSource) {
  const std::tuple<const char*, const char*, int, std::string, int, std::string> cases[] = {
      {"A", "005.0", 5, Flux("123.4"), 0, "090.0" + kDeg},  // at the minimum speed the GPS course wins
      {"A", "4.9", 5, Flux("123.4"), 10, Flux("133")},      {"V", "50", 0, Flux("123.4"), 0, Flux("123")},
      {"A", "4.9", 5, "", 0, "---" + kDeg},                 {"A", "0", 1, Flux("355.0"), 10, Flux("5")},
      {"A", "0", 1, Flux("123.5"), 0, Flux("124")},         {"A", "0", 1, Flux("122.5"), 0, Flux("122")},
      {"", "0", 1, Flux("000.0"), -32768, Flux("352")},     {"A", "0", 1, Flux("7"), -5, Flux("2")},
  };
  for (const auto& [status, speed, minSpeed, flux, offset, expected] : cases) {
    app.fix.RmcStatus = status;
    app.fix.SpeedKnotsText = speed;
    app.fix.CourseText = "090.0" + kDeg;
    app.settings.MinGpsSpeedOut = minSpeed;
    h.FluxHeadingText = flux;
    app.settings.FluxCompassOffset = static_cast<std::int16_t>(offset);
    EXPECT_EQ(GetHeadingText(app), expected) << flux << " " << offset;
  }
}

class AlignTest : public HeadingTest {
 protected:
  AlignTest() { app.settings.MinGpsSpeedOut = 3; }
  // The fix and compass at the time of the click, and the answer given.
  void Align(const char* status, const char* speed, const char* course, const char* flux, MsgResult answer) {
    app.fix.RmcStatus = status;
    app.fix.SpeedKnotsText = speed;
    app.fix.CourseText = FormatHeading(course);
    h.FluxHeadingText = *flux ? FormatHeading(flux) + "F" : "";
    rig.dialogs.boxes.clear();
    rig.dialogs.msgAnswers = {answer};
    f.mnuGpsFlux.Click();
  }
};

TEST_F(AlignTest, YesAlignsTheCompassWithTheCourseWhenThereIsData) {
  const std::tuple<const char*, const char*, const char*, const char*, int> cases[] = {  // -7: refused
      {"A", "5.0", "90", "80", 10}, {"A", "5", "10", "350", 20},  {"A", "5", "350", "10", 340},
      {"A", "5", "90", "90.4", 0},  {"A", "5", "0", "359.5", 0},  {"V", "5", "90", "80", -7},
      {"A", "2.4", "90", "80", -7}, {"A", "5", "90", "", -7},     {"", "5", "90", "80", -7},
      {"A", "2.5", "90", "80", -7},  // 2.5 rounds half to even, below 3
      {"A", "2.6", "90", "80", 10}};
  for (const auto& [status, speed, course, flux, offset] : cases) {
    app.settings.FluxCompassOffset = -7;
    Align(status, speed, course, flux, MsgResult::kYes);
    EXPECT_EQ(app.settings.FluxCompassOffset, offset) << status << speed << " " << course << " " << flux;
    ASSERT_EQ(rig.dialogs.boxes.size(), offset == -7 ? 2u : 1u);
    EXPECT_EQ(rig.dialogs.boxes[0].prompt, "Try to synchronise FluxCompass with GpsCompass\r\nFluxCompassOffset = -007" +
                                               kDeg + "\r\nNo=Reset offset to 0" + kDeg + "\r\nMinSpeed= 3  knots");
  }
  app.fix.SpeedKnotsText = "1";  // after alignment the shown heading is the course
  EXPECT_EQ(GetHeadingText(app), Flux("90"));
  Align("A", "5", "90", "123.6", MsgResult::kCancel);
  EXPECT_EQ(app.settings.FluxCompassOffset, 10);
  Align("A", "5", "90", "123.6", MsgResult::kNo);
  EXPECT_EQ(std::to_string(app.settings.FluxCompassOffset) + h.FluxHeadingText, "0124.0" + kDeg);
}

TEST_F(HeadingTest, ConvertsAndShowsInBothUnits) {
  const struct { std::string sentence; const char *height1, *feet, *metres; } cases[] = {
      {Gga("545.4", "M"), "1789 ft", "1789 ft", "545.3 m"}, {Gga("545.4", "m"), "1789 ft", "1789 ft", "545.3 m"},
      {Gga("20.6", "M"), "68 ft", "68 ft", "20.7 m"},
      // 0.4572 m is 1.5 ft exactly, but the single-precision foot makes it 1.4999...
      {Gga("0.4572", "M"), "1 ft", "1 ft", "0.3 m"}, {Gga("1000", "f"), "1000 ft", "1000 ft", "304.8 m"},
      {Gga("-", "M"), "0 ft", "0 ft", "0 m"}, {Gga("99999999", "M"), "3280837 ft", "3280837 ft", "999999.1 m"},
      {Rmz("93", "f"), "93 ft", "93 ft", "28.3 m"}, {Rmz("93", "m"), "305.1 ft", "305 ft", "93 m"},
      {Rmz("93", ""), "305.1 ft", "305 ft", "93 m"}, {Rmz("0.15", "M"), ".5 ft", "0 ft", "0.2 m"},
      {Rmz("-001", "f"), "-001 ft", "-1 ft", "-0.3 m"}, {Rmz("002.5", "f"), "002.5 ft", "2 ft", "0.8 m"},
      {Rmz("3.5", "F"), "3.5 ft", "4 ft", "1.1 m"},
  };
  for (const auto& c : cases) {
    for (bool metres : {false, true}) {
      f.mnuFeet2Metres.SetChecked(metres);
      f.lblHeight1.SetCaption("lblHeight1");
      Altitude(c.sentence);
      EXPECT_EQ(f.lblAltitude.Caption() + "|" + f.lblHeight1.Caption() + "|" + f.lblHeight.Caption(),
                c.sentence + "|" + c.height1 + "|" + (metres ? c.metres : c.feet));
      EXPECT_TRUE(f.lblAltitude.Visible() && f.lblHeight.Visible()) << c.sentence;
    }
  }
}

TEST_F(HeadingTest, PgrmzWinsWhenBothArriveAndBadTextKeepsTheLast) {
  const std::string rmz = Rmz("93", "f");
  Altitude(Gga("545.4", "M") + "\r\n" + rmz + "\r\n");
  EXPECT_EQ(f.lblHeight1.Caption(), "93 ft");
  EXPECT_EQ(f.lblAltitude.Caption(), rmz);
  std::string bad = Gga("100", "M");
  bad.back() = bad.back() == '0' ? '1' : '0';  // wrong checksum
  for (const std::string& text : {std::string(), std::string("$GPGGA,,,"), bad, Gga("1e308", "M"), Rmz("1e308", "m")}) {
    Altitude(text);
    EXPECT_EQ(f.lblHeight1.Caption() + "|" + f.lblHeight.Caption(), "93 ft|93 ft") << text;
  }
}

TEST_F(HeadingTest, UnitSwitchRereadsTheFeetFigure) {
  f.lblHeight.SetVisible(false);
  f.mnuFeet2Metres.Click();  // no altitude yet: the height stays hidden
  EXPECT_TRUE(f.lblHeight.Caption() == "0 m" && !f.lblHeight.Visible());
  f.mnuFeet2Metres.Click();
  Altitude(Gga("545.4", "M"));
  f.mnuFeet2Metres.Click();
  EXPECT_TRUE(f.lblHeight.Caption() == "545.3 m" && f.lblHeight.BackColor() == colour::kYellow);
  f.lblHeight.Click();
  EXPECT_TRUE(f.lblHeight.Caption() == "1789 ft" && f.lblHeight.BackColor() == colour::kWhite && !f.mnuFeet2Metres.Checked());
  ToggleHeightUnit(rig.app, true);  // applying the unit at start changes no check mark
  EXPECT_FALSE(f.mnuFeet2Metres.Checked());
}

}  // namespace
}  // namespace koralin
