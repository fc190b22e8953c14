// The main window on a program of fakes: what it shows at start, on a fix,
// on the demo feed and while a log plays, and where its clicks go.
#include "qt/main_window.h"

#include <QApplication>
#include <QGroupBox>
#include <QListWidget>
#include <QRadioButton>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/startup.h"
#include "shots.h"
#include "support/fakes.h"

namespace koralin {
namespace {

using test::LabelText;
using test::SaveShot;

TEST(MainWindow, ShowsTheZeroSentenceAtStartAndRepaintsOnAFix) {
  test::TestRig rig;
  qt::MainWindow window(rig.app);
  Form1_Load(rig.app);
  window.show();
  EXPECT_EQ(window.windowTitle(), "Koralin GPS Readout. Version 1.21");
  EXPECT_EQ(LabelText(window, "lblLock"), "Rx ok");
  EXPECT_EQ(LabelText(window, "lblLatitude"), QString::fromUtf8("00°00.00'N"));
  EXPECT_EQ(LabelText(window, "lblLongitude"), QString::fromUtf8("000°00.00'E"));
  EXPECT_EQ(LabelText(window, "lblTime"), "00:00:00");
  EXPECT_EQ(LabelText(window, "lblDate"), "00-Empty-2000");
  EXPECT_EQ(LabelText(window, "lblCompassText"), "---");
  SaveShot(window, "main-window-start.png");

  rig.app.settings.ComPortIn = 3;
  rig.comm1.Open(3, "4800,N,8,1", 1024, 512);
  rig.comm1.Feed("$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A\r\n");
  rig.app.form1.tmrPolling.SetInterval(1500);
  rig.app.form1.tmrPolling.SetEnabled(true);
  rig.clock.Advance(1500);
  EXPECT_EQ(LabelText(window, "lblLatitude"), QString::fromUtf8("48°07.04'N"));
  EXPECT_EQ(LabelText(window, "lblTime"), "12:35:19");
  EXPECT_EQ(LabelText(window, "lblDate"), "23-March-2094");
  EXPECT_TRUE(LabelText(window, "lblGPRMC").startsWith("$GPRMC,123519"));
  SaveShot(window, "main-window-fix.png");

  QAction* crc = test::FindAction(window.menuBar(), "&CRCcheck");
  ASSERT_NE(crc, nullptr);
  rig.app.form1.mnuCrcCheck.SetChecked(true);
  EXPECT_TRUE(crc->isChecked());
  crc->trigger();
  EXPECT_FALSE(rig.app.form1.mnuCrcCheck.Checked() || crc->isChecked());
}

TEST(MainWindow, DemoFeedChangesTheWidgetsEveryTick) {
  test::TestRig rig;
  App& app = rig.app;
  qt::MainWindow window(app);
  Form1_Load(app);
  app.form1.mnuCrcCheck.SetChecked(true);
  app.form1.mnuLockCheck.SetChecked(true);
  app.settings.ComPortIn = -1;
  app.form1.tmrPolling.SetEnabled(true);
  window.resize(760, 360);
  window.show();
  auto frameTitle = [&] { return window.findChild<QWidget*>("Frame1")->property("title").toString(); };
  auto shown = [&](const char* name) { return window.findChild<QLabel*>(name)->isVisible(); };
  const char* names[] = {"lblLatitude", "lblLongitude", "lblTime",     "lblLock",    "lblGPRMC",
                         "lblHeight",   "lblDoppler",   "lblAltitude", "lblCompass", "lblFluxGateCompass"};
  auto snapshot = [&] {
    QStringList s{frameTitle()};
    for (const char* n : names) s << LabelText(window, n) << (shown(n) ? "shown" : "hidden");
    return s;
  };
  QStringList before = snapshot();
  for (int step = 1; step <= 20; ++step) {
    rig.clock.Advance(app.form1.tmrPolling.Interval());
    QApplication::processEvents();
    const QStringList now = snapshot();
    EXPECT_NE(now, before) << "step " << step;
    before = now;
  }
  // Step 20: a DF bearing with its amplitude, a $PGRMZ altitude and the 3D lock.
  EXPECT_EQ(LabelText(window, "lblDoppler"), "DF101");
  EXPECT_EQ(LabelText(window, "lblAmplitude"), "[12]");
  EXPECT_TRUE(shown("lblDoppler") && shown("lblAmplitude"));
  EXPECT_EQ(LabelText(window, "lblHeight"), "4 ft");
  EXPECT_TRUE(LabelText(window, "lblAltitude").startsWith("$PGRMZ,004,f,2*"));
  EXPECT_TRUE(LabelText(window, "lblFluxGateCompass").startsWith("$HCHDT,180.8,T*"));
  EXPECT_EQ(frameTitle(), "GPS-NMEA-0183 (Very good lock 3D)");
  SaveShot(window, "main-window-demo.png");
  EXPECT_EQ(app.unexpectedCount, 0) << app.lastUnexpected;
}

struct ChoiceRig : test::TestRig {
  ChoiceRig() {
    Form1& f = app.form1;
    f.tmrPolling.SetInterval(1500);
    f.tmrComInTimeOut.SetInterval(10000);
    for (int i = 0; i < 7; ++i) f.Option1[static_cast<std::size_t>(i)].SetCaption("Com" + std::to_string(i + 1));
    f.Option1[7].SetCaption("Comport off");
    f.Option1[8].SetCaption("Demo");
    for (int n = 7; n <= 31; ++n) f.lstCustumComIn.AddItem(std::to_string(n));
    app.settings.BaudIn = 4800;
  }
  QRadioButton* Button(int i) { return window.findChild<QRadioButton*>(QString("Option1(%1)").arg(i)); }
  qt::MainWindow window{app};
};

TEST(InputChoiceWidgets, ButtonsAndListFollowTheModelAndClicksReachIt) {
  ChoiceRig rig;
  ASSERT_NE(rig.Button(8), nullptr);
  EXPECT_EQ(rig.Button(7)->text(), "Comport off");
  rig.Button(2)->click();
  EXPECT_EQ(rig.app.settings.ComPortIn, 3);
  EXPECT_TRUE(rig.Button(2)->isChecked());
  EXPECT_FALSE(rig.Button(0)->isEnabled());
  EXPECT_TRUE(rig.Button(7)->isEnabled());
  auto* list = rig.window.findChild<QListWidget*>("lstCustumComIn");
  EXPECT_TRUE(list->isHidden());
  rig.Button(7)->click();
  EXPECT_EQ(rig.app.settings.ComPortIn, 0);
  EXPECT_FALSE(rig.Button(2)->isChecked());
  EXPECT_TRUE(rig.Button(7)->isChecked() && rig.Button(0)->isEnabled());
  ASSERT_EQ(list->count(), 25);
  emit list->itemClicked(list->item(5));
  EXPECT_EQ(rig.app.settings.CustomComIn, 12);
  EXPECT_EQ(rig.Button(6)->text(), "Com12");
}

TEST(InputChoiceWidgets, TheWatchdogWarningShowsInTheFrame) {
  ChoiceRig rig;
  rig.Button(0)->click();
  rig.clock.Advance(30000);
  auto* frame = rig.window.findChild<QGroupBox*>("Frame1");
  EXPECT_EQ(frame->title(), "Warning no RS232 input recieved for about 30 Sec's.");
  EXPECT_TRUE(frame->styleSheet().contains("#ff00ff"));  // magenta on the third warning
  rig.window.show();
  SaveShot(rig.window, "main-window-no-input-warning.png");
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

TEST(LogMenu, EntriesFollowLoggingAndTheFrameShowsThePlayingLog) {
  test::TestRig rig;
  rig.app.form1.mnuCrcCheck.SetChecked(true);
  qt::MainWindow window(rig.app);
  window.show();
  auto* frame = window.findChild<QGroupBox*>("Frame1");
  QAction* loggen = test::FindAction(window.menuBar(), "&Loggen");
  QAction* playLog = test::FindAction(window.menuBar(), "&PlayLog...");
  ASSERT_TRUE(frame && loggen && playLog);

  const std::string path = (std::filesystem::temp_directory_path() / "koralin-qt-play-test.log").string();
  std::filesystem::remove(path);
  rig.dialogs.inputAnswers.push_back(path);
  loggen->trigger();
  EXPECT_TRUE(loggen->isChecked());
  EXPECT_FALSE(playLog->isEnabled());
  loggen->trigger();
  EXPECT_FALSE(loggen->isChecked());
  EXPECT_TRUE(playLog->isEnabled());

  std::ofstream(path, std::ios::binary | std::ios::trunc)
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
    SaveShot(window, "main-window-playing.png");
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
