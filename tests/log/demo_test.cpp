#include "log/demo.h"

#include <gtest/gtest.h>

#include "common/basic.h"
#include "nmea/sentence.h"
#include "support/sentences.h"
#include "support/fakes.h"

namespace koralin {
namespace {

const std::string kDeg(1, kDegree);

// What the window shows after a step of the demo: the bearing (nullptr:
// hidden), the lock and the height in both labels.
struct Shown {
  const char* bearing;
  const char* lock;
  const char* height1;
  const char* height;
};

// Indexed by step - 1.
const Shown kShown[] = {
    {"%323", "Rx ok", "166 ft", "166 ft"}, {nullptr, "Old data", "166 ft", "166 ft"},
    {"%332", "Rx ok", "006 ft", "6 ft"}, {nullptr, "Old data", "006 ft", "6 ft"},
    {"%032/0", "Rx ok", "006 ft", "6 ft"}, {"$DFBRG200/4", "Rx ok", "006 ft", "6 ft"},
    {nullptr, "Rx ok", "006 ft", "6 ft"}, {"DF032/1", "Rx ok", "002 ft", "2 ft"},
    {"DF270/0", "Rx ok", "002 ft", "2 ft"}, {"%188/7", "Rx ok", "002 ft", "2 ft"},
    {nullptr, "Rx not ok", "002 ft", "2 ft"}, {"%999", "Rx ok", "002 ft", "2 ft"},
    {nullptr, "Rx ok", "002 ft", "2 ft"}, {nullptr, "Rx ok", "002 ft", "2 ft"},
    {nullptr, "Rx ok", "011 ft", "11 ft"}, {nullptr, "Rx ok", "011 ft", "11 ft"},
    {nullptr, "Rx ok", "011 ft", "11 ft"}, {"%091/9", "Old data", "-001 ft", "-1 ft"},
    {nullptr, "Rx ok", "005 ft", "5 ft"}, {"DF101", "Rx ok", "004 ft", "4 ft"},
    {nullptr, "Rx ok", "004 ft", "4 ft"}, {nullptr, "Rx ok", "68 ft", "68 ft"},
    {nullptr, "Old data", "005 ft", "5 ft"},
};

class DemoRun : public ::testing::Test {
 protected:
  DemoRun() {
    f.mnuCrcCheck.SetChecked(true);
    f.mnuLockCheck.SetChecked(true);
    app.settings.ComPortIn = -1;
    f.tmrPolling.SetInterval(1500);
    f.tmrPolling.SetEnabled(true);
  }
  test::TestRig rig;
  App& app = rig.app;
  Form1& f = rig.app.form1;
};

TEST_F(DemoRun, EachTickShowsItsStep) {
  for (int call = 1; call <= 2 * kDemoSteps; ++call) {
    const int step = (call - 1) % kDemoSteps + 1;
    const bool second = call > kDemoSteps;
    rig.clock.Advance(1500);
    SCOPED_TRACE("step " + std::to_string(step) + (second ? " again" : ""));
    const Shown& want = kShown[step - 1];
    EXPECT_EQ(f.lblDoppler.Visible(), want.bearing != nullptr);
    if (want.bearing) {
      EXPECT_EQ(f.lblDoppler.Caption() + "|" + app.heading.DopplerBearing,
                std::string(want.bearing) + "|" + want.bearing);
    }
    EXPECT_EQ(f.lblAmplitude.Visible() ? f.lblAmplitude.Caption() : "", step == 20 ? "[12]" : "");
    EXPECT_EQ(f.lblLock.Caption(), want.lock);
    EXPECT_EQ(f.lblHeight1.Caption(), want.height1);
    EXPECT_EQ(f.lblHeight.Caption(), want.height);
    EXPECT_EQ(app.fix.GPRMCFound, step != 4 && step != 18 && step != 23);

    // The lock of step 4 stays until step 23 says there is none.
    std::string frame = second || step >= 4 ? "GPS-NMEA-0183" : "GPS NMEA-0183";  // the design caption until then
    if (step >= 4 && step < 23) frame += " (Very good lock 3D)";
    if (step == 23 || (second && step < 4)) frame += " (Not locked)";
    EXPECT_EQ(f.Frame1.Caption(), frame);

    // The compass: 170.8 from step 2, 180.8 from step 12, kept by step 23's "F".
    const bool late = step >= 12 || (second && step == 1);
    EXPECT_EQ(app.heading.FluxHeadingText, late ? "180.8" + kDeg + "F" : step >= 2 ? "170.8" + kDeg + "F" : "");
    EXPECT_EQ(f.lblFluxGateCompass.Visible(), second || step >= 2);
    if (step == 2) { EXPECT_EQ(f.lblFluxGateCompass.Caption(), test::Nmea("HCHDT,170.8,T")); }
    if (step == 23) { EXPECT_TRUE(f.lblFluxGateCompass.Caption().starts_with("$HCHDT,90,F*")); }
    EXPECT_EQ(app.heading.FluxNoTrueCount, step == 23 || (second && step == 1) ? 1 : 0);
  }
  EXPECT_EQ(app.unexpectedCount, 0) << app.lastUnexpected;
  EXPECT_EQ(app.log.DemoStep, 0);
}

TEST_F(DemoRun, VoidFixOfStepElevenAndStopWhenTheInputGoesOff) {
  rig.clock.Advance(11 * 1500);
  EXPECT_EQ(f.lblVal1.Caption(), "V");
  // No fix turns the rose red, but the flux-gate heading takes it and colours its centre blue.
  EXPECT_EQ(app.fix.CourseColour, colour::kBlue);
  app.settings.ComPortIn = 0;
  rig.clock.Advance(1500);
  EXPECT_FALSE(f.tmrPolling.Enabled());
  EXPECT_EQ(app.log.DemoStep, 11);
  app.settings.ComPortIn = -1;  // chosen again, the cycle goes on where it stopped
  f.tmrPolling.SetEnabled(true);
  rig.clock.Advance(1500);
  EXPECT_EQ(app.log.DemoStep, 12);
}

}  // namespace
}  // namespace koralin
