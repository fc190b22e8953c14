// Every way out of the program, each once: the close box and the Exit menu
// on the real window; the signals and a stale lock on the real program.
#include <sys/stat.h>

#include <QElapsedTimer>

#include "qt/rig.h"

namespace koralin {
namespace {

using test::ProgramFolder;
using test::Stop;

TEST(Program, TheCloseBoxAndTheExitMenuSaveAndEnd) {
  for (bool byMenu : {false, true}) {
    test::FaceRig face;
    face.Load();
    face.window.show();
    QAction* exit = test::FindAction(face.window.menuBar(), "&Exit           Alt+F4");
    ASSERT_NE(exit, nullptr);
    byMenu ? exit->trigger() : (void)face.window.close();
    EXPECT_TRUE(face.rig.system.ended) << byMenu;
    EXPECT_TRUE(test::Exists(face.folder / "Gps.cfg")) << byMenu;
  }
}

TEST(Program, EachSignalSavesTheSettingsAsReadAndEnds) {
  for (int sig : {SIGTERM, SIGINT, SIGHUP}) {
    SCOPED_TRACE(sig);
    ProgramFolder dir;
    test::TestRig rig;  // some choices made, in the file the program reads
    DefaultSettings(rig.app);
    rig.app.settings.TimeZoneOffset = 3, rig.app.settings.MinimalTop = 1234.5f;
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

// Waits until p has said `what` on standard error, gathering all it says.
bool Says(QProcess& p, QByteArray& said, const QByteArray& what) {
  return test::WaitFor([&] { return p.waitForReadyRead(50), (said += p.readAllStandardError()).contains(what); });
}

// A FIFO or a folder as Gps.cfg is refused without waiting on it; SIGTERM
// ends the program with the read error's box open and the failed save said.
TEST(Program, SigtermEndsWithinFiveSecondsWhateverGpsCfgIs) {
  for (const bool fifo : {true, false}) {
    SCOPED_TRACE(fifo ? "FIFO" : "folder");
    ProgramFolder dir;
    fifo ? (void)::mkfifo((dir / "Gps.cfg").c_str(), 0600) : (void)std::filesystem::create_directory(dir / "Gps.cfg");
    QProcess& p = dir.Start();
    QByteArray said;
    ASSERT_TRUE(Says(p, said, "File Read Error")) << said.toStdString();
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
    std::filesystem::create_directories(root / "bin"), std::filesystem::create_directories(root / "share");
    std::filesystem::copy_file(KORALIN_PROGRAM, root / "bin/koralin-gps");
    test::WriteFile(root / "home", "");  // a file where the folder would go
    if (handedOut) test::WriteFile(root / "bin/Gps.cfg", "handed out");
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", QString::fromStdString(root / "home"));
    p.setProcessEnvironment(env);
    p.start(QString::fromStdString(root / "bin/koralin-gps"), {});
    const std::string folder = handedOut ? root / "bin" : root / "home/koralin-gps";
    QByteArray said;
    ASSERT_TRUE(Says(p, said, QByteArray::fromStdString("The settings folder " + folder + " cannot be written")))
        << said.toStdString();
    ASSERT_TRUE(Stop(p, SIGTERM));
    said += p.readAllStandardError();
    EXPECT_EQ(p.exitCode(), 0);
    EXPECT_EQ(said.count("cannot be written"), 1) << said.toStdString();
    EXPECT_FALSE(said.contains("already running")) << said.toStdString();
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(root / "bin"), {}), handedOut ? 2 : 1);
    EXPECT_EQ(test::ReadFile(root / "bin/Gps.cfg"), handedOut ? "handed out" : "");
  }
}

// A copy that ended by a crash leaves its lock; the next start takes it.
TEST(Program, AStaleLockDoesNotBlock) {
  ProgramFolder dir;
  ASSERT_TRUE(Stop(dir.Start(), SIGKILL));
  ASSERT_TRUE(dir.Has("koralin-gps.lock"));
  QProcess& next = dir.Start();
  const std::string pid = std::to_string(next.processId());
  ASSERT_TRUE(test::WaitFor([&] { return test::ReadFile(dir / "koralin-gps.lock").rfind(pid + "\n", 0) == 0; }));
  ASSERT_TRUE(Stop(next, SIGTERM));
  EXPECT_TRUE(dir.Has("Gps.cfg"));
}

}  // namespace
}  // namespace koralin
