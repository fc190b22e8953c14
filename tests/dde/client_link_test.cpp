#include "dde/client_link.h"

#include <gtest/gtest.h>

#include "support/fakes.h"

namespace koralin {
namespace {

TEST(PublishedItems, EverySourceLabelIsPublishedUnderItsItemOnChange) {
  test::TestRig rig;
  Form1& f = rig.app.form1;
  EXPECT_EQ(rig.bus.published.size(), 7u);  // every item at start
  const std::pair<Label&, const char*> cases[] = {
      {f.lblLat1, "lblDDELat"},       {f.lblLong1, "lblDDELong"},     {f.lblVal1, "lblDDEVal"},
      {f.lblCompas1, "lblDDECompas"}, {f.lblSpeed1, "lblDDESpeed"}, {f.lblHeight1, "lblDDEHeight"},
      {f.lblDoppler1, "lblDoppler1"}};
  for (const auto& [label, item] : cases) {
    EXPECT_FALSE(label.Visible()) << item;  // shown only on demand
    label.SetCaption(std::string("value of ") + item);
    EXPECT_EQ(rig.bus.items[item], std::string("value of ") + item);
  }
  f.lblVal1.SetCaption("value of lblDDEVal");  // no change, nothing new
  EXPECT_EQ(rig.bus.published.size(), 14u);
}

TEST(ClientLink, FollowsTheCompanionAndReportsItsLeavingOnce) {
  test::TestRig rig;
  rig.bus.companionValue = "%045/3";
  rig.app.form1.mnuRMCModifiedOut.SetChecked(true);
  ASSERT_TRUE(AdjustLblDDESound(rig.app, true));
  const Label& l = rig.app.form1.lblDDESound;
  EXPECT_EQ(rig.bus.linkedTo, "Quillwave|Form1!lblDDESound1");
  EXPECT_TRUE(l.Visible());
  EXPECT_EQ(l.Caption(), "%045/3");
  EXPECT_EQ(l.BackColor(), colour::kGreen);
  rig.bus.CompanionSays("%---");
  EXPECT_EQ(l.BackColor(), colour::kRed);
  rig.bus.CompanionSays("%123/4");
  EXPECT_EQ(l.Caption(), "%123/4");
  EXPECT_EQ(l.BackColor(), colour::kGreen);
  rig.bus.CompanionLeaves();
  rig.bus.CompanionLeaves();
  EXPECT_EQ(rig.dialogs.boxes.size(), 1u);
  EXPECT_EQ(l.Caption(), "%123/4");
  EXPECT_FALSE(rig.app.form1.mnuRMCModifiedOut.Checked() || rig.bus.Linked());
}

TEST(ClientLink, SwitchingOffHidesAndUnlinks) {
  test::TestRig rig;
  ASSERT_TRUE(AdjustLblDDESound(rig.app, true));
  EXPECT_TRUE(AdjustLblDDESound(rig.app, false));
  EXPECT_FALSE(rig.app.form1.lblDDESound.Visible() || rig.bus.Linked());
  rig.bus.CompanionSays("%200/1");
  EXPECT_EQ(rig.app.form1.lblDDESound.Caption(), "%---");
  EXPECT_TRUE(rig.dialogs.boxes.empty());
}

TEST(ClientLink, CompanionAbsentShowsTheFailureBox) {
  test::TestRig rig;
  rig.bus.companionRunning = false;
  EXPECT_FALSE(AdjustLblDDESound(rig.app, true));
  EXPECT_FALSE(rig.app.form1.lblDDESound.Visible());
  ASSERT_EQ(rig.dialogs.boxes.size(), 1u);
  EXPECT_EQ(rig.dialogs.boxes[0].prompt,
            "AdjustLblDDESound:\r\n\r\nlblDDESound.LinkTopic = Quillwave|Form1\r\n"
            "lblDDESound.LinkItem = lblDDESound1\r\n\r\nNo foreign application responded");
  EXPECT_EQ(rig.dialogs.boxes[0].icon, MsgIcon::kCritical);
}

}  // namespace
}  // namespace koralin
