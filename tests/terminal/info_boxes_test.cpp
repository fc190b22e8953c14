#include "terminal/info_boxes.h"

#include <gtest/gtest.h>

#include "common/basic.h"
#include "support/fakes.h"

namespace koralin {
namespace {

TEST(InfoBoxes, EveryEntryShowsItsTextUnderItsTitle) {
  const struct {
    MenuItem Form1::*menu;
    std::string title, text;
  } cases[] = {
      {&Form1::mnuProtocol, "Protocol NMEA-0183 Koralin GPS Readout. Version 1.21", ProtocolText()},
      {&Form1::mnuRs232Info, "Koralin GPS Readout. Version 1.21", Rs232Text()},
      {&Form1::mnuShortCuts, "Koralin GPS Readout. ", ShortCutsText()},
      {&Form1::mnuAbout, "Koralin GPS Readout. Version 1.21 Rev " + NumText(kBuildRevision), AboutText()},
  };
  for (const auto& c : cases) {
    test::TestRig rig;
    (rig.app.form1.*c.menu).Click();
    ASSERT_EQ(rig.dialogs.boxes.size(), 1u) << c.title;
    const MessageBox& box = rig.dialogs.boxes[0];
    EXPECT_EQ(box.title, c.title);
    EXPECT_EQ(box.prompt, c.text);
    EXPECT_EQ(box.icon, MsgIcon::kInformation);
    EXPECT_EQ(box.buttons, MsgButtons::kOk);
  }
  // The meanings of the example's fields start in column 20.
  EXPECT_NE(ProtocolText().find("\r\n225446             Time of fix"), std::string::npos);
}

TEST(DeviceMenus, BothOpenTheListingAndFailureBoxesDifferByEntry) {
  const std::string what = "Serial-port listing (devices and ComPorts.cfg): no window";
  const struct {
    MenuItem Form1::*menu;
    MsgIcon icon;
    std::string prompt;
  } cases[] = {
      {&Form1::mnuDevice, MsgIcon::kInformation, "Device management not found\r\n" + what},
      {&Form1::mnuDeviceManager, MsgIcon::kExclamation,
       "Could not load:\r\n" + what + "\r\nOr add your user to the dialout group"},
  };
  for (const auto& c : cases) {
    test::TestRig rig;
    (rig.app.form1.*c.menu).Click();
    EXPECT_EQ(rig.system.listings, 1);
    EXPECT_TRUE(rig.dialogs.boxes.empty());
    rig.system.failListing = RunTimeError(53, "no window");
    (rig.app.form1.*c.menu).Click();
    ASSERT_EQ(rig.dialogs.boxes.size(), 1u);
    EXPECT_EQ(rig.dialogs.boxes[0].prompt, c.prompt);
    EXPECT_EQ(rig.dialogs.boxes[0].icon, c.icon);
    EXPECT_EQ(rig.dialogs.boxes[0].title, "koralin-gps");
    EXPECT_EQ(rig.app.unexpectedCount, 0);
  }
}

}  // namespace
}  // namespace koralin
