// What `cmake --install` and the Debian package deliver: an installed program
// keeps its settings in the user's config folder, never in its bin/, even
// when bin/ is writable; the package holds the right files and dependencies.
#include <signal.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QThread>
#include <filesystem>
#include <set>

#include "app/settings_file.h"
#include "qt/rig.h"
#include "support/files.h"

namespace koralin {
namespace {

namespace fs = std::filesystem;

// Runs a command to its end; its output and its complaints, or a failure.
std::string RunTool(const QString& program, const QStringList& args) {
  QProcess p;
  p.setProcessChannelMode(QProcess::MergedChannels);
  p.start(program, args);
  EXPECT_TRUE(p.waitForFinished(120000)) << program.toStdString();
  const std::string said = p.readAll().toStdString();
  EXPECT_EQ(p.exitCode(), 0) << program.toStdString() << " " << args.join(' ').toStdString() << "\n" << said;
  return said;
}

std::set<std::string> Listing(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(folder)) names.insert(e.path().filename().string());
  return names;
}

bool WaitFor(const std::string& path) {
  QElapsedTimer t;
  for (t.start(); !test::Exists(path); QThread::msleep(20))
    if (t.elapsed() > 15000) return false;
  return true;
}

TEST(Install, SettingsGoToTheConfigFolderAndHandedOutSettingsSeedThem) {
  test::TempFolder prefix, home;
  RunTool("cmake", {"--install", KORALIN_BUILD_DIR, "--prefix", QString::fromStdString(prefix.path())});
  const std::string bin = prefix / "bin";
  EXPECT_LT(fs::file_size(bin + "/koralin-gps"), fs::file_size(KORALIN_PROGRAM)) << "stripped";

  test::TestRig rig;  // settings handed out beside the program
  DefaultSettings(rig.app);
  rig.app.settings.TimeZoneOffset = 3;
  const std::string handedOut = SettingsFileText(rig.app);
  test::WriteFile(bin + "/Gps.cfg", handedOut);
  const auto before = Listing(bin);

  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("HOME", QString::fromStdString(home.path()));
  env.insert("XDG_CONFIG_HOME", QString::fromStdString(home / "cfg"));
  env.insert("QT_QPA_PLATFORM", "offscreen");
  QProcess p;
  p.setProcessEnvironment(env);
  p.start(QString::fromStdString(bin + "/koralin-gps"), {});
  const std::string settings = home / "cfg/koralin-gps";
  ASSERT_TRUE(WaitFor(settings + "/koralin-gps.lock"));
  ::kill(static_cast<pid_t>(p.processId()), SIGTERM);
  ASSERT_TRUE(p.waitForFinished(10000));

  EXPECT_EQ(test::ReadFile(settings + "/Gps.cfg"), handedOut);
  EXPECT_EQ(Listing(bin), before) << "nothing new in bin/";
  EXPECT_EQ(test::ReadFile(bin + "/Gps.cfg"), handedOut);
}

TEST(Package, FilesAndDependencies) {
  test::TempFolder out;
  RunTool("cpack", {"--config", KORALIN_BUILD_DIR "/CPackConfig.cmake", "-B", QString::fromStdString(out.path())});
  const QString deb = QString::fromStdString(out / "koralin-gps_1.21_amd64.deb");
  const std::string files = RunTool("dpkg-deb", {"-c", deb});
  for (const char* f : {"./usr/bin/koralin-gps", "./usr/bin/koralin-df-bridge",
                        "./usr/share/applications/koralin-gps.desktop",
                        "./usr/share/icons/hicolor/scalable/apps/koralin-gps.svg",
                        "./usr/share/doc/koralin-gps/user-guide.md", "./usr/share/man/man1/koralin-gps.1"})
    EXPECT_NE(files.find(std::string(f) + "\n"), std::string::npos) << f << "\n" << files;
  EXPECT_EQ(files.find("/usr/local"), std::string::npos) << files;

  const std::string depends = RunTool("dpkg-deb", {"-f", deb, "Depends"});
  for (const char* p : {"libqt6widgets6", "libqt6serialport6", "libqt6dbus6", "qt6-qpa-plugins"})
    EXPECT_NE(depends.find(p), std::string::npos) << p << " in " << depends;
  EXPECT_EQ(RunTool("dpkg-deb", {"-f", deb, "Recommends"}), "gpsd\n");
  EXPECT_EQ(RunTool("groff", {"-ww", "-z", "-man", KORALIN_SOURCE_DIR "/data/koralin-gps.1"}), "");
}

}  // namespace
}  // namespace koralin
