// A program on fakes with a private folder for log files.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "display/compass.h"
#include "nmea/gprmc.h"
#include "nmea/gps_time.h"
#include "support/fakes.h"

namespace koralin::test {

// A fresh folder under the system's temporary folder, removed afterwards.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "koralin-log-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data()) ? pattern : std::string();
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ec);
    std::filesystem::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

inline void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

inline bool Exists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::exists(path, ec);
}

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
