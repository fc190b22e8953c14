#include "dde/links.h"

#include <gtest/gtest.h>

#include "display/speed.h"
#include "support/fakes.h"

namespace koralin {
namespace {

TEST(DdeSources, StartHiddenWithTheirNamesAndTooltips) {
  test::TestRig rig;
  const Form1& f = rig.app.form1;
  const struct {
    const Label* label;
    const char* caption;
    const char* item;
    const char* tooltip;
  } cases[] = {
      {&f.lblLat1, "lblLat1", "lblDDELat", "Send Latitude"},
      {&f.lblLong1, "lblLong1", "lblDDELong", "Send Longitude"},
      {&f.lblVal1, "lblVal1", "lblDDEVal", "Send Valide 'A=Ok V=Not Ok'"},
      {&f.lblCompas1, "lblCompas1", "lblDDECompas", "Send GpsCompass"},
      {&f.lblHeight1, "lblHeight1", "lblDDEHeight", "Send Altitude in Feet"},
      {&f.lblSpeed1, "lblSpeed1", "lblDDESpeed", "Send Speed Knots"},
      {&f.lblDoppler1, "Duzevod232", "lblDoppler1", "Send Agrelo from mixed GPS-RX+Agrelo input"},
  };
  ASSERT_EQ(rig.app.dde.sources.size(), std::size(cases));
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const auto& c = cases[i];
    EXPECT_EQ(rig.app.dde.sources[i].label, c.label);
    EXPECT_STREQ(rig.app.dde.sources[i].linkItem, c.item);
    EXPECT_EQ(c.label->Caption(), c.caption);
    EXPECT_EQ(c.label->ToolTip(), c.tooltip);
    EXPECT_FALSE(c.label->Visible());
  }
}

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
