// The Files menu's log entries and the frame while a log plays.
#include <QDir>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "nmea/checksum.h"
#include "qt/main_window.h"
#include "support/fakes.h"

namespace koralin {
namespace {

QAction* FilesEntry(qt::MainWindow& window, const QString& text) {
  for (QAction* top : window.menuBar()->actions())
    if (top->text() == "&Files" && top->menu())
      for (QAction* a : top->menu()->actions())
        if (a->text() == text) return a;
  return nullptr;
}

// Counts the clearly blue pixels of the frame's title.
int BluePixels(QGroupBox* frame) {
  const QImage img = frame->grab().toImage();
  int n = 0;
  for (int y = 0; y < std::min(img.height(), 30); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (const QColor c = img.pixelColor(x, y); c.blue() > 180 && c.red() < 90 && c.green() < 90) ++n;
  return n;
}

TEST(LogMenu, EntriesFollowLoggingAndPlayback) {
  test::TestRig rig;
  qt::MainWindow window(rig.app);
  QAction* loggen = FilesEntry(window, "&Loggen");
  QAction* playLog = FilesEntry(window, "&PlayLog...");
  ASSERT_NE(loggen, nullptr);
  ASSERT_NE(playLog, nullptr);

  const std::string path = (std::filesystem::temp_directory_path() / "koralin-qt-menu-test.log").string();
  std::filesystem::remove(path);
  rig.dialogs.inputAnswers.push_back(path);
  loggen->trigger();
  EXPECT_TRUE(loggen->isChecked());
  EXPECT_FALSE(playLog->isEnabled());
  loggen->trigger();
  EXPECT_FALSE(loggen->isChecked());
  EXPECT_TRUE(playLog->isEnabled());
  std::filesystem::remove(path);
}

TEST(LogMenu, FrameShowsThePlayingLog) {
  test::TestRig rig;
  rig.app.form1.mnuCrcCheck.SetChecked(true);
  qt::MainWindow window(rig.app);
  window.show();
  auto* frame = window.findChild<QGroupBox*>("Frame1");
  ASSERT_NE(frame, nullptr);
  QAction* loggen = FilesEntry(window, "&Loggen");
  QAction* playLog = FilesEntry(window, "&PlayLog...");

  const std::string path = (std::filesystem::temp_directory_path() / "koralin-qt-play-test.log").string();
  std::ofstream(path, std::ios::binary)
      << "$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A\r\n";
  rig.dialogs.inputAnswers.push_back(path);
  rig.dialogs.msgAnswers.push_back(MsgResult::kNo);
  QString title;
  bool playChecked = false, loggenEnabled = true;
  int bluePixels = 0;
  rig.system.onDoEvents = [&] {
    if (!title.isEmpty()) return;
    title = frame->title();
    playChecked = playLog->isChecked();
    loggenEnabled = loggen->isEnabled();
    bluePixels = BluePixels(frame);
    QDir().mkpath(KORALIN_SCREENSHOT_DIR);
    window.grab().save(QString(KORALIN_SCREENSHOT_DIR) + "/main-window-playing.png");
  };
  playLog->trigger();
  EXPECT_EQ(title, QString::fromStdString("Playing log file " + path + " Press 'F1' or 'Esc' to stop Playing"));
  EXPECT_TRUE(playChecked);
  EXPECT_FALSE(loggenEnabled);
  EXPECT_GT(bluePixels, 20) << "the caption is blue";
  EXPECT_EQ(frame->title(), "GPS-NMEA-0183");
  EXPECT_FALSE(playLog->isChecked());
  EXPECT_TRUE(loggen->isEnabled());
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace koralin
