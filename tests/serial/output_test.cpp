// The output port and what is relayed to it.
#include <gtest/gtest.h>

#include <utility>

#include "nmea/gprmc.h"
#include "serial/modified_rmc.h"
#include "serial/output_port.h"
#include "serial/relay.h"
#include "serial/send.h"
#include "serial/serial_rig.h"
#include "support/sentences.h"

namespace koralin {
namespace {

using test::SerialRig;

// The thirteen port and baud entries, in menu order: off, same, com1..5, 1200..38400.
std::string Flags(const Form1& f, bool (MenuItem::*flag)() const) {
  std::string s;
  for (auto e : {&Form1::mnuComOutOff, &Form1::mnuSameComOut, &Form1::mnuCom1, &Form1::mnuCom2, &Form1::mnuCom3,
                 &Form1::mnuCom4, &Form1::mnuCom5, &Form1::mnuBaud1200, &Form1::mnuBaud2400, &Form1::mnuBaud4800,
                 &Form1::mnuBaud9600, &Form1::mnuBaud19200, &Form1::mnuBaud38400})
    s += ((f.*e).*flag)() ? '1' : '0';
  return s;
}

TEST(ComOutSelect, AppliesTheChoiceToPortMenusAndSettings) {
  const struct { bool gpsOpen; int port; long baud; int portOut; long baudOut; const char *checks, *enabled; } cases[] = {
      {false, 5, 1200, 5, 1200, "0000001100000", "1000000000000"}, {false, 0, 38400, 0, 38400, "1000000000001", "1111111111111"},
      {false, 0, 12345, 0, 4800, "1000000001000", "1111111111111"}, {false, 7, 4800, 0, 4800, "1000000001000", "1111111111111"},
      {false, -1, 4800, 0, 4800, "1000000001000", "1111111111111"},  // the same port, input off
      {true, -1, 4800, -1, 4800, "0100000001000", "1000000000000"},
  };
  for (const auto& c : cases) {
    SerialRig rig;
    Form1& f = rig.app.form1;
    if (c.gpsOpen) rig.comm1.Open(1, "4800,N,8,1", 8192, 0);
    ComOutSelect(rig.app, c.port, c.baud);
    EXPECT_EQ(rig.app.settings.ComPortOut * 100000L + rig.app.settings.BaudOut, c.portOut * 100000L + c.baudOut) << c.port;
    EXPECT_EQ(Flags(f, &MenuItem::Checked) + " " + Flags(f, &MenuItem::Enabled), c.checks + std::string(" ") + c.enabled);
    EXPECT_EQ(rig.comm2.opened, c.portOut > 0 ? std::vector<int>{c.portOut} : std::vector<int>{});
    EXPECT_EQ(f.mnuTerminalOut.Enabled() * 10 + f.mnuHCHDTinp.Enabled(), c.portOut > 0 ? 11 : c.portOut ? 10 : 1) << c.port;
  }
}

TEST(ComOutSelect, OpensTheSeparatePortAndSwitchingOffHidesTerminalOut) {
  SerialRig rig;
  Form1& f = rig.app.form1;
  ComOutSelect(rig.app, 2, 9600);
  EXPECT_EQ(rig.comm2.openedSettings.at(0) + " " + std::to_string(rig.comm2.outBufferSize), "9600,N,8,1 8192");
  const Window& terminalOut = rig.app.terminal.form3.form;
  f.mnuTerminalOut.Click();
  ASSERT_TRUE(terminalOut.Visible());
  f.mnuCom3.Click();  // another port starts without Terminal Out
  EXPECT_FALSE(f.mnuTerminalOut.Checked() || terminalOut.Visible());
  f.mnuTerminalOut.Click();
  f.mnuHCHDTinp.SetChecked(true);
  f.mnuComOutOff.Click();
  EXPECT_FALSE(rig.comm2.IsOpen() || f.mnuTerminalOut.Checked() || f.mnuHCHDTinp.Checked() || terminalOut.Visible());
  EXPECT_EQ(Flags(f, &MenuItem::Enabled), "1111111111111");
  f.mnuBaud2400.Click();  // off: only records the rate
  f.mnuCom4.Click();
  EXPECT_EQ(rig.comm2.openedSettings, (std::vector<std::string>{"9600,N,8,1", "9600,N,8,1", "2400,N,8,1"}));
  SerialRig modified;  // the modified output sees the port it had
  modified.bus.companionValue = "%120/5";
  ComOutSelect(modified.app, 2, 4800);
  modified.app.form1.lblGPRMC.SetCaption(test::Rmc());
  modified.app.form1.mnuRMCModifiedOut.Click();
  const std::string modifiedSent = std::exchange(modified.comm2.written, "");  // the modified sentence
  ASSERT_FALSE(modifiedSent.empty());
  ComOutSelect(modified.app, 3, 4800);  // the port it had gets it once more
  EXPECT_EQ(std::exchange(modified.comm2.written, ""), modifiedSent);
  ComOutSelect(modified.app, -1, 4800);  // sharing a closed GPS port: off first
  EXPECT_EQ(modified.comm2.written + std::to_string(modified.app.settings.ComPortOut), "0");
}

TEST(ComOutSelect, AFailedOpenIsReportedAndTheSharedPortIsAskedFor) {
  SerialRig rig;
  rig.comm2.failOpen = RunTimeError(8005, "/dev/ttyUSB1: Device busy");
  rig.app.form1.mnuCom3.Click();
  ASSERT_EQ(rig.dialogs.boxes.size(), 1u);
  EXPECT_EQ(rig.dialogs.boxes[0].prompt, "OpenComOut\r\nCom3  /dev/ttyUSB1: Device busy");
  EXPECT_EQ(Flags(rig.app.form1, &MenuItem::Checked).substr(0, 7), "1000000");
  rig.comm1.Open(1, "4800,N,8,1", 8192, 0);
  rig.dialogs.msgAnswers = {MsgResult::kNo, MsgResult::kYes};
  for (int shared : {0, -1}) {
    rig.app.form1.mnuSameComOut.Click();
    EXPECT_EQ(rig.app.settings.ComPortOut, shared);
  }
}

// A rig whose output is a separate port.
struct OutRig : SerialRig {
  OutRig() { ComOutSelect(app, 1, 4800); }
  std::string& out() { return comm2.written; }
};

// A $GPRMC at 5 knots with this course and status, without and with its checksum.
std::string Body(const std::string& course = "300.0", const std::string& status = "A",
                 const std::string& speed = "005.0") {
  return "GPRMC,123519," + status + ",4807.038,N,01131.000,E," + speed + "," + course + ",230394,003.1,W";
}
std::string Rmc(const std::string& course = "300.0", const std::string& status = "A",
                const std::string& speed = "005.0") {
  return test::Nmea(Body(course, status, speed));
}
// As it leaves the output: with CR LF.
std::string Sent(const std::string& sentence) { return sentence + "\r\n"; }

TEST(Relay, AnyTalkerGoesOutAsItCameAndModifiedAsGprmcAndAStarlessGprmcGetsItsChecksum) {
  const std::string gn = test::Nmea("GN" + Body().substr(2));
  const std::string gga = test::Nmea("GNGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,");
  for (const bool anyTalker : {true, false}) {
    OutRig rig;
    Form1& f = rig.app.form1;
    rig.ReadyToDecode(4);
    f.mnuAnyTalker.SetChecked(anyTalker);
    f.mnuRMCPlainOut.SetChecked(true);
    f.mnuGPGGAOut.SetChecked(true);
    ExtractingGPRMC(rig.app, "$GPGSV,1*00\r\n" + gn + "\r\n");
    RelayAltitude(rig.app, gga);
    SendGPRMCModified(rig.app, "%090/7", f.lblGPRMC.Caption());
    EXPECT_EQ(rig.out(), anyTalker ? Sent(gn) + Sent(gga) + Sent(Rmc("30.0")) : "") << anyTalker;
  }
  const std::pair<std::string, std::string> starred[] = {{"$GPRMC*FF", "$GPRMC*FF\r\n"}, {"$" + Body(), Sent(Rmc())}};
  for (const auto& [shown, out] : starred) {
    OutRig rig;
    rig.app.form1.mnuRMCPlainOut.SetChecked(true);
    rig.app.form1.lblGPRMC.SetCaption(shown);
    EXPECT_EQ(rig.out(), out) << shown;
  }
}

TEST(Relay, AltitudeAndHeadingGoOutOncePerText) {
  const std::string gga = test::Nmea("GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,");
  const std::string gga2 = test::Nmea("GPGGA,123520,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,");
  const std::string rmz = test::Nmea("PGRMZ,1789,f,3");
  const struct { bool gpgga, pgrmz; std::vector<std::string> arriving; std::string sent; } cases[] = {
      {true, false, {gga, rmz, gga, gga}, Sent(gga)},
      {true, false, {gga, rmz, gga2, gga}, Sent(gga) + Sent(gga2) + Sent(gga)},
      {false, true, {gga, rmz, gga, rmz}, Sent(rmz)}, {false, false, {gga, rmz}, ""},
  };
  for (const auto& c : cases) {
    OutRig rig;
    rig.app.form1.mnuGPGGAOut.SetChecked(c.gpgga);
    rig.app.form1.mnuPGRMZOut.SetChecked(c.pgrmz);
    for (const std::string& s : c.arriving) RelayAltitude(rig.app, s);
    EXPECT_EQ(rig.out(), c.sent);
  }
  OutRig rig;  // checking an entry sends the altitude shown; the entries exclude each other
  Form1& f = rig.app.form1;
  f.mnuTerminalOut.SetChecked(true);
  f.lblAltitude.SetCaption(rmz);
  f.mnuPGRMZOut.Click();
  f.lblAltitude.SetCaption(gga);
  f.mnuGPGGAOut.Click();
  EXPECT_FALSE(f.mnuPGRMZOut.Checked());
  f.mnuGPGGAOut.Click();
  f.mnuGPGGAOut.Click();  // a cleared Terminal Out sends the same again
  RelayHCHDT(rig.app, "$HCHDT,123.4,T");  // the heading only when checked
  rig.app.heading.HCHDTSentence = "$HCHDT,123.4,T";
  f.mnuHCHDTout.Click();
  EXPECT_EQ(rig.out(), Sent(rmz) + Sent(gga) + Sent(gga) + Sent(test::Nmea("HCHDT,123.4,T")));
}

TEST(SendGPRMCModified, PutsTheBearingIntoTheCourseAboveTheMinimalSpeedAskedFor) {
  const struct { std::string bearing, rmc; int minSpeed; std::string sentCourse; } cases[] = {  // "": nothing sent
      {"%090/7", Rmc(), 3, "30.0"}, {"%090/7", Rmc("300.0", "A", "002.0"), 3, ""},  // too slow
      {"%090/7", Rmc("300.0", "A", "002.0"), 2, "30.0"}, {"%999/0", Rmc(), 0, ""}, {"%000/0", Rmc("0.2"), 0, ".2"},
      {"%000", Rmc("359.96"), 0, "360.0"}, {"%350/1", Rmc("400.0"), 0, "30.0"}, {"%320", Rmc("400.0"), 0, ".0"},  // 720 and beyond lose two turns
      {"%359", Rmc("359.0"), 0, "358.0"}, {"%045/1", Rmc(""), 0, "45.0"}, {"%090/7", Rmc("300.0", "V"), 0, ""},
      {"%---", Rmc(), 0, ""}, {"%090*1", Rmc(), 0, ""}, {"090/7", Rmc(), 0, ""}, {"x090/7", Rmc(), 0, ""},
      {"%09", Rmc(), 0, ""}, {"%0a0/7", Rmc(), 0, ""}, {"%090/7", "", 0, ""},
      {"%090/7", "$GPRMC,123519,A,4807.038,N,01131.000,E,005.0,300.0,230394*00", 0, ""},
  };
  for (const auto& c : cases) {
    OutRig rig;
    rig.app.settings.MinGpsSpeedOut = c.minSpeed;
    SendGPRMCModified(rig.app, c.bearing, c.rmc);
    const std::string speed = c.rmc.find(",002.0,") != std::string::npos ? "002.0" : "005.0";
    EXPECT_EQ(rig.out(), c.sentCourse.empty() ? "" : Sent(Rmc(c.sentCourse, "A", speed))) << c.bearing << " " << c.rmc;
  }
  const std::pair<std::string, int> answers[] = {{"", 3},    {"25", 3}, {"-1", 3}, {"2.5", 2},
                                               {"3.5", 4}, {"10", 10}, {"0", 0}, {"7 knots", 7}};
  for (const auto& [answer, value] : answers) {
    SerialRig asked;
    asked.app.settings.MinGpsSpeedOut = 3;
    asked.dialogs.inputAnswers.push_back(answer);
    asked.app.form1.mnuMinGpsSpeedOut.Click();
    EXPECT_EQ(asked.app.settings.MinGpsSpeedOut, value) << answer;
  }
}

TEST(SendGPRMCModified, RunsOnEveryNewSerialOrCompanionBearing) {
  const struct { Label Form1::*label; std::string caption; bool modified, agrelo; std::string sent; } cases[] = {
      {&Form1::lblDoppler1, "$DFBRG123", true, false, Sent(Rmc("63.0"))},
      {&Form1::lblDoppler1, "DF045/2", true, true, Sent(Rmc("345.0")) + "%045/2\r\n"},
      {&Form1::lblDoppler1, "DF045/2", false, true, "DF045/2\r\n"}, {&Form1::lblDoppler1, "Duzevod232", true, true, ""},
      {&Form1::lblDDESound, "%---", true, false, ""}, {&Form1::lblDDESound, "%120/5", true, false, Sent(Rmc("60.0"))},
  };
  for (const auto& c : cases) {
    OutRig rig;
    Form1& f = rig.app.form1;
    f.lblGPRMC.SetCaption(Rmc());
    f.mnuRMCModifiedOut1.SetChecked(c.modified && c.label == &Form1::lblDoppler1);
    f.mnuRMCModifiedOut.SetChecked(c.modified && c.label == &Form1::lblDDESound);
    f.mnuAgreloInOut.SetChecked(c.agrelo);
    (f.*c.label).SetCaption(c.caption);
    EXPECT_EQ(rig.out(), c.sent) << c.caption;
  }
  OutRig rig;  // checking the serial entry sends the bearing shown at once
  rig.app.form1.lblDoppler1.SetCaption("%090/7");
  rig.app.fix.GPRMCSentence = Rmc();
  rig.app.form1.mnuRMCModifiedOut1.Click();
  rig.app.form1.lblGPRMC.SetCaption(Rmc());  // a double click sends a random test bearing, 180 here
  rig.app.form1.lblDoppler1.DblClick();
  EXPECT_EQ(rig.out() + std::to_string(rig.system.beeps), Sent(Rmc("30.0")) + Sent(Rmc("120.0")) + "1");
  OutRig linked;  // the companion's entry: once as its bearing arrives, once for the click
  linked.bus.companionValue = "%090/7";
  linked.app.form1.lblGPRMC.SetCaption(Rmc());
  linked.app.form1.mnuRMCModifiedOut.Click();
  EXPECT_EQ(linked.out(), Sent(Rmc("30.0")) + Sent(Rmc("30.0")));
}

TEST(AdjustComOut, FollowsTheCompanionLink) {
  // output, companion -> entry checked, sources shown, linked
  const std::tuple<bool, bool, const char*> cases[] = {
      {true, true, "111"}, {true, false, "010"},  // no companion: the entry goes off again
      {false, true, "100"}};                     // no output: nothing is linked yet
  for (const auto& [output, companion, seen] : cases) {
    SerialRig rig;
    rig.bus.companionRunning = companion;
    if (output) ComOutSelect(rig.app, 1, 4800);
    rig.app.form1.mnuTerminalOut.SetChecked(true);
    rig.app.terminal.TerminalText[0] = "before";  // started afresh
    rig.app.form1.mnuRMCModifiedOut.Click();
    EXPECT_EQ(rig.app.terminal.TerminalText[0] + std::to_string(rig.app.form1.mnuRMCModifiedOut.Checked()) +
                  std::to_string(rig.app.form1.mnuShowDDE.Checked()) + std::to_string(rig.bus.Linked()),
              seen) << output << companion;
    rig.app.form1.mnuRMCModifiedOut.Click();  // off again: the link ends
    EXPECT_FALSE(rig.bus.Linked() || rig.app.form1.lblDDESound.Visible());
  }
}

TEST(SendToComout, WritesToTheChosenPortWaitsABoundedTimeAndReportsAFailureOnce) {
  // output port, GPS port open -> written to the GPS port | to the output port | boxes
  const std::tuple<int, bool, const char*> cases[] = {
      {2, false, "|abc\r\n|0"}, {-1, true, "abc\r\n||0"}, {-1, false, "||0"}, {0, false, "||1"}};
  for (const auto& [out, gpsOpen, written] : cases) {
    SerialRig rig;
    if (gpsOpen) rig.comm1.Open(1, "4800,N,8,1", 8192, 0);
    if (out > 0) ComOutSelect(rig.app, out, 4800);
    rig.app.settings.ComPortOut = static_cast<std::int16_t>(out);
    SendToComout(rig.app, "abc");
    SendToComout(rig.app, "");
    EXPECT_EQ(rig.comm1.written + "|" + rig.comm2.written + "|" + std::to_string(rig.dialogs.boxes.size()), written);
  }
  OutRig rig;
  rig.app.form1.mnuTerminalOut.Click();
  rig.comm2.dropped = 3;  // a reader too slow: said in Terminal Out
  rig.comm2.outPending = 50;  // a device that takes nothing
  SendToComout(rig.app, "$GPRMC,1,A*7F\r\n");
  EXPECT_TRUE(rig.app.terminal.form3.form.Caption().ends_with(" - 3 sentences dropped, the reader is too slow"));
  EXPECT_TRUE(rig.clock.Now() > 0 && rig.clock.Now() <= 2 * 10 * 1000 * 15 / 4800 + 250) << rig.clock.Now();
  OutRig failing;  // a write failure is reported once, the output ends off
  failing.app.form1.mnuRMCPlainOut.SetChecked(true);
  failing.comm2.failWrite = RunTimeError(57, "/dev/ttyUSB1: Device disappeared");
  failing.app.form1.lblGPRMC.SetCaption(Rmc());
  failing.app.form1.lblGPRMC.SetCaption(Rmc("301.0"));
  EXPECT_EQ(failing.dialogs.boxes.size(), 1u);
  EXPECT_TRUE(failing.app.settings.ComPortOut == 0 && !failing.comm2.IsOpen() && failing.app.form1.mnuComOutOff.Checked());
  SerialRig shared;  // on the shared GPS port the failure ends the input, which reports it
  shared.app.form1.Option1[2].Click();
  ComOutSelect(shared.app, -1, 4800);
  shared.comm1.failWrite = RunTimeError(57, "/dev/ttyUSB0: Device disappeared");
  SendToComout(shared.app, "abc");
  EXPECT_EQ(shared.app.lastInputError.procName + " " + std::to_string(shared.app.lastInputError.port) + " " +
                std::to_string(shared.app.settings.ComPortIn) + std::to_string(shared.dialogs.boxes.size()), "SendToComout 3 01");
}

}  // namespace
}  // namespace koralin
