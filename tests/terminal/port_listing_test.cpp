#include "terminal/port_listing.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "support/fakes.h"

namespace koralin {
namespace {

TEST(PortListing, NumbersThatOpenADevice) {
  const ComPortMap map{{3, "/dev/ttyUSB0"}, {5, "/dev/ttyUSB0"}, {1, "/dev/ttyACM0"}};
  const std::pair<std::string, std::vector<int>> cases[] = {
      {"/dev/ttyUSB0", {3, 5}}, {"/dev/ttyACM0", {1}},
      {"/dev/ttyS0", {}},   // number 1 has a line of its own
      {"/dev/ttyS1", {2}},  // number 2 keeps its default
      {"/dev/ttyS2", {}}, {"/dev/ttyS30", {31}}, {"/dev/ttyS31", {}},
  };
  for (const auto& [path, ports] : cases) EXPECT_EQ(PortsFor(map, path), ports) << path;
}

TEST(PortListing, RowsShowPortsPathUsbIdMakerAndDescription) {
  const SerialDevice usb{"/dev/ttyUSB0", "USB-Serial Controller", "Prolific", 0x067b, 0x2303};
  EXPECT_EQ(PortListingRow(usb, {3, 5}),
            "Com3,Com5   /dev/ttyUSB0          067b:2303  Prolific              USB-Serial Controller");
  const SerialDevice plain{"/dev/ttyS0", "", "", -1, -1};
  EXPECT_EQ(PortListingRow(plain, {1}), "Com1        /dev/ttyS0            -          -                     ");
  const SerialDevice gone{"/dev/ttyUSB7", "", "", -1, -1, false};
  EXPECT_EQ(PortListingRow(gone, {}), "-           /dev/ttyUSB7          -          -                     (not present)");
  EXPECT_EQ(PortListingHeader().rfind("Port        Device", 0), 0u);
}

constexpr const char* kUblox = "/dev/serial/by-id/usb-u-blox_GNSS-if00";

struct Listing : ::testing::Test {
  test::TestRig rig;
  App& app = rig.app;
  PortListing& l = app.terminal.listing;
  void SetUp() override {
    char pattern[] = "/tmp/koralin-listing-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    rig.system.appPath = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(rig.system.appPath); }
  std::vector<SerialDevice> Present() {
    return {{"/dev/ttyUSB0", "u-blox GNSS receiver", "u-blox AG", 0x1546, 0x01a8, true, kUblox},
            {"/dev/ttyS0", "", "", -1, -1}};
  }
};

TEST_F(Listing, ShowsPresentDevicesThenMissingOnesNamedInTheFile) {
  FillPortListing(app, {});
  EXPECT_TRUE(l.lstDevices.Items().empty());
  EXPECT_EQ(l.lblStatus.Caption(), "No serial device found. Is the receiver plugged in?");
  SaveComPort(rig.system.appPath, 4, "/dev/ttyUSB3");
  SaveComPort(rig.system.appPath, 6, "/dev/ttyUSB3");
  FillPortListing(app, Present());
  ASSERT_EQ(l.devices.size(), 3u);
  EXPECT_EQ(l.devices[0].path, "/dev/ttyS0");  // sorted by path
  EXPECT_EQ(l.devices[1].path, "/dev/ttyUSB0");
  EXPECT_FALSE(l.devices[2].present);
  EXPECT_EQ(l.lstDevices.Items()[2].rfind("Com4,Com6   /dev/ttyUSB3", 0), 0u);
}

TEST_F(Listing, AssigningSavesTheNumberAndUpdatesTheRow) {
  FillPortListing(app, Present());
  l.lstDevices.SetListIndex(1);
  l.txtPortNumber.SetText(" 3 ");
  l.cmdAssign.Click();
  EXPECT_EQ(DevicePath(rig.system.appPath, 3), kUblox);  // the name that survives replugging
  EXPECT_EQ(l.lstDevices.Items()[1].rfind("Com3 ", 0), 0u);
  EXPECT_EQ(l.lstDevices.Items()[1].substr(l.lstDevices.Items()[1].size() - std::string(kUblox).size()), kUblox);
  EXPECT_EQ(l.devices.size(), 2u);  // the saved name is the present device, not a missing one
  EXPECT_EQ(l.lstDevices.ListIndex(), 1);
  EXPECT_EQ(l.lblStatus.Caption(), std::string("Com3 now opens ") + kUblox + " (saved in ComPorts.cfg).");
  // Number 1 was /dev/ttyS0's by default; giving it away empties that row.
  l.txtPortNumber.SetText("1");
  l.cmdAssign.Click();
  EXPECT_EQ(l.lstDevices.Items()[0].rfind("-  ", 0), 0u);
}

TEST_F(Listing, AssigningNeedsARowAndANumberFrom1To31) {
  FillPortListing(app, Present());
  l.txtPortNumber.SetText("3");
  l.cmdAssign.Click();
  EXPECT_EQ(l.lblStatus.Caption(), "Choose a device in the list first.");
  l.lstDevices.SetListIndex(0);
  for (const char* typed : {"", "0", "32", "3.5", "-1", "abc", "999999999999"}) {
    l.lblStatus.SetCaption("");
    l.txtPortNumber.SetText(typed);
    l.cmdAssign.Click();
    EXPECT_EQ(l.lblStatus.Caption(), "Give a port number from 1 to 31.") << typed;
  }
  EXPECT_TRUE(ReadComPorts(rig.system.appPath).empty());
  rig.system.appPath += "/missing";  // a failed save is reported in the window
  l.txtPortNumber.SetText("2");
  l.cmdAssign.Click();
  EXPECT_EQ(l.lblStatus.Caption().rfind("Not saved: ", 0), 0u);
  EXPECT_EQ(app.unexpectedCount, 0);
  rig.system.appPath.resize(rig.system.appPath.size() - 8);
}

}  // namespace
}  // namespace koralin
