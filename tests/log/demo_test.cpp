#include "log/demo.h"

#include <gtest/gtest.h>

#include "common/basic.h"
#include "support/fakes.h"

namespace koralin {
namespace {

// The demo feeds every decoder in turn; the decoders' rules are tested on
// their own, so here a few steps show that each text reaches its decoder.
TEST(Demo, EachTickPlaysTheNextStepAndTheCycleResumesWhereItStopped) {
  test::TestRig rig;
  App& app = rig.app;
  Form1& f = app.form1;
  f.mnuCrcCheck.SetChecked(true);
  f.mnuLockCheck.SetChecked(true);
  app.settings.ComPortIn = -1;
  f.tmrPolling.SetInterval(1500);
  f.tmrPolling.SetEnabled(true);
  // Step: the bearing with its amplitude, lock, height, frame caption and compass.
  const struct { int step; const char *bearing, *lock, *frame, *flux; } steps[] = {
      {1, "%323", "Rx ok|166 ft", "GPS NMEA-0183", ""},  // the design caption until the first lock text
      {4, "", "Old data|6 ft", "GPS-NMEA-0183 (Very good lock 3D)", "170.8"},  // no $GPRMC
      {20, "DF101[12]", "Rx ok|4 ft", "GPS-NMEA-0183 (Very good lock 3D)", "180.8"},
      {23, "", "Old data|5 ft", "GPS-NMEA-0183 (Not locked)", "180.8"},  // kept: its compass line lacks the "T"
  };
  for (int step = 0; const auto& want : steps) {
    for (; step < want.step; ++step) rig.clock.Advance(1500);
    EXPECT_EQ((f.lblDoppler.Visible() ? f.lblDoppler.Caption() : "") +
                  (f.lblAmplitude.Visible() ? f.lblAmplitude.Caption() : "") + "|" + f.lblLock.Caption() + "|" +
                  f.lblHeight.Caption() + "|" + f.Frame1.Caption() + "|" + app.heading.FluxHeadingText,
              want.bearing + std::string("|") + want.lock + "|" + want.frame + "|" +
                  (*want.flux ? want.flux + std::string(1, kDegree) + "F" : ""));
    EXPECT_EQ(app.fix.GPRMCFound, step != 4 && step != 23) << step;
  }
  EXPECT_EQ(app.log.DemoStep + app.unexpectedCount, 0) << app.lastUnexpected;
  rig.clock.Advance(11 * 1500);
  EXPECT_EQ(f.lblLock.Caption(), "Rx not ok");  // the cycle starts again
  app.settings.ComPortIn = 0;  // the input goes off: the demo stops
  rig.clock.Advance(1500);
  EXPECT_FALSE(f.tmrPolling.Enabled());
  app.settings.ComPortIn = -1;
  f.tmrPolling.SetEnabled(true);
  rig.clock.Advance(1500);
  EXPECT_EQ(app.log.DemoStep, 12);
}

}  // namespace
}  // namespace koralin
