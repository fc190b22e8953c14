// Every way out of the program, each once: the close box and the Exit menu
// on the real window, the three signals, a second copy and a stale lock on
// the real program, started offscreen from a copy in a fresh folder (its
// settings folder).
#include <signal.h>
#include <sys/stat.h>

#include <QElapsedTimer>
#include <QProcess>
#include <filesystem>
#include <memory>
#include <set>

#include "app/settings_file.h"
#include "app/startup.h"
#include "qt/main_window.h"
#include "qt/rig.h"

namespace koralin {
namespace {

TEST(Program, TheCloseBoxAndTheExitMenuSaveAndEnd) {
  for (bool byMenu : {false, true}) {
    test::TempFolder folder;
    test::TestRig rig;
    rig.system.appPath = folder.path();
    qt::MainWindow window(rig.app);
    Form1_Load(rig.app);
    window.show();
    QAction* exit = test::FindAction(window.menuBar(), "&Exit           Alt+F4");
    ASSERT_NE(exit, nullptr);
    byMenu ? exit->trigger() : (void)window.close();
    EXPECT_TRUE(rig.system.ended) << byMenu;
    EXPECT_TRUE(test::Exists(folder / "Gps.cfg")) << byMenu;
  }
}

class ProgramFolder {
 public:
  ProgramFolder() { std::filesystem::copy_file(KORALIN_PROGRAM, folder_ / "koralin-gps"); }
  ~ProgramFolder() {
    for (auto& p : started_) p->kill(), p->waitForFinished(5000);
  }
  QProcess& Start(bool waitForLock = true) {
    auto& p = *started_.emplace_back(std::make_unique<QProcess>());
    p.start(QString::fromStdString(folder_ / "koralin-gps"), {});
    EXPECT_TRUE(p.waitForStarted(10000));
    if (waitForLock) {
      EXPECT_TRUE(test::WaitFor([&] { return Has("koralin-gps.lock"); }));
    }
    return p;
  }
  bool Has(const std::string& name) const { return test::Exists(folder_ / name); }
  std::string operator/(const std::string& name) const { return folder_ / name; }

 private:
  test::TempFolder folder_;
  std::vector<std::unique_ptr<QProcess>> started_;
};

// Signals it and waits for its end.
bool Stop(QProcess& p, int sig) {
  if (p.processId() > 0) ::kill(static_cast<pid_t>(p.processId()), sig);  // never 0: that is our own group
  return p.waitForFinished(10000);
}

TEST(Program, EachSignalSavesTheSettingsAsReadAndEnds) {
  for (int sig : {SIGTERM, SIGINT, SIGHUP}) {
    SCOPED_TRACE(sig);
    ProgramFolder dir;
    test::TestRig rig;  // some choices made, in the file the program reads
    DefaultSettings(rig.app);
    rig.app.settings.TimeZoneOffset = 3;
    rig.app.settings.MinimalTop = 1234.5f;
    rig.app.form1.mnuFeet2Metres.SetChecked(true);
    const std::string chosen = SettingsFileText(rig.app);
    test::WriteFile(dir / "Gps.cfg", chosen);
    QProcess& p = dir.Start();
    ASSERT_TRUE(Stop(p, sig));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 0);
    EXPECT_EQ(test::ReadFile(dir / "Gps.cfg"), chosen);
    EXPECT_FALSE(dir.Has("koralin-gps.lock"));
  }
}

// A FIFO or a folder as Gps.cfg is refused without waiting on it, and a
// signal ends the program within 5 s with the read error's box still open
// and the failed save's box due.
TEST(Program, SigtermEndsWithinFiveSecondsWhateverGpsCfgIs) {
  for (const bool fifo : {true, false}) {
    SCOPED_TRACE(fifo ? "FIFO" : "folder");
    ProgramFolder dir;
    fifo ? (void)::mkfifo((dir / "Gps.cfg").c_str(), 0600) : (void)std::filesystem::create_directory(dir / "Gps.cfg");
    QProcess& p = dir.Start();
    QByteArray said;
    ASSERT_TRUE(test::WaitFor([&] {
      p.waitForReadyRead(50);
      return (said += p.readAllStandardError()).contains("File Read Error");
    })) << said.toStdString();
    QElapsedTimer t;
    t.start();
    ASSERT_TRUE(Stop(p, SIGTERM));
    EXPECT_LT(t.elapsed(), 5000);
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_TRUE((said + p.readAllStandardError()).contains("Write error")) << "said on standard error";
  }
}

// Installed, with no settings folder of its own to be made: handed-out
// settings are read where they lie, the folder is named once, nothing is saved.
TEST(Program, AnUnwritableSettingsFolderIsNamedOnceAndNothingIsWritten) {
  for (const bool handedOut : {true, false}) {
    SCOPED_TRACE(handedOut ? "handed-out Gps.cfg" : "none");
    test::TempFolder root;
    std::filesystem::create_directories(root / "bin");
    std::filesystem::create_directories(root / "share");
    std::filesystem::copy_file(KORALIN_PROGRAM, root / "bin/koralin-gps");
    test::WriteFile(root / "home", "");  // a file where the folder would go
    if (handedOut) test::WriteFile(root / "bin/Gps.cfg", "handed out");
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", QString::fromStdString(root / "home"));
    p.setProcessEnvironment(env);
    p.start(QString::fromStdString(root / "bin/koralin-gps"), {});
    const std::string folder = handedOut ? root / "bin" : root / "home/koralin-gps";
    const QByteArray named = QByteArray::fromStdString("The settings folder " + folder + " cannot be written");
    QByteArray said;
    ASSERT_TRUE(test::WaitFor([&] {
      p.waitForReadyRead(50);
      return (said += p.readAllStandardError()).contains(named);
    })) << said.toStdString();
    ASSERT_TRUE(Stop(p, SIGTERM));
    said += p.readAllStandardError();
    EXPECT_EQ(p.exitCode(), 0);
    EXPECT_EQ(said.count("cannot be written"), 1) << said.toStdString();
    EXPECT_FALSE(said.contains("already running")) << said.toStdString();
    std::set<std::string> files;
    for (const auto& e : std::filesystem::directory_iterator(root / "bin")) files.insert(e.path().filename());
    EXPECT_EQ(files, (handedOut ? std::set<std::string>{"Gps.cfg", "koralin-gps"} : std::set<std::string>{"koralin-gps"}));
    EXPECT_EQ(test::ReadFile(root / "bin/Gps.cfg"), handedOut ? "handed out" : "");
  }
}

// A copy that ended by a crash leaves its lock; the next start takes it.
// (A second copy beside a running one: tests/x11.)
TEST(Program, AStaleLockDoesNotBlock) {
  ProgramFolder dir;
  QProcess& first = dir.Start();
  ASSERT_TRUE(Stop(first, SIGKILL));
  ASSERT_TRUE(dir.Has("koralin-gps.lock"));
  QProcess& next = dir.Start(false);
  const std::string pid = std::to_string(next.processId());
  ASSERT_TRUE(test::WaitFor([&] { return test::ReadFile(dir / "koralin-gps.lock").rfind(pid + "\n", 0) == 0; }));
  ASSERT_TRUE(Stop(next, SIGTERM));
  EXPECT_TRUE(dir.Has("Gps.cfg"));
}

}  // namespace
}  // namespace koralin
