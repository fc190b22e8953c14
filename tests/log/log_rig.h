// A program on fakes with a private folder for log files.
#pragma once

#include <gtest/gtest.h>

#include "display/compass.h"
#include "nmea/gprmc.h"
#include "nmea/gps_time.h"
#include "support/fakes.h"
#include "support/files.h"

namespace koralin::test {

// A message box under the program's title.
inline void ExpectBox(const MessageBox& box, const std::string& prompt, MsgIcon icon) {
  EXPECT_EQ(box.prompt, prompt);
  EXPECT_EQ(box.title, kTitle);
  EXPECT_EQ(box.icon, icon);
}

// The program with the decoders ready and checksums verified.
struct LogRig : TestRig {
  LogRig() {
    FillMonthTable(app);
    FillCompassTexts(app);
    app.form1.mnuCrcCheck.SetChecked(true);
    app.settings.LogFileName = folder / "GpsData.log";
  }
  // Switches logging on through the menu, answering the questions.
  void StartLogging(const std::string& path, MsgResult appendOrOverwrite = MsgResult::kOk) {
    dialogs.inputAnswers.push_back(path);
    dialogs.msgAnswers.push_back(appendOrOverwrite);
    app.form1.mnuLoggen.Click();
    dialogs.msgAnswers.clear();
  }
  // Plays a file through the menu, once or endlessly.
  void Play(const std::string& path, bool endless = false) {
    dialogs.inputAnswers.push_back(path);
    dialogs.msgAnswers.push_back(endless ? MsgResult::kYes : MsgResult::kNo);
    app.form1.mnuPlayLog.Click();
  }
  TempFolder folder;
};

}  // namespace koralin::test
