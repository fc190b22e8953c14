// Long playbacks, every real receiver log and a file with no line ends:
// no errors, and the receive fields kept small.
#include <gtest/gtest.h>

#include <algorithm>

#include "log/log_file.h"
#include "log_rig.h"

namespace koralin {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> CorpusLogs() {
  std::vector<fs::path> logs;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(KORALIN_CORPUS_DIR, ec))
    if (e.path().extension() == ".log") logs.push_back(e.path());
  std::sort(logs.begin(), logs.end());
  return logs;
}

// Plays a file at fast polling, watching the receive fields after each line.
struct LongPlay : test::LogRig {
  LongPlay() {
    app.settings.PollingInterval = 50;
    app.form1.mnuLockCheck.SetChecked(true);
    system.onDoEvents = [this] {
      const PollTexts& p = app.poll;
      largest = std::max({largest, p.RxText.size(), p.RxTextDoppler.size(), p.RxTextAltitude.size()});
    };
  }
  std::size_t largest = 0;
};

TEST(LongPlayback, EveryReceiverLogPlaysThrough) {
  const auto logs = CorpusLogs();
  if (logs.empty()) GTEST_SKIP() << "no receiver logs at " << KORALIN_CORPUS_DIR;
  for (const bool verify : {true, false}) {
    for (const auto& path : logs) {
      SCOPED_TRACE(path.filename().string() + (verify ? " verified" : " unverified"));
      LongPlay play;
      play.app.form1.mnuCrcCheck.SetChecked(verify);
      play.Play(path.string());
      EXPECT_EQ(play.app.unexpectedCount, 0) << play.app.lastUnexpected;
      EXPECT_EQ(play.dialogs.boxes.size(), 1u) << "only the endless question";
      EXPECT_FALSE(play.app.form1.mnuPlayLog.Checked());
      EXPECT_EQ(play.system.beeps, 1);
      EXPECT_LE(play.largest, LineReader::kMaxLine + 3);
    }
  }
}

TEST(LongPlayback, FileWithoutLineEndsIsCutIntoBoundedLines) {
  LongPlay play;
  std::string text;
  while (text.size() < 1'000'000) text += "$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A";
  const std::string path = play.folder / "no line ends.log";
  test::WriteFile(path, text);
  play.Play(path);
  EXPECT_EQ(play.app.unexpectedCount, 0) << play.app.lastUnexpected;
  EXPECT_LE(play.largest, LineReader::kMaxLine + 3);
  EXPECT_EQ(play.app.fix.GPRMCSentence.substr(0, 13), "$GPRMC,123519");
}

}  // namespace
}  // namespace koralin
