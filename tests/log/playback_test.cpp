#include "log/playback.h"

#include <gtest/gtest.h>

#include "app/shutdown.h"
#include "log_rig.h"
#include "nmea/sentence.h"

namespace koralin {
namespace {

using test::ExpectBox;

// A valid $GPRMC whose time field tells it apart.
std::string Rmc(int n) {
  const std::string s = AddCrc("$GPRMC,1235" + std::to_string(10 + n) +
                               ",A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*");
  return s.substr(0, s.size() - 2);
}

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
  const struct {
    std::string line, rxText, doppler;
  } cases[] = {
      {"$GPRMC,225446,A", "$GPRMC,225446,A*09\r\n", "$GPRMC,225446,A"},  // cut short: gets a checksum
      {"$GPRMC,225446,A*FF", "$GPRMC,225446,A*FF", "$GPRMC,225446,A*FF"},
      {"$GPRMC,225446,A*09   ", "$GPRMC,225446,A*09", "$GPRMC,225446,A*09"},
      {"$GP*AB", "$GP*AB*3E\r\n", "$GP*AB"},
      {"%188/7", "", "%188/7"},
      {"  %188/7", "", "  %188/7"},
  };
  for (const auto& c : cases) {
    PlayRig rig;
    rig.Play(rig.File(c.line + "\r\n"));
    EXPECT_EQ(rig.app.poll.RxText, c.rxText) << c.line;
    EXPECT_EQ(rig.app.poll.RxTextDoppler, c.doppler) << c.line;
    EXPECT_EQ(rig.app.poll.RxTextAltitude, c.doppler) << c.line;
  }
}

TEST(Playback, QuestionsAndTheStateWhilePlaying) {
  for (const bool endless : {false, true}) {
    PlayRig rig;
    Form1& f = rig.f;
    const std::string was = rig.app.settings.LogFileName;
    const std::string path = rig.Sentences(1);
    std::string seen;  // caption, colour, menus and input while a line pauses
    int passes = 0;
    rig.system.onDoEvents = [&] {
      if (rig.played.empty()) return;
      seen = f.Frame1.Caption() + "|" + std::to_string(f.Frame1.ForeColor()) + "|" +
             std::to_string(f.mnuTerminalIn.Checked()) + std::to_string(f.mnuLoggen.Enabled()) +
             std::to_string(f.mnuPlayLog.Checked()) + "|" + std::to_string(rig.app.settings.ComPortIn);
      if (++passes > 200) rig.app.StopPlay = true;
    };
    rig.Play(path, endless);

    ASSERT_EQ(rig.dialogs.inputs.size(), 1u);
    EXPECT_EQ(rig.dialogs.inputs[0].prompt, "Give the path and file name to play.\r\nWas: " + was);
    EXPECT_EQ(rig.dialogs.inputs[0].title, kTitle);
    EXPECT_EQ(rig.dialogs.inputs[0].defaultText, was);
    EXPECT_EQ(rig.app.settings.LogFileName, path);
    ASSERT_EQ(rig.dialogs.boxes.size(), 1u);
    ExpectBox(rig.dialogs.boxes[0], "Endless play " + path + "\r\n\r\nPress F1 to stop", MsgIcon::kInformation);
    EXPECT_EQ(rig.dialogs.boxes[0].buttons, MsgButtons::kYesNo);
    EXPECT_EQ(seen, "Playing log file " + path + (endless ? " is endless playing." : "") +
                        " Press 'F1' or 'Esc' to stop Playing|" + std::to_string(colour::kBlue) + "|101|-2");

    EXPECT_EQ(f.Frame1.Caption(), kFrameCaption);
    EXPECT_FALSE(f.mnuTerminalIn.Checked());
    EXPECT_FALSE(f.mnuPlayLog.Checked());
    EXPECT_TRUE(f.mnuPlayLog.Enabled());
    EXPECT_FALSE(f.mnuLoggen.Checked());
    EXPECT_TRUE(f.mnuLoggen.Enabled());
    EXPECT_EQ(rig.app.settings.ComPortIn, 0);
    EXPECT_EQ(f.lblVal1.Caption(), "");
    EXPECT_FALSE(rig.app.StopPlay);
  }
}

TEST(Playback, CancelInTheFirstQuestionLeavesPlayLogChecked) {
  PlayRig rig;
  rig.f.mnuPlayLog.Click();  // the input box is cancelled
  EXPECT_TRUE(rig.f.mnuPlayLog.Checked());
  EXPECT_FALSE(rig.f.mnuLoggen.Enabled());
  EXPECT_TRUE(rig.dialogs.boxes.empty());
  EXPECT_EQ(rig.system.beeps, 0);

  rig.f.mnuPlayLog.Click();
  EXPECT_EQ(rig.dialogs.inputs.size(), 1u) << "the second click only stops";
  EXPECT_FALSE(rig.f.mnuPlayLog.Checked());
  EXPECT_TRUE(rig.f.mnuPlayLog.Enabled());
  EXPECT_TRUE(rig.f.mnuLoggen.Enabled());
}

TEST(Playback, MissingFileIsReportedThenCleanedUp) {
  PlayRig rig;
  const std::string path = rig.folder / "nothing here.log";
  rig.app.settings.ComPortIn = 3;
  rig.dialogs.inputAnswers.push_back(path);
  rig.f.mnuPlayLog.Click();
  ASSERT_EQ(rig.dialogs.boxes.size(), 1u);
  ExpectBox(rig.dialogs.boxes[0], "No " + path + " found.", MsgIcon::kExclamation);
  EXPECT_EQ(rig.app.settings.LogFileName, path);
  EXPECT_EQ(rig.app.settings.ComPortIn, 0) << "the input ends up off";
  EXPECT_FALSE(rig.f.mnuPlayLog.Checked());
  EXPECT_TRUE(rig.f.mnuLoggen.Enabled());
  EXPECT_EQ(rig.system.beeps, 1);
}

TEST(Playback, EndlessPlayRepeatsUntilF1) {
  PlayRig rig;
  rig.system.onDoEvents = [&] {
    if (rig.played.size() == 5) rig.app.StopPlay = true;  // F1 while the fifth line pauses
  };
  rig.Play(rig.Sentences(2), true);
  EXPECT_EQ(rig.played, (std::vector<std::string>{Rmc(1), Rmc(2), Rmc(1), Rmc(2), Rmc(1)}));
  EXPECT_EQ(rig.system.beeps, 3) << "two whole passes, then the clean-up";
  EXPECT_FALSE(rig.f.mnuPlayLog.Checked());
  EXPECT_FALSE(rig.app.StopPlay);
}

TEST(Playback, MenuClickStopsAfterTheCurrentLine) {
  for (const bool endless : {false, true}) {
    PlayRig rig;
    rig.system.onDoEvents = [&] {
      if (rig.played.size() == 2 && rig.f.mnuPlayLog.Checked()) rig.f.mnuPlayLog.Click();
    };
    rig.Play(rig.Sentences(3), endless);
    EXPECT_EQ(rig.played.size(), 2u) << endless;
    EXPECT_EQ(rig.system.beeps, 1) << endless;
    EXPECT_EQ(rig.app.settings.ComPortIn, 0);
    EXPECT_FALSE(rig.app.StopPlay);
  }
}

TEST(Playback, AStoppedPlaybackIsNotRestartedWhileItWindsUp) {
  PlayRig rig;
  rig.system.onDoEvents = [&] {
    if (rig.played.size() == 1 && rig.f.mnuPlayLog.Checked()) {
      rig.f.mnuPlayLog.Click();  // stop
      rig.f.mnuPlayLog.Click();  // and at once start again
    }
  };
  rig.Play(rig.Sentences(2), true);
  EXPECT_EQ(rig.dialogs.inputs.size(), 1u);
  EXPECT_EQ(rig.played.size(), 1u);
  EXPECT_FALSE(rig.f.mnuPlayLog.Checked());
  EXPECT_EQ(rig.system.beeps, 1);
}

TEST(Playback, EndlessPlayOfNothingEnds) {
  for (const std::string text : {"", "\r\n   \r\n\r\n"}) {
    PlayRig rig;
    rig.system.onDoEvents = [&] {
      if (rig.system.doEvents > 1000) rig.app.StopPlay = true;  // would spin
    };
    rig.Play(rig.File(text), true);
    EXPECT_LT(rig.system.doEvents, 100) << text.size();
    EXPECT_EQ(rig.system.beeps, 1) << text.size();
    EXPECT_FALSE(rig.f.mnuPlayLog.Checked());
  }
}

TEST(Playback, ReadFailureIsReportedWithoutCleanUp) {
  PlayRig rig;
  const std::string path = rig.folder.Path();  // a folder cannot be read as a file
  rig.Play(path);
  ASSERT_EQ(rig.dialogs.boxes.size(), 2u);
  ExpectBox(rig.dialogs.boxes[1],
            "File Read Error " + path + "\r\n\r\nError = 75\r\n\r\nPath/File access error (Is a directory)",
            MsgIcon::kCritical);
  EXPECT_TRUE(rig.f.mnuPlayLog.Checked());
  EXPECT_EQ(rig.system.beeps, 0);
  rig.f.mnuPlayLog.Click();
  EXPECT_FALSE(rig.f.mnuPlayLog.Checked());
  EXPECT_TRUE(rig.f.mnuLoggen.Enabled());
}

TEST(Playback, TheWindowIsServicedDuringThePause) {
  PlayRig rig;
  Timer other{"other"};
  rig.clock.Attach(other);
  int ticks = 0;
  other.onTick.Subscribe([&] { ++ticks; });
  other.SetInterval(100);
  other.SetEnabled(true);
  rig.Play(rig.Sentences(2));
  EXPECT_EQ(ticks, 30) << "two pauses of 1500 ms";
}

TEST(Playback, LoggingAndPlaybackExcludeEachOther) {
  PlayRig rig;
  Form1& f = rig.f;
  rig.system.onDoEvents = [&] {
    if (rig.played.size() == 1 && f.mnuLoggen.Enabled()) f.mnuLoggen.Click();
  };
  rig.Play(rig.Sentences(2));
  EXPECT_EQ(rig.dialogs.inputs.size(), 1u) << "no log file question during playback";
  EXPECT_EQ(rig.played.size(), 2u);
  EXPECT_TRUE(f.mnuLoggen.Enabled());

  f.mnuLoggen.SetChecked(true);
  f.mnuPlayLog.Click();
  EXPECT_EQ(rig.dialogs.inputs.size(), 1u) << "no file to play while logging";
  EXPECT_FALSE(f.mnuPlayLog.Checked());
  EXPECT_FALSE(f.mnuPlayLog.Enabled());
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

}  // namespace
}  // namespace koralin
