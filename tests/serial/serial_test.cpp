// The serial ports: the input's choice, its port, the baud search, the watchdog and a port that goes away while
// open; the output port, what is relayed to it, and the companion's bearing it follows; ComPorts.cfg.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <utility>

#include "app/app.h"
#include "app/fix_intake.h"
#include "app/keys_and_mouse.h"
#include "dde/client_link.h"
#include "dde/links.h"
#include "display/speed.h"
#include "serial/autobaud.h"
#include "serial/com_ports.h"
#include "serial/input_choice.h"
#include "serial/input_port.h"
#include "serial/modified_rmc.h"
#include "serial/output_port.h"
#include "serial/port_target.h"
#include "serial/relay.h"
#include "serial/resume.h"
#include "serial/send.h"
#include "serial/watchdog.h"
#include "support/fakes.h"
#include "support/files.h"
#include "support/sentences.h"
#include "terminal/terminal_windows.h"

namespace koralin {
namespace {

using test::ReadFile;
using test::WriteFile;

// A whole program on fakes, with the input choice set up as at start.
struct SerialRig : test::TestRig {
  SerialRig() {
    f.tmrPolling.SetInterval(1500), f.tmrComInTimeOut.SetInterval(10000), app.settings.BaudIn = 4800;
    for (int i = 0; i < 7; ++i) Option(i).SetCaption("Com" + std::to_string(i < 6 ? i + 1 : app.settings.CustomComIn));
    f.Option1[7].SetCaption("Comport off"), f.Option1[8].SetCaption("Demo");
    for (int n = 7; n <= 31; ++n) f.lstCustumComIn.AddItem(std::to_string(n));
  }
  OptionButton& Option(int i) { return f.Option1[static_cast<std::size_t>(i)]; }
  // Every caption lblGPRMC is given from now on.
  std::vector<std::string>& RecordGprmcCaptions() {
    f.lblGPRMC.captionChanged.Subscribe([this] { gprmcCaptions.push_back(f.lblGPRMC.Caption()); });
    return gprmcCaptions;
  }
  Form1& f = app.form1;
  std::vector<std::string> gprmcCaptions;
};

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

std::string Searching(long rate) { return "Searching for '$GP' at " + std::to_string(rate) + " baud now."; }
std::string Warning(int seconds) { return "Warning no RS232 input recieved for about " + std::to_string(seconds) + " Sec's."; }

std::string NmeaBurst(std::size_t atLeast, const std::string& talker = "GP") {
  std::string t;
  while (t.size() < atLeast) t += test::Nmea(talker + "GSV,3,1,11,03,03,111,00,04,15,270,00,06,01,010,00,13,06,292,00") + "\r\n";
  return t;
}

TEST(InputChoice, EachButtonBringsUpItsSource) {
  // Buttons chosen and enabled, then list visible, baud entries, Terminal In enabled, port open, Terminal In checked;
  // then polling, watchdog (a serial port's only), altitude label shown and its height kept.
  const struct { int index, source; const char* state; std::vector<int> opened; } cases[] = {
      {2, 3, "001000000 000000010 00111 1111", {3}}, {6, 7, "000000100 000000010 00111 1111", {7}},
      {7, 0, "000000010 111111111 11000 0000", {}},  {8, -1, "000000001 000000010 01000 1011", {}}};
  for (const auto& c : cases) {
    SerialRig rig;
    Form1& f = rig.f;
    rig.comm1.Open(1, "4800,N,8,1", 8192, 0), rig.comm1.opened.clear();
    f.lblAltitude.SetVisible(true), f.lblHeight1.SetCaption("12 ft"), f.tmrComInTimeOut.SetEnabled(true);
    f.mnuTerminalIn.SetChecked(true), rig.Option(c.index).Click();
    EXPECT_EQ(Buttons(f, false) + " " + Buttons(f, true) + " " + Bits({f.lstCustumComIn.Visible(), f.mnuAutoBaud.Enabled(),
                  f.mnuTerminalIn.Enabled(), rig.comm1.IsOpen(), f.mnuTerminalIn.Checked()}) + " " +
                  Bits({f.tmrPolling.Enabled(), f.tmrComInTimeOut.Enabled(), f.lblAltitude.Visible(),
                        f.lblHeight1.Caption() == "12 ft"}), c.state) << c.index;
    EXPECT_EQ(std::pair(rig.app.settings.ComPortIn + 0, rig.comm1.opened), std::pair(c.source, c.opened)) << c.index;
  }
}

TEST(InputChoice, PlaybackPlayingOrStoredTakesOverTheChoice) {
  for (int index : {0, 6, 7, 8}) {  // while a log plays every button means playback
    SerialRig playing;
    playing.f.mnuPlayLog.SetChecked(true), playing.Option(index).Click();
    EXPECT_EQ(std::to_string(playing.app.settings.ComPortIn) + Buttons(playing.f, true) +
                  Bits({playing.comm1.opened.empty(), playing.f.tmrPolling.Enabled()}), "-211111111110") << index;
  }
  SerialRig stored;  // playback stored at the last run freezes the choice
  Form1& g = stored.f;
  stored.app.settings.ComPortIn = -2, g.mnuPlayLog.SetEnabled(false), ComPortInSelect(stored.app);
  EXPECT_EQ(std::to_string(stored.app.settings.ComPortIn) + Buttons(g, true) + Bits({g.lstCustumComIn.Visible(),
                g.mnuPlayLog.Checked(), g.mnuPlayLog.Enabled(), g.mnuAutoBaud.Enabled(), g.mnuTerminalIn.Enabled()}),
            "-200000000001101");
}

TEST(InputChoice, TheStoredSourceChoosesItsButton) {
  const std::pair<int, int> sources[] = {{0, 7}, {-1, 8}, {1, 0}, {5, 4}, {6, 5}, {9, 6}, {31, 6}, {-2, 7}};
  for (const auto& [source, button] : sources) {
    SerialRig chosen;
    chosen.app.settings.ComPortIn = static_cast<std::int16_t>(source), chosen.app.settings.CustomComIn = 9;
    ComPortInSelect(chosen.app);
    EXPECT_EQ(Buttons(chosen.f, false).find('1') * 100 + chosen.app.settings.ComPortIn,
              static_cast<std::size_t>(button * 100 + (button == 6 ? 9 : source))) << source;
  }
}

// A receiver that talks only at these rates, the rate found and the rates tried.
TEST(AutoBaud, TheRateFoundIsTheFirstWithEnoughNmeaText) {
  const struct { const char* name; std::map<long, std::string> sends; long found; std::size_t ratesTried; bool anyTalker = false; }
      receivers[] = {
      {"at 4800", {{1200, std::string(600, '\xF0')}, {2400, "x"}, {4800, NmeaBurst(1100)}}, 4800, 3},
      {"another talker", {{2400, NmeaBurst(1100, "GN")}}, 2400, 2, true},
      {"another talker, $GP only", {{2400, NmeaBurst(1100, "GN")}}, 0, 6},
      {"$GP not within the last 100", {{4800, std::string(1000, 'x') + "$GP" + std::string(99, 'x')}}, 0, 6},
      {"too little at 4800, garbage at 9600", {{4800, NmeaBurst(700)}, {9600, std::string(400, 'x')}}, 0, 6},
      {"too little at 4800, more at 9600", {{4800, NmeaBurst(700)}, {9600, NmeaBurst(400)}}, 9600, 4}};
  for (const auto& c : receivers) {
    SCOPED_TRACE(c.name);
    SerialRig rig;
    rig.f.mnuAnyTalker.SetChecked(c.anyTalker);
    rig.f.lblGPRMC.captionChanged.Subscribe([&rig, &c] {
      for (const auto& [rate, text] : c.sends)
        if (rig.f.lblGPRMC.Caption() == Searching(rate)) rig.comm1.Feed(text);
    });
    auto& captions = rig.RecordGprmcCaptions();
    BaudSelect(rig.app, 0), rig.f.Option1[3].Click();
    std::size_t tried = 0;
    for (long rate : kSearchRates) tried += std::count(captions.begin(), captions.end(), Searching(rate));
    EXPECT_EQ(rig.app.settings.BaudIn * 10 + static_cast<long>(tried), c.found * 10 + static_cast<long>(c.ratesTried));
    // Port open, search entry checked, a box; the input
    EXPECT_EQ(Bits({rig.comm1.IsOpen(), rig.f.mnuAutoBaud.Checked(), !rig.dialogs.boxes.empty()}) +
                  std::to_string(rig.app.settings.ComPortIn), c.found ? "1004" : "0110");
    EXPECT_EQ(c.found ? rig.comm1.Settings() : std::to_string(rig.clock.Now()),
              c.found ? std::to_string(c.found) + ",N,8,1" : std::to_string(7 * 4500));
    Frame1_MouseDown(rig.app, button::kRight, 0, 0, 0);  // once a rate is found a right click opens Terminal In
    EXPECT_EQ(Bits({rig.f.mnuTerminalIn.Enabled(), rig.f.mnuTerminalIn.Checked()}), c.found ? "11" : "00");
  }
}

// Terminal In stays shut while the search reads the port.
TEST(AutoBaud, TheWindowKeepsWorkingAndComportOffStopsTheSearch) {
  SerialRig searching;
  Form1& f = searching.f;
  auto& searched = searching.RecordGprmcCaptions();
  std::string lockWhileSearching;
  f.lblGPRMC.captionChanged.Subscribe([&f, &lockWhileSearching] {
    if (f.lblGPRMC.Caption() == Searching(1200)) lockWhileSearching = f.lblLock.Caption() + Bits({f.mnuTerminalIn.Enabled()});
    if (f.lblGPRMC.Caption() == Searching(2400)) f.Option1[7].Click();
  });
  f.lblLock.SetCaption("Rx ok"), searching.app.settings.BaudIn = 0, f.Option1[0].Click();
  EXPECT_EQ(lockWhileSearching + "|" + searched.back() + "|" + searched[searched.size() - 2],
            "No Rx0|" + std::string(kZeroSentence) + "|" + Searching(2400));
  EXPECT_GE(searching.system.doEvents, 45);  // the window ran between the slices of the first wait
  EXPECT_TRUE(searching.dialogs.boxes.empty() && f.Option1[7].Value() && !searching.comm1.IsOpen());
}

// Only the fixed ports and the custom port are searched: a network target or a malformed line has no rate.
TEST(AutoBaud, OnlyTheFixedAndTheCustomSerialPortsAreSearched) {
  const std::tuple<int, int, bool, const char*> ports[] = {
      {6, 7, true, ""}, {9, 7, false, ""}, {9, 9, true, ""}, {6, 7, false, "6=tcp://h:1"}, {6, 7, false, "6=ftp://x"}};
  for (const auto& [port, custom, searched, line] : ports) {
    SerialRig searching;
    test::TempFolder folder;
    searching.system.appPath = folder.path(), WriteFile(folder / kComPortsFile, line);
    auto& seen = searching.RecordGprmcCaptions();
    Settings& s = searching.app.settings;
    s.CustomComIn = static_cast<std::int16_t>(custom), s.ComPortIn = static_cast<std::int16_t>(port), s.BaudIn = 0;
    ComPortInOpen(searching.app);
    EXPECT_EQ(!seen.empty() && seen.front() == "Searching for '$GP' at different bauds now.", searched) << port;
    EXPECT_EQ(searching.app.settings.ComPortIn, *line ? port : 0) << port;  // the fake opens any target
  }
}

TEST(ComPortInOpen, AReopenedPortStartsCleanAtItsRateAndBufferSize) {
  SerialRig rig;
  const Frame& frame = rig.f.Frame1;
  rig.app.settings.ComPortIn = 3, ComPortInOpen(rig.app);
  rig.clock.Advance(10000), ComPortInOpen(rig.app);  // reopened after one warning of the watchdog
  EXPECT_EQ(rig.comm1.openedSettings.at(1) + " " + std::to_string(rig.comm1.inBufferSize), "4800,N,8,1 8192");
  EXPECT_TRUE(frame.Caption() == "GPS-NMEA-0183" && frame.ForeColor() == colour::kBlack && frame.FontUnderline());
}

TEST(ComPortInOpen, AFailedOpenIsReportedAndTheInputEndsOff) {
  const std::tuple<long, bool, const char*> failures[] = {
      {4800, false, "ComPortInOpen"}, {4800, true, ""}, {0, false, "AutoBaud"}};  // "": no box
  for (const auto& [baud, minimal, proc] : failures) {
    SCOPED_TRACE(proc);
    SerialRig rig;
    Form1& f = rig.f;
    rig.app.settings.MinimalDisplay = minimal, rig.comm1.failOpen = RunTimeError(8002, "/dev/ttyS2: No such device");
    BaudSelect(rig.app, baud), f.Option1[2].Click();
    EXPECT_TRUE(rig.app.settings.ComPortIn == 0 && f.Option1[7].Value() && f.Option1[2].Enabled() && !f.tmrPolling.Enabled() &&
                !f.tmrComInTimeOut.Enabled() && f.lblGPRMC.Caption() == kZeroSentence);
    EXPECT_EQ(rig.app.display.form5.Label2.ForeColor() == colour::kBlue, minimal);  // no box: blue values
    EXPECT_EQ(rig.dialogs.boxes.size(), minimal ? 0u : 1u);
    EXPECT_TRUE(minimal || rig.dialogs.boxes.at(0).prompt.starts_with(proc + std::string(":\r\nCom3  /dev/ttyS2: No such")));
  }
}

// After five warnings on port 1 (the caption's colour stepping round) any fix, bearing or compass restarts the ten seconds.
TEST(Watchdog, SilenceWarnsEveryTenSecondsUntilAFixBearingOrCompass) {
  const std::pair<std::string, std::string> silences[] = {
      {test::Rmc(), Warning(10)}, {"%123/4", Warning(10)}, {test::Nmea("HCHDT,123.4,T"), Warning(60)}};
  for (const auto& [text, next] : silences) {
    SerialRig rig;
    Form1& f = rig.f;
    f.Option1[0].Click();
    std::vector<Colour> colours;
    for (int n = 1; n <= 5; ++n) {
      rig.clock.Advance(9999);
      EXPECT_EQ(rig.system.beeps, n - 1);
      rig.clock.Advance(1);
      EXPECT_EQ(f.Frame1.Caption() + std::to_string(rig.system.beeps), Warning(10 * n) + std::to_string(n));
      colours.push_back(f.Frame1.ForeColor());
    }
    EXPECT_EQ(colours, (std::vector<Colour>{colour::kBlue, colour::kRed, colour::kMagenta, colour::kCyan, colour::kBlue}));
    EXPECT_FALSE(f.Frame1.FontUnderline());
    rig.comm1.Feed(text + "\r\n"), rig.clock.Advance(1000 + 9999);  // the next poll reads it
    EXPECT_EQ(rig.system.beeps, 5) << text;
    rig.clock.Advance(1);
    EXPECT_EQ(f.Frame1.Caption(), next) << text;
  }
}

// A port that goes away while open is waited for, not switched off.
const RunTimeError kLost(err::kDeviceLost, "/dev/ttyS2: Device disappeared - was it unplugged?");
const std::string kNext = "\r\n$GPGSV,1\r\n";  // so the fix is not the carried tail

// Input and output chosen, the plain RMC relayed; the port that goes away at the first poll.
test::FakeSerialPort& LosePort(SerialRig& rig, int in, int out, bool inputGoes) {
  rig.ReadyToDecode(0), rig.Option(in - 1).Click(), ComOutSelect(rig.app, out, 9600);
  mnuTerminalOut_Click(rig.app), rig.f.mnuRMCPlainOut.SetChecked(true);
  test::FakeSerialPort& gone = inputGoes ? rig.comm1 : rig.comm2;
  (inputGoes && out != -1 ? gone.failRead : gone.failWrite) = gone.failOpen = kLost;
  rig.comm1.Feed(test::Rmc("120000") + kNext), rig.clock.Advance(1500);
  return gone;
}

TEST(LostPort, APortThatGoesAwayIsWaitedForAndReopenedWithoutABox) {
  // Input and output ports, which goes (else the separate output), the port named in the caption; switched off
  // while away, its words go and the wait ends.
  const struct { int in, out; bool inputGoes; int shown; bool off = false; } lostPorts[] = {
      {1, 2, true, 1}, {1, 2, false, 2}, {1, -1, true, 1}, {2, 1, false, 1}, {1, 2, true, 1, true},
      {1, 2, false, 2, true}};
  for (const auto& c : lostPorts) {
    SCOPED_TRACE(testing::Message() << c.in << " " << c.out << " " << c.inputGoes << (c.off ? " off" : ""));
    SerialRig rig;
    Form1& f = rig.f;
    test::FakeSerialPort& gone = LosePort(rig, c.in, c.out, c.inputGoes);
    const std::string caption = "Com" + std::to_string(c.shown) + " lost - waiting for /dev/ttyS" +
                                std::to_string(c.shown - 1) + " to return";
    EXPECT_EQ(f.Frame1.Caption(), caption);
    EXPECT_FALSE(gone.IsOpen() || f.Frame1.FontUnderline() || (f.lblLock.BackColor() == colour::kRed) != c.inputGoes);
    if (c.off) {
      c.inputGoes ? f.Option1[7].Click() : ComOutSelect(rig.app, 0, 9600);
      rig.clock.Advance(2000);
      EXPECT_TRUE(f.Frame1.Caption() == kFrameCaption && !f.tmrResume.Enabled());
      continue;
    }
    rig.clock.Advance(10000);  // still away: the watchdog keeps the words
    if (c.inputGoes) { EXPECT_EQ(f.Frame1.Caption(), caption); }
    EXPECT_EQ(rig.app.settings.ComPortIn * 10 + rig.app.settings.ComPortOut, c.in * 10 + c.out);
    EXPECT_EQ(rig.app.terminal.TerminalText[0].find(caption) != std::string::npos, !c.inputGoes);
    gone.failRead = gone.failWrite = gone.failOpen = std::nullopt;
    gone.written.clear(), rig.clock.Advance(2000);
    EXPECT_EQ(gone.Settings() + std::to_string(gone.IsOpen() * (gone.inBufferSize + gone.outBufferSize)),
              (c.inputGoes ? "4800,N,8,1" : "9600,N,8,1") + std::string("8192"));
    rig.comm1.ReadAll();  // what the unplugged device held is gone with it
    rig.comm1.Feed(test::Rmc("120005") + kNext), rig.clock.Advance(1500);
    EXPECT_EQ(rig.app.fix.UtcTimeText + "|" + (c.out == -1 ? rig.comm1 : rig.comm2).written,
              "12:00:05|" + test::Rmc("120005") + "\r\n");
    EXPECT_TRUE(f.Frame1.Caption().starts_with(kFrameCaption) && !f.tmrResume.Enabled() && rig.dialogs.boxes.empty());
  }
}

// The thirteen port and baud entries, in menu order: off, same, com1..5, 1200..38400.
std::string Flags(const Form1& f, bool (MenuItem::*flag)() const) {
  std::string s;
  for (auto e : {&Form1::mnuComOutOff, &Form1::mnuSameComOut, &Form1::mnuCom1, &Form1::mnuCom2, &Form1::mnuCom3,
                 &Form1::mnuCom4, &Form1::mnuCom5, &Form1::mnuBaud1200, &Form1::mnuBaud2400, &Form1::mnuBaud4800,
                 &Form1::mnuBaud9600, &Form1::mnuBaud19200, &Form1::mnuBaud38400})
    s += ((f.*e).*flag)() ? '1' : '0';
  return s;
}

// A rig whose output is a separate port.
struct OutRig : SerialRig {
  OutRig() { ComOutSelect(app, 1, 4800); }
  std::string& out() { return comm2.written; }
};

// A $GPRMC at 5 knots with this course and status, without and with its checksum; Sent: with the CR LF it leaves with.
std::string Body(const std::string& course = "300.0", const std::string& status = "A", const std::string& speed = "005.0") {
  return "GPRMC,123519," + status + ",4807.038,N,01131.000,E," + speed + "," + course + ",230394,003.1,W";
}
std::string Rmc(const std::string& course = "300.0", const std::string& status = "A", const std::string& speed = "005.0") {
  return test::Nmea(Body(course, status, speed));
}
std::string Sent(const std::string& sentence) { return sentence + "\r\n"; }

TEST(OutputPort, TheMenusChooseAPortAndRateOrShowWhyNot) {
  const struct { bool gpsOpen; int port; long baud; int portOut; long baudOut; const char *checks, *enabled; } cases[] = {
      {false, 5, 1200, 5, 1200, "0000001100000", "1000000000000"}, {false, 0, 38400, 0, 38400, "1000000000001", "1111111111111"},
      {false, 0, 12345, 0, 4800, "1000000001000", "1111111111111"}, {false, 7, 4800, 0, 4800, "1000000001000", "1111111111111"},
      {false, -1, 4800, 0, 4800, "1000000001000", "1111111111111"},  // the same port, input off
      {true, -1, 4800, -1, 4800, "0100000001000", "1000000000000"},
  };
  for (const auto& c : cases) {
    SerialRig rig;
    Form1& f = rig.f;
    if (c.gpsOpen) rig.comm1.Open(1, "4800,N,8,1", 8192, 0);
    ComOutSelect(rig.app, c.port, c.baud);
    EXPECT_EQ(rig.app.settings.ComPortOut * 100000L + rig.app.settings.BaudOut, c.portOut * 100000L + c.baudOut) << c.port;
    EXPECT_EQ(Flags(f, &MenuItem::Checked) + " " + Flags(f, &MenuItem::Enabled), c.checks + std::string(" ") + c.enabled);
    EXPECT_EQ(rig.comm2.opened, c.portOut > 0 ? std::vector<int>{c.portOut} : std::vector<int>{});
    EXPECT_EQ(f.mnuTerminalOut.Enabled() * 10 + f.mnuHCHDTinp.Enabled(), c.portOut > 0 ? 11 : c.portOut ? 10 : 1) << c.port;
  }
}

// Off closes the port and its entries, and a rate clicked meanwhile is kept.
TEST(OutputPort, OpenedAtTheRateChosenThenAnotherPortOrOff) {
  SerialRig rig;
  Form1& f = rig.f;
  const Window& terminalOut = rig.app.terminal.form3.form;
  ComOutSelect(rig.app, 2, 9600);  // then another port drops Terminal Out
  EXPECT_EQ(rig.comm2.openedSettings.at(0) + " " + std::to_string(rig.comm2.inBufferSize) + " " +
                std::to_string(rig.comm2.outBufferSize), "9600,N,8,1 0 8192");
  f.mnuTerminalOut.Click();
  ASSERT_TRUE(terminalOut.Visible());
  f.mnuCom3.Click();
  EXPECT_FALSE(f.mnuTerminalOut.Checked() || terminalOut.Visible());
  f.mnuTerminalOut.Click(), f.mnuHCHDTinp.SetChecked(true), f.mnuComOutOff.Click();
  EXPECT_FALSE(rig.comm2.IsOpen() || f.mnuTerminalOut.Checked() || f.mnuHCHDTinp.Checked() || terminalOut.Visible());
  EXPECT_EQ(Flags(f, &MenuItem::Enabled), "1111111111111");
  f.mnuBaud2400.Click(), f.mnuCom4.Click();
  EXPECT_EQ(rig.comm2.openedSettings, (std::vector<std::string>{"9600,N,8,1", "9600,N,8,1", "2400,N,8,1"}));
}

TEST(OutputPort, AFailedOpenIsReportedAndTheSharedPortIsOffered) {
  SerialRig failing;
  failing.comm2.failOpen = RunTimeError(8005, "/dev/ttyUSB1: Device busy"), failing.f.mnuCom3.Click();
  EXPECT_EQ(failing.dialogs.boxes.at(0).prompt + Flags(failing.f, &MenuItem::Checked).substr(0, 7),
            "OpenComOut\r\nCom3  /dev/ttyUSB1: Device busy1000000");
  failing.comm1.Open(1, "4800,N,8,1", 8192, 0), failing.dialogs.msgAnswers = {MsgResult::kNo, MsgResult::kYes};
  for (int shared : {0, -1}) {
    failing.f.mnuSameComOut.Click();
    EXPECT_EQ(failing.app.settings.ComPortOut, shared);
  }
}

TEST(OutputPort, WritesGoToTheOutputPortOrTheOpenGpsPort) {
  // output port, GPS port open -> written to the GPS port | to the output port | boxes
  const std::tuple<int, bool, const char*> writes[] = {
      {2, false, "|abc\r\n|0"}, {-1, true, "abc\r\n||0"}, {-1, false, "||0"}, {0, false, "||1"}};
  for (const auto& [out, gpsOpen, written] : writes) {
    SerialRig rig;
    if (gpsOpen) rig.comm1.Open(1, "4800,N,8,1", 8192, 0);
    if (out > 0) ComOutSelect(rig.app, out, 4800);
    rig.app.settings.ComPortOut = static_cast<std::int16_t>(out);
    SendToComout(rig.app, "abc"), SendToComout(rig.app, "");
    EXPECT_EQ(rig.comm1.written + "|" + rig.comm2.written + "|" + std::to_string(rig.dialogs.boxes.size()), written);
  }
}

TEST(OutputPort, AReaderTooSlowIsShownInTerminalOutAndTheWaitIsBounded) {
  OutRig slow;
  slow.f.mnuTerminalOut.Click(), slow.comm2.dropped = 3, slow.comm2.outPending = 50;  // a device that takes nothing
  SendToComout(slow.app, "$GPRMC,1,A*7F\r\n");
  EXPECT_TRUE(slow.app.terminal.form3.form.Caption().ends_with(" - 3 sentences dropped, the reader is too slow"));
  EXPECT_TRUE(slow.clock.Now() > 0 && slow.clock.Now() <= 2 * 10 * 1000 * 15 / 4800 + 250) << slow.clock.Now();
}

// Reported once and the output ends off; on the shared GPS port the failure ends the input, which reports it.
TEST(OutputPort, AWriteFailureIsReportedOnceAndEndsTheOutputOrTheSharedInput) {
  OutRig lost;
  lost.f.mnuRMCPlainOut.SetChecked(true), lost.comm2.failWrite = RunTimeError(57, "/dev/ttyUSB1: Device disappeared");
  lost.f.lblGPRMC.SetCaption(Rmc()), lost.f.lblGPRMC.SetCaption(Rmc("301.0"));
  EXPECT_TRUE(lost.dialogs.boxes.size() == 1 && lost.app.settings.ComPortOut == 0 && !lost.comm2.IsOpen() &&
              lost.f.mnuComOutOff.Checked() && Flags(lost.f, &MenuItem::Enabled) == "1111111111111");
  SerialRig shared;
  shared.f.Option1[2].Click(), ComOutSelect(shared.app, -1, 4800);
  shared.comm1.failWrite = RunTimeError(57, "/dev/ttyUSB0: Device disappeared"), SendToComout(shared.app, "abc");
  EXPECT_EQ(shared.app.lastInputError.procName + " " + std::to_string(shared.app.lastInputError.port) + " " +
                std::to_string(shared.app.settings.ComPortIn) + std::to_string(shared.dialogs.boxes.size()), "SendToComout 3 01");
}

TEST(Relay, AnotherTalkersSentencesAreRelayedOnlyWithAnyTalker) {
  const std::string gn = test::Nmea("GN" + Body().substr(2));
  const std::string gnGga = test::Nmea("GNGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,");
  for (const bool anyTalker : {true, false}) {
    OutRig rig;
    rig.ReadyToDecode(4), rig.f.mnuAnyTalker.SetChecked(anyTalker);
    rig.f.mnuRMCPlainOut.SetChecked(true), rig.f.mnuGPGGAOut.SetChecked(true);
    ExtractingGPRMC(rig.app, "$GPGSV,1*00\r\n" + gn + "\r\n"), RelayAltitude(rig.app, gnGga);
    SendGPRMCModified(rig.app, "%090/7", rig.f.lblGPRMC.Caption());
    EXPECT_EQ(rig.out(), anyTalker ? Sent(gn) + Sent(gnGga) + Sent(Rmc("30.0")) : "") << anyTalker;
  }
}

const std::string kGga = test::Nmea("GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,");
const std::string kGga2 = test::Nmea("GPGGA,123520,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,");
const std::string kRmz = test::Nmea("PGRMZ,1789,f,3");

TEST(Relay, TheAltitudeIsRelayedInTheSentenceChosenOnlyWhenNew) {
  const struct { bool gpgga, pgrmz; std::vector<std::string> arriving; std::string sent; } cases[] = {
      {true, false, {kGga, kRmz, kGga, kGga}, Sent(kGga)},
      {true, false, {kGga, kRmz, kGga2, kGga}, Sent(kGga) + Sent(kGga2) + Sent(kGga)},
      {false, true, {kGga, kRmz, kGga, kRmz}, Sent(kRmz)}, {false, false, {kGga, kRmz}, ""}};
  for (const auto& c : cases) {
    OutRig rig;
    rig.f.mnuGPGGAOut.SetChecked(c.gpgga), rig.f.mnuPGRMZOut.SetChecked(c.pgrmz);
    for (const std::string& s : c.arriving) RelayAltitude(rig.app, s);
    EXPECT_EQ(rig.out(), c.sent);
  }
}

TEST(Relay, CheckingAnEntrySendsWhatIsShownAndAltitudeEntriesExclude) {
  OutRig rig;
  Form1& f = rig.f;
  f.mnuTerminalOut.SetChecked(true), f.lblAltitude.SetCaption(kRmz), f.mnuPGRMZOut.Click();
  f.lblAltitude.SetCaption(kGga), f.mnuGPGGAOut.Click();
  EXPECT_FALSE(f.mnuPGRMZOut.Checked());
  f.mnuGPGGAOut.Click(), f.mnuGPGGAOut.Click();  // a cleared Terminal Out sends the same again
  RelayHCHDT(rig.app, "$HCHDT,123.4,T");  // the heading only when checked
  rig.app.heading.HCHDTSentence = "$HCHDT,123.4,T", f.mnuHCHDTout.Click();  // given its checksum
  f.lblGPRMC.SetCaption("$GPRMC*FF"), f.mnuRMCPlainOut.Click();  // a star from the 7th character on is its own
  EXPECT_EQ(rig.out(), Sent(kRmz) + Sent(kGga) + Sent(kGga) + Sent(test::Nmea("HCHDT,123.4,T")) + "$GPRMC*FF\r\n");
}

TEST(Relay, TheModifiedRmcCarriesTheBearingAboveTheMinimalSpeed) {
  const struct { std::string bearing, rmc; int minSpeed; std::string sentCourse; } modified[] = {  // "": nothing sent
      {"%090/7", Rmc(), 3, "30.0"}, {"%090/7", Rmc("300.0", "A", "002.0"), 3, ""},  // too slow
      {"%090/7", Rmc("300.0", "A", "002.0"), 2, "30.0"}, {"%999/0", Rmc(), 0, ""}, {"%000", Rmc("359.96"), 0, "360.0"},
      {"%060/1", Rmc(), 0, ".0"}, {"%350/1", Rmc("400.0"), 0, "30.0"}, {"%320", Rmc("400.0"), 0, ".0"},  // 720 and beyond lose two turns
      {"%359", Rmc("359.0"), 0, "358.0"}, {"%045/1", Rmc(""), 0, "45.0"}, {"%090/7", Rmc("300.0", "V"), 0, ""},
      {"%---", Rmc(), 0, ""}, {"%090*1", Rmc(), 0, ""}, {"090/7", Rmc(), 0, ""}, {"%09", Rmc(), 0, ""}, {"%090/7", "", 0, ""},
      {"%090/7", "$GPRMC,123519,A,4807.038,N,01131.000,E,005.0,300.0,230394*00", 0, ""},
  };
  for (const auto& c : modified) {
    OutRig rig;
    rig.app.settings.MinGpsSpeedOut = c.minSpeed, SendGPRMCModified(rig.app, c.bearing, c.rmc);
    const std::string speed = c.rmc.find(",002.0,") != std::string::npos ? "002.0" : "005.0";
    EXPECT_EQ(rig.out(), c.sentCourse.empty() ? "" : Sent(Rmc(c.sentCourse, "A", speed))) << c.bearing << " " << c.rmc;
  }
}

TEST(Relay, EveryNewSerialOrCompanionBearingIsSentModified) {
  const struct { Label Form1::*label; std::string caption; bool modified, agrelo; std::string sent; } bearings[] = {
      {&Form1::lblDoppler1, "$DFBRG123", true, false, Sent(Rmc("63.0"))},
      {&Form1::lblDoppler1, "DF045/2", true, true, Sent(Rmc("345.0")) + "%045/2\r\n"},
      {&Form1::lblDoppler1, "DF045/2", false, true, "DF045/2\r\n"}, {&Form1::lblDoppler1, "Duzevod232", true, true, ""},
      {&Form1::lblDDESound, "%---", true, false, ""}, {&Form1::lblDDESound, "%120/5", true, false, Sent(Rmc("60.0"))},
  };
  for (const auto& c : bearings) {
    OutRig rig;
    Form1& f = rig.f;
    f.lblGPRMC.SetCaption(Rmc()), f.mnuAgreloInOut.SetChecked(c.agrelo);
    f.mnuRMCModifiedOut1.SetChecked(c.modified && c.label == &Form1::lblDoppler1);
    f.mnuRMCModifiedOut.SetChecked(c.modified && c.label == &Form1::lblDDESound);
    (f.*c.label).SetCaption(c.caption);
    EXPECT_EQ(rig.out(), c.sent) << c.caption;
  }
}

// Checking either entry sends the bearing shown at once; the companion's is sent again as it arrives.
TEST(Relay, CheckingAModifiedEntrySendsTheBearingShownAtOnce) {
  OutRig serial;
  serial.f.lblDoppler1.SetCaption("%090/7"), serial.app.fix.GPRMCSentence = Rmc(), serial.f.mnuRMCModifiedOut1.Click();
  serial.f.lblGPRMC.SetCaption(Rmc()), serial.f.lblDoppler1.DblClick();  // a random test bearing, 180 here
  EXPECT_EQ(serial.out() + std::to_string(serial.system.beeps), Sent(Rmc("30.0")) + Sent(Rmc("120.0")) + "1");
  OutRig linked;
  linked.bus.companionValue = "%090/7", linked.f.lblGPRMC.SetCaption(Rmc()), linked.f.mnuRMCModifiedOut.Click();
  EXPECT_EQ(linked.out(), Sent(Rmc("30.0")) + Sent(Rmc("30.0")));
}

TEST(Companion, TheEntryLinksOnlyWithAnOutputAndARunningCompanion) {
  // output, companion -> Terminal Out started afresh, entry checked, sources shown, linked
  const std::tuple<bool, bool, const char*> links[] = {{true, true, "111"}, {true, false, "010"}, {false, true, "100"}};
  for (const auto& [output, companion, seen] : links) {
    SerialRig rig;
    rig.bus.companionRunning = companion;
    if (output) ComOutSelect(rig.app, 1, 4800);
    rig.f.mnuTerminalOut.SetChecked(true), rig.app.terminal.TerminalText[0] = "before", rig.f.mnuRMCModifiedOut.Click();
    EXPECT_EQ(rig.app.terminal.TerminalText[0] + Bits({rig.f.mnuRMCModifiedOut.Checked(), rig.f.mnuShowDDE.Checked(),
                  rig.bus.Linked()}), seen) << output << companion;
    rig.f.mnuRMCModifiedOut.Click();  // off again: the link ends
    EXPECT_FALSE(rig.bus.Linked() || rig.f.lblDDESound.Visible());
  }
}

TEST(Companion, ItsBearingShowsGreenOrRedAndItsLeavingIsReportedOnce) {
  test::TestRig companion;
  companion.bus.companionValue = "%045/3", companion.app.form1.mnuRMCModifiedOut.SetChecked(true);
  ASSERT_TRUE(AdjustLblDDESound(companion.app, true));
  const Label& l = companion.app.form1.lblDDESound;
  const auto shown = [&l] {
    return l.Caption() + (l.BackColor() == colour::kGreen ? " green" : l.BackColor() == colour::kRed ? " red" : "");
  };
  EXPECT_EQ(companion.bus.linkedTo + " " + shown() + std::to_string(l.Visible()), "Quillwave|Form1!lblDDESound1 %045/3 green1");
  companion.bus.CompanionSays("%---");
  EXPECT_EQ(shown(), "%--- red");
  companion.bus.CompanionSays("%123/4"), companion.bus.CompanionLeaves(), companion.bus.CompanionLeaves();  // reported once
  EXPECT_EQ(shown() + std::to_string(companion.dialogs.boxes.size()), "%123/4 green1");
  EXPECT_FALSE(companion.app.form1.mnuRMCModifiedOut.Checked() || companion.bus.Linked());
  EXPECT_TRUE(AdjustLblDDESound(companion.app, false) && !l.Visible());  // switched off
}

TEST(Publishing, TheFixIsPublishedWithTheInputsValidityUntilShutdown) {
  for (const auto& [input, val] : {std::pair{3, "A"}, {-1, "A"}, {-2, "A"}, {0, ""}, {-3, "lblVal1"}}) {
    test::TestRig published;
    const Form1& f = published.app.form1;
    FixState& fix = published.app.fix;
    published.app.settings.ComPortIn = static_cast<std::int16_t>(input), SpeedSelect(published.app, 3);
    fix.LatitudeText = "4807.04N", fix.LongitudeText = "01131.00E", fix.RmcStatus = "A", fix.SpeedKnotsText = "022.4";
    published.app.form1.lblCompass.SetCaption("084.4"), DDElinks(published.app);
    EXPECT_EQ(f.lblLat1.Caption() + "|" + f.lblLong1.Caption() + "|" + f.lblVal1.Caption() + "|" + f.lblCompas1.Caption() +
                  "|" + f.lblSpeed1.Caption(), std::string("4807.04N|01131.00E|") + val + "|084.4|022.4 knots") << input;
    published.app.form1.lblVal1.SetCaption("Off"), DDElinks(published.app);  // after shutdown it stays off
    EXPECT_EQ(f.lblVal1.Caption(), "Off") << input;
  }
}

// ComPorts.cfg: which device or network target each port number opens.
TEST(ComPorts, EachNumberOpensItsFirstLineOrTheDefault) {
  test::TempFolder folder;
  EXPECT_EQ(DevicePath(folder.path(), 3), "/dev/ttyS2");  // no file: defaults only
  WriteFile(folder / kComPortsFile,
            "# receivers\n3=/dev/ttyUSB0\r\n 4 = /dev/ttyACM0 \n3=/dev/ttyUSB9\nx=/dev/null\n5=\n12abc=/dev/tty1\n007=/dev/ttyUSB7\n0012=/dev/tty2\n");
  // The first line of a number wins; an empty path is no line.
  const std::pair<int, const char*> cases[] = {{3, "/dev/ttyUSB0"}, {4, "/dev/ttyACM0"}, {5, "/dev/ttyS4"},
                                               {1, "/dev/ttyS0"},   {12, "/dev/ttyS11"}, {7, "/dev/ttyUSB7"}};
  for (const auto& [port, path] : cases) EXPECT_EQ(DevicePath(folder.path(), port), path) << port;
  EXPECT_EQ(ReadComPorts(folder.path()).size(), 3u);
}

// Saving replaces or removes one number's line; a full disk, seen only when the text is pushed out, leaves the file.
TEST(ComPorts, SavingReplacesOrRemovesTheLineOfOneNumberOrFailsLeavingTheFile) {
  test::TempFolder folder;
  const std::string file = folder / kComPortsFile;
  WriteFile(file, "# receivers\n3=/dev/ttyUSB0\n4=/dev/ttyACM0\n3=/dev/ttyUSB9\n");
  SaveComPort(folder.path(), 3, "/dev/ttyUSB1");
  EXPECT_EQ(ReadFile(file), "# receivers\n3=/dev/ttyUSB1\n4=/dev/ttyACM0\n");
  SaveComPort(folder.path(), 7, "/dev/pts/4"), SaveComPort(folder.path(), 31, "/dev/pts/5");  // 31: the last number
  SaveComPort(folder.path(), 4, "");
  const std::string saved = "# receivers\n3=/dev/ttyUSB1\n7=/dev/pts/4\n31=/dev/pts/5\n";
  EXPECT_EQ(ReadFile(file) + std::to_string(test::Exists(file + ".tmp")), saved + "0");
  for (int port : {0, 32}) EXPECT_THROW(SaveComPort(folder.path(), port, "/dev/ttyUSB0"), RunTimeError) << port;
  std::filesystem::create_symlink("/dev/full", file + ".tmp");
  EXPECT_THROW(SaveComPort(folder.path(), 4, "/dev/ttyUSB1"), RunTimeError);
  ASSERT_FALSE(std::filesystem::is_symlink(file));  // else it would now lead to /dev/full
  EXPECT_EQ(ReadFile(file) + std::to_string(std::filesystem::is_symlink(file + ".tmp")), saved + "0");
}

TEST(ComPorts, EachLineNamesItsTargetKindHostPortOrPath) {
  using K = TargetKind;
  const struct { const char* text; K kind; const char* host; int port; const char* path; } targets[] = {
      {"/dev/serial/by-id/usb-u-blox", K::kDevice, "", 0, "/dev/serial/by-id/usb-u-blox"},
      {"gpsd://", K::kGpsd, "localhost", 2947, ""},           {"gpsd://10.0.0.2", K::kGpsd, "10.0.0.2", 2947, ""},
      {"gpsd://:2948/", K::kGpsd, "localhost", 2948, ""},     {"tcp://192.168.1.20:10110", K::kTcp, "192.168.1.20", 10110, ""},
      {"tcp://[::1]:65535", K::kTcp, "::1", 65535, ""},       {"listen://:10110", K::kListen, "127.0.0.1", 10110, ""},
      {"listen://0.0.0.0:1", K::kListen, "0.0.0.0", 1, ""},     {"pty:///tmp/koralin-gps-out", K::kPty, "", 0, "/tmp/koralin-gps-out"},
  };
  for (const auto& c : targets) {
    const PortTarget t = ParseTarget(c.text);
    EXPECT_TRUE(t.kind == c.kind && HasLineSpeed(t) == (c.kind == K::kDevice)) << c.text;
    EXPECT_EQ(t.host + ":" + std::to_string(t.tcpPort) + t.path, c.host + (":" + std::to_string(c.port)) + c.path);
  }
}

TEST(ComPorts, AMalformedLineIsNamedWithItsFaultAndOthersStillOpen) {
  test::TempFolder faulty;
  const std::pair<const char*, const char*> faults[] = {
      {"ftp://x:1", "unknown kind \"ftp://\" - use a device path, gpsd://, tcp://, listen:// or pty://"},
      {"tcp://192.168.1.20", "no port - write it as tcp://192.168.1.20:10110"},
      {"tcp://:10110", "no host - write it as tcp://host:port"}, {"tcp://[::1:5", "the address has no closing ]"},
      {"listen://127.0.0.1:0", "the port 0 is outside 1 to 65535"}, {"tcp://h:65536", "the port 65536 is outside 1 to 65535"},
      {"tcp://h:99999999999", "the port \"99999999999\" is not a number"}, {"tcp://h:-1", "the port \"-1\" is not a number"},
      {"pty://tmp/x", "pty:// needs the full path of the link, e.g. pty:///tmp/koralin-gps-out"},
  };
  for (const auto& [text, why] : faults) {
    WriteFile(faulty / kComPortsFile, std::string("x=1\r\n2=/dev/ttyUSB0\r\n0004=/dev/ttyUSB4\r\n4=") + text + "\r\n");
    try {
      TargetOf(faulty.path(), 4);
      ADD_FAILURE() << text << " accepted";
    } catch (const RunTimeError& e) {
      EXPECT_EQ(e.Description(), std::string("ComPorts.cfg line 4 \"4=") + text + "\": " + why);
    }
    EXPECT_EQ(TargetOf(faulty.path(), 2).path + " " + TargetOf(faulty.path(), 5).path, "/dev/ttyUSB0 /dev/ttyS4");  // others open
  }
}

// The no-input warning names a program that holds the input's device, in the caption and in Terminal In.
TEST(Watchdog, NamesTheProgramHoldingTheInputDevice) {
  const std::string quiet = Warning(10);  // no one holds it, or there is no device to hold
  const struct { const char* target; const char* holder; std::string shown; } rows[] = {
      {"/dev/ttyUSB0", "gpsd", "gpsd is reading /dev/ttyUSB0: choose 'gpsd on this PC' or stop gpsd"},
      {"/dev/ttyUSB0", "minicom", "minicom is reading /dev/ttyUSB0: close it or choose another port"},
      {"/dev/ttyUSB0", "", quiet}, {"gpsd://localhost:2947", "gpsd", quiet}};
  for (const auto& r : rows) {
    SerialRig rig;
    test::TempFolder folder;
    rig.system.appPath = folder.path(), SaveComPort(folder.path(), 3, r.target);
    rig.system.deviceHolder = [&](const std::string& device) { return device == "/dev/ttyUSB0" ? r.holder : "wrong device"; };
    rig.app.settings.ComPortIn = 3, rig.f.mnuTerminalIn.Click(), tmrComInTimeOut_Timer(rig.app);
    EXPECT_EQ(rig.f.Frame1.Caption() + "|" + rig.app.terminal.form2.screen.Text(),
              r.shown + "|" + (r.shown == quiet ? "" : r.shown + "\r\n")) << r.target;
  }
}

// A 1 Hz receiver stops for 40 s and starts again: its first fix takes the
// warning away, however fast the polling.
TEST(Watchdog, TheFirstFixAfterASilenceClearsTheWarning) {
  for (int pollMs : {50, 1500}) {
    SerialRig rig;
    const Frame& frame = rig.f.Frame1;
    rig.ReadyToDecode(0), rig.f.tmrPolling.SetInterval(pollMs), rig.f.Option1[0].Click();
    rig.comm1.Feed(test::Rmc("120000") + "\r\n"), rig.clock.Advance(1500), rig.clock.Advance(40000);
    ASSERT_TRUE(frame.Caption().starts_with("Warning no RS232")) << pollMs;
    std::string seen;
    for (int second = 1; second <= 3; ++second) {
      rig.comm1.Feed(test::Rmc("12004" + std::to_string(second)) + "\r\n"), rig.clock.Advance(1000);
      seen += frame.Caption() + (frame.FontUnderline() ? "_" : "") + "|";
    }
    EXPECT_EQ(seen, "GPS-NMEA-0183_|GPS-NMEA-0183_|GPS-NMEA-0183_|") << pollMs;
  }
}

}  // namespace
}  // namespace koralin
