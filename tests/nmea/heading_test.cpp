#include "nmea/heading.h"

#include <gtest/gtest.h>

#include <cmath>

#include "nmea/polling.h"
#include "nmea/sentence_helpers.h"
#include "support/fakes.h"

namespace koralin {
namespace {

using test::Nmea;

const std::string kDeg(1, kDegree);

class HeadingTest : public ::testing::Test {
 protected:
  HeadingTest() { f.mnuCrcCheck.SetChecked(true); }
  bool Compass(const std::string& text) {
    bool found = true;
    ExtractingHCHDT(rig.app, text, found);
    return found;
  }
  test::TestRig rig;
  App& app = rig.app;
  Form1& f = rig.app.form1;
  HeadingState& h = rig.app.heading;
};

TEST_F(HeadingTest, CompassSentenceSetsTheFluxHeading) {
  const std::string s = Nmea("$HCHDT,123.4,T");
  app.settings.FluxCompassOffset = 10;
  EXPECT_TRUE(Compass("$GPRMC,junk\r\n" + s + "\r\n"));
  EXPECT_EQ(h.FluxHeadingText, "123.4" + kDeg + "F");
  EXPECT_TRUE(h.FluxSeen);
  EXPECT_EQ(h.HCHDTSentence, s);
  EXPECT_TRUE(f.lblFluxGateCompass.Visible());
  EXPECT_EQ(f.lblFluxGateCompass.Caption(), s);
  EXPECT_EQ(f.lblFluxGateCompass.ToolTip(), "$HCHDG string - FluxCompassOffset =  10" + kDeg);
  // No valid GPS fix: the compass heading with its offset.
  EXPECT_EQ(GetHeadingText(app), "133" + kDeg + "F");

  app.settings.FluxCompassOffset = -5;
  EXPECT_TRUE(Compass(Nmea("$HCHDT,7,t")));
  EXPECT_EQ(h.FluxHeadingText, "007.0" + kDeg + "F");
  EXPECT_EQ(f.lblFluxGateCompass.ToolTip(), "$HCHDG string - FluxCompassOffset = -5" + kDeg);
  EXPECT_EQ(GetHeadingText(app), "2" + kDeg + "F");
}

TEST_F(HeadingTest, ElevenSentencesWithoutTrueDropTheHeading) {
  Compass(Nmea("$HCHDT,90.0,T"));
  for (int i = 1; i <= 10; ++i) {
    EXPECT_TRUE(Compass(Nmea("$HCHDT,45.0,M")));
    EXPECT_EQ(h.FluxHeadingText, "090.0" + kDeg + "F") << i;
  }
  Compass(Nmea("$HCHDT,45.0,M"));
  EXPECT_EQ(h.FluxHeadingText, "");
  for (int i = 0; i < 40000; ++i) Compass(Nmea("$HCHDT,45.0,M"));
  EXPECT_EQ(h.FluxNoTrueCount, 11);
  Compass(Nmea("$HCHDT,46.0,T"));
  EXPECT_EQ(h.FluxNoTrueCount, 0);
  EXPECT_EQ(h.FluxHeadingText, "046.0" + kDeg + "F");
}

TEST_F(HeadingTest, HeadingPersistsOnceTheCompassWasSeen) {
  EXPECT_FALSE(Compass("nothing here"));
  EXPECT_FALSE(f.lblFluxGateCompass.Visible());
  h.FluxHeadingText = "stale";
  Compass("");
  EXPECT_EQ(h.FluxHeadingText, "");

  Compass(Nmea("$HCHDT,200.0,T"));
  for (int i = 0; i < 50; ++i) EXPECT_FALSE(Compass("$GPRMC,no compass"));
  EXPECT_EQ(h.FluxHeadingText, "200.0" + kDeg + "F");
  EXPECT_TRUE(f.lblFluxGateCompass.Visible());
  EXPECT_EQ(h.HCHDTSentence, "");
}

TEST_F(HeadingTest, DopplerBearings) {
  const struct {
    const char* text;
    const char* prefix;
    const char* bearing;  // nullptr: none found
    const char* amplitude;
  } cases[] = {
      {"DF101/9 [12]", "DF", "DF101", "[12]"},
      {"$DFBRG200/4", "$DFBRG", "$DFBRG200/4", ""},
      {"%12", "%", nullptr, ""},
      {"%123/4", "%", "%123/4", ""},
      {"%123/4\r\n", "%", "%123", ""},
      {"%123/45", "%", "%123", ""},
      {"rommel%323/9Bla bla", "%", "%323", ""},
      {"%111/1 %222/2", "%", "%222/2", ""},
      {"%111/1 %22", "%", nullptr, ""},  // only the last occurrence counts
      {"%111/1 %2x2/2", "%", nullptr, ""},
      {"%1a3/4", "%", nullptr, ""},
      {"%12x", "%", nullptr, ""},
      {"DF101/9 []", "DF", "DF101", ""},
      {"DF101/9 [1x]", "DF", "DF101", ""},
      {"DF101/9 [7", "DF", "DF101", ""},
      {"[3] DF101/9 ]", "DF", "DF101", "[3]"},
      {"$DFBRG200/4", "DF", nullptr, ""},
      {"%99", "%", nullptr, ""},
      {"", "%", nullptr, ""},
  };
  for (const auto& c : cases) {
    f.lblDoppler.SetVisible(true);
    f.lblAmplitude.SetVisible(true);
    f.lblAmplitude.SetCaption("");
    h.DopplerBearing = "old";
    app.fix.NoRxCount = 5;
    bool found = !c.bearing;
    ExtractingDoppler(app, c.text, c.prefix, found);
    EXPECT_EQ(found, c.bearing != nullptr) << c.text;
    EXPECT_EQ(f.lblDoppler.Visible(), found) << c.text;
    EXPECT_EQ(f.lblAmplitude.Visible(), *c.amplitude != 0) << c.text;
    if (!c.bearing) {
      EXPECT_EQ(h.DopplerBearing, "old") << c.text;
      EXPECT_EQ(app.fix.NoRxCount, 5);
      continue;
    }
    EXPECT_EQ(h.DopplerBearing, c.bearing);
    EXPECT_EQ(f.lblDoppler.Caption(), c.bearing);
    EXPECT_EQ(f.lblDoppler1.Caption(), c.bearing);
    EXPECT_EQ(f.lblAmplitude.Caption(), c.amplitude) << c.text;
    EXPECT_EQ(app.fix.NoRxCount, 0);
  }
}

TEST_F(HeadingTest, DispatcherTriesThePrefixesInTurn) {
  const std::pair<const char*, const char*> cases[] = {
      {"$DFBRG200/4", "$DFBRG200/4"}, {"DF032/1", "DF032/1"}, {"DF270/0 %12", "DF270"}, {"%188/7 DF032/1", "%188"}};
  for (const auto& [text, bearing] : cases) {
    app.poll.RxTextDoppler = text;
    DispatchSentences(app);
    EXPECT_EQ(h.DopplerBearing, bearing) << text;
  }
}

TEST(HeadingHelpers, AmplitudeNormaliseAndFormat) {
  const std::pair<const char*, const char*> amplitudes[] = {
      {"[12]", "[12]"}, {"x [7] y", "[7]"}, {"[]", ""},   {"[", ""}, {"]1[", ""},
      {"[1 2]", ""},    {"[12][3]", "[12]"}, {"", ""}, {"[-1]", ""},
  };
  for (const auto& [text, amplitude] : amplitudes) EXPECT_EQ(ExtractAmplitude(text), amplitude) << text;
  const std::pair<float, float> degrees[] = {{-5, 355}, {360, 0},   {359.5f, 0}, {725, 5},    {0.5f, 0},
                                             {1.5f, 2}, {-360, 0}, {-0.4f, 0},  {-725, 355}, {90, 90}};
  for (const auto& [in, out] : degrees) {
    EXPECT_EQ(NormaliseDegrees(in), out) << in;
    EXPECT_FALSE(std::signbit(NormaliseDegrees(in))) << in;
  }
  const std::pair<const char*, const char*> headings[] = {
      {"90", "090.0"},  {"123.45", "123.4"}, {"123.55", "123.6"},  {"359.96", "360.0"}, {"", "000.0"},
      {"abc", "000.0"}, {"5.2xyz", "005.2"}, {"1234.5", "1234.5"}, {"-5", "-005.0"},
  };
  for (const auto& [in, out] : headings) EXPECT_EQ(FormatHeading(in), out + kDeg) << in;
}

TEST_F(HeadingTest, HeadingTextChoosesItsSource) {
  const auto flux = [](const char* v) { return std::string(v) + kDegree + "F"; };
  const struct {
    const char* status;
    const char* speed;
    int minSpeed;
    std::string flux;
    int offset;
    std::string expected;
  } cases[] = {
      {"A", "005.0", 5, flux("123.4"), 0, "090.0" + kDeg},  // at the minimum speed the GPS course wins
      {"A", "4.9", 5, flux("123.4"), 10, flux("133")},
      {"V", "50", 0, flux("123.4"), 0, flux("123")},
      {"A", "4.9", 5, "", 0, "---" + kDeg},
      {"A", "0", 1, flux("355.0"), 10, flux("5")},
      {"A", "0", 1, flux("123.5"), 0, flux("124")},
      {"A", "0", 1, flux("122.5"), 0, flux("122")},
      {"", "0", 1, flux("000.0"), -32768, flux("352")},
  };
  for (const auto& c : cases) {
    app.fix.RmcStatus = c.status;
    app.fix.SpeedKnotsText = c.speed;
    app.fix.CourseText = "090.0" + kDeg;
    app.settings.MinGpsSpeedOut = c.minSpeed;
    h.FluxHeadingText = c.flux;
    app.settings.FluxCompassOffset = static_cast<std::int16_t>(c.offset);
    EXPECT_EQ(GetHeadingText(app), c.expected) << c.flux << " " << c.offset;
  }
}

class AlignTest : public HeadingTest {
 protected:
  void Fix(const char* status, const char* speed, const char* course, const char* flux) {
    app.fix.RmcStatus = status;
    app.fix.SpeedKnotsText = speed;
    app.fix.CourseText = FormatHeading(course);
    h.FluxHeadingText = *flux ? FormatHeading(flux) + "F" : "";
  }
};

TEST_F(AlignTest, YesAlignsTheCompassWithTheCourse) {
  app.settings.MinGpsSpeedOut = 3;
  const struct {
    const char* course;
    const char* flux;
    int offset;
  } cases[] = {{"90", "80", 10}, {"10", "350", 20}, {"350", "10", 340}, {"90", "90.4", 0}, {"0", "359.5", 0}};
  for (const auto& c : cases) {
    Fix("A", "5.0", c.course, c.flux);
    rig.dialogs.msgAnswers = {MsgResult::kYes};
    f.mnuGpsFlux.Click();
    EXPECT_EQ(app.settings.FluxCompassOffset, c.offset) << c.course << " " << c.flux;
  }
  ASSERT_EQ(rig.dialogs.boxes.size(), 5u);
  const MessageBox& box = rig.dialogs.boxes.back();
  EXPECT_EQ(box.title, "Koralin GPS Readout. Version 1.21");
  EXPECT_EQ(box.buttons, MsgButtons::kYesNoCancel);
  EXPECT_EQ(box.icon, MsgIcon::kInformation);
  EXPECT_EQ(box.defaultButton, 3);
  EXPECT_EQ(box.prompt, "Try to synchronise FluxCompass with GpsCompass\r\nFluxCompassOffset = 000" + kDeg +
                            "\r\nNo=Reset offset to 0" + kDeg + "\r\nMinSpeed= 3  knots");

  // After alignment the shown heading is the course.
  Fix("A", "1.0", "90", "80");
  rig.dialogs.msgAnswers = {MsgResult::kYes};
  app.fix.SpeedKnotsText = "5";
  f.mnuGpsFlux.Click();
  app.fix.SpeedKnotsText = "1";
  EXPECT_EQ(GetHeadingText(app), "90" + kDeg + "F");
}

TEST_F(AlignTest, YesRefusesWithoutData) {
  app.settings.MinGpsSpeedOut = 3;
  app.settings.FluxCompassOffset = 7;
  const struct {
    const char* status;
    const char* speed;
    const char* flux;
  } cases[] = {{"V", "5", "80"}, {"A", "2.4", "80"}, {"A", "5", ""}, {"", "5", "80"}, {"A", "2.5", "80"}};
  for (const auto& c : cases) {
    Fix(c.status, c.speed, "90", c.flux);
    rig.dialogs.boxes.clear();
    rig.dialogs.msgAnswers = {MsgResult::kYes};
    f.mnuGpsFlux.Click();
    EXPECT_EQ(app.settings.FluxCompassOffset, 7);
    ASSERT_EQ(rig.dialogs.boxes.size(), 2u);
    EXPECT_EQ(rig.dialogs.boxes[1].prompt, "Not set Yet\r\nNo FluxCompass or No GpsCompass data");
    EXPECT_EQ(rig.dialogs.boxes[1].icon, MsgIcon::kCritical);
  }
  // 2.5 knots rounds to 2 (half to even), below the minimum; 2.6 does not.
  Fix("A", "2.6", "90", "80");
  rig.dialogs.msgAnswers = {MsgResult::kYes};
  f.mnuGpsFlux.Click();
  EXPECT_EQ(app.settings.FluxCompassOffset, 10);
}

TEST_F(AlignTest, NoResetsAndCancelKeeps) {
  app.settings.MinGpsSpeedOut = 3;
  app.settings.FluxCompassOffset = -5;
  Fix("A", "5", "90", "123.6");
  rig.dialogs.msgAnswers = {MsgResult::kCancel};
  f.mnuGpsFlux.Click();
  EXPECT_EQ(app.settings.FluxCompassOffset, -5);
  EXPECT_NE(rig.dialogs.boxes[0].prompt.find("FluxCompassOffset = -005" + kDeg), std::string::npos);

  rig.dialogs.msgAnswers = {MsgResult::kNo};
  f.mnuGpsFlux.Click();
  EXPECT_EQ(app.settings.FluxCompassOffset, 0);
  EXPECT_EQ(h.FluxHeadingText, "124.0" + kDeg);
  // An empty heading stays empty.
  h.FluxHeadingText.clear();
  rig.dialogs.msgAnswers = {MsgResult::kNo};
  f.mnuGpsFlux.Click();
  EXPECT_EQ(h.FluxHeadingText, "");
}

TEST_F(HeadingTest, ReadingTheCompassFromTheOutputPort) {
  Compass(Nmea("$HCHDT,1.0,T"));
  app.poll.RxTextHCHDT = "$HCHDT,1";

  f.mnuHCHDTinp.Click();
  EXPECT_TRUE(f.mnuHCHDTinp.Checked());
  EXPECT_TRUE(f.tmrPolling.Enabled());
  EXPECT_EQ(app.poll.RxTextHCHDT, "");
  EXPECT_EQ(h.HCHDTSentence, "");
  EXPECT_FALSE(f.lblFluxGateCompass.Visible());
  EXPECT_EQ(f.lblFluxGateCompass.Caption(), "");
  EXPECT_EQ(h.FluxHeadingText, "001.0" + kDeg + "F") << "the heading itself is kept";
  EXPECT_TRUE(h.FluxSeen);
  f.tmrPolling.SetEnabled(false);
  f.mnuHCHDTinp.Click();
  EXPECT_FALSE(f.mnuHCHDTinp.Checked());
  EXPECT_FALSE(f.tmrPolling.Enabled());
}

}  // namespace
}  // namespace koralin
