// What the program publishes to other local programs, and the companion's
// bearing it follows.
#include <gtest/gtest.h>

#include "dde/client_link.h"
#include "dde/links.h"
#include "display/speed.h"
#include "support/fakes.h"

namespace koralin {
namespace {

TEST(DDElinks, PublishesTheFixAndFollowsTheCompanionUntilItLeavesOrIsSwitchedOff) {
  test::TestRig rig;
  rig.bus.companionValue = "%045/3";
  rig.app.form1.mnuRMCModifiedOut.SetChecked(true);
  ASSERT_TRUE(AdjustLblDDESound(rig.app, true));
  const Label& l = rig.app.form1.lblDDESound;
  const auto shown = [&l] {
    return l.Caption() + (l.BackColor() == colour::kGreen ? " green" : l.BackColor() == colour::kRed ? " red" : "");
  };
  EXPECT_EQ(rig.bus.linkedTo + " " + shown(), "Quillwave|Form1!lblDDESound1 %045/3 green");
  EXPECT_TRUE(l.Visible());
  rig.bus.CompanionSays("%---");
  EXPECT_EQ(shown(), "%--- red");
  rig.bus.CompanionSays("%123/4");
  rig.bus.CompanionLeaves();  // reported once
  rig.bus.CompanionLeaves();
  EXPECT_EQ(shown() + std::to_string(rig.dialogs.boxes.size()), "%123/4 green1");
  EXPECT_FALSE(rig.app.form1.mnuRMCModifiedOut.Checked() || rig.bus.Linked());

  test::TestRig off;
  ASSERT_TRUE(AdjustLblDDESound(off.app, true));
  EXPECT_TRUE(AdjustLblDDESound(off.app, false));
  EXPECT_FALSE(off.app.form1.lblDDESound.Visible() || off.bus.Linked());
  off.bus.CompanionSays("%200/1");
  EXPECT_EQ(off.app.form1.lblDDESound.Caption(), "%---");
  EXPECT_TRUE(off.dialogs.boxes.empty());

  test::TestRig absent;
  absent.bus.companionRunning = false;
  EXPECT_FALSE(AdjustLblDDESound(absent.app, true) || absent.app.form1.lblDDESound.Visible());
  EXPECT_EQ(absent.dialogs.boxes.size(), 1u);
  for (const auto& [input, val] : {std::pair{3, "A"}, {-1, "A"}, {-2, "A"}, {0, ""}, {-3, "lblVal1"}}) {
    test::TestRig published;
    const Form1& f = published.app.form1;
    published.app.settings.ComPortIn = static_cast<std::int16_t>(input);
    SpeedSelect(published.app, 3);
    published.app.fix.LatitudeText = "4807.04N", published.app.fix.LongitudeText = "01131.00E";
    published.app.fix.RmcStatus = "A", published.app.fix.SpeedKnotsText = "022.4";
    published.app.form1.lblCompass.SetCaption("084.4");
    DDElinks(published.app);
    EXPECT_EQ(f.lblLat1.Caption() + "|" + f.lblLong1.Caption() + "|" + f.lblVal1.Caption() + "|" + f.lblCompas1.Caption() +
                  "|" + f.lblSpeed1.Caption(), std::string("4807.04N|01131.00E|") + val + "|084.4|022.4 knots") << input;
    published.app.form1.lblVal1.SetCaption("Off");  // after shutdown it stays off
    DDElinks(published.app);
    EXPECT_EQ(f.lblVal1.Caption(), "Off") << input;
  }
}

}  // namespace
}  // namespace koralin
