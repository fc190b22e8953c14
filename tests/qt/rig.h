// What the Qt tests share: a whole program whose ports are the program's own
// (serial devices on ptys unless ComPorts.cfg says otherwise), screenshots
// for a person to look at, and menu entries by caption.
#pragma once

#include <sys/resource.h>

#include <QDir>
#include <QEventLoop>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include "qt/target_port.h"
#include "support/fakes.h"
#include "support/pty.h"

namespace koralin::test {

// Port 3 is the GPS, port 1 the plotter; everything else is a fake.
struct PtyRig {
  explicit PtyRig(ValuesBus* realBus = nullptr)
      : app{Platform{system, dialogs, comm1, comm2, clockSetter, realBus ? *realBus : bus}} {
    system.appPath = map.Folder();  // the settings folder, as the program has it
    map.Map(3, gps.Path());
    map.Map(1, plotter.Path());
    clock.Attach(app.form1.tmrPolling);
    clock.Attach(app.form1.tmrComInTimeOut);
    clock.Attach(app.form1.tmrResume);
    app.form1.tmrPolling.SetInterval(1500);
    app.form1.tmrComInTimeOut.SetInterval(10000);
    for (int i = 0; i < 7; ++i) app.form1.Option1[static_cast<std::size_t>(i)].SetCaption("Com" + std::to_string(i + 1));
    app.form1.Option1[7].SetCaption("Comport off");
    app.form1.Option1[8].SetCaption("Demo");
    app.settings.BaudIn = 4800;
  }
  void GpsOn() { app.form1.Option1[2].Click(); }  // Com3
  void Poll() { clock.Advance(app.form1.tmrPolling.Interval()); }

  PortMap map;
  Pty gps, plotter;
  FakeClock clock;
  FakeSystem system{clock};
  FakeDialogs dialogs;
  qt::TargetPort comm1{map.Folder()}, comm2{map.Folder()};
  FakeClockSetter clockSetter;
  FakeBus bus;
  App app;
};

// This process's processor time, in seconds.
inline double CpuSeconds() {
  rusage u{};
  ::getrusage(RUSAGE_SELF, &u);
  return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
         static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// Runs the event loop for ms, as the program waits between polls.
inline void RunLoop(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

inline void SaveShot(QWidget& w, const QString& file) {
  QDir().mkpath(KORALIN_SCREENSHOT_DIR);
  EXPECT_TRUE(w.grab().save(QString(KORALIN_SCREENSHOT_DIR) + "/" + file)) << file.toStdString();
}

// A menu entry by its caption, in any top-level menu.
inline QAction* FindAction(QMenuBar* bar, const QString& text) {
  for (QAction* top : bar->actions())
    if (top->menu())
      for (QAction* a : top->menu()->actions())
        if (a->text() == text) return a;
  return nullptr;
}

}  // namespace koralin::test
