#include "dde/links.h"

#include <gtest/gtest.h>

#include "display/speed.h"
#include "support/fakes.h"

namespace koralin {
namespace {

TEST(DDElinks, PublishesTheFixWithTheSpeedInKnotsAndValidityByInput) {
  const struct { int input; const char* val; } cases[] = {{3, "A"}, {-1, "A"}, {-2, "A"}, {0, ""}, {-3, "lblVal1"}};
  for (const auto& c : cases) {
    test::TestRig rig;
    rig.app.settings.ComPortIn = static_cast<std::int16_t>(c.input);
    SpeedSelect(rig.app, 3);
    rig.app.fix.LatitudeText = "4807.04N";
    rig.app.fix.LongitudeText = "01131.00E";
    rig.app.fix.RmcStatus = "A";
    rig.app.fix.SpeedKnotsText = "022.4";
    rig.app.form1.lblCompass.SetCaption("084.4");
    DDElinks(rig.app);
    const Form1& f = rig.app.form1;
    EXPECT_EQ(f.lblLat1.Caption() + "|" + f.lblLong1.Caption() + "|" + f.lblVal1.Caption() + "|" +
                  f.lblCompas1.Caption() + "|" + f.lblSpeed1.Caption(),
              std::string("4807.04N|01131.00E|") + c.val + "|084.4|022.4 knots")
        << c.input;
    rig.app.form1.lblVal1.SetCaption("Off");  // after shutdown it stays off
    DDElinks(rig.app);
    EXPECT_EQ(f.lblVal1.Caption(), "Off") << c.input;
  }
}

TEST(ShowDDELabels, WithoutToggleFollowsTheMenu) {
  test::TestRig rig;
  Form1& f = rig.app.form1;
  f.mnuShowDDE.SetChecked(true);
  bool toggle = false;
  ShowDDELabels(rig.app, toggle);
  EXPECT_TRUE(f.mnuShowDDE.Checked() && f.lblHeight1.Visible());
  EXPECT_EQ(f.form.Height(), 3860);
}

}  // namespace
}  // namespace koralin
