#include "qt/main_window.h"

#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <gtest/gtest.h>

#include "app/startup.h"
#include "nmea/checksum.h"
#include "qt/text.h"
#include "support/fakes.h"

namespace koralin {
namespace {

QString LabelText(QWidget& w, const char* name) {
  auto* l = w.findChild<QLabel*>(name);
  return l ? l->text() : QString("<missing %1>").arg(name);
}

void Save(QWidget& w, const char* file) {
  QDir().mkpath(KORALIN_SCREENSHOT_DIR);
  w.grab().save(QString(KORALIN_SCREENSHOT_DIR) + "/" + file);
}

TEST(MainWindow, ShowsTheZeroSentenceAtStart) {
  test::TestRig rig;
  qt::MainWindow window(rig.app);
  Form_Load(rig.app);
  window.show();
  EXPECT_EQ(window.windowTitle(), "Koralin GPS Readout. Version 1.21");
  EXPECT_EQ(LabelText(window, "lblLock"), "Rx ok");
  EXPECT_EQ(LabelText(window, "lblLatitude"), QString::fromUtf8("00°00.00'N"));
  EXPECT_EQ(LabelText(window, "lblLongitude"), QString::fromUtf8("000°00.00'E"));
  EXPECT_EQ(LabelText(window, "lblTime"), "00:00:00");
  EXPECT_EQ(LabelText(window, "lblDate"), "00-Empty-2000");
  EXPECT_EQ(LabelText(window, "lblCompassText"), "---");
  Save(window, "main-window-start.png");
}

TEST(MainWindow, RepaintsWhenTheModelChanges) {
  test::TestRig rig;
  qt::MainWindow window(rig.app);
  Form_Load(rig.app);
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
  window.show();
  Save(window, "main-window-fix.png");
}

TEST(MainWindow, MenuClicksReachTheModel) {
  test::TestRig rig;
  qt::MainWindow window(rig.app);
  rig.app.form1.mnuCrcCheck.SetChecked(true);
  QAction* crc = nullptr;
  for (QAction* top : window.menuBar()->actions())
    if (top->menu())
      for (QAction* a : top->menu()->actions())
        if (a->text() == "&CRCcheck") crc = a;
  ASSERT_NE(crc, nullptr);
  EXPECT_TRUE(crc->isChecked());
  crc->trigger();
  EXPECT_FALSE(rig.app.form1.mnuCrcCheck.Checked());
  EXPECT_FALSE(crc->isChecked());
}

}  // namespace
}  // namespace koralin
