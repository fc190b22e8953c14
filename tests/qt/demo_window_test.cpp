// The main window running on the demo feed: its widgets follow every tick.
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPixmap>

#include <gtest/gtest.h>

#include "app/startup.h"
#include "qt/main_window.h"
#include "support/fakes.h"

namespace koralin {
namespace {

QString Text(const QWidget& window, const char* name) {
  const auto* label = window.findChild<QLabel*>(name);
  return label ? label->text() : QString("(missing %1)").arg(name);
}

bool Shown(const QWidget& window, const char* name) {
  const auto* label = window.findChild<QLabel*>(name);
  return label && label->isVisible();
}

TEST(DemoWindow, ShowsChangingValuesEveryTick) {
  test::TestRig rig;
  App& app = rig.app;
  qt::MainWindow window(app);
  Form_Load(app);
  app.form1.mnuCrcCheck.SetChecked(true);
  app.form1.mnuLockCheck.SetChecked(true);
  app.settings.ComPortIn = -1;
  app.form1.tmrPolling.SetEnabled(true);
  window.resize(760, 360);
  window.show();

  const char* names[] = {"lblLatitude", "lblLongitude", "lblTime",   "lblLock",    "lblGPRMC",
                         "lblHeight",   "lblDoppler",   "lblAltitude", "lblCompass", "lblFluxGateCompass"};
  auto snapshot = [&] {
    QStringList s;
    for (const char* n : names) s << Text(window, n) << (Shown(window, n) ? "shown" : "hidden");
    s << window.findChild<QWidget*>("Frame1")->property("title").toString();
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
  EXPECT_EQ(Text(window, "lblDoppler"), "DF101");
  EXPECT_TRUE(Shown(window, "lblDoppler"));
  EXPECT_EQ(Text(window, "lblAmplitude"), "[12]");
  EXPECT_TRUE(Shown(window, "lblAmplitude"));
  EXPECT_EQ(Text(window, "lblHeight"), "4 ft");
  EXPECT_TRUE(Text(window, "lblAltitude").startsWith("$PGRMZ,004,f,2*"));
  EXPECT_TRUE(Text(window, "lblFluxGateCompass").startsWith("$HCHDT,180.8,T*"));
  EXPECT_EQ(window.findChild<QWidget*>("Frame1")->property("title").toString(), "GPS-NMEA-0183 (Very good lock 3D)");

  QDir().mkpath(KORALIN_SCREENSHOT_DIR);
  const QString file = QString(KORALIN_SCREENSHOT_DIR) + "/main-window-demo.png";
  ASSERT_TRUE(window.grab().save(file));
  EXPECT_EQ(app.unexpectedCount, 0) << app.lastUnexpected;
}

}  // namespace
}  // namespace koralin
