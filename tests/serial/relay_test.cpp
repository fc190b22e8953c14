#include <gtest/gtest.h>

#include "serial/modified_rmc.h"
#include "serial/output_port.h"
#include "serial/port_errors.h"
#include "serial/relay.h"
#include "serial/send.h"
#include "serial/serial_rig.h"

namespace koralin {
namespace {

using test::Nmea;
using test::SerialRig;

// A rig whose output is a separate port.
struct OutRig : SerialRig {
  OutRig() { ComOutSelect(app, 2, 4800); }
  std::string& out() { return comm2.written; }
};

const std::string kRmcBody = "$GPRMC,123519,A,4807.038,N,01131.000,E,005.0,300.0,230394,003.1,W";

// kRmcBody with another speed, course or status.
std::string With(const std::string& speed, const std::string& course, const std::string& status = "A") {
  return "$GPRMC,123519," + status + ",4807.038,N,01131.000,E," + speed + "," + course + ",230394,003.1,W";
}

TEST(Relay, GprmcFollowsTheLabelUnlessTheSearchRunsOrTheOutputIsOff) {
  const struct {
    const char* name;
    bool plain, autoBaud;
    int port;
    std::string caption, sent;
  } cases[] = {
      {"plain", true, false, 2, kRmcBody + "*6A", kRmcBody + "*6A\r\n"},
      {"checksum added", true, false, 2, kRmcBody, Nmea(kRmcBody)},
      {"no dollar", true, false, 2, "no dollar", ""},
      {"unchecked", false, false, 2, kRmcBody + "*6A", ""},
      {"search", true, true, 2, kRmcBody + "*6A", ""},
      {"output off", true, false, 0, kRmcBody + "*6A", ""},
  };
  for (const auto& c : cases) {
    OutRig rig;
    App& app = rig.app;
    if (c.port == 0) ComOutSelect(app, 0, 4800);
    app.form1.mnuRMCPlainOut.SetChecked(c.plain);
    app.form1.mnuAutoBaud.SetChecked(c.autoBaud);
    app.form1.lblGPRMC.SetCaption(c.caption);
    EXPECT_EQ(rig.out(), c.sent) << c.name;
  }
  OutRig rig;  // checking the entry sends the sentence shown
  rig.app.form1.lblGPRMC.SetCaption(kRmcBody + "*6A");
  rig.app.form1.mnuRMCPlainOut.Click();
  EXPECT_EQ(rig.out(), kRmcBody + "*6A\r\n");
}

const std::string kGga = Nmea("$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,");

TEST(Relay, AltitudeGoesOutOncePerText) {
  const std::string& gga = kGga;
  const std::string gga2 = Nmea("$GPGGA,123520,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,");
  const std::string rmz = Nmea("$PGRMZ,1789,f,3");
  const struct {
    bool gpgga, pgrmz;
    std::vector<std::string> arriving;
    std::string sent;
  } cases[] = {
      {true, false, {gga, rmz, gga, gga}, gga},
      {true, false, {gga, rmz, gga2, gga}, gga + gga2 + gga},
      {false, true, {gga, rmz, gga, rmz}, rmz},
      {false, false, {gga, rmz}, ""},
  };
  for (const auto& c : cases) {
    OutRig rig;
    rig.app.form1.mnuGPGGAOut.SetChecked(c.gpgga);
    rig.app.form1.mnuPGRMZOut.SetChecked(c.pgrmz);
    for (const std::string& s : c.arriving) RelayAltitude(rig.app, s.substr(0, s.size() - 2));
    EXPECT_EQ(rig.out(), c.sent);
  }
}

TEST(Relay, AltitudeEntriesExcludeEachOtherAndTerminalOutResendsTheSame) {
  OutRig rig;
  Form1& f = rig.app.form1;
  f.lblAltitude.SetCaption(kGga.substr(0, kGga.size() - 2));
  f.mnuPGRMZOut.Click();
  EXPECT_EQ(rig.out(), "");  // not a $PGRMZ
  f.mnuGPGGAOut.Click();
  EXPECT_FALSE(f.mnuPGRMZOut.Checked());
  EXPECT_EQ(rig.out(), kGga);
  f.mnuTerminalOut.SetChecked(true);
  f.mnuGPGGAOut.Click();
  f.mnuGPGGAOut.Click();
  EXPECT_EQ(rig.out(), kGga + kGga);
}

TEST(Relay, HeadingGoesOutWhenChecked) {
  OutRig rig;
  RelayHCHDT(rig.app, "$HCHDT,123.4,T");
  EXPECT_EQ(rig.out(), "");
  rig.app.heading.HCHDTSentence = "$HCHDT,123.4,T";
  rig.app.form1.mnuHCHDTout.Click();
  RelayHCHDT(rig.app, "");
  EXPECT_EQ(rig.out(), Nmea("$HCHDT,123.4,T"));
}

TEST(SendGPRMCModified, PutsTheBearingIntoTheCourse) {
  const std::string rmc = kRmcBody + "*6A";
  const struct {
    std::string bearing, rmc;
    int minSpeed;
    std::string sent;  // "" nothing
  } cases[] = {
      {"%090/7", rmc, 3, Nmea(With("005.0", "30.0"))},
      {"%090/7", With("002.0", "300.0") + "*00", 3, ""},
      {"%090/7", With("002.0", "300.0") + "*00", 0, Nmea(With("002.0", "30.0"))},
      {"%999/0", rmc, 0, ""},
      {"%000/0", With("005.0", "0.2"), 0, Nmea(With("005.0", ".2"))},
      {"%000", With("005.0", "359.96"), 0, Nmea(With("005.0", "360.0"))},
      {"%350/1", With("005.0", "400.0"), 0, Nmea(With("005.0", "30.0"))},
      {"%045/1", With("005.0", ""), 0, Nmea(With("005.0", "45.0"))},
      {"%090/7", With("005.0", "300.0", "V"), 0, ""},
      {"%---", rmc, 0, ""},
      {"%090*1", rmc, 0, ""},
      {"090/7", rmc, 0, ""},
      {"%090/7", "", 0, ""},
      {"%090/7", "$GPRMC,123519,A,4807.038,N,01131.000,E,005.0,300.0,230394*00", 0, ""},
  };
  for (const auto& c : cases) {
    OutRig rig;
    rig.app.settings.MinGpsSpeedOut = c.minSpeed;
    SendGPRMCModified(rig.app, c.bearing, c.rmc);
    EXPECT_EQ(rig.out(), c.sent) << c.bearing << " " << c.rmc;
  }
}

TEST(SendGPRMCModified, RunsOnEveryNewSerialOrCompanionBearing) {
  const struct {
    Label Form1::*label;
    std::string caption;
    bool modified, agrelo;
    std::string sent;
  } cases[] = {
      {&Form1::lblDoppler1, "$DFBRG123", true, false, Nmea(With("005.0", "63.0"))},
      {&Form1::lblDoppler1, "DF045/2", true, true, Nmea(With("005.0", "345.0")) + "%045/2\r\n"},
      {&Form1::lblDoppler1, "DF045/2", false, true, "DF045/2\r\n"},
      {&Form1::lblDoppler1, "%200/4", false, true, "%200/4\r\n"},
      {&Form1::lblDoppler1, "Duzevod232", true, true, ""},
      {&Form1::lblDDESound, "%---", true, false, ""},
      {&Form1::lblDDESound, "%120/5", true, false, Nmea(With("005.0", "60.0"))},
  };
  for (const auto& c : cases) {
    OutRig rig;
    Form1& f = rig.app.form1;
    f.lblGPRMC.SetCaption(kRmcBody + "*6A");
    f.mnuRMCModifiedOut1.SetChecked(c.modified && c.label == &Form1::lblDoppler1);
    f.mnuRMCModifiedOut.SetChecked(c.modified && c.label == &Form1::lblDDESound);
    f.mnuAgreloInOut.SetChecked(c.agrelo);
    (f.*c.label).SetCaption(c.caption);
    EXPECT_EQ(rig.out(), c.sent) << c.caption;
  }
}

TEST(SendGPRMCModified, ADoubleClickSendsARandomTestBearing) {
  OutRig rig;
  App& app = rig.app;
  app.form1.lblGPRMC.SetCaption(kRmcBody + "*6A");
  rig.system.rnd = 0.5;  // 180
  const std::string before = app.form1.lblDoppler1.Caption();
  app.form1.lblDoppler1.DblClick();
  EXPECT_EQ(rig.system.beeps, 1);
  EXPECT_EQ(rig.out(), Nmea(With("005.0", "120.0")));
  EXPECT_EQ(app.form1.lblDoppler1.Caption(), before);
}

TEST(AdjustComOut, FollowsTheCompanionLink) {
  const struct {
    bool output, companion, checked, showDde, linked;
  } cases[] = {
      {true, true, true, true, true},     // linked: the sources are shown
      {true, false, false, true, false},  // no companion: the entry goes off again
      {false, true, true, false, false},  // no output: nothing is linked yet
  };
  for (const auto& c : cases) {
    SerialRig rig;
    App& app = rig.app;
    rig.bus.companionRunning = c.companion;
    if (c.output) ComOutSelect(app, 1, 4800);
    app.form1.mnuRMCModifiedOut.Click();
    EXPECT_EQ(app.form1.mnuRMCModifiedOut.Checked(), c.checked) << c.output << c.companion;
    EXPECT_EQ(app.form1.mnuShowDDE.Checked(), c.showDde) << c.output << c.companion;
    EXPECT_EQ(rig.bus.Linked(), c.linked) << c.output << c.companion;
  }
}

TEST(SendToComout, WritesTheTextWithALineEndToTheChosenPort) {
  const struct {
    const char* name;
    int out;
    bool gpsOpen;
    std::string toGps, toOut;
    std::size_t boxes;
  } cases[] = {
      {"separate", 2, false, "", "abc\r\n", 0},
      {"same port", -1, true, "abc\r\n", "", 0},
      {"same port closed", -1, false, "", "", 0},
      {"off", 0, false, "", "", 1},
  };
  for (const auto& c : cases) {
    SerialRig rig;
    App& app = rig.app;
    if (c.gpsOpen) rig.comm1.Open(1, "4800,N,8,1", 8192, 0);
    if (c.out > 0) ComOutSelect(app, c.out, 4800);
    app.settings.ComPortOut = static_cast<std::int16_t>(c.out);
    SendToComout(app, "abc");
    SendToComout(app, "");
    EXPECT_EQ(rig.comm1.written, c.toGps) << c.name;
    EXPECT_EQ(rig.comm2.written, c.toOut) << c.name;
    ASSERT_EQ(rig.dialogs.boxes.size(), c.boxes) << c.name;
    if (c.boxes) {
      EXPECT_EQ(rig.dialogs.boxes[0].prompt, "Sub SendToComout No port selected");
    }
  }
}

TEST(SendToComout, WaitsForTheQueueOnlyForABoundedTime) {
  OutRig rig;
  rig.comm2.outPending = 50;  // a device that takes nothing
  const long long before = rig.clock.Now();
  SendToComout(rig.app, "$GPRMC,1,A*7F\r\n");
  const long long waited = rig.clock.Now() - before;
  EXPECT_GT(waited, 0);
  EXPECT_LE(waited, 2 * 10 * 1000 * 15 / 4800 + 250);
}

TEST(SendToComout, AWriteFailureIsReportedOnceAndTheOutputEndsOff) {
  OutRig rig;
  App& app = rig.app;
  app.form1.mnuRMCPlainOut.SetChecked(true);
  rig.comm2.failWrite = RunTimeError(57, "/dev/ttyUSB1: Device disappeared - was it unplugged?");
  app.form1.lblGPRMC.SetCaption(kRmcBody + "*6A");
  app.form1.lblGPRMC.SetCaption(kRmcBody + "*6B");
  ASSERT_EQ(rig.dialogs.boxes.size(), 1u);
  EXPECT_EQ(rig.dialogs.boxes[0].prompt, "SendToComout\r\nCom2  /dev/ttyUSB1: Device disappeared - was it unplugged?");
  EXPECT_EQ(app.settings.ComPortOut, 0);
  EXPECT_FALSE(rig.comm2.IsOpen());
  EXPECT_TRUE(app.form1.mnuComOutOff.Checked());
}

TEST(MnuMinGpsSpeedOut, AsksForTheSpeedInRange) {
  const struct {
    std::string answer;
    int value;
  } cases[] = {{"", 3}, {"25", 3}, {"-1", 3}, {"2.5", 2}, {"3.5", 4}, {"10", 10}, {"0", 0}, {"7 knots", 7}};
  for (const auto& c : cases) {
    SerialRig rig;
    App& app = rig.app;
    app.settings.MinGpsSpeedOut = 3;
    rig.dialogs.inputAnswers.push_back(c.answer);
    app.form1.mnuMinGpsSpeedOut.Click();
    ASSERT_EQ(rig.dialogs.inputs.size(), 1u);
    EXPECT_EQ(rig.dialogs.inputs[0].prompt,
              "Give the minimal GpsSpeed before ModifiedOut \r\nand decision to use Fluxcompass\r\n"
              "Range 0 to 10 knots\r\n0 means let all go through.\r\n"
              "Remember the Gps needs about 3  knots for good compass data.\r\nWas: 3 knots");
    EXPECT_EQ(rig.dialogs.inputs[0].defaultText, "3");
    EXPECT_EQ(app.settings.MinGpsSpeedOut, c.value) << c.answer;
    if (c.value != 3) {
      EXPECT_EQ(app.form1.mnuMinGpsSpeedOut.Caption(), "GP&S Minimal Speed (" + std::to_string(c.value) + " knots)...");
    }
  }
}

}  // namespace
}  // namespace koralin
