#include "nmea/altitude.h"

#include <gtest/gtest.h>

#include "nmea/fix_quality.h"
#include "nmea/polling.h"
#include "nmea/sentence_helpers.h"
#include "support/fakes.h"

namespace koralin {
namespace {

using test::Nmea;

std::string Gga(std::string_view altitude, std::string_view unit) {
  return Nmea("$GPGGA,121945,5146.6039,N,00531.2582,E,1,06,1.40," + std::string(altitude) + "," +
              std::string(unit) + ",47.2,M,,");
}
std::string Rmz(std::string_view altitude, std::string_view unit) {
  return Nmea("$PGRMZ," + std::string(altitude) + "," + std::string(unit) + ",3");
}

class AltitudeTest : public ::testing::Test {
 protected:
  AltitudeTest() { f.mnuCrcCheck.SetChecked(true); }
  // One poll holding text, decoded as the dispatcher does.
  void Decode(const std::string& text) {
    ExtractingGPGGA(rig.app, text);
    ExtractingPGRMZ(rig.app, text);
  }
  test::TestRig rig;
  Form1& f = rig.app.form1;
};

TEST_F(AltitudeTest, ConvertsAndShowsInBothUnits) {
  const struct {
    std::string sentence;
    const char* height1;
    const char* feet;
    const char* metres;
  } cases[] = {
      {Gga("545.4", "M"), "1789 ft", "1789 ft", "545.3 m"},
      {Gga("545.4", "m"), "1789 ft", "1789 ft", "545.3 m"},
      {Gga("20.6", "M"), "68 ft", "68 ft", "20.7 m"},
      // 0.4572 m is 1.5 ft exactly, but the single-precision foot makes it 1.4999...
      {Gga("0.4572", "M"), "1 ft", "1 ft", "0.3 m"},
      {Gga("1000", "f"), "1000 ft", "1000 ft", "304.8 m"},
      {Gga("-", "M"), "0 ft", "0 ft", "0 m"},
      {Gga("99999999", "M"), "3280837 ft", "3280837 ft", "999999.1 m"},
      {Rmz("93", "f"), "93 ft", "93 ft", "28.3 m"},
      {Rmz("93", "m"), "305.1 ft", "305 ft", "93 m"},
      {Rmz("93", ""), "305.1 ft", "305 ft", "93 m"},
      {Rmz("0.15", "M"), ".5 ft", "0 ft", "0.2 m"},
      {Rmz("1", "f"), "1 ft", "1 ft", "0.3 m"},
      {Rmz("-001", "f"), "-001 ft", "-1 ft", "-0.3 m"},
      {Rmz("002.5", "f"), "002.5 ft", "2 ft", "0.8 m"},
      {Rmz("3.5", "F"), "3.5 ft", "4 ft", "1.1 m"},
  };
  for (const auto& c : cases) {
    for (bool metres : {false, true}) {
      f.mnuFeet2Metres.SetChecked(metres);
      f.lblHeight1.SetCaption("lblHeight1");
      Decode(c.sentence);
      EXPECT_EQ(f.lblAltitude.Caption(), c.sentence);
      EXPECT_EQ(f.lblHeight1.Caption(), c.height1) << c.sentence;
      EXPECT_EQ(f.lblHeight.Caption(), metres ? c.metres : c.feet) << c.sentence;
      EXPECT_TRUE(f.lblAltitude.Visible());
      EXPECT_TRUE(f.lblHeight.Visible());
    }
  }
}

TEST_F(AltitudeTest, EmptyAltitudes) {
  f.lblAltitude.SetVisible(false);
  f.lblHeight.SetVisible(false);
  f.lblHeight.SetCaption("x");
  // Metres without a number: only the raw sentence changes.
  Decode(Gga("", "M"));
  EXPECT_TRUE(f.lblAltitude.Visible());
  EXPECT_EQ(f.lblHeight.Caption(), "x");
  EXPECT_EQ(f.lblHeight1.Caption(), "lblHeight1");
  // Feet without a number: the no-altitude state, 0 in the unit, still hidden.
  f.lblHeight1.SetCaption("12 ft");
  Decode(Rmz("", "f"));
  EXPECT_EQ(f.lblHeight1.Caption(), "lblHeight1");
  EXPECT_EQ(f.lblHeight.Caption(), "0 ft");
  EXPECT_FALSE(f.lblHeight.Visible());
  Decode(Gga("", "x"));
  EXPECT_EQ(f.lblHeight1.Caption(), "lblHeight1");
}

TEST_F(AltitudeTest, PgrmzWinsWhenBothArrive) {
  const std::string rmz = Rmz("93", "f");
  Decode(Gga("545.4", "M") + "\r\n" + rmz + "\r\n");
  EXPECT_EQ(f.lblHeight1.Caption(), "93 ft");
  EXPECT_EQ(f.lblAltitude.Caption(), rmz);
  EXPECT_EQ(rig.app.fix.PGRMZSentence, rmz);
}

TEST_F(AltitudeTest, MissingOrRejectedSentenceKeepsTheLastAltitude) {
  Decode(Gga("545.4", "M"));
  std::string bad = Gga("100", "M");
  bad.back() = bad.back() == '0' ? '1' : '0';  // wrong checksum
  for (const std::string& text : {std::string(), std::string("$GPGGA,,,"), bad, Gga("1e308", "M"),
                                  Rmz("1e308", "m"), Rmz("9e999", "f"), Gga("9e999", "M")}) {
    Decode(text);
    EXPECT_EQ(f.lblHeight1.Caption(), "1789 ft") << text;
    EXPECT_EQ(f.lblHeight.Caption(), "1789 ft") << text;
  }
}

TEST_F(AltitudeTest, UnitSwitchRereadsTheFeetFigure) {
  Decode(Gga("545.4", "M"));
  EXPECT_EQ(f.lblHeight.BackColor(), colour::kButtonFace);
  f.mnuFeet2Metres.Click();
  EXPECT_TRUE(f.mnuFeet2Metres.Checked());
  EXPECT_EQ(f.lblHeight.Caption(), "545.3 m");
  EXPECT_EQ(f.lblHeight.BackColor(), colour::kYellow);
  f.lblHeight.Click();
  EXPECT_FALSE(f.mnuFeet2Metres.Checked());
  EXPECT_EQ(f.lblHeight.Caption(), "1789 ft");
  EXPECT_EQ(f.lblHeight.BackColor(), colour::kWhite);

  // Applying the unit at start changes no check mark.
  ToggleHeightUnit(rig.app, true);
  EXPECT_FALSE(f.mnuFeet2Metres.Checked());
  EXPECT_EQ(f.lblHeight.Caption(), "1789 ft");
}

TEST_F(AltitudeTest, UnitSwitchWithoutAnAltitudeKeepsTheHeightHidden) {
  f.lblHeight.SetVisible(false);
  f.mnuFeet2Metres.Click();
  EXPECT_EQ(f.lblHeight.Caption(), "0 m");
  EXPECT_FALSE(f.lblHeight.Visible());
}

TEST_F(AltitudeTest, LockTextsInTheFrameCaption) {
  const std::pair<const char*, const char*> cases[] = {
      {"1", " (Not locked)"}, {"2", " (Locked 2D)"}, {"3", " (Very good lock 3D)"}, {"0", " "},
      {"", " "},              {"x", " "},            {"34", " (Very good lock 3D)"},
  };
  for (const auto& [mode, lock] : cases) {
    f.Frame1.SetCaption("before");
    ExtractingGPGSA(rig.app, "junk" + Nmea("$GPGSA,A," + std::string(mode) + ",04,05,,,"));
    EXPECT_EQ(rig.app.form1.Frame1.Caption(), std::string("GPS-NMEA-0183") + lock) << mode;
  }
  f.Frame1.SetCaption("before");
  ExtractingGPGSA(rig.app, "$GPRMC,1,2,3*00");
  EXPECT_EQ(f.Frame1.Caption(), "before");
}

TEST_F(AltitudeTest, LockCheckDecidesWhetherTheLockIsRead) {
  rig.app.poll.RxText = Nmea("$GPGSA,A,2,,");
  DispatchSentences(rig.app);
  EXPECT_EQ(f.Frame1.Caption(), "GPS-NMEA-0183");
  f.mnuLockCheck.Click();
  DispatchSentences(rig.app);
  EXPECT_EQ(f.Frame1.Caption(), "GPS-NMEA-0183 (Locked 2D)");
  f.mnuLockCheck.Click();
  EXPECT_FALSE(f.mnuLockCheck.Checked());
  EXPECT_EQ(f.Frame1.Caption(), "GPS-NMEA-0183");
}

TEST_F(AltitudeTest, RestoreFrameCaptionUndoesAWarning) {
  f.Frame1.SetCaption("Warning no RS232 input recieved for about 30 Sec's.");
  f.Frame1.SetForeColor(colour::kMagenta);
  f.Frame1.SetFontUnderline(false);
  RestoreFrameCaption(rig.app);
  EXPECT_EQ(f.Frame1.Caption(), "GPS-NMEA-0183");
  EXPECT_EQ(f.Frame1.ForeColor(), colour::kBlack);
  EXPECT_TRUE(f.Frame1.FontUnderline());
}

}  // namespace
}  // namespace koralin
