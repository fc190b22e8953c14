// The no-input warning names a program that holds the input's device.
#include <gtest/gtest.h>

#include "app/app.h"
#include "serial/com_ports.h"
#include "serial/watchdog.h"
#include "support/fakes.h"
#include "support/files.h"

namespace koralin {
namespace {

TEST(Watchdog, NamesTheProgramHoldingTheInputDevice) {
  // Port 3's target, the process holding it: the warning, then Terminal In
  const struct { const char* target; const char* holder; const char* shown; } rows[] = {
      {"/dev/ttyUSB0", "gpsd",
       "gpsd is reading /dev/ttyUSB0: choose 'gpsd on this PC' or stop gpsd|"
       "gpsd is reading /dev/ttyUSB0: choose 'gpsd on this PC' or stop gpsd\r\n"},
      {"/dev/ttyUSB0", "minicom",
       "minicom is reading /dev/ttyUSB0: close it or choose another port|"
       "minicom is reading /dev/ttyUSB0: close it or choose another port\r\n"},
      {"/dev/ttyUSB0", "", "Warning no RS232 input recieved for about 10 Sec's.|"},
      {"gpsd://localhost:2947", "gpsd", "Warning no RS232 input recieved for about 10 Sec's.|"},  // no device to hold
  };
  for (const auto& r : rows) {
    test::TestRig rig;
    test::TempFolder folder;
    rig.system.appPath = folder.path();
    SaveComPort(folder.path(), 3, r.target);
    rig.system.deviceHolder = [&](const std::string& device) {
      return device == "/dev/ttyUSB0" ? std::string(r.holder) : std::string("wrong device");
    };
    rig.app.settings.ComPortIn = 3;
    rig.app.form1.tmrComInTimeOut.SetInterval(10000);
    rig.app.form1.mnuTerminalIn.Click();
    tmrComInTimeOut_Timer(rig.app);
    EXPECT_EQ(rig.app.form1.Frame1.Caption() + "|" + rig.app.terminal.form2.screen.Text(), r.shown) << r.target;
  }
}

}  // namespace
}  // namespace koralin
