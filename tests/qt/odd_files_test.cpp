// The real program against something other than a regular file in place of
// each file it reads at start: no wait, no growing memory, one message that
// names the file, and the right end. It runs on its own private bus, so
// whether it took its name is its own doing. Each kind of odd file is named
// by the one way files are opened (tests/log); here the kinds that would
// hold it up, grow its memory or be written through.
#include <sys/stat.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>

#include "qt/dbus_names.h"
#include "qt/rig.h"

namespace koralin {
namespace {

namespace fs = std::filesystem;

// Gps.cfg, Options.cfg, the hunt file and ComPorts.cfg (read at start because
// the settings choose Com3) are named and the program runs on, publishing, and leaves them
// as they stand; only Gps.cfg's save at exit fails. A lock that cannot be used
// ends the start as a failure, without claiming a second copy or the bus name.
TEST(OddFiles, EveryFileReadAtStartIsRefusedAtOnceAndNamed) {
  test::PrivateBus bus;
  if (bus.address.isEmpty()) GTEST_SKIP() << "no dbus-daemon";
  QDBusConnection watch = QDBusConnection::connectToBus(bus.address, "odd-files-watch");
  ASSERT_TRUE(watch.isConnected());
  const QString name = qt::BusServiceName("koralin-gps");
  test::TempFolder dir;
  const std::string program = dir / "koralin-gps";
  fs::copy_file(KORALIN_PROGRAM, program);
  // What stands in place of the file, and the words the program names it with.
  const struct { const char* kind; std::function<void(const std::string&)> make; const char* words; } kinds[] = {
      {"FIFO", [](const std::string& p) { ::mkfifo(p.c_str(), 0600); }, "a FIFO"},
      {"/dev/zero", [](const std::string& p) { fs::create_symlink("/dev/zero", p); }, "a device"},
      {"dangling link", [](const std::string& p) { fs::create_symlink(p + ".gone", p); }, "a link to nothing"}};
  for (const char* file : {"Gps.cfg", "Options.cfg", "ComPorts.cfg", "Hunt.csv", "koralin-gps.lock"})
    for (const auto& k : kinds) {
      SCOPED_TRACE(std::string(file) + " as " + k.kind);
      for (const auto& e : fs::directory_iterator(dir.path()))
        if (e.path() != program) fs::remove_all(e.path());
      const std::string path = dir / file;
      const bool lock = path.ends_with(".lock");
      if (!path.ends_with("Gps.cfg")) test::WriteSettings(dir.path(), [](Settings& s) { s.ComPortIn = 3; });
      k.make(path);
      const fs::file_type made = fs::symlink_status(path).type();

      QProcess p;
      test::StartWith(p, program, {"DBUS_SESSION_BUS_ADDRESS=" + bus.address});
      QByteArray said;
      const QByteArray named = QByteArray::fromStdString(std::string(file) + " is " + k.words + ", not a regular file");
      // A lock refused shows its box at once; a start that goes on takes its name when the load is done.
      const auto settled = [&] {
        said += p.readAllStandardError();
        return said.contains(named) && (lock || watch.interface()->isServiceRegistered(name));
      };
      ASSERT_TRUE(test::WaitFor(settled)) << said.toStdString();
      test::RunFor(300);
      EXPECT_LT(test::PeakKb(p.processId()), 400 * 1024);
      EXPECT_EQ(said.contains(QByteArray::fromStdString(lock ? "Cannot start: the lock " + path : "File Read Error " + path)),
                lock || !path.ends_with("ComPorts.cfg"))
          << said.toStdString();
      EXPECT_FALSE(said.contains("already running"));
      EXPECT_NE(watch.interface()->isServiceRegistered(name).value(), lock);

      ASSERT_TRUE(test::Stop(p, SIGTERM)) << "ends soon, its box open or not";
      said += p.readAllStandardError();
      EXPECT_EQ(p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, lock ? 1 : 0) << "never an abort";
      EXPECT_EQ(said.contains("Write error"), path.ends_with("Gps.cfg")) << said.toStdString();
      EXPECT_EQ(fs::symlink_status(path).type(), made) << "left as it stands";
    }
}

}  // namespace
}  // namespace koralin
