#include "dde/client_link.h"

#include <gtest/gtest.h>

#include "support/fakes.h"

namespace koralin {
namespace {

const std::string kCrLf = "\r\n";

TEST(PublishedItems, EverySourceLabelStartsHiddenAndIsPublishedUnderItsItem) {
  test::TestRig rig;
  Form1& f = rig.app.form1;
  EXPECT_EQ(rig.bus.published.size(), 7u);  // every item at start
  rig.bus.published.clear();
  const struct {
    Label& label;
    const char* item;
  } cases[] = {{f.lblLat1, "lblDDELat"},     {f.lblLong1, "lblDDELong"},     {f.lblVal1, "lblDDEVal"},
               {f.lblCompas1, "lblDDECompas"}, {f.lblSpeed1, "lblDDESpeed"}, {f.lblHeight1, "lblDDEHeight"},
               {f.lblDoppler1, "lblDoppler1"}};
  for (const auto& c : cases) {
    EXPECT_FALSE(c.label.Visible()) << c.item;
    c.label.SetCaption(std::string("value of ") + c.item);
    EXPECT_EQ(rig.bus.items[c.item], std::string("value of ") + c.item);
  }
  EXPECT_EQ(rig.bus.published.size(), 7u);
  f.lblVal1.SetCaption("value of lblDDEVal");  // no change, nothing new
  EXPECT_EQ(rig.bus.published.size(), 7u);
}

TEST(ClientLink, FollowsTheCompanion) {
  test::TestRig rig;
  rig.bus.companionValue = "%045/3";
  rig.app.form1.lblDDESound.SetVisible(false);  // as start-up leaves it
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
  EXPECT_TRUE(AdjustLblDDESound(rig.app, false));
  EXPECT_FALSE(l.Visible());
  EXPECT_FALSE(rig.bus.Linked());
  rig.bus.CompanionSays("%200/1");
  EXPECT_EQ(l.Caption(), "%123/4");
  EXPECT_TRUE(rig.dialogs.boxes.empty());
}

TEST(ClientLink, CompanionAbsentShowsTheFailureBox) {
  test::TestRig rig;
  rig.bus.companionRunning = false;
  EXPECT_FALSE(AdjustLblDDESound(rig.app, true));
  EXPECT_FALSE(rig.app.form1.lblDDESound.Visible());
  ASSERT_EQ(rig.dialogs.boxes.size(), 1u);
  const MessageBox& box = rig.dialogs.boxes[0];
  EXPECT_EQ(box.prompt, "AdjustLblDDESound:" + kCrLf + kCrLf + "lblDDESound.LinkTopic = Quillwave|Form1" + kCrLf +
                            "lblDDESound.LinkItem = lblDDESound1" + kCrLf + kCrLf + "No foreign application responded");
  EXPECT_EQ(box.title, "Koralin GPS Readout. Version 1.21");
  EXPECT_EQ(box.icon, MsgIcon::kCritical);
}

TEST(ClientLink, CompanionLeavingIsReportedOnce) {
  test::TestRig rig;
  rig.app.form1.mnuRMCModifiedOut.SetChecked(true);
  ASSERT_TRUE(AdjustLblDDESound(rig.app, true));
  rig.bus.CompanionSays("%123/4");
  rig.bus.CompanionLeaves();
  rig.bus.CompanionLeaves();
  EXPECT_EQ(rig.dialogs.boxes.size(), 1u);
  EXPECT_EQ(rig.app.form1.lblDDESound.Caption(), "%123/4");
  EXPECT_FALSE(rig.app.form1.mnuRMCModifiedOut.Checked());
  EXPECT_FALSE(rig.bus.Linked());
}

}  // namespace
}  // namespace koralin
