// The input: its choice, its port, the baud search, the watchdog, and a port
// that goes away while open.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "nmea/fix_state.h"
#include "serial/autobaud.h"
#include "serial/input_choice.h"
#include "serial/input_port.h"
#include "serial/output_port.h"
#include "serial/resume.h"
#include "serial/send.h"
#include "serial/serial_rig.h"
#include "support/files.h"
#include "support/sentences.h"
#include "terminal/terminal_windows.h"

namespace koralin {
namespace {

using test::Rmc;
using test::SerialRig;

std::string Bits(std::initializer_list<bool> flags) {
  std::string s;
  for (bool b : flags) s += b ? '1' : '0';
  return s;
}

// The nine input buttons, enabled or chosen.
std::string Buttons(const Form1& f, bool enabled) {
  std::string s;
  for (const OptionButton& b : f.Option1) s += (enabled ? b.Enabled() : static_cast<bool>(b.Value())) ? '1' : '0';
  return s;
}

TEST(Option1, EachButtonBringsUpItsSourceAndLocksOrFreesTheChoiceOrMeansPlaybackWhileALogPlays) {
  // Buttons chosen and enabled, then list visible, baud entries and Terminal In enabled.
  const struct { int index, source; const char* state; std::vector<int> opened; } cases[] = {
      {2, 3, "001000000 000000010 001", {3}}, {6, 7, "000000100 000000010 001", {7}},
      {7, 0, "000000010 111111111 110", {}},  {8, -1, "000000001 000000010 010", {}}};
  for (const auto& c : cases) {
    SerialRig rig;
    Form1& f = rig.app.form1;
    f.Option1[static_cast<std::size_t>(c.index)].Click();
    EXPECT_EQ(rig.app.settings.ComPortIn, c.source) << c.index;
    EXPECT_EQ(Buttons(f, false) + " " + Buttons(f, true) + " " +
                  Bits({f.lstCustumComIn.Visible(), f.mnuAutoBaud.Enabled(), f.mnuTerminalIn.Enabled()}),
              c.state) << c.index;
    EXPECT_EQ(rig.comm1.opened, c.opened) << c.index;
  }
  SerialRig rig;  // switching off closes Terminal In
  rig.app.form1.Option1[0].Click();
  rig.app.form1.mnuTerminalIn.SetChecked(true);
  rig.app.form1.Option1[7].Click();
  EXPECT_FALSE(rig.app.form1.mnuTerminalIn.Checked() || rig.app.form1.mnuTerminalIn.Enabled() || rig.comm1.IsOpen());
  for (int index : {0, 6, 7, 8}) {  // while a log plays every button means playback
    SerialRig playing;
    playing.app.form1.mnuPlayLog.SetChecked(true);
    playing.app.form1.Option1[static_cast<std::size_t>(index)].Click();
    EXPECT_EQ(std::to_string(playing.app.settings.ComPortIn) + Buttons(playing.app.form1, true), "-2111111111") << index;
    EXPECT_TRUE(playing.comm1.opened.empty() && !playing.app.form1.tmrPolling.Enabled()) << index;
  }
  SerialRig stored;  // playback stored at the last run freezes the choice
  Form1& g = stored.app.form1;
  stored.app.settings.ComPortIn = -2;
  g.mnuPlayLog.SetEnabled(false);
  ComPortInSelect(stored.app);
  EXPECT_EQ(std::to_string(stored.app.settings.ComPortIn) + Buttons(g, true) + Bits({g.lstCustumComIn.Visible(),
                g.mnuPlayLog.Checked(), g.mnuPlayLog.Enabled(), g.mnuAutoBaud.Enabled(), g.mnuTerminalIn.Enabled()}),
            "-200000000001101");
}

TEST(BaudSelectAndComPortInSelect, TheEntryOfTheRateAndTheButtonOfTheSourceAreChosen) {
  const std::pair<long, MenuItem Form1::*> cases[] = {
      {0, &Form1::mnuAutoBaud},     {1200, &Form1::mnuBaud1k2},   {2400, &Form1::mnuBaud2k4},  {4800, &Form1::mnuBaud4k8},
      {9600, &Form1::mnuBaud9k6},  {19200, &Form1::mnuBaud19k2}, {38400, &Form1::mnuBaud38k4}, {57600, nullptr}};
  for (const auto& [baud, checked] : cases) {
    SerialRig rig;
    BaudSelect(rig.app, 4800);
    BaudSelect(rig.app, baud);
    EXPECT_EQ(rig.app.settings.BaudIn, baud);
    for (const BaudEntry& e : InputBaudEntries())
      EXPECT_EQ((rig.app.form1.*e.item).Checked(), e.item == checked) << baud << " " << e.rate;
  }
  SerialRig rig;  // with the input off a click only records the rate
  rig.app.form1.mnuBaud9k6.Click();
  EXPECT_TRUE(rig.app.settings.BaudIn == 9600 && rig.comm1.opened.empty());
  const std::pair<int, int> sources[] = {{0, 7}, {-1, 8}, {1, 0}, {5, 4}, {6, 5}, {9, 6}, {31, 6}, {-2, 7}};
  for (const auto& [source, button] : sources) {
    SerialRig chosen;
    chosen.app.settings.ComPortIn = static_cast<std::int16_t>(source);
    chosen.app.settings.CustomComIn = 9;
    ComPortInSelect(chosen.app);
    EXPECT_EQ(Buttons(chosen.app.form1, false).find('1') * 100 + chosen.app.settings.ComPortIn,
              static_cast<std::size_t>(button * 100 + (button == 6 ? 9 : source))) << source;
  }
  SerialRig chosen;
  Form1& g = chosen.app.form1;
  g.lstCustumComIn.SetListIndex(5);  // "12"
  g.lstCustumComIn.Click();
  EXPECT_TRUE(g.Option1[6].Caption() == "Com12" && chosen.comm1.opened.empty());
  g.Option1[6].Click();
  EXPECT_EQ(chosen.comm1.opened, std::vector<int>{12});
}

TEST(ComPortInOpen, OnlyASerialPortOpensReopeningStartsCleanAndAFailureEndsTheInput) {
  // source -> port opened, polling, watchdog, altitude label kept
  const std::pair<int, const char*> cases[] = {{3, "1111"}, {0, "0000"}, {-1, "0101"}, {-2, "0001"}};
  for (const auto& [source, seen] : cases) {
    SerialRig rig;
    Form1& f = rig.app.form1;
    f.lblAltitude.SetVisible(true);
    f.lblHeight1.SetCaption("12 ft");
    f.tmrComInTimeOut.SetEnabled(true);
    rig.app.settings.ComPortIn = static_cast<std::int16_t>(source);
    ComPortInOpen(rig.app);
    EXPECT_EQ(Bits({rig.comm1.IsOpen(), f.tmrPolling.Enabled(), f.tmrComInTimeOut.Enabled(), f.lblAltitude.Visible()}),
              seen) << source;
    EXPECT_EQ(f.lblHeight1.Caption(), source ? "12 ft" : "lblHeight1") << source;
  }
  SerialRig rig;
  const Frame& frame = rig.app.form1.Frame1;
  rig.app.settings.ComPortIn = 3;
  ComPortInOpen(rig.app);
  rig.clock.Advance(10000);  // one warning of the watchdog
  ComPortInOpen(rig.app);
  EXPECT_EQ(rig.comm1.openedSettings.at(1) + " " + std::to_string(rig.comm1.inBufferSize), "4800,N,8,1 8192");
  EXPECT_TRUE(frame.Caption() == "GPS-NMEA-0183" && frame.ForeColor() == colour::kBlack && frame.FontUnderline());
  const std::tuple<long, bool, const char*> failures[] = {  // a failed open is reported and the input ends off
      {4800, false, "ComPortInOpen"}, {4800, true, ""}, {0, false, "AutoBaud"}};  // "": no box
  for (const auto& [baud, minimal, proc] : failures) {
    SCOPED_TRACE(proc);
    SerialRig rig;
    Form1& f = rig.app.form1;
    rig.app.settings.MinimalDisplay = minimal;
    rig.comm1.failOpen = RunTimeError(8002, "/dev/ttyS2: No such device");
    BaudSelect(rig.app, baud);
    f.Option1[2].Click();
    EXPECT_TRUE(rig.app.settings.ComPortIn == 0 && f.Option1[7].Value() && f.Option1[2].Enabled());
    EXPECT_FALSE(f.tmrPolling.Enabled() || f.tmrComInTimeOut.Enabled() || f.lblGPRMC.Caption() != kZeroSentence);
    EXPECT_EQ(rig.app.display.form5.Label2.ForeColor() == colour::kBlue, minimal);  // no box: blue values
    ASSERT_EQ(rig.dialogs.boxes.size(), minimal ? 0u : 1u);
    if (!minimal) { EXPECT_TRUE(rig.dialogs.boxes[0].prompt.starts_with(proc + std::string(":\r\nCom3  /dev/ttyS2: No such"))); }
  }
}

std::string Searching(long rate) { return "Searching for '$GP' at " + std::to_string(rate) + " baud now."; }

std::string NmeaBurst(std::size_t atLeast) {
  std::string t;
  while (t.size() < atLeast) t += test::Nmea("GPGSV,3,1,11,03,03,111,00,04,15,270,00,06,01,010,00,13,06,292,00") + "\r\n";
  return t;
}

TEST(AutoBaud, FindsTheRateThatCarriesNmea) {
  // A receiver that talks only at these rates, the rate found and the rates tried.
  const struct { const char* name; std::map<long, std::string> sends; long found; std::size_t ratesTried; } cases[] = {
      {"at 4800", {{1200, std::string(600, '\xF0')}, {2400, "x"}, {4800, NmeaBurst(1100)}}, 4800, 3},
      {"$GP not within the last 100", {{4800, std::string(1000, 'x') + "$GP" + std::string(99, 'x')}}, 0, 6},
      {"too little at 4800, garbage at 9600", {{4800, NmeaBurst(700)}, {9600, std::string(400, 'x')}}, 0, 6},
      {"too little at 4800, more at 9600", {{4800, NmeaBurst(700)}, {9600, NmeaBurst(400)}}, 9600, 4}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SerialRig rig;
    rig.app.form1.lblGPRMC.captionChanged.Subscribe([&rig, &c] {
      for (const auto& [rate, text] : c.sends)
        if (rig.app.form1.lblGPRMC.Caption() == Searching(rate)) rig.comm1.Feed(text);
    });
    auto& captions = rig.RecordGprmcCaptions();
    BaudSelect(rig.app, 0);
    rig.app.form1.Option1[3].Click();
    std::size_t tried = 0;
    for (long rate : kSearchRates) tried += std::count(captions.begin(), captions.end(), Searching(rate));
    EXPECT_EQ(rig.app.settings.BaudIn * 10 + static_cast<long>(tried), c.found * 10 + static_cast<long>(c.ratesTried));
    // Port open, search entry checked, a box; the input
    EXPECT_EQ(Bits({rig.comm1.IsOpen(), rig.app.form1.mnuAutoBaud.Checked(), !rig.dialogs.boxes.empty()}) +
                  std::to_string(rig.app.settings.ComPortIn), c.found ? "1004" : "0110");
    EXPECT_EQ(c.found ? rig.comm1.Settings() : std::to_string(rig.clock.Now()),
              c.found ? std::to_string(c.found) + ",N,8,1" : std::to_string(7 * 4500));
  }
}

TEST(AutoBaud, KeepsTheWindowWorkingComportOffStopsItAndOnlyFixedOrCustomPortsAreSearched) {
  SerialRig rig;
  auto& captions = rig.RecordGprmcCaptions();
  std::string lockWhileSearching;
  rig.app.form1.lblGPRMC.captionChanged.Subscribe([&rig, &lockWhileSearching] {
    if (rig.app.form1.lblGPRMC.Caption() == Searching(1200)) lockWhileSearching = rig.app.form1.lblLock.Caption();
    if (rig.app.form1.lblGPRMC.Caption() == Searching(2400)) rig.app.form1.Option1[7].Click();
  });
  rig.app.form1.lblLock.SetCaption("Rx ok");
  rig.app.settings.BaudIn = 0;
  rig.app.form1.Option1[0].Click();
  EXPECT_EQ(lockWhileSearching + "|" + captions.back() + "|" + captions[captions.size() - 2],
            "No Rx|" + std::string(kZeroSentence) + "|" + Searching(2400));
  EXPECT_GE(rig.system.doEvents, 45);  // the window ran between the slices of the first wait
  EXPECT_TRUE(rig.dialogs.boxes.empty() && rig.app.form1.Option1[7].Value() && !rig.comm1.IsOpen());
  // Only the fixed ports and the custom port are searched: a network target or a malformed line has no rate.
  const std::tuple<int, int, bool, const char*> ports[] = {
      {6, 7, true, ""}, {9, 7, false, ""}, {9, 9, true, ""}, {6, 7, false, "6=tcp://h:1"}, {6, 7, false, "6=ftp://x"}};
  for (const auto& [port, custom, searched, line] : ports) {
    SerialRig rig;
    test::TempFolder folder;
    rig.system.appPath = folder.path();
    test::WriteFile(folder / "ComPorts.cfg", line);
    auto& seen = rig.RecordGprmcCaptions();
    rig.app.settings.CustomComIn = static_cast<std::int16_t>(custom);
    rig.app.settings.ComPortIn = static_cast<std::int16_t>(port);
    rig.app.settings.BaudIn = 0;
    ComPortInOpen(rig.app);
    EXPECT_EQ(!seen.empty() && seen.front().rfind("Searching", 0) == 0, searched) << port;
    EXPECT_EQ(rig.app.settings.ComPortIn, *line ? port : 0) << port;  // the fake opens any target
  }
}

std::string Warning(int seconds) {
  return "Warning no RS232 input recieved for about " + std::to_string(seconds) + " Sec's.";
}

TEST(Watchdog, WarnsEveryTenSecondsOfSilenceUntilSomethingIsDecoded) {
  // What arrives after five warnings on port 1, and the next warning: any
  // fix, bearing or compass restarts the ten seconds.
  const std::pair<std::string, std::string> cases[] = {
      {test::Rmc(), Warning(10)}, {"%123/4", Warning(10)}, {test::Nmea("HCHDT,123.4,T"), Warning(60)}};
  for (const auto& [text, next] : cases) {
    SerialRig rig;
    Form1& f = rig.app.form1;
    f.Option1[0].Click();
    std::vector<Colour> colours;  // the caption's colour steps round with each warning
    for (int n = 1; n <= 5; ++n) {
      rig.clock.Advance(9999);
      EXPECT_EQ(rig.system.beeps, n - 1);
      rig.clock.Advance(1);
      EXPECT_EQ(f.Frame1.Caption() + std::to_string(rig.system.beeps), Warning(10 * n) + std::to_string(n));
      colours.push_back(f.Frame1.ForeColor());
    }
    EXPECT_EQ(colours, (std::vector<Colour>{colour::kBlue, colour::kRed, colour::kMagenta, colour::kCyan, colour::kBlue}));
    EXPECT_FALSE(f.Frame1.FontUnderline());
    rig.comm1.Feed(text + "\r\n");
    rig.clock.Advance(1000 + 9999);  // the next poll reads it
    EXPECT_EQ(rig.system.beeps, 5) << text;
    rig.clock.Advance(1);
    EXPECT_EQ(f.Frame1.Caption(), next) << text;
  }
  for (int source : {0, 3}) {  // quiet during playback and with the input off
    SerialRig rig;
    rig.app.settings.ComPortIn = static_cast<std::int16_t>(source);
    rig.app.form1.mnuPlayLog.SetChecked(source != 0);
    rig.app.form1.tmrComInTimeOut.SetEnabled(true);
    rig.clock.Advance(30000);
    EXPECT_EQ(rig.system.beeps, 0) << source;
  }
}

// A port that goes away while open is waited for, not switched off.
TEST(Resume, ALostPortIsReopenedWithItsSettingsAndNoBox) {
  const RunTimeError lost(err::kDeviceLost, "/dev/ttyS2: Device disappeared - was it unplugged?");
  // Input and output ports, which goes (else the separate output), the port named in the caption
  const struct { int in, out; bool inputGoes; int shown; } cases[] = {
      {1, 2, true, 1}, {1, 2, false, 2}, {1, -1, true, 1}, {2, 1, false, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.in) + " " + std::to_string(c.out) + " " + std::to_string(c.inputGoes));
    test::SerialRig rig;
    rig.ReadyToDecode(0);
    Form1& f = rig.app.form1;
    f.Option1[c.in - 1].Click();
    ComOutSelect(rig.app, c.out, 9600);
    mnuTerminalOut_Click(rig.app);
    f.mnuRMCPlainOut.SetChecked(true);
    test::FakeSerialPort& gone = c.inputGoes ? rig.comm1 : rig.comm2;
    (c.inputGoes && c.out != -1 ? gone.failRead : gone.failWrite) = lost;
    gone.failOpen = lost;
    const std::string next = "\r\n$GPGSV,1\r\n";  // so the fix is not the carried tail
    rig.comm1.Feed(Rmc("120000") + next);
    rig.clock.Advance(1500);
    const std::string caption = "Com" + std::to_string(c.shown) + " lost - waiting for /dev/ttyS" +
                                std::to_string(c.shown - 1) + " to return";
    EXPECT_EQ(f.Frame1.Caption(), caption);
    EXPECT_FALSE(gone.IsOpen() || f.Frame1.FontUnderline() || (f.lblLock.BackColor() == colour::kRed) != c.inputGoes);
    rig.clock.Advance(10000);  // still away: the watchdog keeps the words
    if (c.inputGoes) { EXPECT_EQ(f.Frame1.Caption(), caption); }
    EXPECT_EQ(rig.app.settings.ComPortIn * 10 + rig.app.settings.ComPortOut, c.in * 10 + c.out);
    EXPECT_EQ(rig.app.terminal.TerminalText[0].find(caption) != std::string::npos, !c.inputGoes);

    gone.failRead = gone.failWrite = gone.failOpen = std::nullopt;
    gone.written.clear();
    rig.clock.Advance(2000);
    EXPECT_TRUE(gone.IsOpen() && gone.inBufferSize + gone.outBufferSize == 8192);
    EXPECT_EQ(gone.Settings(), c.inputGoes ? "4800,N,8,1" : "9600,N,8,1");
    rig.comm1.ReadAll();  // what the unplugged device held is gone with it
    rig.comm1.Feed(Rmc("120005") + next);
    rig.clock.Advance(1500);
    EXPECT_EQ(rig.app.fix.UtcTimeText + "|" + (c.out == -1 ? rig.comm1 : rig.comm2).written,
              "12:00:05|" + Rmc("120005") + "\r\n");
    EXPECT_TRUE(f.Frame1.Caption().starts_with(kFrameCaption) && !f.tmrResume.Enabled() && rig.dialogs.boxes.empty());
  }
  test::SerialRig off;  // the input switched off while it is waited for: the wait ends
  off.app.form1.Option1[0].Click();
  off.comm1.failRead = off.comm1.failOpen = lost;
  off.comm1.Feed("abcd");
  off.clock.Advance(1500);
  ASSERT_TRUE(off.app.form1.tmrResume.Enabled());
  off.app.form1.Option1[7].Click();
  off.clock.Advance(2000);
  EXPECT_FALSE(off.app.form1.tmrResume.Enabled());
}

}  // namespace
}  // namespace koralin
