// The real program, started offscreen from a copy in a fresh folder, so
// that the folder is its settings folder.
#include <gtest/gtest.h>
#include <signal.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QThread>
#include <filesystem>
#include <functional>
#include <memory>

#include "app/settings_file.h"
#include "support/files.h"
#include "support/fakes.h"

namespace koralin {
namespace {

bool WaitUntil(const std::function<bool()>& done, int ms = 15000) {
  QElapsedTimer t;
  t.start();
  while (!done()) {
    if (t.elapsed() > ms) return false;
    QThread::msleep(20);
  }
  return true;
}

class ProgramFolder {
 public:
  ProgramFolder() {
    std::filesystem::copy_file(KORALIN_PROGRAM, folder_ / "koralin-gps");
  }
  ~ProgramFolder() {
    for (auto& p : started_) {
      if (p->state() != QProcess::NotRunning) {
        p->kill();
        p->waitForFinished(5000);
      }
    }
  }
  // Started, and holding its lock.
  QProcess& StartLocked() {
    QProcess& p = Start();
    EXPECT_TRUE(WaitUntil([&] { return Has("koralin-gps.lock"); }));
    return p;
  }
  QProcess& Start() {
    auto p = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    p->setProcessEnvironment(env);
    p->setProgram(QString::fromStdString(folder_ / "koralin-gps"));
    p->start();
    EXPECT_TRUE(p->waitForStarted(10000));
    started_.push_back(std::move(p));
    return *started_.back();
  }
  bool Has(const std::string& name) const { return test::Exists(folder_ / name); }
  std::string operator/(const std::string& name) const { return folder_ / name; }
  const std::string& path() const { return folder_.path(); }

 private:
  test::TempFolder folder_;
  std::vector<std::unique_ptr<QProcess>> started_;
};

// Signals it and waits for its end.
bool Stop(QProcess& p, int sig) {
  ::kill(static_cast<pid_t>(p.processId()), sig);
  return p.waitForFinished(10000);
}

// The settings file a program in this folder writes, with some choices made.
std::string ChosenSettings(const std::string& folder) {
  test::TestRig rig;
  rig.system.appPath = folder;
  DefaultSettings(rig.app);
  rig.app.settings.TimeZoneOffset = 3;
  rig.app.settings.MinimalTop = 1234.5f;
  rig.app.settings.ReservedLong = 77;
  rig.app.form1.mnuFeet2Metres.SetChecked(true);
  rig.app.form1.mnuCrcCheck.SetChecked(false);
  return SettingsFileText(rig.app);
}

TEST(Program, ASecondStartRefusesAndLeavesTheFirstRunning) {
  ProgramFolder dir;
  QProcess& first = dir.StartLocked();

  QProcess& second = dir.Start();
  QByteArray said;
  ASSERT_TRUE(WaitUntil([&] {
    second.waitForReadyRead(50);
    said += second.readAllStandardError();
    return said.contains("I am already running !");
  })) << said.toStdString();
  EXPECT_TRUE(said.contains("Koralin GPS Readout. Version 1.21:       I am already running !"));
  // Ending the refused copy, even by a signal, writes no settings.
  ASSERT_TRUE(Stop(second, SIGTERM));
  EXPECT_FALSE(dir.Has("Gps.cfg"));
  EXPECT_EQ(first.state(), QProcess::Running);

  ASSERT_TRUE(Stop(first, SIGTERM));
  EXPECT_TRUE(dir.Has("Gps.cfg"));
}

TEST(Program, EachSignalRunsTheOrderlyExit) {
  for (int sig : {SIGTERM, SIGINT, SIGHUP}) {
    SCOPED_TRACE(sig);
    ProgramFolder dir;
    const std::string chosen = ChosenSettings(dir.path());
    test::WriteFile(dir / "Gps.cfg", "\"Koralin GPS Readout. Version 1.20\"\r\n");
    QProcess& p = dir.StartLocked();
    ASSERT_TRUE(Stop(p, sig));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 0);
    EXPECT_EQ(test::ReadFile(dir / "Gps.cfg").substr(0, 37), "\"Koralin GPS Readout. Version 1.21\"\r\n");
    EXPECT_FALSE(dir.Has("koralin-gps.lock"));

    // Started again on a file with choices in it, it writes them back as read.
    test::WriteFile(dir / "Gps.cfg", chosen);
    ASSERT_TRUE(Stop(dir.StartLocked(), sig));
    EXPECT_EQ(test::ReadFile(dir / "Gps.cfg"), chosen);
  }
}

TEST(Program, ALockLeftByACrashDoesNotBlockTheNextStart) {
  ProgramFolder dir;
  ASSERT_TRUE(Stop(dir.StartLocked(), SIGKILL));
  ASSERT_TRUE(dir.Has("koralin-gps.lock"));
  EXPECT_FALSE(dir.Has("Gps.cfg"));

  // A refused copy would end on the signal without saving; this one saves.
  QProcess& next = dir.Start();
  const std::string pid = std::to_string(next.processId());
  ASSERT_TRUE(WaitUntil([&] { return test::ReadFile(dir / "koralin-gps.lock").rfind(pid + "\n", 0) == 0; }));
  ASSERT_TRUE(Stop(next, SIGTERM));
  EXPECT_TRUE(dir.Has("Gps.cfg"));
}

}  // namespace
}  // namespace koralin
