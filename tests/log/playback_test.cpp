#include "log/playback.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/shutdown.h"
#include "common/basic.h"
#include "log/demo.h"
#include "log/log_file.h"
#include "log_rig.h"
#include "support/fakes.h"
#include "support/sentences.h"

namespace koralin {
namespace {

using test::ExpectBox;

// A valid $GPRMC whose time field tells it apart.
std::string Rmc(int n) { return test::Rmc("1235" + std::to_string(10 + n)); }

// Records each $GPRMC the decoders take, with the time it came.
struct PlayRig : test::LogRig {
  PlayRig() {
    f.lblGPRMC.captionChanged.Subscribe([this] {
      played.push_back(f.lblGPRMC.Caption());
      times.push_back(clock.Now());
    });
  }
  std::string File(const std::string& text) {
    test::WriteFile(folder / "play.log", text);
    return folder / "play.log";
  }
  // A file of the sentences Rmc(1) to Rmc(n).
  std::string Sentences(int n) {
    std::string text;
    for (int i = 1; i <= n; ++i) text += Rmc(i) + "\r\n";
    return File(text);
  }
  // Plays; `whilePausing` runs whenever the program lets events run.
  void PlayWith(const std::string& path, bool endless, std::function<void()> whilePausing) {
    system.onDoEvents = std::move(whilePausing);
    Play(path, endless);
  }
  Form1& f = app.form1;
  std::vector<std::string> played;
  std::vector<long long> times;
};

TEST(Playback, LinesArePlayedInFileOrderAtThePollingPaceOnceOrEndlessly) {
  PlayRig rig;
  rig.Play(rig.File(Rmc(1) + "\r\n\r\n   \r\n" + Rmc(2) + "\n" + Rmc(3)));
  EXPECT_EQ(rig.played, (std::vector<std::string>{Rmc(1), Rmc(2), Rmc(3)}));
  EXPECT_EQ(rig.times, (std::vector<long long>{0, 1500, 3000})) << "blank lines take no time";
  EXPECT_EQ(rig.system.beeps, 1) << "one beep at the end, none per pass when played once";
  PlayRig endless;
  endless.PlayWith(endless.Sentences(2), true, [&] { endless.app.StopPlay = endless.played.size() == 5; });
  EXPECT_EQ(endless.played, (std::vector<std::string>{Rmc(1), Rmc(2), Rmc(1), Rmc(2), Rmc(1)}));
  EXPECT_EQ(endless.system.beeps, 3) << "two whole passes, then the clean-up";
  for (const std::string text : {"", "\r\n   \r\n\r\n"}) {  // an empty file ends endless play
    PlayRig empty;
    empty.PlayWith(empty.File(text), true, [&] { empty.app.StopPlay = empty.system.doEvents > 1000; });
    EXPECT_TRUE(empty.system.doEvents < 100 && empty.system.beeps == 1) << text.size();
  }
}

TEST(Playback, TheStateWhilePlayingAndAfterwardsAndAClickOrExitStopsAfterTheCurrentLine) {
  for (const bool endless : {false, true}) {
    PlayRig rig;
    Form1& f = rig.f;
    const std::string was = rig.app.settings.LogFileName, path = rig.Sentences(1);
    f.mnuTerminalOut.SetChecked(true);
    rig.app.terminal.TerminalText[0] = "before";  // cleared at the start of a pass
    std::string seen;  // caption, menus, input and Terminal Out while a line pauses
    rig.PlayWith(path, endless, [&] {
      if (rig.played.empty()) return;
      seen = f.Frame1.Caption() + "|" + std::to_string(f.mnuTerminalIn.Checked()) +
             std::to_string(f.mnuLoggen.Enabled()) + "|" + std::to_string(rig.app.settings.ComPortIn) + "|" +
             rig.app.terminal.TerminalText[0];
      if (rig.system.doEvents > 200) rig.app.StopPlay = true;
    });
    EXPECT_EQ(rig.dialogs.inputs.at(0).defaultText + "|" + rig.app.settings.LogFileName, was + "|" + path);
    EXPECT_EQ(seen, "Playing log file " + path + (endless ? " is endless playing." : "") +
                        " Press 'F1' or 'Esc' to stop Playing|10|-2|");
    EXPECT_EQ(f.Frame1.Caption() + std::to_string(rig.app.settings.ComPortIn), kFrameCaption + std::string("0"));
    EXPECT_FALSE(f.mnuTerminalIn.Checked() || f.mnuPlayLog.Checked() || f.mnuLoggen.Checked() || rig.app.StopPlay);
    EXPECT_TRUE(f.mnuPlayLog.Enabled() && f.mnuLoggen.Enabled());
  }
  for (const int how : {0, 1, 2}) {  // click, click twice, exit
    PlayRig rig;
    rig.PlayWith(rig.Sentences(3), true, [&] {
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

TEST(Playback, CancelMissingFileUnreadableFileOrLogging) {
  PlayRig rig;
  rig.f.mnuPlayLog.Click();  // the input box is cancelled: the check stays
  EXPECT_TRUE(rig.f.mnuPlayLog.Checked() && !rig.f.mnuLoggen.Enabled());
  rig.f.mnuPlayLog.Click();  // the second click only stops
  EXPECT_TRUE(rig.dialogs.inputs.size() == 1 && !rig.f.mnuPlayLog.Checked() && rig.f.mnuLoggen.Enabled());
  const std::string path = rig.folder / "nothing here.log";
  rig.app.settings.ComPortIn = 3;
  rig.Play(path);
  ASSERT_EQ(rig.dialogs.boxes.size(), 1u);
  ExpectBox(rig.dialogs.boxes[0], "No " + path + " found.", MsgIcon::kExclamation);
  EXPECT_TRUE(rig.app.settings.ComPortIn == 0 && !rig.f.mnuPlayLog.Checked()) << "the input ends up off";
  PlayRig folder;  // a folder cannot be read as a file: reported, no clean-up
  folder.Play(folder.folder.path());
  EXPECT_EQ(folder.dialogs.boxes.at(1).prompt,
            "File Read Error " + folder.folder.path() + "\r\n\r\nError = 75\r\n\r\nPath/File access error (Is a directory)");
  EXPECT_TRUE(folder.f.mnuPlayLog.Checked() && folder.system.beeps == 0);
  PlayRig logging;
  logging.f.mnuLoggen.SetChecked(true);
  logging.f.mnuPlayLog.Click();
  EXPECT_TRUE(logging.dialogs.inputs.empty() && !logging.f.mnuPlayLog.Checked() && !logging.f.mnuPlayLog.Enabled());
}

TEST(Playback, FileWithoutLineEndsIsCutIntoBoundedLines) {
  PlayRig rig;
  rig.app.settings.PollingInterval = 50;
  std::size_t largest = 0;
  std::string text;
  while (text.size() < 1'000'000) text += test::Rmc();
  rig.PlayWith(rig.File(text), false, [&] {
    const PollTexts& p = rig.app.poll;
    largest = std::max({largest, p.RxText.size(), p.RxTextDoppler.size(), p.RxTextAltitude.size()});
  });
  EXPECT_EQ(largest, LineReader::kMaxLine);
  EXPECT_EQ(rig.app.fix.GPRMCSentence.substr(0, 13), "$GPRMC,123519");
}

// The demo feeds every decoder in turn; the decoders' rules are tested on
// their own, so here a few steps show that each text reaches its decoder.
TEST(Demo, EachTickPlaysTheNextStepAndTheCycleResumesWhereItStopped) {
  test::TestRig rig;
  App& app = rig.app;
  Form1& f = app.form1;
  f.mnuCrcCheck.SetChecked(true);
  f.mnuLockCheck.SetChecked(true);
  app.settings.ComPortIn = -1;
  f.tmrPolling.SetInterval(1500);
  f.tmrPolling.SetEnabled(true);
  // Step: the bearing with its amplitude, lock, height, frame caption and compass.
  const struct { int step; const char *bearing, *lock, *frame, *flux; } steps[] = {
      {1, "%323", "Rx ok|166 ft", "GPS NMEA-0183", ""},  // the design caption until the first lock text
      {4, "", "Old data|6 ft", "GPS-NMEA-0183 (Very good lock 3D)", "170.8"},  // no $GPRMC
      {20, "DF101[12]", "Rx ok|4 ft", "GPS-NMEA-0183 (Very good lock 3D)", "180.8"},
      {23, "", "Old data|5 ft", "GPS-NMEA-0183 (Not locked)", "180.8"},  // kept: its compass line lacks the "T"
  };
  for (int step = 0; const auto& want : steps) {
    for (; step < want.step; ++step) rig.clock.Advance(1500);
    EXPECT_EQ((f.lblDoppler.Visible() ? f.lblDoppler.Caption() : "") +
                  (f.lblAmplitude.Visible() ? f.lblAmplitude.Caption() : "") + "|" + f.lblLock.Caption() + "|" +
                  f.lblHeight.Caption() + "|" + f.Frame1.Caption() + "|" + app.heading.FluxHeadingText,
              want.bearing + std::string("|") + want.lock + "|" + want.frame + "|" +
                  (*want.flux ? want.flux + std::string(1, kDegree) + "F" : ""));
    EXPECT_EQ(app.fix.GPRMCFound, step != 4 && step != 23) << step;
  }
  EXPECT_EQ(app.log.DemoStep + app.unexpectedCount, 0) << app.lastUnexpected;
  rig.clock.Advance(11 * 1500);
  EXPECT_EQ(f.lblLock.Caption(), "Rx not ok");  // the cycle starts again
  app.settings.ComPortIn = 0;  // the input goes off: the demo stops
  rig.clock.Advance(1500);
  EXPECT_FALSE(f.tmrPolling.Enabled());
  app.settings.ComPortIn = -1;
  f.tmrPolling.SetEnabled(true);
  rig.clock.Advance(1500);
  EXPECT_EQ(app.log.DemoStep, 12);
}

}  // namespace
}  // namespace koralin
