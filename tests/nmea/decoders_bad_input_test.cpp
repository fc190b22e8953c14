// Every decoder over hostile text: nothing may throw, hang or grow, and the
// last good values stay on screen.
#include <gtest/gtest.h>

#include "nmea/heading.h"
#include "nmea/polling.h"
#include "nmea/sentence_helpers.h"
#include "support/fakes.h"

namespace koralin {
namespace {

using test::Nmea;

class BadInput : public ::testing::Test {
 protected:
  BadInput() {
    f.mnuCrcCheck.SetChecked(true);
    f.mnuLockCheck.SetChecked(true);
    rig.comm1.Open(1, "4800,N,8,1", 1024, 512);
    app.settings.ComPortIn = 1;
  }
  // One poll of text through the serial path, as it arrives on the port.
  void Poll(const std::string& text) {
    rig.comm1.Feed(text);
    getGPSinput(app);
  }
  void ExpectNoErrors() {
    EXPECT_EQ(app.lastInputError.count, 0) << app.lastInputError.description;
    EXPECT_EQ(app.unexpectedCount, 0) << app.lastUnexpected;
  }
  test::TestRig rig;
  App& app = rig.app;
  Form1& f = rig.app.form1;
};

TEST_F(BadInput, LastGoodValuesStay) {
  Poll(Nmea("$GPGGA,1,2,N,3,E,1,06,1.40,545.4,M,47.2,M,,") + "\r\n" + Nmea("$HCHDT,123.4,T") + "\r\n%123/4\r\n");
  ASSERT_EQ(f.lblHeight1.Caption(), "1789 ft");
  ASSERT_EQ(app.heading.DopplerBearing, "%123");
  const std::string flux = app.heading.FluxHeadingText;
  ASSERT_FALSE(flux.empty());

  const std::string noise(10000, '%');
  std::string dfNoise;
  while (dfNoise.size() < 10000) dfNoise += "DF%[";
  const std::string texts[] = {
      "%12\r\n", "DF1\r\n", "$DFBRG\r\n", "%1x3/4 DF12 $DFBRG99\r\n", "[] [x] [[[]]] DF\r\n", noise, dfNoise,
      "$GPGGA,1,2,3*\r\n", std::string(5000, '$'), std::string("\0\xff\xb0*,,,,", 9),
  };
  const char* sentences[] = {"$HCHDT",         "$HCHDT,",        "$HCHDT,,",       "$HCHDT,9e999,T",
                             "$GPGGA,,,,,,,,,-,M", "$GPGGA,,,,,,,,,1e308,M", "$GPGGA,,,,,,,,,9e999,M",
                             "$PGRMZ,1e308,m", "$PGRMZ,9e999,f", "$GPGSA",         "$GPGSA,A,9e999"};
  std::vector<std::string> all(std::begin(texts), std::end(texts));
  for (const char* s : sentences) all.push_back(Nmea(s) + "\r\n");
  for (const std::string& t : all) {
    Poll(t);
    EXPECT_EQ(app.heading.DopplerBearing, "%123") << t.substr(0, 40);
    EXPECT_EQ(app.heading.FluxHeadingText, flux) << t.substr(0, 40);
  }
  // "-" reads as 0 like any text without a number; the others are refused.
  EXPECT_EQ(f.lblHeight1.Caption(), "0 ft");
  EXPECT_LE(app.poll.RxText.size(), 12000u);
  EXPECT_LE(app.poll.RxHistory.size(), 25000u);
  ExpectNoErrors();
}

TEST_F(BadInput, HugeCompassHeadingStaysUsable) {
  Poll(Nmea("$HCHDT,1e308,T") + "\r\n");
  app.fix.RmcStatus = "V";
  EXPECT_NO_THROW(GetHeadingText(app));
  app.settings.MinGpsSpeedOut = 1;
  Poll(Nmea("$GPRMC,120000,A,5212.35,N,00454.32,E,0.0,90.0,041226,,") + "\r\n");
  ExpectNoErrors();
}

}  // namespace
}  // namespace koralin
