#include <gtest/gtest.h>

#include "serial/input_choice.h"
#include "serial/input_port.h"
#include "serial/serial_rig.h"

namespace koralin {
namespace {

using test::SerialRig;

std::string EnabledButtons(const Form1& f) {
  std::string s;
  for (const OptionButton& b : f.Option1) s += b.Enabled() ? '1' : '0';
  return s;
}

TEST(Option1, EachButtonBringsUpItsSourceAndLocksOrFreesTheChoice) {
  const struct {
    int index;
    int source;
    const char* enabled;  // buttons 0..8
    bool listVisible, baudEnabled, terminalIn;
    std::vector<int> opened;
  } cases[] = {
      {2, 3, "000000010", false, false, true, {3}},
      {6, 7, "000000010", false, false, true, {7}},
      {7, 0, "111111111", true, true, false, {}},
      {8, -1, "000000010", false, true, false, {}},
  };
  for (const auto& c : cases) {
    SerialRig rig;
    App& app = rig.app;
    app.settings.BaudIn = 4800;
    app.form1.Option1[static_cast<std::size_t>(c.index)].Click();
    EXPECT_EQ(app.settings.ComPortIn, c.source) << c.index;
    EXPECT_EQ(EnabledButtons(app.form1), c.enabled) << c.index;
    EXPECT_EQ(app.form1.lstCustumComIn.Visible(), c.listVisible) << c.index;
    EXPECT_EQ(app.form1.mnuAutoBaud.Enabled(), c.baudEnabled) << c.index;
    EXPECT_EQ(app.form1.mnuTerminalIn.Enabled(), c.terminalIn) << c.index;
    EXPECT_EQ(rig.comm1.opened, c.opened) << c.index;
    for (std::size_t i = 0; i < 9; ++i)
      EXPECT_EQ(app.form1.Option1[i].Value(), static_cast<int>(i) == c.index) << c.index << " " << i;
  }
}

TEST(Option1, WhileALogPlaysEveryButtonMeansPlayback) {
  for (int index : {0, 6, 7, 8}) {
    SerialRig rig;
    rig.app.form1.mnuPlayLog.SetChecked(true);
    rig.app.settings.BaudIn = 4800;
    rig.app.form1.Option1[static_cast<std::size_t>(index)].Click();
    EXPECT_EQ(rig.app.settings.ComPortIn, -2) << index;
    EXPECT_TRUE(rig.comm1.opened.empty()) << index;
    EXPECT_FALSE(rig.app.form1.tmrPolling.Enabled()) << index;
    EXPECT_EQ(EnabledButtons(rig.app.form1), "111111111") << index;
  }
  SerialRig rig;  // playback stored at the last run freezes the choice
  rig.app.settings.ComPortIn = -2;
  ComPortInSelect(rig.app);
  EXPECT_EQ(rig.app.settings.ComPortIn, -2);
  EXPECT_EQ(EnabledButtons(rig.app.form1), "000000000");
  EXPECT_FALSE(rig.app.form1.lstCustumComIn.Visible());
  EXPECT_TRUE(rig.app.form1.mnuPlayLog.Checked());
}

TEST(Option1, SwitchingOffClosesTerminalIn) {
  SerialRig rig;
  App& app = rig.app;
  int terminalClicks = 0;
  app.form1.mnuTerminalIn.onClick.Subscribe([&] { ++terminalClicks; });
  app.settings.BaudIn = 4800;
  app.form1.Option1[0].Click();
  app.form1.mnuTerminalIn.SetChecked(true);
  app.form1.Option1[7].Click();
  EXPECT_EQ(terminalClicks, 1);
  EXPECT_FALSE(app.form1.mnuTerminalIn.Checked());
  EXPECT_FALSE(app.form1.mnuTerminalIn.Enabled());
  EXPECT_FALSE(rig.comm1.IsOpen());
}

TEST(LstCustumComIn, OffersThePickedPortWithoutOpeningIt) {
  SerialRig rig;
  App& app = rig.app;
  app.settings.BaudIn = 4800;
  app.form1.lstCustumComIn.SetListIndex(5);  // "12"
  app.form1.lstCustumComIn.Click();
  EXPECT_EQ(app.form1.Option1[6].Caption(), "Com12");
  EXPECT_EQ(app.settings.CustomComIn, 12);
  EXPECT_TRUE(rig.comm1.opened.empty());
  app.form1.Option1[6].Click();
  EXPECT_EQ(rig.comm1.opened, std::vector<int>{12});
  EXPECT_FALSE(app.form1.lstCustumComIn.Visible());
}

TEST(ComPortInSelect, ClicksTheButtonOfTheSource) {
  const struct {
    int source;
    int button;
  } cases[] = {{0, 7}, {-1, 8}, {1, 0}, {5, 4}, {6, 5}, {9, 6}, {31, 6}, {-2, 7}};
  for (const auto& c : cases) {
    SerialRig rig;
    App& app = rig.app;
    app.settings.ComPortIn = static_cast<std::int16_t>(c.source);
    app.settings.CustomComIn = 9;
    app.settings.BaudIn = 4800;
    ComPortInSelect(app);
    EXPECT_TRUE(app.form1.Option1[static_cast<std::size_t>(c.button)].Value()) << c.source;
    const int expected = c.button == 6 ? 9 : c.source;
    EXPECT_EQ(app.settings.ComPortIn, expected) << c.source;
  }
}

TEST(Watchdog, WarnsEveryTenSecondsOfSilenceInTurningColoursUntilASentenceComes) {
  SerialRig rig;
  App& app = rig.app;
  app.settings.BaudIn = 4800;
  app.form1.Option1[0].Click();
  const Colour colours[] = {colour::kBlue, colour::kRed, colour::kMagenta, colour::kCyan, colour::kBlue};
  app.form1.Frame1.SetFontUnderline(true);
  for (int n = 1; n <= 5; ++n) {
    rig.clock.Advance(9999);
    EXPECT_EQ(rig.system.beeps, n - 1);
    rig.clock.Advance(1);
    EXPECT_EQ(rig.system.beeps, n);
    EXPECT_EQ(app.form1.Frame1.ForeColor(), colours[n - 1]) << n;
    EXPECT_EQ(app.form1.Frame1.Caption(), "Warning no RS232 input recieved for about " + std::to_string(10 * n) + " Sec's.");
    EXPECT_FALSE(app.form1.Frame1.FontUnderline());
  }
  EXPECT_TRUE(rig.comm1.IsOpen());
  rig.comm1.Feed(test::Nmea("$GPRMC,120000,A,4807.038,N,01131.000,E,005.0,300.0,230394,003.1,W"));
  rig.clock.Advance(1000);  // the next poll reads it
  EXPECT_EQ(app.fix.NoRxCount, 0);
  rig.clock.Advance(9999);
  EXPECT_EQ(rig.system.beeps, 5);
  rig.clock.Advance(1);
  EXPECT_EQ(app.form1.Frame1.Caption(), "Warning no RS232 input recieved for about 10 Sec's.");
}

TEST(Watchdog, IsQuietDuringPlaybackAndWithTheInputOff) {
  for (int source : {0, 3}) {
    SerialRig rig;
    App& app = rig.app;
    app.settings.ComPortIn = static_cast<std::int16_t>(source);
    app.form1.mnuPlayLog.SetChecked(source != 0);
    app.form1.tmrComInTimeOut.SetEnabled(true);
    rig.clock.Advance(30000);
    EXPECT_EQ(rig.system.beeps, 0) << source;
    EXPECT_EQ(app.form1.Frame1.Caption(), "GPS-NMEA-0183") << source;
  }
}

}  // namespace
}  // namespace koralin
