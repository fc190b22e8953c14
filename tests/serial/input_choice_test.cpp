#include "serial/input_choice.h"

#include <gtest/gtest.h>

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
    int index, source;
    const char* enabled;  // buttons 0..8
    bool listVisible, baudEnabled, terminalIn;
    std::vector<int> opened;
  } cases[] = {
      {2, 3, "000000010", false, false, true, {3}},  {6, 7, "000000010", false, false, true, {7}},
      {7, 0, "111111111", true, true, false, {}},    {8, -1, "000000010", false, true, false, {}},
  };
  for (const auto& c : cases) {
    SerialRig rig;
    Form1& f = rig.app.form1;
    rig.app.settings.BaudIn = 4800;
    f.Option1[static_cast<std::size_t>(c.index)].Click();
    EXPECT_EQ(rig.app.settings.ComPortIn, c.source) << c.index;
    EXPECT_EQ(EnabledButtons(f), c.enabled) << c.index;
    EXPECT_EQ(f.lstCustumComIn.Visible(), c.listVisible) << c.index;
    EXPECT_EQ(f.mnuAutoBaud.Enabled(), c.baudEnabled) << c.index;
    EXPECT_EQ(f.mnuTerminalIn.Enabled(), c.terminalIn) << c.index;
    EXPECT_EQ(rig.comm1.opened, c.opened) << c.index;
    for (std::size_t i = 0; i < 9; ++i) EXPECT_EQ(f.Option1[i].Value(), static_cast<int>(i) == c.index) << c.index;
  }
}

TEST(Option1, WhileALogPlaysEveryButtonMeansPlayback) {
  for (int index : {0, 6, 7, 8}) {
    SerialRig rig;
    rig.app.form1.mnuPlayLog.SetChecked(true);
    rig.app.form1.Option1[static_cast<std::size_t>(index)].Click();
    EXPECT_EQ(rig.app.settings.ComPortIn, -2) << index;
    EXPECT_TRUE(rig.comm1.opened.empty()) << index;
    EXPECT_FALSE(rig.app.form1.tmrPolling.Enabled()) << index;
  }
  SerialRig rig;  // playback stored at the last run freezes the choice
  rig.app.settings.ComPortIn = -2;
  rig.app.form1.mnuPlayLog.SetEnabled(false);
  ComPortInSelect(rig.app);
  EXPECT_EQ(rig.app.settings.ComPortIn, -2);
  EXPECT_EQ(EnabledButtons(rig.app.form1), "000000000");
  EXPECT_FALSE(rig.app.form1.lstCustumComIn.Visible());
  EXPECT_TRUE(rig.app.form1.mnuPlayLog.Checked() && rig.app.form1.mnuPlayLog.Enabled());
  EXPECT_FALSE(rig.app.form1.mnuAutoBaud.Enabled());
  EXPECT_TRUE(rig.app.form1.mnuTerminalIn.Enabled());
}

TEST(Option1, SwitchingOffClosesTerminalIn) {
  SerialRig rig;
  Form1& f = rig.app.form1;
  int terminalClicks = 0;
  f.mnuTerminalIn.onClick.Subscribe([&] { ++terminalClicks; });
  rig.app.settings.BaudIn = 4800;
  f.Option1[0].Click();
  f.mnuTerminalIn.SetChecked(true);
  f.Option1[7].Click();
  EXPECT_EQ(terminalClicks, 1);
  EXPECT_FALSE(f.mnuTerminalIn.Checked() || f.mnuTerminalIn.Enabled());
  EXPECT_FALSE(rig.comm1.IsOpen());
}

TEST(LstCustumComIn, OffersThePickedPortWithoutOpeningIt) {
  SerialRig rig;
  Form1& f = rig.app.form1;
  rig.app.settings.BaudIn = 4800;
  f.lstCustumComIn.SetListIndex(5);  // "12"
  f.lstCustumComIn.Click();
  EXPECT_EQ(f.Option1[6].Caption(), "Com12");
  EXPECT_TRUE(rig.comm1.opened.empty());
  f.Option1[6].Click();
  EXPECT_EQ(rig.comm1.opened, std::vector<int>{12});
}

TEST(ComPortInSelect, ClicksTheButtonOfTheSource) {
  const std::pair<int, int> cases[] = {{0, 7}, {-1, 8}, {1, 0}, {5, 4}, {6, 5}, {9, 6}, {31, 6}, {-2, 7}};
  for (const auto& [source, button] : cases) {
    SerialRig rig;
    rig.app.settings.ComPortIn = static_cast<std::int16_t>(source);
    rig.app.settings.CustomComIn = 9;
    rig.app.settings.BaudIn = 4800;
    ComPortInSelect(rig.app);
    EXPECT_TRUE(rig.app.form1.Option1[static_cast<std::size_t>(button)].Value()) << source;
    EXPECT_EQ(rig.app.settings.ComPortIn, button == 6 ? 9 : source) << source;
  }
}

}  // namespace
}  // namespace koralin
