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

TEST(BaudSelect, ChecksTheEntryOfTheRateAndStoresAnyRate) {
  const struct {
    long baud;
    MenuItem Form1::*checked;  // nullptr: none
  } cases[] = {
      {0, &Form1::mnuAutoBaud},       {1200, &Form1::mnuBaud1k2},   {2400, &Form1::mnuBaud2k4},
      {4800, &Form1::mnuBaud4k8},     {9600, &Form1::mnuBaud9k6},   {19200, &Form1::mnuBaud19k2},
      {38400, &Form1::mnuBaud38k4},   {57600, nullptr},             {-3, nullptr},
  };
  for (const auto& c : cases) {
    SerialRig rig;
    BaudSelect(rig.app, 4800);
    BaudSelect(rig.app, c.baud);
    EXPECT_EQ(rig.app.settings.BaudIn, c.baud);
    for (const BaudEntry& e : InputBaudEntries())
      EXPECT_EQ((rig.app.form1.*e.item).Checked(), e.item == c.checked) << c.baud << " " << e.rate;
  }
}

TEST(BaudSelect, ARateClickOnlyRecordsTheRate) {
  SerialRig rig;
  rig.app.settings.ComPortIn = -1;
  ComPortInSelect(rig.app);
  rig.app.form1.mnuBaud9k6.Click();
  EXPECT_EQ(rig.app.settings.BaudIn, 9600);
  EXPECT_TRUE(rig.app.form1.mnuBaud9k6.Checked());
  EXPECT_TRUE(rig.comm1.opened.empty());
}

TEST(ComPortInOpen, OpensTheGpsPortAtItsRate) {
  SerialRig rig;
  App& app = rig.app;
  app.settings.ComPortIn = 3;
  app.settings.BaudIn = 4800;
  ComPortInOpen(app);
  ASSERT_EQ(rig.comm1.opened, std::vector<int>{3});
  EXPECT_EQ(rig.comm1.openedSettings[0], "4800,N,8,1");
  EXPECT_EQ(rig.comm1.inBufferSize, 8192);
  EXPECT_TRUE(app.form1.tmrPolling.Enabled());
  EXPECT_TRUE(app.form1.tmrComInTimeOut.Enabled());
  EXPECT_TRUE(app.form1.mnuBaud4k8.Checked());
  EXPECT_EQ(app.form1.lblVal1.Caption(), "V");
  EXPECT_EQ(app.form1.lblLock.Caption(), "No Rx");
  EXPECT_EQ(app.form1.lblCompass.Caption(), std::string("---\xB0"));
  EXPECT_EQ(app.form1.Frame1.ToolTip(),
            "Right-Click for Terminal. Double-Click for DDE labels. Left-click SmoothSpeedBar");
}

TEST(ComPortInOpen, OtherSourcesOpenNoPort) {
  const struct {
    int source;
    bool polling;
  } cases[] = {{0, false}, {-1, true}, {-2, false}};
  for (const auto& c : cases) {
    SerialRig rig;
    App& app = rig.app;
    app.form1.lblAltitude.SetVisible(true);
    app.form1.tmrComInTimeOut.SetEnabled(true);
    app.settings.ComPortIn = static_cast<std::int16_t>(c.source);
    app.settings.BaudIn = 4800;
    ComPortInOpen(app);
    EXPECT_TRUE(rig.comm1.opened.empty()) << c.source;
    EXPECT_EQ(app.form1.tmrPolling.Enabled(), c.polling) << c.source;
    EXPECT_FALSE(app.form1.tmrComInTimeOut.Enabled()) << c.source;
    EXPECT_EQ(app.form1.lblAltitude.Visible(), c.source != 0) << c.source;
    EXPECT_EQ(app.form1.Frame1.ToolTip(), "Double-Click for DDE Labels. Left-Click SmoothSpeedBar.");
    EXPECT_EQ(app.form1.lblVal1.Caption(), "");
  }
}

TEST(ComPortInOpen, ReopeningClosesThePortFirstAndRestoresTheFrame) {
  SerialRig rig;
  App& app = rig.app;
  app.settings.ComPortIn = 2;
  app.settings.BaudIn = 9600;
  ComPortInOpen(app);
  app.form1.Frame1.SetCaption("Warning no RS232 input recieved for about 10 Sec's.");
  ComPortInOpen(app);
  EXPECT_EQ(rig.comm1.opened, (std::vector<int>{2, 2}));
  EXPECT_EQ(app.form1.Frame1.Caption(), "GPS-NMEA-0183");
}

TEST(ComPortInError, AFailedOpenIsReportedAndTheInputEndsOff) {
  for (bool minimal : {false, true}) {
    SerialRig rig;
    App& app = rig.app;
    app.settings.MinimalDisplay = minimal;
    rig.comm1.failOpen = RunTimeError(8002, "/dev/ttyS2: No such device - is it plugged in?");
    app.settings.BaudIn = 4800;
    app.form1.Option1[2].Click();
    EXPECT_EQ(app.settings.ComPortIn, 0);
    EXPECT_TRUE(app.form1.Option1[7].Value());
    EXPECT_TRUE(app.form1.Option1[2].Enabled());
    EXPECT_FALSE(app.form1.tmrPolling.Enabled());
    EXPECT_FALSE(app.form1.tmrComInTimeOut.Enabled());
    EXPECT_EQ(app.form1.lblGPRMC.Caption(),
              "$GPRMC,000000,A,0000.0000,N,00000.0000,E,0.000,0.000,000000,0.000,W,A*68");
    if (minimal) {
      EXPECT_TRUE(rig.dialogs.boxes.empty());
      continue;
    }
    ASSERT_EQ(rig.dialogs.boxes.size(), 1u);
    EXPECT_EQ(rig.dialogs.boxes[0].prompt,
              "ComPortInOpen:\r\nCom3  /dev/ttyS2: No such device - is it plugged in?\r\n\r\n"
              "Hint: See Menu Info>Device manager");
    EXPECT_EQ(rig.dialogs.boxes[0].icon, MsgIcon::kCritical);
    EXPECT_EQ(rig.dialogs.boxes[0].title, "Koralin GPS Readout. Version 1.21");
  }
}

TEST(ComPortInError, AReadFailureWhileOpenIsReportedOnceAndThePortCanBeChosenAgain) {
  SerialRig rig;
  App& app = rig.app;
  app.settings.BaudIn = 4800;
  app.form1.Option1[0].Click();
  rig.comm1.failRead = RunTimeError(57, "/dev/ttyUSB0: Device disappeared - was it unplugged?");
  rig.clock.Advance(60000);
  ASSERT_EQ(rig.dialogs.boxes.size(), 1u);
  EXPECT_EQ(rig.dialogs.boxes[0].prompt,
            "getGPSinput:\r\nCom1  /dev/ttyUSB0: Device disappeared - was it unplugged?\r\n\r\n"
            "Hint: See Menu Info>Device manager");
  EXPECT_FALSE(rig.comm1.IsOpen());
  EXPECT_EQ(app.settings.ComPortIn, 0);
  rig.comm1.failRead.reset();
  app.form1.Option1[0].Click();
  EXPECT_TRUE(rig.comm1.IsOpen());
  EXPECT_EQ(app.settings.ComPortIn, 1);
}

// A receiver that talks at one rate only: what it sends while the search
// listens at each rate.
struct Receiver {
  SerialRig& rig;
  std::map<long, std::string> sends;
  void Attach() {
    rig.app.form1.lblGPRMC.captionChanged.Subscribe([this] {
      const std::string& c = rig.app.form1.lblGPRMC.Caption();
      for (const auto& [rate, text] : sends)
        if (c == "Searching for '$GP' at " + std::to_string(rate) + " baud now.") rig.comm1.Feed(text);
    });
  }
};

std::string NmeaBurst(std::size_t atLeast) {
  std::string t;
  while (t.size() < atLeast) t += Nmea("$GPGSV,3,1,11,03,03,111,00,04,15,270,00,06,01,010,00,13,06,292,00");
  return t;
}

TEST(AutoBaud, FindsTheRateThatCarriesNmea) {
  const std::string garbage(600, '\xF0');
  const struct {
    const char* name;
    std::map<long, std::string> sends;
    long found;
    std::size_t captionsShown;  // "Searching for '$GP' at ..." captions
  } cases[] = {
      {"at 4800", {{1200, garbage}, {2400, "x"}, {4800, NmeaBurst(1100)}}, 4800, 3},
      {"at 38400", {{38400, NmeaBurst(2000)}}, 38400, 6},
      {"nothing", {}, 0, 6},
      {"too little at 4800, garbage after it at 9600", {{4800, NmeaBurst(700)}, {9600, std::string(400, 'x')}}, 0, 6},
      {"too little at 4800, more at 9600", {{4800, NmeaBurst(700)}, {9600, NmeaBurst(400)}}, 9600, 4},
  };
  for (const auto& c : cases) {
    SerialRig rig;
    App& app = rig.app;
    Receiver rx{rig, c.sends};
    rx.Attach();
    auto& captions = rig.RecordGprmcCaptions();
    app.settings.BaudIn = 0;
    BaudSelect(app, 0);
    app.form1.Option1[3].Click();
    EXPECT_EQ(app.settings.BaudIn, c.found) << c.name;
    std::size_t searching = 0;
    for (const auto& s : captions) searching += s.rfind("Searching for '$GP' at ", 0) == 0 && s.find("different") == std::string::npos;
    EXPECT_EQ(searching, c.captionsShown) << c.name;
    EXPECT_EQ(captions.front(), "Searching for '$GP' at different bauds now.") << c.name;
    if (c.found != 0) {
      EXPECT_TRUE(rig.dialogs.boxes.empty()) << c.name;
      EXPECT_EQ(app.settings.ComPortIn, 4) << c.name;
      EXPECT_TRUE(rig.comm1.IsOpen()) << c.name;
      EXPECT_EQ(rig.comm1.Settings(), std::to_string(c.found) + ",N,8,1") << c.name;
      EXPECT_FALSE(app.form1.mnuAutoBaud.Checked()) << c.name;
      EXPECT_FALSE(app.form1.mnuBaud4k8.Enabled()) << c.name;
      EXPECT_FALSE(app.form1.mnuTerminalIn.Enabled()) << c.name;
    } else {
      ASSERT_EQ(rig.dialogs.boxes.size(), 1u) << c.name;
      EXPECT_EQ(rig.dialogs.boxes[0].prompt, "Autobaud:\r\nNo Valid data from Com4 found.\r\nGps connected ? ");
      EXPECT_EQ(rig.dialogs.boxes[0].icon, MsgIcon::kExclamation);
      EXPECT_EQ(app.settings.ComPortIn, 0) << c.name;
      EXPECT_TRUE(app.form1.mnuAutoBaud.Checked()) << c.name;
      EXPECT_FALSE(rig.comm1.IsOpen()) << c.name;
      EXPECT_EQ(rig.clock.Now(), 7 * 4500) << c.name;
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
    const bool searched = !captions.empty() && captions.front().rfind("Searching", 0) == 0;
    EXPECT_EQ(searched, c.searched) << c.port;
    EXPECT_EQ(rig.dialogs.boxes.size(), c.searched ? 1u : 0u) << c.port;
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
  EXPECT_EQ(captions.back(), "$GPRMC,000000,A,0000.0000,N,00000.0000,E,0.000,0.000,000000,0.000,W,A*68");
  EXPECT_EQ(std::count(captions.begin(), captions.end(), "Searching for '$GP' at 4800 baud now."), 0);
  EXPECT_TRUE(rig.dialogs.boxes.empty());
  EXPECT_EQ(app.settings.ComPortIn, 0);
  EXPECT_TRUE(app.form1.Option1[7].Value());
  EXPECT_TRUE(app.form1.Option1[0].Enabled());
  EXPECT_FALSE(rig.comm1.IsOpen());
}

TEST(AutoBaud, AFailureDuringTheSearchIsReportedAsAutoBaud) {
  SerialRig rig;
  rig.comm1.failOpen = RunTimeError(70, "/dev/ttyS0: Permission denied - add your user to the dialout group");
  rig.app.form1.Option1[0].Click();
  ASSERT_EQ(rig.dialogs.boxes.size(), 1u);
  EXPECT_EQ(rig.dialogs.boxes[0].prompt,
            "AutoBaud:\r\nCom1  /dev/ttyS0: Permission denied - add your user to the dialout group\r\n\r\n"
            "Hint: See Menu Info>Device manager");
  EXPECT_EQ(rig.app.settings.ComPortIn, 0);
}

TEST(AutoBaud, ProgressTextsAreNeverRelayed) {
  SerialRig rig;
  App& app = rig.app;
  app.form1.mnuRMCPlainOut.SetChecked(true);
  app.settings.ComPortOut = 1;
  rig.comm2.Open(1, "4800,N,8,1", 0, 8192);
  Receiver rx{rig, {{1200, NmeaBurst(1500)}}};
  rx.Attach();
  BaudSelect(app, 0);
  app.form1.Option1[0].Click();
  EXPECT_EQ(app.settings.BaudIn, 1200);
  EXPECT_EQ(rig.comm2.written.find("Searching"), std::string::npos);
  EXPECT_EQ(rig.comm2.written.find("$GPRMC,000000"), std::string::npos);
}

}  // namespace
}  // namespace koralin
