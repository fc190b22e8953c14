// Logging the input to a file, playing a file back, the demo, and opening the files a menu opens.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "app/intake.h"
#include "app/playback.h"
#include "app/shutdown.h"
#include "common/basic.h"
#include "common/error.h"
#include "log/demo.h"
#include "log/log_file.h"
#include "log/logging.h"
#include "support/fakes.h"
#include "support/files.h"
#include "support/sentences.h"

namespace koralin {
namespace {

// The program with the decoders ready and checksums verified.
struct LogRig : test::TestRig {
  LogRig() {
    ReadyToDecode(0), app.form1.mnuCrcCheck.SetChecked(true);
    app.settings.LogFileName = folder / "GpsData.log";
  }
  // Switches logging on through the menu, answering the questions.
  void StartLogging(const std::string& path, MsgResult appendOrOverwrite = MsgResult::kOk) {
    dialogs.inputAnswers.push_back(path), dialogs.msgAnswers.push_back(appendOrOverwrite);
    app.form1.mnuLoggen.Click(), dialogs.msgAnswers.clear();
  }
  // Plays a file through the menu, once or endlessly; `whilePausing` runs whenever the program lets events run.
  void Play(const std::string& path, bool endless = false, std::function<void()> whilePausing = {}) {
    system.onDoEvents = std::move(whilePausing), dialogs.inputAnswers.push_back(path);
    dialogs.msgAnswers.push_back(endless ? MsgResult::kYes : MsgResult::kNo), app.form1.mnuPlayLog.Click();
  }
  test::TempFolder folder;
};

const std::string kRmc = test::Rmc();  // 68 characters, 70 as a record

TEST(Logging, AsksForTheFileThenAppendsOrOverwritesAsAnswered) {
  const struct { bool exists; MsgResult answer; std::string afterOneRecord; } cases[] = {
      {false, MsgResult::kOk, "%323/9\r\n"}, {true, MsgResult::kOk, "old\r\n%323/9\r\n"},
      {true, MsgResult::kCancel, "%323/9\r\n"}};
  for (const auto& c : cases) {
    LogRig rig;
    const std::string was = rig.app.settings.LogFileName, path = rig.folder / "trip.log";
    if (c.exists) test::WriteFile(path, "old\r\n");
    rig.StartLogging(path, c.answer), rig.app.form1.mnuPlayLog.Click();  // refused while logging
    EXPECT_EQ(rig.dialogs.inputs.at(0).defaultText + "|" + rig.app.settings.LogFileName, was + "|" + path);
    EXPECT_TRUE(rig.app.form1.mnuLoggen.Checked() && !rig.app.form1.mnuPlayLog.Enabled() &&
                rig.dialogs.boxes.size() == (c.exists ? 1u : 0u)) << "a new file needs no question";
    if (c.exists) { EXPECT_EQ(test::Exists(path), c.answer == MsgResult::kOk) << "overwriting deletes at once"; }
    LoggingSummer(rig.app, "%323/9", false);
    rig.app.form1.mnuLoggen.Click();
    EXPECT_EQ(test::ReadFile(path), c.afterOneRecord);
  }
}

TEST(Logging, BuffersUpToAKilobyteThenWritesItWithABeep) {
  LogRig rig;
  const std::string path = rig.folder / "trip.log";
  test::WriteFile(path, "old\r\n");
  rig.StartLogging(path, MsgResult::kOk);
  for (int i = 0; i < 14; ++i) LoggingSummer(rig.app, kRmc, true);
  EXPECT_EQ(test::ReadFile(path) + std::to_string(rig.system.beeps), "old\r\n0") << "980 characters are kept";
  LoggingSummer(rig.app, kRmc, true);
  std::string expected = "old\r\n";
  for (int i = 0; i < 15; ++i) expected += kRmc + "\r\n";
  EXPECT_EQ(test::ReadFile(path) + rig.app.log.LogBuffer + std::to_string(rig.system.beeps), expected + "1");
  std::filesystem::remove(path);
  rig.app.form1.mnuLoggen.Click();  // nothing buffered: no write, no beep
  EXPECT_TRUE(rig.system.beeps == 1 && !test::Exists(path) && rig.app.form1.mnuPlayLog.Enabled());
}

TEST(Logging, LogsWhatEachDecoderTookInTheOrderTheyRun) {
  for (const bool verify : {true, false}) {
    LogRig rig;
    rig.app.form1.mnuCrcCheck.SetChecked(verify), rig.app.form1.mnuLockCheck.SetChecked(true);
    const std::string path = rig.folder / "trip.log";
    rig.StartLogging(path), rig.app.settings.ComPortIn = -1;
    const std::string hdt = test::Nmea("HCHDT,123.4,T"), gsa = test::Nmea("GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1");
    const std::string gga = test::Nmea("GPGGA,121945,5146.6039,N,00531.2582,E,1,06,1.40,545.4,M,47.2,M,,");
    const std::string rmc = kRmc.substr(0, kRmc.size() - 2) + "00";  // a bad checksum, taken only unchecked
    PollTexts& p = rig.app.poll;
    p.RxText = p.RxTextAltitude = p.RxTextDoppler = "noise " + hdt + "\r\n" + (verify ? kRmc : rmc) + "7F junk\r\n" +
                                                    gga + "\r\n" + gsa + "\r\n%123/4\r\n";
    DispatchSentences(rig.app), rig.app.form1.mnuLoggen.Click();
    EXPECT_EQ(test::ReadFile(path), hdt + "\r\n" + kRmc + "\r\n" + gga + "\r\n" + gsa + "\r\n%123\r\n") << verify;
  }
}

// What each kind of file is called is OddFiles'.
TEST(Logging, AWriteErrorIsToldOnceThenRetriedQuietly) {
  LogRig r;
  r.app.form1.mnuLoggen.SetChecked(true), r.app.form1.mnuTerminalOut.SetChecked(true);
  const std::string path = r.app.settings.LogFileName = r.folder / "no such folder/trip.log";
  for (int i = 0; i < 15; ++i) LoggingSummer(r.app, kRmc, true);  // just over 1024 characters
  EXPECT_EQ(r.dialogs.boxes.at(0).prompt,
            "File " + path + " Write error.\r\n\r\nError = 76\r\n\r\nPath not found (No such file or directory)");
  EXPECT_TRUE(r.app.form1.mnuLoggen.Checked() && r.system.beeps == 0);
  for (int i = 0; i < 40; ++i) LoggingSummer(r.app, kRmc, true);
  EXPECT_EQ(r.dialogs.boxes.size() * 10000 + r.app.log.LogBuffer.size(), 10000u + 55 * 70) << "retried quietly";
  EXPECT_EQ(r.app.form1.Frame1.Caption() + "|" + r.app.terminal.TerminalText[0].substr(0, 34),
            "GPS-NMEA-0183 log not written|log not written\r\nlog not written\r\n");
}

TEST(Logging, ALastingFaultKeepsTheNewestMegabyteToldOnceUntilChosenAnewThenForTheNextFile) {
  LogRig faulty;
  faulty.StartLogging("/dev/full");
  const std::string pad(60, '.');
  std::size_t most = 0;
  for (int i = 0; i < 16000; ++i) {
    LoggingSummer(faulty.app, "%" + std::to_string(100000 + i) + "/9" + pad, false);
    most = std::max(most, faulty.app.log.LogBuffer.size());
  }
  const std::string& kept = faulty.app.log.LogBuffer;
  EXPECT_TRUE(most <= 1024u * 1024 && kept.size() > 1000u * 1024 && kept[0] == '%' && kept.ends_with("%115999/9" + pad + "\r\n"))
      << most << " " << kept.size();
  EXPECT_EQ(faulty.dialogs.boxes.size(), 2u) << "the append question and one write error";
  const std::string newest = kept;
  faulty.app.form1.mnuLoggen.Click();  // the flush fails too: not told again, the buffer kept
  EXPECT_TRUE(faulty.dialogs.boxes.size() == 2 && !faulty.app.form1.mnuLoggen.Checked());
  // Chosen anew: the question, and the failed flush at switch-off is told.
  faulty.StartLogging("/dev/full"), faulty.app.form1.mnuLoggen.Click();
  EXPECT_EQ(faulty.dialogs.boxes.size(), 4u);
  const std::string next = faulty.folder / "trip.log";
  faulty.StartLogging(next), faulty.app.form1.mnuLoggen.Click();
  EXPECT_TRUE(test::ReadFile(next) == newest) << "the next file gets the buffer";
}

// A valid $GPRMC whose time field tells it apart.
std::string Rmc(int n) { return test::Rmc("1235" + std::to_string(10 + n)); }

// Records each $GPRMC the decoders take, with the time it came.
struct PlayRig : LogRig {
  PlayRig() {
    f.lblGPRMC.captionChanged.Subscribe([this] { played.push_back(f.lblGPRMC.Caption()), times.push_back(clock.Now()); });
  }
  std::string File(const std::string& text) {
    test::WriteFile(folder / "play.log", text);
    return folder / "play.log";
  }
  Form1& f = app.form1;
  std::vector<std::string> played;
  std::vector<long long> times;
};

// Blank lines take no time; played once the end beeps, played endlessly each whole pass and the clean-up do;
// an empty file ends endless play.
TEST(Playback, PlaysTheLinesInFileOrderAtThePollingPaceOnceOrEndlessly) {
  const std::string blank = "\r\n   \r\n\r\n";
  const struct { std::string text; bool endless; std::vector<int> played; int beeps; } cases[] = {
      {Rmc(1) + blank + Rmc(2) + "\n" + Rmc(3), false, {1, 2, 3}, 1}, {Rmc(1) + "\r\n" + Rmc(2), true, {1, 2, 1, 2, 1}, 3},
      {"", true, {}, 1}, {blank, true, {}, 1}};
  for (const auto& c : cases) {
    PlayRig rig;
    rig.Play(rig.File(c.text), c.endless, [&] { rig.app.StopPlay = rig.played.size() == 5 || rig.system.doEvents > 1000; });
    std::vector<std::string> played;
    for (int n : c.played) played.push_back(Rmc(n));
    EXPECT_EQ(rig.played, played) << c.text;
    EXPECT_EQ(rig.system.beeps, c.beeps) << c.text;
    if (c.played.empty()) { EXPECT_LT(rig.system.doEvents, 100); }
    if (!c.endless) { EXPECT_EQ(rig.times, (std::vector<long long>{0, 1500, 3000})); }
    EXPECT_GE(rig.system.doEvents, c.endless ? 0 : 3 * 150) << "the window runs every 10 ms of each pause";
  }
}

TEST(Playback, AFileWithoutLineEndsIsCutIntoBoundedLines) {
  PlayRig lines;
  lines.app.settings.PollingInterval = 50;
  std::size_t largest = 0;
  std::string text;
  while (text.size() < 1'000'000) text += test::Rmc();
  lines.Play(lines.File(text), false, [&] {
    const PollTexts& p = lines.app.poll;
    largest = std::max({largest, p.RxText.size(), p.RxTextDoppler.size(), p.RxTextAltitude.size()});
  });
  EXPECT_EQ(lines.app.fix.GPRMCSentence.substr(0, 13) + std::to_string(largest), "$GPRMC,123519" + std::to_string(LineReader::kMaxLine));
}

TEST(Playback, ShowsItselfWhilePlayingThenRestoresTheInputAndMenus) {
  for (const bool endless : {false, true}) {
    PlayRig rig;
    Form1& f = rig.f;
    const std::string was = rig.app.settings.LogFileName, path = rig.File(Rmc(1));
    f.mnuTerminalOut.SetChecked(true), rig.app.terminal.TerminalText[0] = "before";  // cleared at the start of a pass
    std::string seen;  // caption, menus, input and Terminal Out while a line pauses
    rig.Play(path, endless, [&] {
      if (rig.played.empty()) return;
      f.mnuLoggen.Click();  // refused while playing
      seen = f.Frame1.Caption() + "|" + std::to_string(f.mnuTerminalIn.Checked()) +
             std::to_string(f.mnuLoggen.Checked()) + std::to_string(f.mnuLoggen.Enabled()) + "|" +
             std::to_string(rig.app.settings.ComPortIn) + "|" + rig.app.terminal.TerminalText[0];
      if (rig.system.doEvents > 200) rig.app.StopPlay = true;
    });
    EXPECT_EQ(rig.dialogs.inputs.at(0).defaultText + "|" + rig.app.settings.LogFileName, was + "|" + path);
    EXPECT_EQ(seen, "Playing log file " + path + (endless ? " is endless playing." : "") +
                        " Press 'F1' or 'Esc' to stop Playing|100|-2|");
    EXPECT_EQ(f.Frame1.Caption() + std::to_string(rig.app.settings.ComPortIn), kFrameCaption + std::string("0"));
    EXPECT_FALSE(f.mnuTerminalIn.Checked() || f.mnuPlayLog.Checked() || f.mnuLoggen.Checked() || rig.app.StopPlay ||
                 !f.mnuPlayLog.Enabled() || !f.mnuLoggen.Enabled());
  }
}

TEST(Playback, AClickOrTheExitStopsItAndARestartWaitsForTheWindUp) {
  for (const int how : {0, 1, 2}) {  // click, click twice, exit
    PlayRig rig;
    rig.Play(rig.File(Rmc(1) + "\r\n" + Rmc(2) + "\r\n" + Rmc(3)), true, [&] {
      if (rig.played.size() != 2 || !rig.f.mnuPlayLog.Checked() || rig.system.ended) return;
      if (how == 2) return ExitProgram(rig.app);
      rig.f.mnuPlayLog.Click();
      if (how == 1) rig.f.mnuPlayLog.Click();  // at once start again: refused while it winds up
    });
    EXPECT_TRUE(rig.played.size() == 2 && rig.dialogs.inputs.size() == 1 && rig.system.ended == (how == 2)) << how;
    if (how < 2) { EXPECT_EQ(rig.system.beeps, 1) << "no beep for the pass cut short"; }
    EXPECT_FALSE(rig.f.mnuPlayLog.Checked() || rig.app.StopPlay);
  }
}

TEST(Playback, AMissingFileEndsWithTheInputOffAFolderIsAReadErrorWithoutCleanUp) {
  for (const bool folder : {false, true}) {
    PlayRig rig;
    const std::string path = folder ? rig.folder.path() : rig.folder / "nothing here.log";
    rig.app.settings.ComPortIn = 3;
    rig.Play(path);
    EXPECT_EQ(rig.dialogs.boxes.at(folder).prompt,
              folder ? "File Read Error " + path + "\r\n\r\nError = 75\r\n\r\nPath/File access error (" +
                           std::filesystem::path(path).filename().string() + " is a folder, not a regular file)"
                     : "No " + path + " found.");
    EXPECT_EQ(std::to_string(rig.app.settings.ComPortIn) + std::to_string(rig.f.mnuPlayLog.Checked()) +
                  std::to_string(rig.system.beeps), folder ? "-210" : "001");
  }
}

// The decoders' rules are tested on their own: a few steps show each text reaches its decoder.
TEST(Demo, EachStepsTextReachesItsDecoder) {
  test::TestRig demo;  // on the polling timer, checksums and lock verified
  App& app = demo.app;
  Form1& f = app.form1;
  f.mnuCrcCheck.SetChecked(true), f.mnuLockCheck.SetChecked(true), app.settings.ComPortIn = -1;
  f.tmrPolling.SetInterval(1500), f.tmrPolling.SetEnabled(true);
  const struct { int step; const char *bearing, *lock, *frame, *flux; } steps[] = {
      {1, "%323", "Rx ok|166 ft", "GPS NMEA-0183", ""},  // the design caption until the first lock text
      {4, "", "Old data|6 ft", "GPS-NMEA-0183 (Very good lock 3D)", "170.8"},  // no $GPRMC
      {20, "DF101[12]", "Rx ok|4 ft", "GPS-NMEA-0183 (Very good lock 3D)", "180.8"},
      {23, "", "Old data|5 ft", "GPS-NMEA-0183 (Not locked)", "180.8"},  // kept: its compass line lacks the "T"
  };
  for (int step = 0; const auto& want : steps) {
    for (; step < want.step; ++step) demo.clock.Advance(1500);
    EXPECT_EQ((f.lblDoppler.Visible() ? f.lblDoppler.Caption() : "") +
                  (f.lblAmplitude.Visible() ? f.lblAmplitude.Caption() : "") + "|" + f.lblLock.Caption() + "|" +
                  f.lblHeight.Caption() + "|" + f.Frame1.Caption() + "|" + app.heading.FluxHeadingText,
              want.bearing + std::string("|") + want.lock + "|" + want.frame + "|" +
                  (*want.flux ? want.flux + std::string(1, kDegree) + "F" : ""));
    EXPECT_EQ(app.fix.GPRMCFound, step != 4 && step != 23) << step;
  }
  EXPECT_EQ(app.log.DemoStep + app.unexpectedCount, 0) << app.lastUnexpected;
}

// The one way every file is opened, for the files only a menu opens (the log
// appended to, the played log, a file replaced as one step); the files read
// at start are the real program's test.
namespace fs = std::filesystem;

// Each way of opening refuses at once whatever is not a regular file, naming
// it, and leaves it as it stands; through a link to a regular file it works,
// and only appending makes a missing file (never through a link to nothing).
TEST(OddFiles, EachWayOfOpeningRefusesAllButARegularFileByName) {
  const std::pair<std::string, std::function<void(const std::string&)>> ways[] = {
      {"played", [](const std::string& p) { std::string line; LineReader(p).Next(line); }},
      {"appended", [](const std::string& p) { AppendToFile(p, "$GPRMC\r\n"); }},
      {"replaced", [](const std::string& p) { ReplaceFile(p, "AnyTalker=1\n"); }},
  };
  // What stands at "it" (a link's target as given), and what the refusal calls it; "" works.
  const struct { std::string kind, target, named; } rows[] = {
      {"FIFO", "", "a FIFO"}, {"folder", "", "a folder"}, {"link", "/dev/zero", "a device"},
      {"link", "/dev/full", "a device"}, {"link", "gone", "a link to nothing"},
      {"link", "gone/file", "a link to nothing"}, {"link", "plain", ""}, {"missing", "", ""},
  };
  for (const auto& [way, open] : ways)
    for (const auto& r : rows) {
      SCOPED_TRACE(way + " " + r.kind + " " + r.target);
      test::TempFolder dir;
      const std::string it = dir / "it";
      test::WriteFile(dir / "plain", "$GPGGA\r\n");
      if (r.kind == "FIFO") ::mkfifo(it.c_str(), 0600);
      if (r.kind == "folder") fs::create_directory(it);
      if (r.kind == "link") fs::create_symlink(r.target, it);
      const fs::file_type made = fs::symlink_status(it).type();
      std::string refused = "-";
      try {
        open(it);
      } catch (const RunTimeError& e) {
        refused = std::to_string(e.Number()) + " " + e.Description();
      }
      const std::string refusal = "75 Path/File access error (it is " + r.named + ", not a regular file)";
      const std::string want = r.named.empty() ? (r.kind == "missing" && way == "played" ? "53" : "-") : refusal;
      EXPECT_EQ(refused.substr(0, want.size()), want) << refused;
      if (!r.named.empty()) { EXPECT_EQ(fs::symlink_status(it).type(), made) << "left as it stands"; }
      EXPECT_EQ(test::Exists(dir / "gone"), false) << "nothing made through a link to nothing";
      if (r.target == "plain" && way == "appended") {
        EXPECT_EQ(test::ReadFile(dir / "plain"), "$GPGGA\r\n$GPRMC\r\n") << "through the link";
      }
    }
}

}  // namespace
}  // namespace koralin
