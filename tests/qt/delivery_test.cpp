// The program as delivered. Started from a terminal with no desktop:
// --help and --version answer, a start without a display ends with one line
// and status 1 (not Qt's abort), a mistyped option is refused. Installed by
// its Debian package: the right files and dependencies, and settings kept in
// the user's config folder, never in its bin/, even when bin/ is writable.
#include <signal.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <filesystem>

#include "app/settings_file.h"
#include "qt/rig.h"

namespace koralin {
namespace {

TEST(CommandLine, AnswersAndRefusalsWithoutADisplay) {
  const struct {
    QStringList args;
    const char* env;  // besides no DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM
    int exitCode;
    const char* out;  // standard output matches this
    const char* err;  // the last line of standard error holds this
  } rows[] = {
      {{"--version"}, "", 0, "^Koralin GPS Readout 1\\.21\n$", ""},
      {{"--help"}, "", 0, "--version.*\\$XDG_CONFIG_HOME/koralin-gps.*User guide: /", ""},
      {{}, "", 1, "^$", "needs a graphical desktop. To run it without one: QT_QPA_PLATFORM=offscreen"},
      {{}, "DISPLAY=:97", 1, "^$", "the display cannot be opened; it needs a graphical desktop"},
      {{"--bogus"}, "QT_QPA_PLATFORM=offscreen", 1, "^$", "Unknown option 'bogus'"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.args.join(' ').toStdString() + " " + r.env);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(name);
    if (*r.env) env.insert(QString(r.env).section('=', 0, 0), QString(r.env).section('=', 1));
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(KORALIN_PROGRAM, r.args);
    ASSERT_TRUE(p.waitForFinished(20000));
    const QString out = QString::fromLocal8Bit(p.readAllStandardOutput());
    const QStringList err = QString::fromLocal8Bit(p.readAllStandardError()).trimmed().split('\n');
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit) << "never an abort";
    EXPECT_EQ(p.exitCode(), r.exitCode);
    EXPECT_TRUE(QRegularExpression(r.out, QRegularExpression::DotMatchesEverythingOption).match(out).hasMatch())
        << out.toStdString();
    EXPECT_TRUE(err.last().contains(r.err)) << err.join('\n').toStdString();
    EXPECT_TRUE(r.exitCode == 0 || *r.env || err.size() == 1) << "one line";
  }
}

// Runs a command to its end; what it said.
std::string RunTool(const QString& program, const QStringList& args) {
  QProcess p;
  p.setProcessChannelMode(QProcess::MergedChannels);
  p.start(program, args);
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
  for (const char* f : {"bin/koralin-gps", "bin/koralin-df-bridge", "share/applications/koralin-gps.desktop",
                        "share/icons/hicolor/scalable/apps/koralin-gps.svg", "share/doc/koralin-gps/user-guide.md",
                        "share/man/man1/koralin-gps.1"})
    EXPECT_TRUE(test::Exists(root / "usr/" + f)) << f;
  EXPECT_FALSE(test::Exists(root / "usr/local"));
  const std::string depends = RunTool("dpkg-deb", {"-f", deb, "Depends"});
  for (const char* p : {"libqt6widgets6", "libqt6serialport6", "libqt6dbus6", "qt6-qpa-plugins"})
    EXPECT_NE(depends.find(p), std::string::npos) << p << " in " << depends;
  EXPECT_EQ(RunTool("dpkg-deb", {"-f", deb, "Recommends"}), "gpsd\n");
  EXPECT_EQ(RunTool("groff", {"-ww", "-z", "-man", KORALIN_SOURCE_DIR "/data/koralin-gps.1"}), "");

  const std::string bin = root / "usr/bin";
  EXPECT_LT(std::filesystem::file_size(bin + "/koralin-gps"), std::filesystem::file_size(KORALIN_PROGRAM))
      << "stripped";
  test::TestRig rig;  // settings handed out beside the program
  DefaultSettings(rig.app);
  rig.app.settings.TimeZoneOffset = 3;
  const std::string handedOut = SettingsFileText(rig.app);
  test::WriteFile(bin + "/Gps.cfg", handedOut);
  const auto files = [&] { return std::distance(std::filesystem::directory_iterator(bin), {}); };
  const auto before = files();
  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("HOME", QString::fromStdString(home.path()));
  env.insert("XDG_CONFIG_HOME", QString::fromStdString(home / "cfg"));
  env.insert("QT_QPA_PLATFORM", "offscreen");
  p.setProcessEnvironment(env);
  p.start(QString::fromStdString(bin + "/koralin-gps"), {});
  const std::string settings = home / "cfg/koralin-gps";
  ASSERT_TRUE(test::WaitFor([&] { return test::Exists(settings + "/koralin-gps.lock"); }));
  ::kill(static_cast<pid_t>(p.processId()), SIGTERM);
  ASSERT_TRUE(p.waitForFinished(10000));
  EXPECT_EQ(test::ReadFile(settings + "/Gps.cfg"), handedOut) << "seeded by the handed-out settings";
  EXPECT_EQ(files(), before) << "nothing new in bin/";
  EXPECT_EQ(test::ReadFile(bin + "/Gps.cfg"), handedOut);
}

}  // namespace
}  // namespace koralin
