// The whole program logging onto a full disk for a minute, 50 sentences a second
// coming in: the one box stays open, unclicked, and the data goes on.
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <atomic>
#include <set>
#include <thread>
#include <gtest/gtest.h>

#include "app/startup.h"
#include "dbus/bus_client.h"
#include "qt/dbus_bus.h"
#include "qt/program.h"
#include "serial/input_port.h"
#include "serial/output_port.h"
#include "support/fakes.h"
#include "support/pty.h"
#include "support/sentences.h"

namespace koralin {
namespace {

namespace fs = std::filesystem;

// Sentence number n: its time and latitude both count up, so a log line tells
// which sentence it was and the published latitude moves with every one.
std::string Numbered(int n) {
  char body[96];
  std::snprintf(body, sizeof body, "GPRMC,%02d%02d%02d.%02d,A,48%05.2f,N,01131.000,E,022.4,084.4,230394,003.1,W",
                12 + n / 180000, n / 3000 % 60, n / 50 % 60, n % 50 * 2, n % 6000 * 0.01);
  return test::Nmea(body) + "\r\n";
}

int NumberOf(const std::string& line) {
  int h = 0, m = 0, s = 0, cs = 0;
  if (std::sscanf(line.c_str(), "$GPRMC,%2d%2d%2d.%2d", &h, &m, &s, &cs) != 4) return -1;
  return (h - 12) * 180000 + m * 3000 + s * 50 + cs / 2;
}

TEST(NeverWait, ALogOnAFullDiskShowsOneBoxWhileTheDataGoesOn) {
  test::PortMap map;
  test::Pty gps, plotter;
  map.Map(3, gps.Path()), map.Map(1, plotter.Path());
  const std::string log = map.Folder() + "/GpsData.log";
  fs::create_symlink("/dev/full", log);
  test::FakeClockSetter clockSetter;
  qt::Program program({.settingsFolder = map.Folder(), .busName = "koralin-never-wait", .clock = &clockSetter});
  App& app = program.app;
  app.form1.form.SetVisible(true);
  Form1_Load(app);
  Form1& f = app.form1;
  f.mnuPollingSpeed.Click();         // fast
  BaudSelect(app, 4800);            // a pty takes any rate: no search
  f.Option1[2].Click();              // Com3
  ComOutSelect(app, 1, 4800);
  f.mnuRMCPlainOut.Click();
  ASSERT_TRUE(app.platform.comm2.IsOpen());

  test::Client watcher("watcher", program.Bus()->ServiceName());
  std::atomic<int> sent{0};
  std::atomic<bool> feeding{true};
  std::thread receiver([&] {
    for (auto next = std::chrono::steady_clock::now(); feeding; next += std::chrono::milliseconds(20))
      gps.Send(Numbered(sent++)), std::this_thread::sleep_until(next);
  });
  QTimer answerer;  // turning the log on asks: the name as offered, append to what is there
  QObject::connect(&answerer, &QTimer::timeout, [] {
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* input = qobject_cast<QInputDialog*>(modal)) input->accept();
    if (auto* box = qobject_cast<QMessageBox*>(modal)) box->button(QMessageBox::Ok)->click();
  });
  answerer.start(50);
  test::RunFor(500);
  f.mnuLoggen.Click();
  answerer.stop();
  ASSERT_TRUE(f.mnuLoggen.Checked());
  const int firstLogged = sent;

  // Each second the published latitude has moved and the plotter got more.
  std::set<QMessageBox*> seen;
  std::string lastLatitude;
  int stillSeconds = 0, silentSeconds = 0;
  for (int second = 0; second < 60; ++second) {
    if (second == 40) test::WriteFile(log + ".new", ""), fs::rename(log + ".new", log);  // space comes back
    test::RunFor(1000);
    for (QWidget* w : QApplication::topLevelWidgets())  // the notices open on screen
      if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) seen.insert(box);
    const std::string latitude = watcher.changes.empty() ? "" : watcher.changes.back().second.toStdString();
    stillSeconds += std::exchange(lastLatitude, latitude) == latitude;
    silentSeconds += plotter.Receive(0, 0).find("$GPRMC,") == std::string::npos;
  }
  feeding = false;
  receiver.join();
  EXPECT_EQ(std::pair(stillSeconds, silentSeconds), std::pair(0, 0)) << "seconds without a new latitude, without output";
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_TRUE((*seen.begin())->isVisible()) << "the box stayed open throughout";
  EXPECT_TRUE((*seen.begin())->text().contains("Write error")) << (*seen.begin())->text().toStdString();
  EXPECT_EQ(f.Frame1.Caption().find("log not written"), std::string::npos) << "the write succeeded again";

  // Logging off writes the rest: every poll's sentence, in order, none twice,
  // with no gap where the disk was full.
  f.mnuLoggen.Click();
  std::istringstream lines(test::ReadFile(log));
  int previous = -1, widestGap = 0, count = 0;
  for (std::string line; std::getline(lines, line); ++count) {
    const int n = NumberOf(line);
    ASSERT_GT(n, previous) << line;
    if (previous >= 0) widestGap = std::max(widestGap, n - previous);
    previous = n;
  }
  EXPECT_LE(NumberOf(test::ReadFile(log)), firstLogged + 50);
  EXPECT_LE(widestGap, 100) << "two seconds without a logged sentence";
  EXPECT_GE(previous, sent - 100);
  EXPECT_GT(count, 600);
  EXPECT_EQ(app.unexpectedCount, 0);
}

}  // namespace
}  // namespace koralin
