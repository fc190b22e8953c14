#include "serial/output_port.h"

#include <gtest/gtest.h>

#include "serial/serial_rig.h"
#include "support/sentences.h"

namespace koralin {
namespace {

using test::SerialRig;

// The thirteen port and baud entries, in menu order.
const std::vector<MenuItem Form1::*> kEntries = {
    &Form1::mnuComOutOff, &Form1::mnuSameComOut, &Form1::mnuCom1,     &Form1::mnuCom2,     &Form1::mnuCom3,
    &Form1::mnuCom4,      &Form1::mnuCom5,       &Form1::mnuBaud1200, &Form1::mnuBaud2400, &Form1::mnuBaud4800,
    &Form1::mnuBaud9600,  &Form1::mnuBaud19200,  &Form1::mnuBaud38400};

std::string Flags(const Form1& f, bool (MenuItem::*flag)() const) {
  std::string s;
  for (auto e : kEntries) s += ((f.*e).*flag)() ? '1' : '0';
  return s;
}

TEST(ComOutSelect, AppliesTheChoiceToPortMenusAndSettings) {
  const struct {
    const char* name;
    bool gpsOpen;
    int port;
    long baud;
    int portOut;
    long baudOut;
    const char *checks, *enabled;  // off, same, com1..5, 1200..38400
    bool terminalOut, hchdtInp;
  } cases[] = {
      {"com2 at 9600", false, 2, 9600, 2, 9600, "0001000000100", "1000000000000", true, true},
      {"com5 at 1200", false, 5, 1200, 5, 1200, "0000001100000", "1000000000000", true, true},
      {"off", false, 0, 38400, 0, 38400, "1000000000001", "1111111111111", false, true},
      {"odd rate", false, 0, 12345, 0, 4800, "1000000001000", "1111111111111", false, true},
      {"port 7", false, 7, 4800, 0, 4800, "1000000001000", "1111111111111", false, true},
      {"same port, input off", false, -1, 4800, 0, 4800, "1000000001000", "1111111111111", false, true},
      {"same port, input on", true, -1, 4800, -1, 4800, "0100000001000", "1000000000000", true, false},
  };
  for (const auto& c : cases) {
    SerialRig rig;
    if (c.gpsOpen) rig.comm1.Open(1, "4800,N,8,1", 8192, 0);
    ComOutSelect(rig.app, c.port, c.baud);
    EXPECT_EQ(rig.app.settings.ComPortOut, c.portOut) << c.name;
    EXPECT_EQ(rig.app.settings.BaudOut, c.baudOut) << c.name;
    EXPECT_EQ(Flags(rig.app.form1, &MenuItem::Checked), c.checks) << c.name;
    EXPECT_EQ(Flags(rig.app.form1, &MenuItem::Enabled), c.enabled) << c.name;
    EXPECT_EQ(rig.comm2.opened, c.portOut > 0 ? std::vector<int>{c.portOut} : std::vector<int>{}) << c.name;
    EXPECT_EQ(rig.app.form1.mnuTerminalOut.Enabled(), c.terminalOut) << c.name;
    EXPECT_EQ(rig.app.form1.mnuHCHDTinp.Enabled(), c.hchdtInp) << c.name;
  }
}

TEST(ComOutSelect, OpensTheSeparatePortAndSwitchingOffHidesTerminalOut) {
  SerialRig rig;
  Form1& f = rig.app.form1;
  ComOutSelect(rig.app, 2, 9600);
  EXPECT_EQ(rig.comm2.openedSettings, std::vector<std::string>{"9600,N,8,1"});
  EXPECT_EQ(rig.comm2.inBufferSize + rig.comm2.outBufferSize, 0 + 8192);
  const Window& terminalOut = rig.app.terminal.form3.form;
  f.mnuTerminalOut.Click();
  ASSERT_TRUE(terminalOut.Visible());
  f.mnuCom3.Click();  // another port starts without Terminal Out
  EXPECT_FALSE(f.mnuTerminalOut.Checked() || terminalOut.Visible());
  f.mnuTerminalOut.Click();
  f.mnuHCHDTinp.SetChecked(true);
  f.mnuComOutOff.Click();
  EXPECT_FALSE(rig.comm2.IsOpen() || f.mnuTerminalOut.Checked() || f.mnuHCHDTinp.Checked() || terminalOut.Visible());
  f.mnuBaud2400.Click();  // off: only records the rate
  EXPECT_EQ(rig.comm2.opened.size(), 2u);
  f.mnuCom4.Click();
  EXPECT_EQ(rig.comm2.openedSettings.back(), "2400,N,8,1");
}

TEST(ComOutSelect, TheModifiedOutputSeesThePortItHadUnlessTheOutputEnds) {
  SerialRig rig;
  Form1& f = rig.app.form1;
  rig.bus.companionValue = "%120/5";
  ComOutSelect(rig.app, 2, 4800);
  f.lblGPRMC.SetCaption(test::Rmc());
  f.mnuRMCModifiedOut.Click();
  const std::string sent = rig.comm2.written;  // the modified sentence
  ASSERT_FALSE(sent.empty());
  rig.comm2.written.clear();
  ComOutSelect(rig.app, 3, 4800);  // the port it had gets it once more
  EXPECT_EQ(rig.comm2.written, sent);
  rig.comm2.written.clear();
  ComOutSelect(rig.app, -1, 4800);  // sharing a closed GPS port: off first
  EXPECT_EQ(rig.comm2.written, "");
  EXPECT_EQ(rig.app.settings.ComPortOut, 0);
}

TEST(ComOutOpenError, AFailedOpenIsReportedAndTheOutputEndsOff) {
  SerialRig rig;
  rig.comm2.failOpen = RunTimeError(8005, "/dev/ttyUSB1: Device busy");
  rig.app.form1.mnuCom3.Click();
  ASSERT_EQ(rig.dialogs.boxes.size(), 1u);
  EXPECT_EQ(rig.dialogs.boxes[0].prompt, "OpenComOut\r\nCom3  /dev/ttyUSB1: Device busy");
  EXPECT_EQ(rig.app.settings.ComPortOut, 0);
  EXPECT_EQ(Flags(rig.app.form1, &MenuItem::Checked).substr(0, 7), "1000000");
  EXPECT_EQ(Flags(rig.app.form1, &MenuItem::Enabled), "1111111111111");
  EXPECT_FALSE(rig.app.form1.mnuTerminalOut.Enabled());
}

TEST(MnuSameComOut, AsksFirst) {
  for (MsgResult answer : {MsgResult::kNo, MsgResult::kYes}) {
    SerialRig rig;
    rig.comm1.Open(1, "4800,N,8,1", 8192, 0);
    rig.dialogs.msgAnswers.push_back(answer);
    rig.app.form1.mnuSameComOut.Click();
    ASSERT_EQ(rig.dialogs.boxes.size(), 1u);
    EXPECT_EQ(rig.app.settings.ComPortOut, answer == MsgResult::kYes ? -1 : 0);
    EXPECT_EQ(rig.app.form1.mnuSameComOut.Checked(), answer == MsgResult::kYes);
  }
}

}  // namespace
}  // namespace koralin
