#include "terminal/info_boxes.h"

#include <gtest/gtest.h>

#include "common/basic.h"
#include "support/fakes.h"

namespace koralin {
namespace {

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t from = 0;
  for (;;) {
    const std::size_t at = text.find("\r\n", from);
    lines.push_back(text.substr(from, at - from));
    if (at == std::string::npos) return lines;
    from = at + 2;
  }
}

TEST(InfoBoxes, EveryEntryShowsOneBoxWithItsTitle) {
  struct Case {
    MenuItem Form1::*menu;
    std::string title;
    std::string firstLine;
    std::size_t lines;
  };
  const std::string rule(71, '=');
  const Case cases[] = {
      {&Form1::mnuProtocol, "Protocol NMEA-0183 Koralin GPS Readout. Version 1.21", rule, 19},
      {&Form1::mnuRs232Info, "Koralin GPS Readout. Version 1.21", "RS232 DB9 Pin Info", 7},
      {&Form1::mnuShortCuts, "Koralin GPS Readout. ", "ShortCuts", 6},
      {&Form1::mnuAbout, "Koralin GPS Readout. Version 1.21 Rev " + NumText(kBuildRevision),
       "Koralin GPS Readout for Linux", 7},
  };
  for (const Case& c : cases) {
    test::TestRig rig;
    (rig.app.form1.*c.menu).Click();
    ASSERT_EQ(rig.dialogs.boxes.size(), 1u) << c.title;
    const MessageBox& box = rig.dialogs.boxes[0];
    EXPECT_EQ(box.title, c.title);
    EXPECT_EQ(box.icon, MsgIcon::kInformation);
    EXPECT_EQ(box.buttons, MsgButtons::kOk);
    const auto lines = SplitLines(box.prompt);
    EXPECT_EQ(lines.size(), c.lines) << c.title;
    EXPECT_EQ(lines.front(), c.firstLine) << c.title;
  }
}

TEST(InfoBoxes, ProtocolLinesLineUpInColumn20) {
  const auto lines = SplitLines(ProtocolText());
  const std::string rule(71, '=');
  EXPECT_EQ(lines[1], "$GPRMC,225446,A,4916.45,N,12311.12,W,000.5,054.7,191194,020.3,E,A*68");
  EXPECT_EQ(lines[3], "225446             Time of fix 22:54:46 UTC");
  EXPECT_EQ(lines[4], "A                  Navigation receiver warning A = OK, V = warning");
  EXPECT_EQ(lines[9], "191194             Date of fix  19 November 1994");
  EXPECT_EQ(lines[11], "A*68               Checksum.");
  for (std::size_t i : {0u, 2u, 12u, 18u}) EXPECT_EQ(lines[i], rule) << i;
  EXPECT_EQ(lines[13], "Calculating the CRC = All in between $ and * ");
  EXPECT_EQ(lines[15], " chk = chk Xor Asc(Mid$(strChk, x, 1))");
  EXPECT_EQ(lines[17], "Checksum = Hex$(chk)");
}

TEST(InfoBoxes, PinListAndShortCuts) {
  EXPECT_EQ(Rs232Text(), "RS232 DB9 Pin Info\r\n-----------------------\r\nRxd = 2\r\nTxd = 3\r\nDtr = 4\r\nGnd = 5\r\nRts = 7");
  EXPECT_EQ(ShortCutsText(),
            "ShortCuts\r\n--------------------\r\n\r\nM= Minimal GPS Display\r\nF1= Stop Playlog\r\nAlt+F4= Exit");
}

TEST(InfoBoxes, AboutFramesTheDescriptionWithEmptyLines) {
  const auto lines = SplitLines(AboutText());
  const auto at = std::find(lines.begin(), lines.end(), "NMEA0183 GPS $GPRMC read program.");
  ASSERT_NE(at, lines.end());
  EXPECT_EQ(*(at - 1), "");
  EXPECT_EQ(*(at + 1), "");
}

TEST(DeviceMenus, BothOpenTheListingAndFailureBoxesDifferByEntry) {
  struct Case {
    MenuItem Form1::*menu;
    MsgIcon icon;
    std::string prompt;
  };
  const std::string what = "Serial-port listing (devices and ComPorts.cfg): no window";
  const Case cases[] = {
      {&Form1::mnuDevice, MsgIcon::kInformation, "Device management not found\r\n" + what},
      {&Form1::mnuDeviceManager, MsgIcon::kExclamation,
       "Could not load:\r\n" + what + "\r\nOr add your user to the dialout group"},
  };
  for (const Case& c : cases) {
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
