// What the Qt tests share: settings as saved, the program on fakes with its
// windows or on ptys, the real program in a folder of its own.
#pragma once

#include <signal.h>

#include <QProcess>
#include <filesystem>
#include <functional>
#include <memory>
#include <gtest/gtest.h>

#include "app/settings_file.h"
#include "app/startup.h"
#include "common/basic.h"
#include "qt/main_window.h"
#include "qt/program.h"
#include "qt/tool_windows.h"
#include "support/fakes.h"
#include "support/pty.h"
#include "support/wait.h"

namespace koralin::test {

// Gps.cfg in `folder` as the program saves it: the defaults, then `choose`.
inline void WriteSettings(const std::string& folder, const std::function<void(Settings&)>& choose) {
  TestRig writer;
  writer.app.settings.CfgFileName = folder + "/Gps.cfg", DefaultSettings(writer.app);
  choose(writer.app.settings), SaveSettings(writer.app);
}

// The program on the stand-ins of `f`, with `folder` as its settings folder
// and its timers on the fake clock; with windows and fake ports, or real
// ports and no windows.
inline qt::Program::Options OnFakes(Fakes& f, const std::string& folder, bool realPorts) {
  f.system.appPath = folder;
  return {.system = &f.system, .dialogs = &f.dialogs, .comm1 = realPorts ? nullptr : &f.comm1,
          .comm2 = realPorts ? nullptr : &f.comm2, .clock = &f.clockSetter, .bus = &f.bus,
          .team = &f.team,
          .runTimer = [&f](Timer& t) { f.clock.Attach(t); }, .windows = !realPorts};
}

// The program on fakes with its windows, in a settings folder of its own,
// loaded with the defaults and `choose`.
struct WindowRig {
  explicit WindowRig(const std::function<void(Settings&)>& choose = nullptr)
      : program(OnFakes(fakes, folder.path(), false)) {
    if (choose) WriteSettings(folder.path(), choose);
    Form1_Load(app);
  }
  TempFolder folder;
  Fakes fakes;
  qt::Program program;
  App& app = program.app;
  Form1& f = app.form1;
  qt::MainWindow& window = program.Window();
  qt::ToolWindows& tools = program.Tools();
};

// Port 3 is the GPS, port 1 the plotter, on the real ports without windows;
// everything else is a fake.
struct PtyRig {
  PtyRig() {
    map.Map(3, gps.Path()), map.Map(1, plotter.Path());
    app.form1.tmrPolling.SetInterval(1500), app.form1.tmrComInTimeOut.SetInterval(10000);
    app.settings.BaudIn = 4800;
  }
  void GpsOn() { app.form1.Option1[2].Click(); }  // Com3
  void Poll() { clock.Advance(app.form1.tmrPolling.Interval()); }
  std::string Box() const { return fakes.dialogs.boxes.empty() ? "" : fakes.dialogs.boxes[0].prompt; }

  PortMap map;
  Pty gps, plotter;
  Fakes fakes;
  FakeClock& clock = fakes.clock;
  qt::Program program{OnFakes(fakes, map.Folder(), true)};
  App& app = program.app;
  SerialPort &comm1 = app.platform.comm1, &comm2 = app.platform.comm2;
};

// The real program copied into a fresh folder, its settings folder; what it
// started is killed at the end.
class ProgramFolder {
 public:
  ProgramFolder() { std::filesystem::copy_file(KORALIN_PROGRAM, folder_ / "koralin-gps"); }
  ~ProgramFolder() { for (auto& p : started_) p->kill(), p->waitForFinished(5000); }
  // Started; back once a lock is there.
  QProcess& Start() {
    auto& p = *started_.emplace_back(std::make_unique<QProcess>());
    p.start(QString::fromStdString(folder_ / "koralin-gps"), {});
    EXPECT_TRUE(p.waitForStarted(10000));
    EXPECT_TRUE(WaitFor([&] { return Exists(folder_ / "koralin-gps.lock"); }));
    return p;
  }
  QProcess& Started() { return *started_.back(); }
  std::string operator/(const std::string& name) const { return folder_ / name; }
  const std::string& path() const { return folder_.path(); }

 private:
  TempFolder folder_;
  std::vector<std::unique_ptr<QProcess>> started_;
};

// Starts program with the environment changed: NAME=value sets NAME, NAME= removes it.
inline void StartWith(QProcess& p, const std::string& program, const QStringList& env, const QStringList& args = {}) {
  QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
  for (const QString& v : env)
    if (!v.isEmpty()) v.endsWith('=') ? e.remove(v.chopped(1)) : e.insert(v.section('=', 0, 0), v.section('=', 1));
  p.setProcessEnvironment(e);
  p.start(QString::fromStdString(program), args);
}

// Signals p and waits for its end.
inline bool Stop(QProcess& p, int sig) {
  if (p.processId() > 0) ::kill(static_cast<pid_t>(p.processId()), sig);  // never 0: that is our own group
  return p.waitForFinished(10000);
}

}  // namespace koralin::test
