// What the Qt tests share: a program whose ports are the real adapters
// (serial devices on ptys unless ComPorts.cfg says otherwise), waiting,
// screenshots for a person to look at, and menu entries by caption.
#pragma once

#include <QDir>
#include <QLabel>
#include <QEventLoop>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include "qt/main_window.h"
#include "qt/target_port.h"
#include "support/fakes.h"
#include "support/pty.h"
#include "support/wait.h"

namespace koralin::test {

// The program on fakes with its main window, in a settings folder of its own.
struct FaceRig {
  template <class W = QLabel> W* Find(const std::string& name) {
    return window.findChild<W*>(QString::fromStdString(name));
  }
  TempFolder folder;
  TestRig rig;
  App& app = rig.app;
  Form1& f = app.form1;
  qt::MainWindow window{app};
};

// Port 3 is the GPS, port 1 the plotter; everything else is a fake.
struct PtyRig {
  PtyRig() : app{Platform{system, dialogs, comm1, comm2, clockSetter, bus}} {
    system.appPath = map.Folder();  // the settings folder, as the program has it
    map.Map(3, gps.Path());
    map.Map(1, plotter.Path());
    for (Timer* t : {&app.form1.tmrPolling, &app.form1.tmrComInTimeOut, &app.form1.tmrResume}) clock.Attach(*t);
    app.form1.tmrPolling.SetInterval(1500);
    app.form1.tmrComInTimeOut.SetInterval(10000);
    app.settings.BaudIn = 4800;
  }
  void GpsOn() { app.form1.Option1[2].Click(); }  // Com3
  void Poll() { clock.Advance(app.form1.tmrPolling.Interval()); }
  std::string Box() const { return dialogs.boxes.empty() ? "" : dialogs.boxes[0].prompt; }

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
