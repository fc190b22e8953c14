#include "terminal/port_listing.h"

#include <gtest/gtest.h>

#include "support/fakes.h"
#include "support/files.h"

namespace koralin {
namespace {

// A row: the numbers that open the device (by its line, or by default when the
// number has no line), path, USB id, maker and description.
TEST(PortListing, RowsShowPortsPathUsbIdMakerAndDescription) {
  const ComPortMap map{{3, "/dev/ttyUSB0"}, {5, "/dev/ttyUSB0"}, {1, "/dev/ttyACM0"}};
  const struct { SerialDevice device; const char* row; } cases[] = {
      {{"/dev/ttyUSB0", "USB-Serial Controller", "Prolific", 0x067b, 0x2303},
       "Com3,Com5   /dev/ttyUSB0          067b:2303  Prolific              USB-Serial Controller"},
      {{"/dev/ttyACM0", "", "", 0, 0x1F}, "Com1        /dev/ttyACM0          0000:001f  -                     "},
      {{"/dev/ttyS0", "", "", -1, -1}, "-           /dev/ttyS0            -          -                     "},
      {{"/dev/ttyS30", "", "", -1, -1}, "Com31       /dev/ttyS30           -          -                     "},
      {{"/dev/serial/by-id/abcd", "", "", -1, -1},  // a path as wide as its column is cut for the gap
       "-           /dev/serial/by-id/abc -          -                     "},
      {{"/dev/ttyUSB7", "", "", -1, -1, false}, "-           /dev/ttyUSB7          -          -                     (not present)"},
  };
  for (const auto& c : cases) EXPECT_EQ(PortListingRow(c.device, PortsFor(map, c.device.path)), c.row) << c.device.path;
}

constexpr const char* kUblox = "/dev/serial/by-id/usb-u-blox_GNSS-if00";

struct Listing : ::testing::Test {
  void SetUp() override { rig.system.appPath = folder.path(); }
  test::TempFolder folder;
  test::TestRig rig;
  App& app = rig.app;
  PortListing& l = app.terminal.listing;
  const std::vector<SerialDevice> present{{"/dev/ttyUSB0", "u-blox GNSS receiver", "u-blox AG", 0x1546, 0x01a8, true, kUblox},
                                          {"/dev/ttyS0", "", "", -1, -1}};
  void Assign(const std::string& typed) {
    l.txtPortNumber.SetText(typed);
    l.cmdAssign.Click();
  }
};

TEST_F(Listing, ShowsPresentDevicesThenMissingOnesNamedInTheFile) {
  FillPortListing(app, {});
  EXPECT_EQ(l.lblStatus.Caption(), "No serial device found. Is the receiver plugged in?");
  SaveComPort(folder.path(), 4, "/dev/ttyUSB3");
  SaveComPort(folder.path(), 6, "/dev/ttyUSB3");
  FillPortListing(app, present);
  ASSERT_EQ(l.lstDevices.Items().size(), 3u);
  EXPECT_EQ(l.lstDevices.Items()[0].rfind("Com1        /dev/ttyS0", 0), 0u);  // sorted by path
  EXPECT_EQ(l.lstDevices.Items()[2].rfind("Com4,Com6   /dev/ttyUSB3", 0), 0u);
  EXPECT_TRUE(l.lstDevices.Items()[2].ends_with("(not present)"));
}

TEST_F(Listing, AssigningNeedsARowAndANumberFrom1To31ThenSavesIt) {
  FillPortListing(app, present);
  Assign("3");
  EXPECT_EQ(l.lblStatus.Caption(), "Choose a device in the list first.");
  l.lstDevices.SetListIndex(1);
  for (const char* typed : {"", "0", "32", "3.5", "-1", "abc", "999999999999"}) {
    l.lblStatus.SetCaption("");
    Assign(typed);
    EXPECT_EQ(l.lblStatus.Caption(), "Give a port number from 1 to 31.") << typed;
  }
  EXPECT_TRUE(ReadComPorts(folder.path()).empty());
  Assign(" 3 ");
  EXPECT_EQ(DevicePath(folder.path(), 3), kUblox);  // the name that survives replugging
  EXPECT_EQ(l.lstDevices.Items()[1].rfind("Com3 ", 0), 0u);
  EXPECT_EQ(l.lstDevices.Items()[1].substr(l.lstDevices.Items()[1].size() - std::string(kUblox).size()), kUblox);
  EXPECT_EQ(l.devices.size(), 2u);  // the saved name is the present device, not a missing one
  EXPECT_EQ(l.lstDevices.ListIndex(), 1);
  EXPECT_EQ(l.lblStatus.Caption(), std::string("Com3 now opens ") + kUblox + " (saved in ComPorts.cfg).");
  Assign("1");  // number 1 was /dev/ttyS0's by default; giving it away empties that row
  EXPECT_EQ(l.lstDevices.Items()[0].rfind("-  ", 0), 0u);
  l.lstDevices.SetListIndex(0);
  Assign("9");  // the selection stays on the same device, the first one too
  EXPECT_EQ(l.lstDevices.ListIndex(), 0);
  rig.system.appPath = folder / "missing";  // a failed save is reported in the window
  Assign("2");
  EXPECT_EQ(l.lblStatus.Caption().rfind("Not saved: ", 0), 0u);
}

}  // namespace
}  // namespace koralin
