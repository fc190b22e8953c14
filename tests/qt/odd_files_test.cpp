// The real program against something other than a regular file in place of
// each file it reads at start: no wait, no growing memory, one message that
// names the file, and the right end. It runs on its own private bus, so
// whether it took its name is its own doing.
#include <sys/stat.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <fstream>

#include "qt/dbus_names.h"
#include "qt/rig.h"

namespace koralin {
namespace {

namespace fs = std::filesystem;

// A private session bus for the programs started here; empty without one.
struct PrivateBus {
  QProcess daemon;
  QString address;
  PrivateBus() {
    daemon.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
    if (daemon.waitForStarted(5000) && daemon.waitForReadyRead(5000))
      address = QString::fromUtf8(daemon.readLine()).trimmed();
  }
  ~PrivateBus() { daemon.kill(), daemon.waitForFinished(5000); }
};

// The most memory the process ever had in use, in MB.
long PeakMegabytes(qint64 pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string key; status >> key;)
    if (key == "VmHWM:") {
      long kb = 0;
      status >> kb;
      return kb / 1024;
    }
  return -1;
}

// What stands in place of the file; the words the program names it with.
void MakeOdd(const std::string& path, const std::string& kind) {
  if (kind == "FIFO") ::mkfifo(path.c_str(), 0600);
  if (kind == "folder") fs::create_directory(path);
  if (kind == "/dev/zero" || kind == "/dev/full") fs::create_symlink(kind, path);
  if (kind == "dangling link") fs::create_symlink(path + ".gone", path);
  if (kind == "link into a missing folder") fs::create_symlink(path + ".gone/file", path);
}

std::string Words(const std::string& kind) {
  if (kind == "FIFO" || kind == "folder") return "a " + kind;
  return kind.starts_with("/dev/") ? "a device" : "a link to nothing";
}

// Gps.cfg, Options.cfg, the hunt file and ComPorts.cfg (read at start because
// the settings choose Com3) are named and the program runs on, publishing, and leaves them
// as they stand; only Gps.cfg's save at exit fails. A lock that cannot be used
// ends the start as a failure, without claiming a second copy or the bus name.
TEST(OddFiles, EveryFileReadAtStartIsRefusedAtOnceAndNamed) {
  PrivateBus bus;
  if (bus.address.isEmpty()) GTEST_SKIP() << "no dbus-daemon";
  QDBusConnection watch = QDBusConnection::connectToBus(bus.address, "odd-files-watch");
  ASSERT_TRUE(watch.isConnected());
  const QString name = qt::BusServiceName("koralin-gps");
  test::TempFolder dir;
  const std::string program = dir / "koralin-gps";
  fs::copy_file(KORALIN_PROGRAM, program);
  for (const char* file : {"Gps.cfg", "Options.cfg", "ComPorts.cfg", "Hunt.csv", "koralin-gps.lock"})
    for (const char* kind : {"FIFO", "folder", "/dev/zero", "/dev/full", "dangling link", "link into a missing folder"}) {
      SCOPED_TRACE(std::string(file) + " as " + kind);
      for (const auto& e : fs::directory_iterator(dir.path()))
        if (e.path() != program) fs::remove_all(e.path());
      const std::string path = dir / file;
      const bool lock = path.ends_with(".lock");
      if (!path.ends_with("Gps.cfg")) test::WriteSettings(dir.path(), [](Settings& s) { s.ComPortIn = 3; });
      MakeOdd(path, kind);
      const fs::file_type made = fs::symlink_status(path).type();

      QProcess p;
      QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
      env.insert("DBUS_SESSION_BUS_ADDRESS", bus.address);
      p.setProcessEnvironment(env);
      p.start(QString::fromStdString(program), {});
      QByteArray said;
      const QByteArray named = QByteArray::fromStdString(std::string(file) + " is " + Words(kind) + ", not a regular file");
      // A lock refused shows its box at once; a start that goes on takes its name when the load is done.
      const auto settled = [&] {
        said += p.readAllStandardError();
        return said.contains(named) && (lock || watch.interface()->isServiceRegistered(name));
      };
      ASSERT_TRUE(test::WaitFor(settled)) << said.toStdString();
      test::RunFor(300);
      EXPECT_LT(PeakMegabytes(p.processId()), 400);
      EXPECT_EQ(said.contains(QByteArray::fromStdString(lock ? "Cannot start: the lock " + path : "File Read Error " + path)),
                lock || !path.ends_with("ComPorts.cfg"))
          << said.toStdString();
      EXPECT_FALSE(said.contains("already running"));
      EXPECT_NE(watch.interface()->isServiceRegistered(name).value(), lock);

      ASSERT_TRUE(test::Stop(p, SIGTERM)) << "ends soon, its box open or not";
      said += p.readAllStandardError();
      EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
      EXPECT_EQ(p.exitCode(), lock ? 1 : 0);
      EXPECT_EQ(said.contains("Write error"), path.ends_with("Gps.cfg")) << said.toStdString();
      EXPECT_EQ(fs::symlink_status(path).type(), made) << "left as it stands";
    }
}

}  // namespace
}  // namespace koralin
