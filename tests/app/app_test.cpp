// Start-up, the settings folder, Gps.cfg, Options.cfg, the exit, and setting the PC clock from the fix.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>

#include "app/intake.h"
#include "app/keys_and_mouse.h"
#include "app/options_file.h"
#include "app/settings_file.h"
#include "app/settings_folder.h"
#include "app/shutdown.h"
#include "app/startup.h"
#include "common/basic.h"
#include "common/text_file.h"
#include "support/fakes.h"
#include "support/files.h"
#include "support/sentences.h"

namespace koralin {
namespace {

// A program on fakes whose settings live in a fresh folder.
struct SettingsRig : test::TestRig {
  SettingsRig() {
    system.appPath = folder.path();
    app.settings.CfgFileName = folder / "Gps.cfg";
  }
  std::string CfgPath() const { return app.settings.CfgFileName; }
  test::TempFolder folder;
};

// Started in a folder holding a settings file written with the given changes.
struct Started : SettingsRig {
  explicit Started(const std::function<void(App&)>& change = nullptr) {
    if (change) {
      test::TestRig writer;
      writer.app.settings.CfgFileName = CfgPath();
      DefaultSettings(writer.app);
      change(writer.app);
      SaveSettings(writer.app);
    }
    app.settings.CfgFileName.clear();  // the program finds it
    Form1_Load(app);
  }
  bool Saved() const { return test::Exists(folder / "Gps.cfg"); }
};

TEST(Startup, EachStoredSettingTakesEffectWithoutABox) {
  const struct { const char* what; void (*change)(App&); void (*expect)(const App&); } cases[] = {
      {"closed during playback", [](App& a) { a.settings.ComPortIn = -2; },
       [](const App& a) { EXPECT_EQ(a.settings.ComPortIn, 0); }},
      {"odd polling interval", [](App& a) { a.settings.PollingInterval = 100; },
       [](const App& a) { EXPECT_EQ(a.form1.tmrPolling.Interval() + a.settings.PollingInterval, 100); }},
      {"custom port", [](App& a) { a.settings.CustomComIn = 12; },
       [](const App& a) { EXPECT_EQ(a.form1.Option1[6].Caption(), "Com12"); }},
      {"smooth bar", [](App& a) { a.settings.SmoothSpeedBar = 1; }, [](const App& a) { EXPECT_TRUE(a.form1.ProgressBar1.Smooth()); }},
      {"minimal display", [](App& a) { a.settings.MinimalDisplay = true, a.settings.ComPortIn = -1; },
       [](const App& a) { EXPECT_TRUE(!a.form1.form.Visible() && a.display.form5.form.Visible()); }},
      {"minimal display, input off", [](App& a) { a.settings.MinimalDisplay = true; },
       [](const App& a) { EXPECT_TRUE(a.form1.form.Visible() && !a.display.form5.form.Visible()); }},
      {"no file: the defaults, in the program's folder", nullptr, [](const App& a) {
         const Form1& g = a.form1;
         EXPECT_EQ(a.settings.CfgFileName + a.settings.LogFileName,
                   a.platform.system.AppPath() + "/Gps.cfg" + a.platform.system.AppPath() + "/GpsData.log");
         EXPECT_TRUE(g.form.Visible() && g.mnuAnyTalker.Checked() &&  // no Options.cfg yet
                     !(g.tmrComInTimeOut.Enabled() || g.lblHeight.Visible() || g.lblAltitude.Visible() || g.lblDDESound.Visible()));
         EXPECT_EQ(g.lstCustumComIn.Items().front() + "-" + g.lstCustumComIn.Items().back(), "7-31");  // beyond the buttons
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Started s(c.change);
    EXPECT_TRUE(s.dialogs.boxes.empty());
    c.expect(s.app);
  }
}

TEST(Startup, ASecondCopyShowsOneBoxEndsAndTouchesNothing) {
  SettingsRig rig;
  const std::string stored = "stored by the first copy\r\n";
  test::WriteFile(rig.CfgPath(), stored);
  rig.app.settings.CfgFileName.clear();  // the program finds it
  rig.system.prevInstance = true;
  rig.comm1.Open(1, "4800,N,8,1", 1024, 512);
  Form1_Load(rig.app);  // one box, nothing behind it
  EXPECT_TRUE(rig.dialogs.boxes.size() == 1 && rig.system.ended && rig.app.settings.CfgFileName.empty() &&
              !rig.app.form1.form.Visible());
  ExitProgram(rig.app);  // a signal reaching it now must not write settings either
  EXPECT_TRUE(test::ReadFile(rig.folder / "Gps.cfg") == stored && rig.comm1.IsOpen());
}

// No menu entry or timer of the main window is left without its handler.
TEST(Wiring, EveryMenuEntryAndTimerDoesSomething) {
  test::TestRig rig;
  std::vector<const MenuItem*> menus(rig.app.form1.menuBar.begin(), rig.app.form1.menuBar.end());
  while (!menus.empty()) {
    const MenuItem* m = menus.back();
    menus.pop_back(), menus.insert(menus.end(), m->items.begin(), m->items.end());
    EXPECT_TRUE(!m->items.empty() || m->IsSeparator() || !m->onClick.Empty()) << m->Name();
  }
  for (const Timer* t : rig.app.form1.Timers()) EXPECT_FALSE(t->onTick.Empty()) << t->Name();
}

// The main window's keys: F1 or Esc stops a playback, M toggles the minimal display, only Alt+F4 ends the program
// (which stops a playback too).
TEST(Keys, EachKeyDoesItsOneThing) {
  const struct { int key, shift; const char* done; } rows[] = {
      {key::kF1, 0, "stop"}, {key::kEscape, key::kAlt, "stop"}, {key::kM, 0, "minimal"}, {key::kF4, key::kAlt, "stopend"},
      {key::kF4, 0, ""},     {key::kEscape, 0, "stop"}};
  for (const auto& r : rows) {
    test::TestRig rig;
    rig.app.settings.ComPortIn = 1;
    Form1_KeyDown(rig.app, r.key, r.shift);
    EXPECT_EQ(std::string(rig.app.StopPlay ? "stop" : "") + (rig.app.settings.MinimalDisplay ? "minimal" : "") +
                  (rig.system.ended ? "end" : ""), r.done) << r.key << " " << r.shift;
  }
}

TEST(SettingsFolder, TheRuleChoosesTheFolderAndTheFileThatSeedsIt) {
  const std::string cfg = "/home/ann/.config/koralin-gps";
  // Program folder writable, holding Gps.cfg, installed; XDG_CONFIG_HOME, HOME -> folder | settings handed out
  const struct { bool writable, hasCfg, installed; const char *xdg, *home; std::string want; } rows[] = {
      {true, true, false, "", "/home/ann", "/opt/gps|"}, {false, true, false, "", "/home/ann", cfg + "|/opt/gps/Gps.cfg"},
      {true, false, true, "", "/home/ann", cfg + "|"},   {true, true, true, "", "/home/ann", cfg + "|/opt/gps/Gps.cfg"},
      {false, false, true, "/x/cfg/", "/home/ann", "/x/cfg/koralin-gps|"}, {false, false, true, "cfg", "/home/ann/", cfg + "|"},
      {false, true, true, "", "", "/opt/gps|"},  // no HOME, no XDG: the first row is the portable one
  };
  for (const auto& r : rows) {
    const SettingsPlace got = ChooseSettingsFolder({"/opt/gps", r.writable, r.hasCfg, r.installed, r.xdg, r.home});
    EXPECT_EQ(got.folder + "|" + got.seedCfg, r.want) << r.xdg << r.writable << r.hasCfg << r.installed;
  }
}

// Whatever Options.cfg holds, the defaults are read without waiting; whole
// numbers are read when in range. The file left behind holds every option as
// switched since, the numbers only where the user wrote them, the team car set
// in its dialog, and every line it did not know.
TEST(OptionsFile, ABadFileOrValueMeansTheDefaultsAndTheSaveKeepsItsOtherLines) {
  using Make = std::function<void(const std::string&)>;
  const auto text = [](std::string t) { return Make([t](const std::string& p) { test::WriteFile(p, t); }); };
  const std::string flags = "TeamCar=\nAnyTalker=0\nCrcAnyCase=1\nFixWithoutRmc=1\n";
  // AnyTalker, ListenClients, DfMinQuality, DfMaxAgeMinutes as read; the file saved with AnyTalker switched ("": a box)
  const struct { const char* name; Make make; bool anyTalker; int limit, quality, minutes; std::string saved; } cases[] = {
      {"missing", [](const std::string&) {}, true, 16, 0, 0, flags},
      {"off, other lines kept", text("# mine\r\nColour = red\r\n AnyTalker = 0\r\n"), false, 16, 0, 0,
       "# mine\nColour = red\nAnyTalker=1\nTeamCar=\nCrcAnyCase=1\nFixWithoutRmc=1\n"},
      {"unknown value, no line end", text("AnyTalker=yes"), true, 16, 0, 0,
       "AnyTalker=0\nTeamCar=\nCrcAnyCase=1\nFixWithoutRmc=1\n"},
      {"empty", text(""), true, 16, 0, 0, flags},
      {"binary", text(std::string("AnyTalker=0\n\0\xFF", 14)), true, 16, 0, 0, flags},
      {"huge", text("AnyTalker=0\n" + std::string(70000, '#')), true, 16, 0, 0, flags},
      {"fifo", [](const std::string& p) { ::mkfifo(p.c_str(), 0600); }, true, 16, 0, 0, ""},  // never replaced
      {"folder", [](const std::string& p) { std::filesystem::create_directory(p); }, true, 16, 0, 0, ""},
      {"numbers", text("ListenClients = 40\nDfMinQuality=4\nDfMaxAgeMinutes=15\n"), true, 40, 4, 15,
       "ListenClients=40\nDfMinQuality=4\nDfMaxAgeMinutes=15\n" + flags},
      {"too small, too large", text("ListenClients=0\nDfMinQuality=10\n"), true, 16, 0, 0,
       "ListenClients=16\nDfMinQuality=0\n" + flags},
      {"too large, negative", text("ListenClients=257\nDfMaxAgeMinutes=-1\n"), true, 16, 0, 0,
       "ListenClients=16\nDfMaxAgeMinutes=0\n" + flags},
      {"not a number", text("ListenClients=many\nDfMinQuality=9\n"), true, 16, 9, 0, "ListenClients=16\nDfMinQuality=9\n" + flags},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    test::TestRig rig;
    test::TempFolder folder;
    rig.app.settings.CfgFileName = folder / "Gps.cfg";
    c.make(OptionsFileName(rig.app));
    LoadOptions(rig.app);
    EXPECT_EQ(rig.app.form1.mnuAnyTalker.Checked(), c.anyTalker);
    EXPECT_EQ(std::tuple(rig.app.serial.ListenClients, rig.app.hunt.rules.minQuality, rig.app.hunt.rules.maxAgeSeconds),
              std::tuple(c.limit, c.quality, c.minutes * 60.0));
    rig.app.form1.mnuAnyTalker.SetChecked(!c.anyTalker);
    KeepOption(rig.app, "TeamCar");
    SaveOptions(rig.app);
    EXPECT_EQ(std::to_string(rig.dialogs.boxes.size()) + (c.saved.empty() ? "" : test::ReadFile(folder / "Options.cfg")),
              (c.saved.empty() ? "1" : "0") + c.saved);
  }
}

TEST(Exit, StopsThePollingThenSavesAndClosesThenEnds) {
  Started r;
  App& app = r.app;
  r.comm1.Open(3, "4800,N,8,1", 1024, 512);
  r.comm2.Open(2, "4800,N,8,1", 1024, 512);
  app.form1.tmrPolling.SetEnabled(true);
  app.form1.tmrComInTimeOut.SetEnabled(true);
  app.settings.ComPortIn = -2;  // during playback the stored input stays playback: the next start turns it off
  std::string seen;  // saved, ports open, ended when the polling stops and when "Off" is published
  const auto state = [&] {
    return std::to_string(r.Saved() * 100 + (r.comm1.IsOpen() || r.comm2.IsOpen()) * 10 + r.system.ended);
  };
  app.form1.tmrPolling.changed.Subscribe([&] { seen += app.form1.tmrPolling.Enabled() ? "" : "timer " + state() + " "; });
  app.form1.lblVal1.captionChanged.Subscribe([&] { seen += app.form1.lblVal1.Caption() + " " + state(); });
  ExitProgram(app);
  EXPECT_EQ(seen, "timer 10 Off 100");
  EXPECT_TRUE(app.StopPlay && r.system.ended && !app.form1.tmrComInTimeOut.Enabled() && !app.form1.form.Visible());
  EXPECT_TRUE(test::ReadFile(r.folder / "Gps.cfg").find("\r\n-2\r\n7\r\n") != std::string::npos &&
              test::ReadFile(r.folder / "Options.cfg") == "AnyTalker=1\nCrcAnyCase=1\nFixWithoutRmc=1\n");
}

TEST(Exit, AFailedSaveStillEndsTheProgramWithOneBox) {
  Started failing;
  failing.comm1.Open(3, "4800,N,8,1", 1024, 512);
  failing.app.settings.CfgFileName = failing.folder / "gone/Gps.cfg";
  failing.app.form1.mnuExit.Click();
  EXPECT_TRUE(failing.dialogs.boxes.size() == 1 && !failing.comm1.IsOpen() && failing.system.ended);
}

// Every field differs from its default, so a field read or written wrong changes the text.
TEST(SettingsFile, LoadThenSaveReproducesEveryField) {
  const std::string head =
      "\"Koralin GPS Readout. Version 1.21\"\r\n\"/home/fox/logs/hunt 3.log\"\r\n38400\r\n-2\r\n31\r\n50\r\n1\r\n"
      "32767\r\n-12\r\n1\r\n-1\r\n115200\r\n2147483647\r\n-180\r\n1234.5\r\n-.25\r\n-32768\r\n-2147483648\r\n";
  for (std::size_t pattern = 0; pattern < 2; ++pattern) {  // every second item checked, then the opposite
    std::string text = head;
    for (std::size_t i = 0; i < 12; ++i) text += (i + pattern) % 2 == 0 ? "\"True\"\r\n" : "\"False\"\r\n";
    text += "#TRUE#\r\n#TRUE#\r\n";
    SettingsRig rig;
    test::WriteFile(rig.CfgPath(), text);
    LoadSettings(rig.app);
    EXPECT_TRUE(rig.dialogs.boxes.empty() && rig.app.settings.MinimalTop == 1234.5f && rig.app.settings.ComPortIn == -2 &&
                rig.app.form1.mnuFeet2Metres.Checked() == (pattern == 0));
    SaveSettings(rig.app);
    EXPECT_EQ(test::ReadFile(rig.CfgPath()), text);
  }
}

// A field of the wrong type, a file cut short (after its 20th line) or a folder (line 0): a read error, then
// the defaults, which leave alone the menus they do not cover.
TEST(SettingsFile, EachFieldIsReadByItsTypeOrRefusedForTheDefaults) {
  const struct { int line; const char* text; long error; const char* written; std::size_t count = 32; } cases[] = {
      {4, "12abc", 13, ""},         {4, "", 13, ""},              {4, "40000", 6, ""},          {3, "3000000000", 6, ""},
      {15, "1e999", 6, ""},         {15, "x1", 13, ""},           {15, "-3.5e38", 6, ""},       {31, "#YES#", 13, ""},
      {32, "True", 13, ""},         {6, "- 5", 13, ""},           {9, "  +2 ", 0, "2"},         {6, "100.5", 0, "100"},
      {32, "#true#", 0, "#TRUE#"},  {15, "0.25", 0, ".25"},       {15, "7200.0", 0, "7200"},
      {23, "\"tRuE\"", 0, "\"True\""}, {23, "True", 0, "\"True\""},
      {23, "\"yes\"", 0, "\"False\""}, {23, "\"True \"", 0, "\"False\""},
      {23, "\"True\"", 62, "", 20},  {0, "", 75, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.line) + " " + c.text);
    SettingsRig rig;
    DefaultSettings(rig.app);  // the default file with BaudOut (line 12) 9600 and the line, cut to count
    auto lines = SplitLines(SettingsFileText(rig.app));
    lines[11] = "9600";
    if (c.line > 0) lines[static_cast<std::size_t>(c.line - 1)] = c.text;
    lines.resize(c.count);
    std::string text;
    for (const auto& l : lines) text += l + "\r\n";
    if (c.line == 0) std::filesystem::create_directory(rig.CfgPath());
    if (c.line != 0) test::WriteFile(rig.CfgPath(), text);
    rig.app.settings.BaudIn = 4800;
    Form1& f = rig.app.form1;
    MenuItem* const kept[] = {&f.mnuFeet2Metres, &f.mnuLockCheck, &f.mnuReflines, &f.mnuHCHDTout};
    if (c.error != 0)
      for (MenuItem* m : {&f.mnuRMCPlainOut, kept[0], kept[1], kept[2], kept[3]}) m->SetChecked(true);
    LoadSettings(rig.app);
    const auto& boxes = rig.dialogs.boxes;
    if (c.error == 0) {
      EXPECT_EQ(std::to_string(boxes.size()) + SplitLines(SettingsFileText(rig.app))[static_cast<std::size_t>(c.line - 1)],
                "0" + std::string(c.written));
      continue;
    }
    for (MenuItem* m : kept) EXPECT_TRUE(m->Checked()) << m->Name();
    const std::string head = "File Read Error " + rig.CfgPath() + "\r\n\r\nError =" + Str(c.error) + "\r\n";
    EXPECT_TRUE(boxes.size() == 1 && boxes[0].prompt.starts_with(head) && rig.app.settings.BaudOut == 4800 &&
                rig.app.settings.BaudIn == 0 && !f.mnuRMCPlainOut.Checked() && f.mnuCrcCheck.Checked());
  }
}

struct ClockRig : test::TestRig {
  ClockRig() {
    ReadyToDecode(1);
    comm1.Open(1, "4800,N,8,1", 1024, 512);
  }
  // One poll of the serial input carrying a $GPRMC of this time and date. A poll carries
  // the last sentence of the one before, so each ends with one that is no $GPRMC.
  void Receive(const std::string& time, const std::string& date = "150626") {
    comm1.Feed(test::Nmea("GPRMC," + time + ",A,4807.038,N,01131.000,E,022.4,084.4," + date + ",003.1,W") + "\r\n");
    comm1.Feed("$GPGSV,1\r\n");
    getGPSinput(app);
  }
};

// Across the year, the month's end and back over a leap day. A sentence whose date is no date is dropped,
// the input staying on, and sets nothing.
TEST(PcClock, SetToTheFixTimeShiftedByTheRequestedOffset) {
  const struct { int offset; const char* time; const char* date; std::vector<DateTime> set; } cases[] = {
      {2, "223015", "311226", {{2027, 1, 1, 0, 30, 15}}},     {-5, "021000", "010324", {{2024, 2, 29, 21, 10, 0}}},
      {12, "120000", "150626", {{2026, 6, 16, 0, 0, 0}}},     {-12, "115959", "150626", {{2026, 6, 14, 23, 59, 59}}},
      {0, "101010.6", "150626", {{2026, 6, 15, 10, 10, 11}}}, {7, "160000", "150626", {{2026, 6, 15, 23, 0, 0}}},
      {2, "230000", "300426", {{2026, 5, 1, 1, 0, 0}}},       {1, "230000", "280225", {{2025, 3, 1, 0, 0, 0}}},
      {0, "120000", "3106", {}}, {0, "120000", "310226", {}}, {0, "120000", "310426", {}}, {0, "120000", "310626", {}},
      {0, "120000", "310926", {}}, {0, "120000", "311126", {}}, {0, "120000", "150026", {}}, {0, "120000", "290226", {}},
      {0, "120000", "1506a6", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.offset) + " " + c.time + " " + c.date);
    ClockRig rig;
    rig.app.shell.ClockOffsetPending = c.offset;
    rig.Receive(c.time, c.date);
    EXPECT_EQ(rig.clockSetter.set, c.set);
    EXPECT_EQ(rig.app.shell.ClockOffsetPending.has_value(), c.set.empty());
    EXPECT_TRUE(c.set.size() || (rig.app.lastInputError.count == 0 && rig.app.form1.Frame1.Caption() == "GPS-NMEA-0183 Bad sentence !"));
  }
}

// Three fixes arrive; a setting that waits is answered before the third. The
// clock is set once per request, only from a real serial port, and the fixes go
// on meanwhile; a refusal, at once or late, goes to the port report and keeps the request.
TEST(PcClock, SetOnceForEachRequestFromARealSerialPortOnly) {
  enum How { kAtOnce, kRefused, kLater, kRefusedLater };
  const RunTimeError no(70, "The PC clock was not set: no right");
  // input, request, answer -> settings made, the request left ("-": none), the port report, the input after
  const struct { int input; std::optional<int> request; How how; const char* seen; } rows[] = {
      {1, {}, kAtOnce, "0-|1"}, {1, 0, kAtOnce, "1-|1"}, {1, 0, kLater, "1-|1"}, {0, 1, kAtOnce, "01|0"},
      {-1, 1, kAtOnce, "01|-1"}, {-2, 1, kAtOnce, "01|-2"}, {1, 2, kRefused, "02getGPSinput 1 The PC clock was not set: no right|0"},
      {1, 2, kRefusedLater, "12getGPSinput 1 The PC clock was not set: no right|0"}};
  for (const auto& r : rows) {
    SCOPED_TRACE(std::to_string(r.input) + " " + std::to_string(r.request.value_or(-1)) + " " + std::to_string(r.how));
    ClockRig rig;
    rig.app.settings.ComPortIn = static_cast<std::int16_t>(r.input);
    rig.app.shell.ClockOffsetPending = r.request;
    rig.clockSetter.waits = r.how >= kLater;
    if (r.how == kRefused) rig.clockSetter.fail = no;
    rig.Receive("120000");
    rig.Receive("120001");
    if (r.how >= kLater) {
      EXPECT_TRUE(rig.clockSetter.Busy() && rig.app.shell.ClockOffsetPending == r.request);
      EXPECT_EQ(rig.app.fix.UtcTimeText, "12:00:01");
      rig.clockSetter.Answer(r.how == kRefusedLater ? std::optional(no) : std::nullopt);
    }
    rig.Receive("120002");
    const auto& left = rig.app.shell.ClockOffsetPending;
    const ErrorRecord& e = rig.app.lastInputError;
    EXPECT_EQ(std::to_string(rig.clockSetter.set.size()) + (left ? std::to_string(*left) : "-") +
                  (e.count ? e.procName + " " + std::to_string(e.port) + " " + e.description : "") + "|" +
                  std::to_string(rig.app.settings.ComPortIn),
              r.seen);
  }
}

TEST(TimeMenu, TheOtherZoneAnswerIsRoundedToTheEvenOrRefused) {
  const struct { const char* answer; std::optional<int> pending; int beeps; } answers[] = {  // pending empty: no change
      {"2.5", 2, 0}, {"3.5", 4, 0}, {"13", {}, 1}, {"-12", -12, 0}, {"12.5", {}, 1}, {"-12.5", {}, 1},
      {"abc", 0, 0}, {"", {}, 0},   {"9e999", {}, 1}, {" 7 hours", 7, 0},
  };
  for (const auto& c : answers) {
    test::TestRig rig;
    rig.app.settings.TimeZoneOffset = -5;
    rig.dialogs.inputAnswers.push_back(c.answer);
    rig.app.form1.mnuTimeZone.Click();
    EXPECT_EQ(rig.app.shell.ClockOffsetPending, c.pending) << c.answer;
    EXPECT_EQ(rig.dialogs.inputs.at(0).defaultText + Str(rig.app.settings.TimeZoneOffset) + Str(rig.system.beeps),
              "-5" + Str(c.pending.value_or(-5)) + Str(c.beeps)) << c.answer;
    if (c.pending == 7 || c.pending == 0) {  // a sign only before a positive offset
      EXPECT_EQ(rig.app.form1.mnuTimeZone.Caption(), c.pending == 7 ? "O&ther TimeZone (+7)..." : "O&ther TimeZone (0)...");
    }
  }
}

}  // namespace
}  // namespace koralin
