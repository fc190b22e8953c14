#include "nmea/altitude.h"

#include <gtest/gtest.h>

#include "support/fakes.h"
#include "support/sentences.h"

namespace koralin {
namespace {

using test::Nmea;

std::string Gga(const std::string& altitude, const std::string& unit) {
  return Nmea("GPGGA,121945,5146.6039,N,00531.2582,E,1,06,1.40," + altitude + "," + unit + ",47.2,M,,");
}
std::string Rmz(const std::string& altitude, const std::string& unit) {
  return Nmea("PGRMZ," + altitude + "," + unit + ",3");
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
      Decode(c.sentence);
      EXPECT_EQ(f.lblAltitude.Caption() + "|" + f.lblHeight1.Caption() + "|" + f.lblHeight.Caption(),
                c.sentence + "|" + c.height1 + "|" + (metres ? c.metres : c.feet));
      EXPECT_TRUE(f.lblAltitude.Visible() && f.lblHeight.Visible()) << c.sentence;
    }
  }
}

TEST_F(AltitudeTest, PgrmzWinsWhenBothArriveAndBadTextKeepsTheLast) {
  const std::string rmz = Rmz("93", "f");
  Decode(Gga("545.4", "M") + "\r\n" + rmz + "\r\n");
  EXPECT_EQ(f.lblHeight1.Caption(), "93 ft");
  EXPECT_EQ(f.lblAltitude.Caption(), rmz);
  std::string bad = Gga("100", "M");
  bad.back() = bad.back() == '0' ? '1' : '0';  // wrong checksum
  for (const std::string& text : {std::string(), std::string("$GPGGA,,,"), bad, Gga("1e308", "M"), Rmz("1e308", "m")}) {
    Decode(text);
    EXPECT_EQ(f.lblHeight1.Caption() + "|" + f.lblHeight.Caption(), "93 ft|93 ft") << text;
  }
}

TEST_F(AltitudeTest, UnitSwitchRereadsTheFeetFigure) {
  f.lblHeight.SetVisible(false);
  f.mnuFeet2Metres.Click();  // no altitude yet: the height stays hidden
  EXPECT_TRUE(f.lblHeight.Caption() == "0 m" && !f.lblHeight.Visible());
  f.mnuFeet2Metres.Click();
  Decode(Gga("545.4", "M"));
  f.mnuFeet2Metres.Click();
  EXPECT_TRUE(f.lblHeight.Caption() == "545.3 m" && f.lblHeight.BackColor() == colour::kYellow);
  f.lblHeight.Click();
  EXPECT_TRUE(f.lblHeight.Caption() == "1789 ft" && f.lblHeight.BackColor() == colour::kWhite && !f.mnuFeet2Metres.Checked());
  ToggleHeightUnit(rig.app, true);  // applying the unit at start changes no check mark
  EXPECT_FALSE(f.mnuFeet2Metres.Checked());
}

}  // namespace
}  // namespace koralin
