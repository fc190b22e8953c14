#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "serial/input_choice.h"
#include "serial/input_port.h"
#include "serial/serial_rig.h"

namespace koralin {
namespace {

using test::Nmea;
using test::SerialRig;

const std::string kEmptyRmc = "$GPRMC,000000,A,0000.0000,N,00000.0000,E,0.000,0.000,000000,0.000,W,A*68";
const std::string kHint = "\r\n\r\nHint: See Menu Info>Device manager";

TEST(BaudSelect, ChecksTheEntryOfTheRateAndStoresAnyRate) {
  const struct {
    long baud;
    MenuItem Form1::*checked;  // nullptr: none
  } cases[] = {{0, &Form1::mnuAutoBaud}, {1200, &Form1::mnuBaud1k2}, {38400, &Form1::mnuBaud38k4},
               {57600, nullptr},         {-3, nullptr}};
  for (const auto& c : cases) {
    SerialRig rig;
    BaudSelect(rig.app, 4800);
    BaudSelect(rig.app, c.baud);
    EXPECT_EQ(rig.app.settings.BaudIn, c.baud);
    for (const BaudEntry& e : InputBaudEntries())
      EXPECT_EQ((rig.app.form1.*e.item).Checked(), e.item == c.checked) << c.baud << " " << e.rate;
  }
  SerialRig rig;  // with the input off a click only records the rate
  rig.app.settings.ComPortIn = -1;
  ComPortInSelect(rig.app);
  rig.app.form1.mnuBaud9k6.Click();
  EXPECT_EQ(rig.app.settings.BaudIn, 9600);
  EXPECT_TRUE(rig.comm1.opened.empty());
}

TEST(ComPortInOpen, OpensTheGpsPortAtItsRateAndReopensCleanly) {
  SerialRig rig;
  App& app = rig.app;
  app.settings.ComPortIn = 3;
  app.settings.BaudIn = 4800;
  ComPortInOpen(app);
  EXPECT_EQ(rig.comm1.openedSettings, std::vector<std::string>{"4800,N,8,1"});
  EXPECT_EQ(rig.comm1.inBufferSize, 8192);
  EXPECT_EQ(app.form1.lblLock.Caption(), "No Rx");
  app.form1.Frame1.SetCaption("Warning no RS232 input recieved for about 10 Sec's.");
  ComPortInOpen(app);
  EXPECT_EQ(rig.comm1.opened, (std::vector<int>{3, 3}));
  EXPECT_EQ(app.form1.Frame1.Caption(), "GPS-NMEA-0183");
}

TEST(ComPortInOpen, OnlyASerialPortOpensAndIsWatched) {
  for (int source : {3, 0, -1, -2}) {
    SerialRig rig;
    App& app = rig.app;
    app.form1.lblAltitude.SetVisible(true);
    app.form1.tmrComInTimeOut.SetEnabled(true);
    app.settings.ComPortIn = static_cast<std::int16_t>(source);
    app.settings.BaudIn = 4800;
    ComPortInOpen(app);
    EXPECT_EQ(rig.comm1.opened.size(), source > 0 ? 1u : 0u) << source;
    EXPECT_EQ(app.form1.tmrPolling.Enabled(), source == -1 || source > 0) << source;
    EXPECT_EQ(app.form1.tmrComInTimeOut.Enabled(), source > 0) << source;
    EXPECT_EQ(app.form1.lblAltitude.Visible(), source != 0) << source;
  }
}

TEST(ComPortInError, AFailedOpenIsReportedAndTheInputEndsOff) {
  const struct {
    long baud;
    bool minimal;
    const char* prompt;  // "": no box
  } cases[] = {
      {4800, false, "ComPortInOpen:\r\nCom3  /dev/ttyS2: No such device - is it plugged in?"},
      {4800, true, ""},
      {0, false, "AutoBaud:\r\nCom3  /dev/ttyS2: No such device - is it plugged in?"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.prompt);
    SerialRig rig;
    App& app = rig.app;
    app.settings.MinimalDisplay = c.minimal;
    rig.comm1.failOpen = RunTimeError(8002, "/dev/ttyS2: No such device - is it plugged in?");
    BaudSelect(app, c.baud);
    app.form1.Option1[2].Click();
    EXPECT_EQ(app.settings.ComPortIn, 0);
    EXPECT_TRUE(app.form1.Option1[7].Value());
    EXPECT_TRUE(app.form1.Option1[2].Enabled());
    EXPECT_FALSE(app.form1.tmrPolling.Enabled());
    EXPECT_EQ(app.form1.lblGPRMC.Caption(), kEmptyRmc);
    ASSERT_EQ(rig.dialogs.boxes.size(), c.minimal ? 0u : 1u);
    if (c.minimal) continue;
    EXPECT_EQ(rig.dialogs.boxes[0].prompt, c.prompt + kHint);
    EXPECT_EQ(rig.dialogs.boxes[0].icon, MsgIcon::kCritical);
    EXPECT_EQ(rig.dialogs.boxes[0].title, "Koralin GPS Readout. Version 1.21");
  }
}

TEST(ComPortInError, AReadFailureIsReportedOnceAndThePortCanBeChosenAgain) {
  SerialRig rig;
  App& app = rig.app;
  app.settings.BaudIn = 4800;
  app.form1.Option1[0].Click();
  rig.comm1.failRead = RunTimeError(57, "/dev/ttyUSB0: Device disappeared - was it unplugged?");
  rig.clock.Advance(60000);
  ASSERT_EQ(rig.dialogs.boxes.size(), 1u);
  EXPECT_EQ(rig.dialogs.boxes[0].prompt,
            "getGPSinput:\r\nCom1  /dev/ttyUSB0: Device disappeared - was it unplugged?" + kHint);
  EXPECT_FALSE(rig.comm1.IsOpen());
  EXPECT_EQ(app.settings.ComPortIn, 0);
  rig.comm1.failRead.reset();
  app.form1.Option1[0].Click();
  EXPECT_TRUE(rig.comm1.IsOpen());
}

// A receiver that talks only at the given rates, while the search listens there.
void AttachReceiver(SerialRig& rig, const std::map<long, std::string>& sends) {
  rig.app.form1.lblGPRMC.captionChanged.Subscribe([&rig, sends] {
    for (const auto& [rate, text] : sends)
      if (rig.app.form1.lblGPRMC.Caption() == "Searching for '$GP' at " + std::to_string(rate) + " baud now.")
        rig.comm1.Feed(text);
  });
}

std::string NmeaBurst(std::size_t atLeast) {
  std::string t;
  while (t.size() < atLeast) t += Nmea("$GPGSV,3,1,11,03,03,111,00,04,15,270,00,06,01,010,00,13,06,292,00");
  return t;
}

TEST(AutoBaud, FindsTheRateThatCarriesNmea) {
  const struct {
    const char* name;
    std::map<long, std::string> sends;
    long found;
    std::size_t captionsShown;  // "Searching for '$GP' at <rate> ..." captions
  } cases[] = {
      {"at 4800", {{1200, std::string(600, '\xF0')}, {2400, "x"}, {4800, NmeaBurst(1100)}}, 4800, 3},
      {"nothing", {}, 0, 6},
      {"too little at 4800, garbage at 9600", {{4800, NmeaBurst(700)}, {9600, std::string(400, 'x')}}, 0, 6},
      {"too little at 4800, more at 9600", {{4800, NmeaBurst(700)}, {9600, NmeaBurst(400)}}, 9600, 4},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SerialRig rig;
    App& app = rig.app;
    AttachReceiver(rig, c.sends);
    auto& captions = rig.RecordGprmcCaptions();
    BaudSelect(app, 0);
    app.form1.Option1[3].Click();
    EXPECT_EQ(app.settings.BaudIn, c.found);
    std::size_t searching = 0;
    for (const auto& s : captions) searching += s.rfind("Searching for '$GP' at ", 0) == 0 && s.find("different") == std::string::npos;
    EXPECT_EQ(searching, c.captionsShown);
    EXPECT_EQ(captions.front(), "Searching for '$GP' at different bauds now.");
    EXPECT_EQ(rig.comm1.IsOpen(), c.found != 0);
    EXPECT_EQ(app.form1.mnuAutoBaud.Checked(), c.found == 0);
    if (c.found != 0) {
      EXPECT_TRUE(rig.dialogs.boxes.empty());
      EXPECT_EQ(app.settings.ComPortIn, 4);
      EXPECT_EQ(rig.comm1.Settings(), std::to_string(c.found) + ",N,8,1");
      EXPECT_FALSE(app.form1.mnuBaud4k8.Enabled());
    } else {
      ASSERT_EQ(rig.dialogs.boxes.size(), 1u);
      EXPECT_EQ(rig.dialogs.boxes[0].prompt, "Autobaud:\r\nNo Valid data from Com4 found.\r\nGps connected ? ");
      EXPECT_EQ(rig.dialogs.boxes[0].icon, MsgIcon::kExclamation);
      EXPECT_EQ(app.settings.ComPortIn, 0);
      EXPECT_EQ(rig.clock.Now(), 7 * 4500);
    }
  }
}

TEST(AutoBaud, SearchesOnlyTheFixedPortsAndTheCustomPort) {
  const struct {
    int port, custom;
    bool searched;
  } cases[] = {{6, 7, true}, {9, 7, false}, {9, 9, true}, {12, 7, false}};
  for (const auto& c : cases) {
    SerialRig rig;
    auto& captions = rig.RecordGprmcCaptions();
    rig.app.settings.CustomComIn = static_cast<std::int16_t>(c.custom);
    rig.app.settings.ComPortIn = static_cast<std::int16_t>(c.port);
    rig.app.settings.BaudIn = 0;
    ComPortInOpen(rig.app);
    EXPECT_EQ(!captions.empty() && captions.front().rfind("Searching", 0) == 0, c.searched) << c.port;
    EXPECT_EQ(rig.app.settings.ComPortIn, 0) << c.port;
  }
}

TEST(AutoBaud, KeepsTheWindowWorkingAndComportOffStopsIt) {
  SerialRig rig;
  App& app = rig.app;
  auto& captions = rig.RecordGprmcCaptions();
  app.form1.lblGPRMC.captionChanged.Subscribe([&app] {
    if (app.form1.lblGPRMC.Caption() == "Searching for '$GP' at 2400 baud now.") app.form1.Option1[7].Click();
  });
  app.form1.Option1[0].Click();
  EXPECT_GE(rig.system.doEvents, 45);  // the window ran between the slices of the first wait
  EXPECT_EQ(captions.back(), kEmptyRmc);
  EXPECT_EQ(std::count(captions.begin(), captions.end(), "Searching for '$GP' at 4800 baud now."), 0);
  EXPECT_TRUE(rig.dialogs.boxes.empty());
  EXPECT_TRUE(app.form1.Option1[7].Value());
  EXPECT_FALSE(rig.comm1.IsOpen());
}

}  // namespace
}  // namespace koralin
