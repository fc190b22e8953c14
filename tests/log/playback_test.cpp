#include "log/playback.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/shutdown.h"
#include "log/log_file.h"
#include "log_rig.h"
#include "nmea/sentence.h"
#include "support/sentences.h"

namespace koralin {
namespace {

using test::ExpectBox;

// A valid $GPRMC whose time field tells it apart.
std::string Rmc(int n) { return test::Rmc("1235" + std::to_string(10 + n)); }

// Records each $GPRMC the decoders take, with the time it came.
struct PlayRig : test::LogRig {
  PlayRig() {
    app.form1.lblGPRMC.captionChanged.Subscribe([this] {
      played.push_back(app.form1.lblGPRMC.Caption());
      times.push_back(clock.Now());
    });
  }
  std::string File(const std::string& text) {
    const std::string path = folder / "play.log";
    test::WriteFile(path, text);
    return path;
  }
  // A file of the sentences Rmc(1) to Rmc(n).
  std::string Sentences(int n) {
    std::string text;
    for (int i = 1; i <= n; ++i) text += Rmc(i) + "\r\n";
    return File(text);
  }
  // Plays and stops when `stop` says so while a line pauses.
  void PlayUntil(const std::string& path, bool endless, std::function<bool()> stop) {
    system.onDoEvents = [this, stop] {
      if (stop()) app.StopPlay = true;
    };
    Play(path, endless);
  }
  Form1& f = app.form1;
  std::vector<std::string> played;
  std::vector<long long> times;
};

TEST(Playback, LinesArePlayedInFileOrderAtThePollingPace) {
  PlayRig rig;
  rig.Play(rig.File(Rmc(1) + "\r\n\r\n   \r\n" + Rmc(2) + "\n" + Rmc(3)));
  EXPECT_EQ(rig.played, (std::vector<std::string>{Rmc(1), Rmc(2), Rmc(3)}));
  ASSERT_EQ(rig.times.size(), 3u);
  EXPECT_EQ(rig.times[1] - rig.times[0], 1500) << "blank lines take no time";
  EXPECT_EQ(rig.times[2] - rig.times[1], 1500);
  EXPECT_EQ(rig.system.beeps, 1) << "one beep at the end, none per pass when played once";
}

TEST(Playback, EachLineReachesTheReceiveFields) {
  const struct { std::string line, rxText, doppler; } cases[] = {
      {"$GPRMC,225446,A", "$GPRMC,225446,A*09\r\n", "$GPRMC,225446,A"},  // cut short: gets a checksum
      {"$GPRMC,225446,A*FF", "$GPRMC,225446,A*FF", "$GPRMC,225446,A*FF"},
      {"$GPRMC,225446,A*09   ", "$GPRMC,225446,A*09", "$GPRMC,225446,A*09"},
      {"$GP*AB", "$GP*AB*3E\r\n", "$GP*AB"},
      {"  %188/7", "", "  %188/7"},
  };
  for (const auto& c : cases) {
    PlayRig rig;
    rig.Play(rig.File(c.line + "\r\n"));
    EXPECT_EQ(rig.app.poll.RxText, c.rxText) << c.line;
    EXPECT_EQ(rig.app.poll.RxTextDoppler + "|" + rig.app.poll.RxTextAltitude, c.doppler + "|" + c.doppler) << c.line;
  }
}

TEST(Playback, QuestionsAndTheStateWhilePlaying) {
  for (const bool endless : {false, true}) {
    PlayRig rig;
    Form1& f = rig.f;
    const std::string was = rig.app.settings.LogFileName;
    const std::string path = rig.Sentences(1);
    std::string seen;  // caption, menus and input while a line pauses
    rig.PlayUntil(path, endless, [&] {
      if (rig.played.empty()) return false;
      seen = f.Frame1.Caption() + "|" + std::to_string(f.mnuTerminalIn.Checked()) +
             std::to_string(f.mnuLoggen.Enabled()) + "|" + std::to_string(rig.app.settings.ComPortIn);
      return rig.system.doEvents > 200;
    });
    EXPECT_EQ(rig.dialogs.inputs.at(0).prompt, "Give the path and file name to play.\r\nWas: " + was);
    EXPECT_EQ(rig.dialogs.inputs[0].defaultText, was);
    EXPECT_EQ(rig.app.settings.LogFileName, path);
    EXPECT_EQ(rig.dialogs.boxes.at(0).prompt, "Endless play " + path + "\r\n\r\nPress F1 to stop");
    EXPECT_EQ(seen, "Playing log file " + path + (endless ? " is endless playing." : "") +
                        " Press 'F1' or 'Esc' to stop Playing|10|-2");
    // Afterwards everything is as before, with the input off.
    EXPECT_EQ(f.Frame1.Caption(), kFrameCaption);
    EXPECT_FALSE(f.mnuTerminalIn.Checked() || f.mnuPlayLog.Checked() || f.mnuLoggen.Checked() || rig.app.StopPlay);
    EXPECT_TRUE(f.mnuPlayLog.Enabled() && f.mnuLoggen.Enabled());
    EXPECT_EQ(rig.app.settings.ComPortIn, 0);
    EXPECT_EQ(f.lblVal1.Caption(), "");
  }
}

TEST(Playback, CancelOrAMissingFile) {
  PlayRig rig;
  rig.f.mnuPlayLog.Click();  // the input box is cancelled: the check stays
  EXPECT_TRUE(rig.f.mnuPlayLog.Checked());
  EXPECT_FALSE(rig.f.mnuLoggen.Enabled());
  rig.f.mnuPlayLog.Click();
  EXPECT_EQ(rig.dialogs.inputs.size(), 1u) << "the second click only stops";
  EXPECT_TRUE(rig.f.mnuLoggen.Enabled());
  const std::string path = rig.folder / "nothing here.log";
  rig.app.settings.ComPortIn = 3;
  rig.dialogs.inputAnswers.push_back(path);
  rig.f.mnuPlayLog.Click();
  ASSERT_EQ(rig.dialogs.boxes.size(), 1u);
  ExpectBox(rig.dialogs.boxes[0], "No " + path + " found.", MsgIcon::kExclamation);
  EXPECT_EQ(rig.app.settings.ComPortIn, 0) << "the input ends up off";
  EXPECT_FALSE(rig.f.mnuPlayLog.Checked());
  EXPECT_EQ(rig.system.beeps, 1);
}

TEST(Playback, EndlessPlayRepeatsUntilF1AndEndsOnAnEmptyFile) {
  PlayRig rig;
  rig.PlayUntil(rig.Sentences(2), true, [&] { return rig.played.size() == 5; });
  EXPECT_EQ(rig.played, (std::vector<std::string>{Rmc(1), Rmc(2), Rmc(1), Rmc(2), Rmc(1)}));
  EXPECT_EQ(rig.system.beeps, 3) << "two whole passes, then the clean-up";
  for (const std::string text : {"", "\r\n   \r\n\r\n"}) {
    PlayRig empty;
    empty.PlayUntil(empty.File(text), true, [&] { return empty.system.doEvents > 1000; });
    EXPECT_LT(empty.system.doEvents, 100) << text.size();
    EXPECT_EQ(empty.system.beeps, 1) << text.size();
  }
}

TEST(Playback, MenuClickStopsAfterTheCurrentLineAndDoesNotRestart) {
  for (const bool again : {false, true}) {
    PlayRig rig;
    rig.system.onDoEvents = [&] {
      if (rig.played.size() != 2 || !rig.f.mnuPlayLog.Checked()) return;
      rig.f.mnuPlayLog.Click();
      if (again) rig.f.mnuPlayLog.Click();  // at once start again: refused while it winds up
    };
    rig.Play(rig.Sentences(3), true);
    EXPECT_EQ(rig.played.size(), 2u) << again;
    EXPECT_EQ(rig.dialogs.inputs.size(), 1u) << again;
    EXPECT_EQ(rig.system.beeps, 1) << again;
    EXPECT_FALSE(rig.f.mnuPlayLog.Checked() || rig.app.StopPlay);
  }
}

TEST(Playback, ReadFailureIsReportedWithoutCleanUp) {
  PlayRig rig;
  const std::string path = rig.folder.path();  // a folder cannot be read as a file
  rig.Play(path);
  ExpectBox(rig.dialogs.boxes.at(1),
            "File Read Error " + path + "\r\n\r\nError = 75\r\n\r\nPath/File access error (Is a directory)",
            MsgIcon::kCritical);
  EXPECT_TRUE(rig.f.mnuPlayLog.Checked());
  EXPECT_EQ(rig.system.beeps, 0);
}

TEST(Playback, NoFileToPlayWhileLogging) {
  PlayRig rig;
  rig.f.mnuLoggen.SetChecked(true);
  rig.f.mnuPlayLog.Click();
  EXPECT_TRUE(rig.dialogs.inputs.empty());
  EXPECT_FALSE(rig.f.mnuPlayLog.Checked() || rig.f.mnuPlayLog.Enabled());
}

TEST(Playback, ExitDuringPlaybackEndsIt) {
  PlayRig rig;
  rig.system.onDoEvents = [&] {
    if (rig.played.size() == 1 && !rig.system.ended) ExitProgram(rig.app);
  };
  rig.Play(rig.Sentences(2), true);
  EXPECT_TRUE(rig.system.ended);
  EXPECT_EQ(rig.played.size(), 1u);
}

TEST(Playback, FileWithoutLineEndsIsCutIntoBoundedLines) {
  PlayRig rig;
  rig.app.settings.PollingInterval = 50;
  std::size_t largest = 0;
  rig.system.onDoEvents = [&] {
    const PollTexts& p = rig.app.poll;
    largest = std::max({largest, p.RxText.size(), p.RxTextDoppler.size(), p.RxTextAltitude.size()});
  };
  std::string text;
  while (text.size() < 1'000'000) text += test::Rmc();
  rig.Play(rig.File(text));
  EXPECT_LE(largest, LineReader::kMaxLine + 3);
  EXPECT_EQ(rig.app.fix.GPRMCSentence.substr(0, 13), "$GPRMC,123519");
}

}  // namespace
}  // namespace koralin
