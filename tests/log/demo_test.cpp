#include "log/demo.h"

#include <gtest/gtest.h>

#include "common/basic.h"
#include "support/fakes.h"

namespace koralin {
namespace {

// The demo feeds every decoder in turn; the decoders' rules are tested on
// their own, so here only a few steps show that each text reaches its decoder.
TEST(Demo, EachTickPlaysTheNextStepAndTheCycleResumesWhereItStopped) {
  test::TestRig rig;
  App& app = rig.app;
  Form1& f = app.form1;
  f.mnuCrcCheck.SetChecked(true);
  f.mnuLockCheck.SetChecked(true);
  app.settings.ComPortIn = -1;
  f.tmrPolling.SetInterval(1500);
  f.tmrPolling.SetEnabled(true);
  const std::string deg(1, kDegree);
  // Step: the bearing shown, lock, height, frame caption's lock text and compass.
  const struct { int step; const char *bearing, *lock, *height, *frame; std::string flux; } steps[] = {
      {1, "%323", "Rx ok", "166 ft", "", ""}, {2, "", "Old data", "166 ft", "", "170.8" + deg + "F"},
      {4, "", "Old data", "6 ft", " (Very good lock 3D)", "170.8" + deg + "F"},
      {6, "$DFBRG200/4", "Rx ok", "6 ft", " (Very good lock 3D)", "170.8" + deg + "F"},
      {11, "", "Rx not ok", "2 ft", " (Very good lock 3D)", "170.8" + deg + "F"},
      {20, "DF101", "Rx ok", "4 ft", " (Very good lock 3D)", "180.8" + deg + "F"},
      {22, "", "Rx ok", "68 ft", " (Very good lock 3D)", "180.8" + deg + "F"},
      {23, "", "Old data", "5 ft", " (Not locked)", "180.8" + deg + "F"},  // kept: its compass line lacks the "T"
  };
  int step = 0;
  for (const auto& want : steps) {
    while (step < want.step) {
      rig.clock.Advance(1500);
      ++step;
    }
    SCOPED_TRACE("step " + std::to_string(step));
    EXPECT_EQ(f.lblDoppler.Visible() ? f.lblDoppler.Caption() : "", want.bearing);
    EXPECT_EQ(f.lblLock.Caption() + "|" + f.lblHeight.Caption(), std::string(want.lock) + "|" + want.height);
    // The design caption stays until the first lock text replaces it.
    EXPECT_EQ(f.Frame1.Caption(), std::string(step < 4 ? "GPS NMEA-0183" : "GPS-NMEA-0183") + want.frame);
    EXPECT_EQ(app.heading.FluxHeadingText, want.flux);
    EXPECT_EQ(app.fix.GPRMCFound, step != 4 && step != 23);
    EXPECT_EQ(f.lblAmplitude.Visible() ? f.lblAmplitude.Caption() : "", step == 20 ? "[12]" : "");
  }
  EXPECT_EQ(app.log.DemoStep, 0);
  EXPECT_EQ(app.unexpectedCount, 0) << app.lastUnexpected;
  rig.clock.Advance(11 * 1500);
  EXPECT_EQ(f.lblLock.Caption(), "Rx not ok");  // the cycle starts again
  app.settings.ComPortIn = 0;  // the input goes off: the demo stops
  rig.clock.Advance(1500);
  EXPECT_FALSE(f.tmrPolling.Enabled());
  EXPECT_EQ(app.log.DemoStep, 11);
  app.settings.ComPortIn = -1;
  f.tmrPolling.SetEnabled(true);
  rig.clock.Advance(1500);
  EXPECT_EQ(app.log.DemoStep, 12);
}

}  // namespace
}  // namespace koralin
