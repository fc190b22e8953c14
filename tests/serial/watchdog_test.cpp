#include "serial/watchdog.h"

#include <gtest/gtest.h>

#include "serial/serial_rig.h"
#include "support/sentences.h"

namespace koralin {
namespace {

std::string Warning(int seconds) {
  return "Warning no RS232 input recieved for about " + std::to_string(seconds) + " Sec's.";
}

TEST(Watchdog, WarnsEveryTenSecondsOfSilenceUntilSomethingIsDecoded) {
  // What arrives after five warnings on port 1, and the next warning: any
  // fix, bearing or compass restarts the ten seconds.
  const std::pair<std::string, std::string> cases[] = {
      {test::Rmc(), Warning(10)}, {"%123/4", Warning(10)}, {test::Nmea("HCHDT,123.4,T"), Warning(60)}};
  for (const auto& [text, next] : cases) {
    test::SerialRig rig;
    Form1& f = rig.app.form1;
    rig.app.settings.BaudIn = 4800;
    f.Option1[0].Click();
    const Colour colours[] = {colour::kBlue, colour::kRed, colour::kMagenta, colour::kCyan, colour::kBlue};
    for (int n = 1; n <= 5; ++n) {
      rig.clock.Advance(9999);
      EXPECT_EQ(rig.system.beeps, n - 1);
      rig.clock.Advance(1);
      EXPECT_EQ(rig.system.beeps, n);
      EXPECT_EQ(f.Frame1.ForeColor(), colours[n - 1]) << n;
      EXPECT_EQ(f.Frame1.Caption(), Warning(10 * n));
      EXPECT_FALSE(f.Frame1.FontUnderline());
    }
    rig.comm1.Feed(text + "\r\n");
    rig.clock.Advance(1000);  // the next poll reads it
    rig.clock.Advance(9999);
    EXPECT_EQ(rig.system.beeps, 5) << text;
    rig.clock.Advance(1);
    EXPECT_EQ(f.Frame1.Caption(), next) << text;
  }
}

TEST(Watchdog, IsQuietDuringPlaybackAndWithTheInputOff) {
  for (int source : {0, 3}) {
    test::SerialRig rig;
    rig.app.settings.ComPortIn = static_cast<std::int16_t>(source);
    rig.app.form1.mnuPlayLog.SetChecked(source != 0);
    rig.app.form1.tmrComInTimeOut.SetEnabled(true);
    rig.clock.Advance(30000);
    EXPECT_EQ(rig.system.beeps, 0) << source;
    EXPECT_EQ(rig.app.form1.Frame1.Caption(), "GPS NMEA-0183") << source;  // as designed, untouched
  }
}

}  // namespace
}  // namespace koralin
