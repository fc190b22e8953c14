// The real program's ways out, and the program as delivered: from a terminal
// with no desktop, and installed by its package.
#include <QRegularExpression>

#include "qt/rig.h"

namespace koralin {
namespace {

using test::Stop;

// Each signal ends the program within 5 s, saving the settings as read (a
// FIFO as Gps.cfg is OddFiles'). SIGKILL is a crash: it leaves its lock,
// which the next start takes, even one the crash left empty.
TEST(Program, EachSignalEndsItSoonAndAStaleLockDoesNotBlock) {
  for (const int sig : {SIGTERM, SIGINT, SIGHUP, SIGKILL}) {
    SCOPED_TRACE(sig);
    test::ProgramFolder dir;
    const std::string gpsCfg = dir / "Gps.cfg", lock = dir / "koralin-gps.lock";
    test::WriteSettings(dir.path(), [](Settings& s) { s.TimeZoneOffset = 3, s.MinimalTop = 1234.5f; });
    const std::string chosen = test::ReadFile(gpsCfg);
    QProcess& p = dir.Start();
    const auto signalled = std::chrono::steady_clock::now();
    ASSERT_TRUE(Stop(p, sig));
    EXPECT_LT(std::chrono::steady_clock::now() - signalled, std::chrono::seconds(5));
    EXPECT_EQ(p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0, sig != SIGKILL);
    EXPECT_EQ(test::Exists(lock), sig == SIGKILL);
    EXPECT_EQ(test::ReadFile(gpsCfg), chosen);
    // As the crash left it, and as a crash before the pid was written leaves it.
    for (int crash = 0; sig == SIGKILL && crash < 2; ++crash) {
      if (crash) {
        ASSERT_TRUE(Stop(dir.Started(), SIGKILL));
        test::WriteFile(lock, "");
      }
      QProcess& next = dir.Start();
      const std::string pid = std::to_string(next.processId());
      ASSERT_TRUE(test::WaitFor([&] { return test::ReadFile(lock).rfind(pid + "\n", 0) == 0; }))
          << "lock: " << test::ReadFile(lock) << " said: " << next.readAllStandardError().toStdString();
    }
  }
}

TEST(CommandLine, AnswersAndRefusalsWithoutADisplay) {
  // env: besides no DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM; standard output matches out, the last
  // line of standard error holds err.
  const struct { QStringList args; const char* env; int exitCode; const char *out, *err; } rows[] = {
      {{"--version"}, "", 0, "^Koralin GPS Readout 1\\.21\n$", ""},
      {{"--help"}, "", 0, "--version.*\\$XDG_CONFIG_HOME/koralin-gps.*User guide: /", ""},
      {{}, "", 1, "^$", "needs a graphical desktop. To run it without one: QT_QPA_PLATFORM=offscreen"},
      {{}, "DISPLAY=:97", 1, "^$", "the display cannot be opened; it needs a graphical desktop"},
      {{"--bogus"}, "QT_QPA_PLATFORM=offscreen", 1, "^$", "Unknown option 'bogus'"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.args.join(' ').toStdString() + " " + r.env);
    QProcess p;
    test::StartWith(p, KORALIN_PROGRAM, {"DISPLAY=", "WAYLAND_DISPLAY=", "QT_QPA_PLATFORM=", r.env}, r.args);
    ASSERT_TRUE(p.waitForFinished(20000));
    const QString out = QString::fromLocal8Bit(p.readAllStandardOutput());
    const QStringList err = QString::fromLocal8Bit(p.readAllStandardError()).trimmed().split('\n');
    EXPECT_EQ(p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, r.exitCode) << "never an abort";
    EXPECT_TRUE(QRegularExpression(r.out, QRegularExpression::DotMatchesEverythingOption).match(out).hasMatch())
        << out.toStdString();
    EXPECT_TRUE(err.last().contains(r.err)) << err.join('\n').toStdString();
    EXPECT_TRUE(r.exitCode == 0 || *r.env || err.size() == 1) << "one line";
  }
}

// Runs a command to its end; what it said.
std::string RunTool(const QString& program, const QStringList& args) {
  QProcess p;
  p.setProcessChannelMode(QProcess::MergedChannels), p.start(program, args);
  EXPECT_TRUE(p.waitForFinished(120000)) << program.toStdString();
  const std::string said = p.readAll().toStdString();
  EXPECT_EQ(p.exitCode(), 0) << program.toStdString() << " " << args.join(' ').toStdString() << "\n" << said;
  return said;
}

TEST(Package, HoldsFilesAndDependenciesAndItsProgramKeepsSettingsOutOfBin) {
  test::TempFolder out, root, home;
  RunTool("cpack", {"--config", KORALIN_BUILD_DIR "/CPackConfig.cmake", "-B", QString::fromStdString(out.path())});
  const QString deb = QString::fromStdString(out / "koralin-gps_1.21_amd64.deb");
  RunTool("dpkg-deb", {"-x", deb, QString::fromStdString(root.path())});
  // Lintian asks for the copyright, the changelog and the manual pages, and refuses /usr/local and unstripped programs.
  for (const char* f : {"bin/koralin-gps", "bin/koralin-df-bridge", "share/applications/koralin-gps.desktop",
                        "share/icons/hicolor/scalable/apps/koralin-gps.svg", "share/doc/koralin-gps/user-guide.md",
                        "share/koralin-gps/demo-hunt.log"})
    EXPECT_TRUE(test::Exists(root / "usr/" + f)) << f;
  // No error, no warning, and both programs hardened; the tags it has to say.
  const std::string lint = RunTool("lintian", {"--pedantic", "--fail-on", "error,warning", deb});
  EXPECT_FALSE(QRegularExpression("(^|\n)[EW]: |hardening-no-").match(QString::fromStdString(lint)).hasMatch()) << lint;
  const std::string depends = RunTool("dpkg-deb", {"-f", deb, "Depends"});
  for (const char* p : {"libqt6widgets6", "libqt6serialport6", "libqt6dbus6", "qt6-qpa-plugins"})
    EXPECT_NE(depends.find(p), std::string::npos) << p << " in " << depends;
  EXPECT_EQ(RunTool("dpkg-deb", {"-f", deb, "Recommends"}), "gpsd\n");
  EXPECT_EQ(RunTool("groff", {"-ww", "-z", "-man", KORALIN_SOURCE_DIR "/data/koralin-gps.1"}), "");

  // Installed, it keeps its settings out of bin/: handed-out settings beside it seed the user's folder; with no
  // folder to be made (a file in the way) they are read where they lie, the folder is named once, nothing saved.
  const std::string bin = root / "usr/bin";
  test::WriteSettings(bin, [](Settings& s) { s.TimeZoneOffset = 3; });
  const std::string handedOut = test::ReadFile(bin + "/Gps.cfg");
  test::WriteFile(home / "file", "");
  for (const bool writable : {false, true}) {
    SCOPED_TRACE(writable ? "writable" : "a file in the way");
    const std::string xdg = home / (writable ? "cfg" : "file"), folder = writable ? xdg + "/koralin-gps" : bin;
    QProcess p;
    test::StartWith(p, bin + "/koralin-gps", {QString::fromStdString("XDG_CONFIG_HOME=" + xdg)});
    QByteArray said;
    if (writable) {
      ASSERT_TRUE(test::WaitFor([&] { return test::Exists(folder + "/koralin-gps.lock"); }));
    } else {
      const QByteArray named = QByteArray::fromStdString("The settings folder " + folder + " cannot be written");
      ASSERT_TRUE(test::WaitFor([&] { return p.waitForReadyRead(50), (said += p.readAllStandardError()).contains(named); }))
          << said.toStdString();
    }
    ASSERT_TRUE(Stop(p, SIGTERM));
    said += p.readAllStandardError();
    EXPECT_EQ(p.exitCode(), 0);
    EXPECT_EQ(said.count("cannot be written"), writable ? 0 : 1) << said.toStdString();
    EXPECT_FALSE(said.contains("already running")) << said.toStdString();
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(bin), {}), 3) << "nothing new in bin/";
    EXPECT_EQ(test::ReadFile(bin + "/Gps.cfg"), handedOut);
    if (writable) { EXPECT_EQ(test::ReadFile(folder + "/Gps.cfg"), handedOut) << "seeded by the handed-out settings"; }
  }
}

}  // namespace
}  // namespace koralin
