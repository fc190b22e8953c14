#include "terminal/info_boxes.h"

#include <gtest/gtest.h>

#include "support/fakes.h"

namespace koralin {
namespace {

TEST(InfoBoxes, EntriesShowTheirTextAndTheProtocolMeaningsStartInColumn20) {
  const std::pair<MenuItem Form1::*, std::string> cases[] = {
      {&Form1::mnuProtocol, ProtocolText()}, {&Form1::mnuRs232Info, Rs232Text()},
      {&Form1::mnuShortCuts, ShortCutsText()}, {&Form1::mnuAbout, AboutText()}};
  for (const auto& [menu, text] : cases) {
    test::TestRig rig;
    (rig.app.form1.*menu).Click();
    ASSERT_EQ(rig.dialogs.boxes.size(), 1u) << text;
    EXPECT_EQ(rig.dialogs.boxes[0].prompt, text);
  }
  EXPECT_NE(ProtocolText().find("\r\n225446             Time of fix"), std::string::npos);
  test::TestRig rig;  // the published items, named by the program's own table
  rig.app.form1.mnuDDEInfo.Click();
  EXPECT_NE(rig.dialogs.boxes.at(0).prompt.find("LinkItem = \"lblDoppler1\""), std::string::npos);
}

TEST(DeviceMenus, BothOpenTheListingAndFailureBoxesDifferByEntry) {
  const std::string what = "Serial-port listing (devices and ComPorts.cfg): no window";
  const struct { MenuItem Form1::*menu; MsgIcon icon; std::string prompt; } cases[] = {
      {&Form1::mnuDevice, MsgIcon::kInformation, "Device management not found\r\n" + what},
      {&Form1::mnuDeviceManager, MsgIcon::kExclamation,
       "Could not load:\r\n" + what + "\r\nOr add your user to the dialout group"},
  };
  for (const auto& c : cases) {
    test::TestRig rig;
    (rig.app.form1.*c.menu).Click();
    EXPECT_EQ(rig.system.listings, 1);
    rig.system.failListing = RunTimeError(53, "no window");
    (rig.app.form1.*c.menu).Click();
    ASSERT_EQ(rig.dialogs.boxes.size(), 1u);
    EXPECT_EQ(rig.dialogs.boxes[0].prompt, c.prompt);
    EXPECT_EQ(rig.dialogs.boxes[0].icon, c.icon);
  }
}

}  // namespace
}  // namespace koralin
