#include "log/demo.h"

#include <gtest/gtest.h>

#include "common/basic.h"
#include "support/fakes.h"

namespace koralin {
namespace {

// After each step of the demo: the bearing shown ("" hidden), the lock and
// the height, both as received and as shown.
const char* const kShown[][4] = {
    {"%323", "Rx ok", "166 ft", "166 ft"}, {"", "Old data", "166 ft", "166 ft"}, {"%332", "Rx ok", "006 ft", "6 ft"},
    {"", "Old data", "006 ft", "6 ft"},    {"%032/0", "Rx ok", "006 ft", "6 ft"}, {"$DFBRG200/4", "Rx ok", "006 ft", "6 ft"},
    {"", "Rx ok", "006 ft", "6 ft"},       {"DF032/1", "Rx ok", "002 ft", "2 ft"}, {"DF270/0", "Rx ok", "002 ft", "2 ft"},
    {"%188/7", "Rx ok", "002 ft", "2 ft"}, {"", "Rx not ok", "002 ft", "2 ft"}, {"%999", "Rx ok", "002 ft", "2 ft"},
    {"", "Rx ok", "002 ft", "2 ft"},       {"", "Rx ok", "002 ft", "2 ft"},   {"", "Rx ok", "011 ft", "11 ft"},
    {"", "Rx ok", "011 ft", "11 ft"},      {"", "Rx ok", "011 ft", "11 ft"},  {"%091/9", "Old data", "-001 ft", "-1 ft"},
    {"", "Rx ok", "005 ft", "5 ft"},       {"DF101", "Rx ok", "004 ft", "4 ft"}, {"", "Rx ok", "004 ft", "4 ft"},
    {"", "Rx ok", "68 ft", "68 ft"},       {"", "Old data", "005 ft", "5 ft"},
};

TEST(Demo, EachTickShowsItsStepAndTheCycleResumesWhereItStopped) {
  test::TestRig rig;
  App& app = rig.app;
  Form1& f = app.form1;
  f.mnuCrcCheck.SetChecked(true);
  f.mnuLockCheck.SetChecked(true);
  app.settings.ComPortIn = -1;
  f.tmrPolling.SetInterval(1500);
  f.tmrPolling.SetEnabled(true);
  const std::string deg(1, kDegree);
  for (int call = 1; call <= 2 * kDemoSteps; ++call) {
    const int step = (call - 1) % kDemoSteps + 1;
    const bool second = call > kDemoSteps;
    rig.clock.Advance(1500);
    SCOPED_TRACE("step " + std::to_string(step) + (second ? " again" : ""));
    const auto& want = kShown[step - 1];
    EXPECT_EQ(f.lblDoppler.Visible() ? f.lblDoppler.Caption() + "|" + app.heading.DopplerBearing : "|",
              std::string(want[0]) + "|" + (*want[0] ? want[0] : ""));
    EXPECT_EQ(f.lblAmplitude.Visible() ? f.lblAmplitude.Caption() : "", step == 20 ? "[12]" : "");
    EXPECT_EQ(f.lblLock.Caption() + "|" + f.lblHeight1.Caption() + "|" + f.lblHeight.Caption(),
              std::string(want[1]) + "|" + want[2] + "|" + want[3]);
    EXPECT_EQ(app.fix.GPRMCFound, step != 4 && step != 18 && step != 23);
    // The lock of step 4 stays until step 23 says there is none.
    std::string frame = "GPS-NMEA-0183";
    if (step >= 4 && step < 23) frame += " (Very good lock 3D)";
    if (step == 23 || (second && step < 4)) frame += " (Not locked)";
    EXPECT_EQ(f.Frame1.Caption(), frame);
    // The compass: 170.8 from step 2, 180.8 from step 12, kept by step 23's "F".
    const bool late = step >= 12 || (second && step == 1);
    EXPECT_EQ(app.heading.FluxHeadingText, late ? "180.8" + deg + "F" : step >= 2 ? "170.8" + deg + "F" : "");
    EXPECT_EQ(app.heading.FluxNoTrueCount, step == 23 || (second && step == 1) ? 1 : 0);
    if (step == 11) { EXPECT_EQ(app.fix.CourseColour, colour::kBlue); }  // the compass takes the void fix's rose
  }
  EXPECT_EQ(app.unexpectedCount, 0) << app.lastUnexpected;
  rig.clock.Advance(11 * 1500);
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
