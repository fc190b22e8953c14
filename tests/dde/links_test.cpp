#include "dde/links.h"

#include <gtest/gtest.h>

#include "display/speed.h"
#include "support/fakes.h"

namespace koralin {
namespace {

TEST(DDElinks, PublishesTheFixWithTheSpeedInKnots) {
  test::TestRig rig;
  rig.app.settings.ComPortIn = 3;
  SpeedSelect(rig.app, 3);
  rig.app.fix.LatitudeText = "4807.04N";
  rig.app.fix.LongitudeText = "01131.00E";
  rig.app.fix.RmcStatus = "A";
  rig.app.fix.SpeedKnotsText = "022.4";
  rig.app.form1.lblCompass.SetCaption("084.4\xB0");
  DDElinks(rig.app);
  const Form1& f = rig.app.form1;
  EXPECT_EQ(f.lblLat1.Caption(), "4807.04N");
  EXPECT_EQ(f.lblLong1.Caption(), "01131.00E");
  EXPECT_EQ(f.lblVal1.Caption(), "A");
  EXPECT_EQ(f.lblCompas1.Caption(), "084.4\xB0");
  EXPECT_EQ(f.lblSpeed1.Caption(), "022.4 knots");
}

TEST(DDElinks, ValidityFollowsTheInputUntilShutdown) {
  const struct {
    int input;
    const char* val;
  } cases[] = {{3, "V"}, {-1, "V"}, {-2, "V"}, {0, ""}, {-3, "lblVal1"}};
  for (const auto& c : cases) {
    test::TestRig rig;
    rig.app.settings.ComPortIn = static_cast<std::int16_t>(c.input);
    rig.app.fix.RmcStatus = "V";
    DDElinks(rig.app);
    EXPECT_EQ(rig.app.form1.lblVal1.Caption(), c.val) << c.input;
    rig.app.form1.lblVal1.SetCaption("Off");
    DDElinks(rig.app);
    EXPECT_EQ(rig.app.form1.lblVal1.Caption(), "Off") << c.input;
  }
}

TEST(ShowDDELabels, WithoutToggleFollowsTheMenu) {
  test::TestRig rig;
  Form1& f = rig.app.form1;
  f.mnuShowDDE.SetChecked(true);
  bool toggle = false;
  ShowDDELabels(rig.app, toggle);
  EXPECT_TRUE(f.mnuShowDDE.Checked());
  EXPECT_TRUE(f.lblHeight1.Visible());
  EXPECT_EQ(f.form.Height(), 3860);
}

}  // namespace
}  // namespace koralin
