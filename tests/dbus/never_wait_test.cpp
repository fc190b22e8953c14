// The whole program, 50 sentences a second coming in, while something it uses
// takes its time: a log on a full disk for a minute (the one box stays open,
// unclicked), a network host that never answers, a time service that answers
// after 10 s. The data goes on throughout.
#include <fcntl.h>
#include <sched.h>

#include <QInputDialog>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <atomic>
#include <cstring>
#include <functional>
#include <set>
#include <thread>
#include <gtest/gtest.h>

#include "app/startup.h"
#include "dbus/bus_client.h"
#include "qt/dbus_bus.h"
#include "qt/linux_clock_setter.h"
#include "qt/program.h"
#include "serial/input_port.h"
#include "serial/output_port.h"
#include "support/fakes.h"
#include "support/files.h"
#include "support/pty.h"
#include "support/sentences.h"

namespace koralin {
namespace {

namespace fs = std::filesystem;

// Sentence number n: its time and latitude both count up, so a log line tells
// which sentence it was and the published latitude moves with every one.
std::string Numbered(int n) {
  char body[96];
  std::snprintf(body, sizeof body, "GPRMC,%02d%02d%02d.%02d,A,48%05.2f,N,01131.000,E,022.4,084.4,230394,003.1,W",
                12 + n / 180000, n / 3000 % 60, n / 50 % 60, n % 50 * 2, n % 6000 * 0.01);
  return test::Nmea(body) + "\r\n";
}

int NumberOf(const std::string& line) {
  int h = 0, m = 0, s = 0, cs = 0;
  if (std::sscanf(line.c_str(), "$GPRMC,%2d%2d%2d.%2d", &h, &m, &s, &cs) != 4) return -1;
  return (h - 12) * 180000 + m * 3000 + s * 50 + cs / 2;
}

// The program as main() assembles it, on ptys and the session bus, with the
// clock setter given; the GPS on Com3 polled fast, the plotter on Com1.
struct Program {
  Program(ClockSetter& clock, const char* name)
      : program({.settingsFolder = Mapped(), .busName = name, .clock = &clock}), app(program.app), bus(*program.Bus()) {
    app.form1.form.SetVisible(true);
    program.Start();
    app.form1.mnuPollingSpeed.Click();  // fast
    BaudSelect(app, 4800);              // a pty takes any rate: no search
    app.form1.Option1[2].Click();        // Com3
  }
  std::string Mapped() { return map.Map(3, gps.Path()), map.Map(1, plotter.Path()), map.Folder(); }
  // The critical boxes on screen that say `what`.
  static int Boxes(const QString& what) {
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible() && box->text().contains(what)) ++n;
    return n;
  }

  test::PortMap map;
  test::Pty gps, plotter;
  qt::Program program;
  App& app;
  qt::DbusBus& bus;
};

// Sentences into the GPS line every 20 ms, from a thread of its own.
struct Receiver {
  explicit Receiver(const test::Pty& gps)
      : thread([this, &gps] {
          for (auto next = std::chrono::steady_clock::now(); feeding; next += std::chrono::milliseconds(20))
            gps.Send(Numbered(sent++)), std::this_thread::sleep_until(next);
        }) {}
  ~Receiver() { Stop(); }
  void Stop() { feeding = false, thread.joinable() ? thread.join() : void(); }
  std::atomic<int> sent{0};
  std::atomic<bool> feeding{true};
  std::thread thread;
};

// The longest time in ms, within the next ms, that no new published value
// reached `watcher`; `check` runs between.
int LongestStill(const test::Client& watcher, int ms, const std::function<void()>& check = [] {}) {
  using Clock = std::chrono::steady_clock;
  const auto end = Clock::now() + std::chrono::milliseconds(ms);
  auto last = Clock::now();
  Clock::duration longest{};
  for (std::size_t seen = watcher.changes.size(); Clock::now() < end; seen = watcher.changes.size()) {
    test::RunFor(50), check();
    if (watcher.changes.size() != seen) longest = std::max(longest, Clock::now() - last), last = Clock::now();
  }
  longest = std::max(longest, Clock::now() - last);
  return static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(longest).count());
}

TEST(NeverWait, ALogOnAFullDiskShowsOneBoxWhileTheDataGoesOn) {
  test::FakeClockSetter clockSetter;
  Program program(clockSetter, "koralin-never-wait");
  App& app = program.app;
  Form1& f = app.form1;
  const std::string log = program.map.Folder() + "/GpsData.log";
  fs::create_symlink("/dev/full", log);
  ComOutSelect(app, 1, 4800);
  f.mnuRMCPlainOut.Click();
  ASSERT_TRUE(app.platform.comm2.IsOpen());

  test::Client watcher("watcher", program.bus.ServiceName());
  Receiver receiver(program.gps);
  QTimer answerer;  // turning the log on asks: the name as offered, append to what is there
  QObject::connect(&answerer, &QTimer::timeout, [] {
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* input = qobject_cast<QInputDialog*>(modal)) input->accept();
    if (auto* box = qobject_cast<QMessageBox*>(modal)) box->button(QMessageBox::Ok)->click();
  });
  answerer.start(50);
  test::RunFor(500);
  f.mnuLoggen.Click();
  answerer.stop();
  ASSERT_TRUE(f.mnuLoggen.Checked());
  const int firstLogged = receiver.sent;

  // Each second the published latitude has moved and the plotter got more.
  std::set<QMessageBox*> seen;
  std::string lastLatitude;
  int stillSeconds = 0, silentSeconds = 0;
  for (int second = 0; second < 60; ++second) {
    if (second == 40) test::WriteFile(log + ".new", ""), fs::rename(log + ".new", log);  // space comes back
    test::RunFor(1000);
    for (QWidget* w : QApplication::topLevelWidgets())  // the notices open on screen
      if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) seen.insert(box);
    const std::string latitude = watcher.changes.empty() ? "" : watcher.changes.back().second.toStdString();
    stillSeconds += std::exchange(lastLatitude, latitude) == latitude;
    silentSeconds += program.plotter.Receive(0, 0).find("$GPRMC,") == std::string::npos;
  }
  receiver.Stop();
  EXPECT_EQ(std::pair(stillSeconds, silentSeconds), std::pair(0, 0)) << "seconds without a new latitude, without output";
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_TRUE((*seen.begin())->isVisible()) << "the box stayed open throughout";
  EXPECT_TRUE((*seen.begin())->text().contains("Write error")) << (*seen.begin())->text().toStdString();
  EXPECT_EQ(f.Frame1.Caption().find("log not written"), std::string::npos) << "the write succeeded again";

  // Logging off writes the rest: in order, none twice, no two seconds missing where the disk was full.
  f.mnuLoggen.Click();
  std::istringstream lines(test::ReadFile(log));
  int previous = firstLogged - 50, count = 0;
  for (std::string line; std::getline(lines, line); ++count, previous = NumberOf(line))
    ASSERT_TRUE(NumberOf(line) > previous && NumberOf(line) <= previous + 100) << line << " after " << previous;
  EXPECT_TRUE(previous >= receiver.sent - 100 && count > 600) << previous << " " << count;
  EXPECT_EQ(app.unexpectedCount, 0);
}

// This thread, which opens the program's sockets, in a network namespace of
// its own, where 10.9.9.0/24 leads nowhere: a connection there is never
// answered. Back in the old namespace at the end.
class SilentNetwork {
 public:
  SilentNetwork() : old_(::open("/proc/thread-self/ns/net", O_RDONLY | O_CLOEXEC)) {
    if (::unshare(CLONE_NEWNET) != 0) {
      why_ = std::string("no network namespace of its own (") + std::strerror(errno) + "; the test needs root)";
      return;
    }
    if (!Ip("link set lo up") || !Ip("route add 10.9.9.0/24 dev lo")) why_ = "ip cannot set up the namespace";
  }
  ~SilentNetwork() {
    if (old_ >= 0) ::setns(old_, CLONE_NEWNET), ::close(old_);
  }
  // Why not, or "".
  const std::string& Why() const { return why_; }
  static bool Ip(const QString& args) {
    QProcess ip;
    ip.start("ip", args.split(' '));
    return ip.waitForFinished(5000) && ip.exitStatus() == QProcess::NormalExit && ip.exitCode() == 0;
  }

 private:
  int old_;
  std::string why_;
};

// Choosing the output, then losing it, on a host that does not answer: the
// choice is back at once and the one failure said once; the lost output is
// retried every 2 s without a word until the host is back.
TEST(NeverWait, AnOutputHostThatNeverAnswersHoldsNothingUp) {
  SilentNetwork network;
  if (!network.Why().empty()) GTEST_SKIP() << network.Why();
  test::FakeClockSetter clockSetter;
  Program program(clockSetter, "koralin-silent-host");
  App& app = program.app;
  const std::string target = "tcp://10.9.9.2:5000";
  program.map.Map(1, target);
  test::Client watcher("watcher", program.bus.ServiceName());
  Receiver receiver(program.gps);
  test::RunFor(300);

  const auto chosen = std::chrono::steady_clock::now();
  ComOutSelect(app, 1, 4800);
  EXPECT_LT(std::chrono::steady_clock::now() - chosen, std::chrono::milliseconds(300));
  EXPECT_EQ(app.settings.ComPortOut, 1);
  app.form1.mnuRMCPlainOut.Click();
  EXPECT_LT(LongestStill(watcher, 3000), 600);
  EXPECT_EQ(Program::Boxes(QString::fromStdString(target + ": No answer from 10.9.9.2")), 1);
  EXPECT_EQ(app.settings.ComPortOut, 0) << "the failed output is off";

  // The host answers, then goes; a compass on the output has it read, so the loss is seen.
  ASSERT_TRUE(SilentNetwork::Ip("addr add 10.9.9.2/32 dev lo"));
  QTcpServer server;
  ASSERT_TRUE(server.listen(QHostAddress("10.9.9.2"), 5000));
  ComOutSelect(app, 1, 4800);
  app.form1.mnuHCHDTinp.SetChecked(true);
  ASSERT_TRUE(test::WaitFor([&] { return server.hasPendingConnections(); }, 3000));
  delete server.nextPendingConnection();
  server.close();
  ASSERT_TRUE(SilentNetwork::Ip("addr del 10.9.9.2/32 dev lo"));
  const std::string lost = "Com1 lost - waiting for " + target + " to return";
  ASSERT_TRUE(test::WaitFor([&] { return app.form1.Frame1.Caption() == lost; }, 3000)) << app.form1.Frame1.Caption();
  int otherCaption = 0;
  EXPECT_LT(LongestStill(watcher, 5000, [&] { otherCaption += app.form1.Frame1.Caption() != lost; }), 600);
  EXPECT_EQ(otherCaption, 0) << "each try in vain leaves the words alone";

  ASSERT_TRUE(SilentNetwork::Ip("addr add 10.9.9.2/32 dev lo"));
  ASSERT_TRUE(server.listen(QHostAddress("10.9.9.2"), 5000));
  EXPECT_TRUE(test::WaitFor([&] { return app.form1.Frame1.Caption() != lost; }, 6000));
  EXPECT_TRUE(server.hasPendingConnections());
  EXPECT_EQ(Program::Boxes("10.9.9.2"), 1) << "no box but the first";
  EXPECT_EQ(app.unexpectedCount, 0);
}

// A private system bus whose time service answers SetTime after 10 s; the
// program lacks the right to set the clock itself (a stand-in says so, so the
// real clock is never touched). The bus library reads the system bus's
// address once per process, so the program runs in a copy of this test
// started with that address.
TEST(NeverWait, TheClockIsSetWhileTheTimeServiceTakesTenSeconds) {
  if (qEnvironmentVariableIsSet("KORALIN_SLOW_TIME_SERVICE")) {
    std::vector<long long> direct;
    qt::LinuxClockSetter clock([&direct](long long usec) { return direct.push_back(usec), EPERM; });
    Program program(clock, "koralin-clock");
    test::Client watcher("watcher", program.bus.ServiceName());
    Receiver receiver(program.gps);
    program.app.form1.mnuUTC.Click();
    EXPECT_LT(LongestStill(watcher, 12000), 600);
    ASSERT_EQ(direct.size(), 1u) << "one setting, not one per fix";
    std::printf("asked for %lld\n", direct[0]);
    EXPECT_FALSE(clock.Busy() || program.app.shell.ClockOffsetPending) << "answered: the request is done";
    EXPECT_EQ(Program::Boxes("clock was not set"), 0);
    EXPECT_EQ(program.app.unexpectedCount, 0);
    return;
  }
  test::TempFolder folder;
  const std::string socket = folder / "system_bus_socket";
  test::WriteFile(folder / "system.conf",
                  "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-BUS Bus Configuration 1.0//EN\"\n"
                  " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                  "<busconfig><type>system</type><listen>unix:path=" + socket + "</listen><auth>EXTERNAL</auth>\n"
                  "<policy context=\"default\"><allow user=\"*\"/><allow own=\"*\"/><allow send_type=\"method_call\"/>\n"
                  "<allow send_destination=\"*\"/><allow receive_sender=\"*\"/></policy></busconfig>\n");
  QProcess daemon, service, program;
  daemon.start("dbus-daemon", {"--nofork", QString::fromStdString("--config-file=" + folder / "system.conf")});
  ASSERT_TRUE(test::WaitFor([&] { return test::Exists(socket); }, 10000)) << daemon.readAllStandardError().toStdString();
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("DBUS_SYSTEM_BUS_ADDRESS", QString::fromStdString("unix:path=" + socket));
  service.setProcessEnvironment(env);
  service.start(KORALIN_FAKE_TIMEDATED, {});
  QByteArray calls;
  ASSERT_TRUE(test::WaitFor([&] { return service.waitForReadyRead(0), (calls += service.readAll()).contains("ready\n"); }));

  env.insert("KORALIN_SLOW_TIME_SERVICE", "1");
  program.setProcessEnvironment(env);
  program.setProcessChannelMode(QProcess::MergedChannels);
  program.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=NeverWait.TheClockIsSet*"});
  ASSERT_TRUE(program.waitForFinished(60000));
  const QByteArray said = program.readAll();
  EXPECT_EQ(program.exitCode(), 0) << said.toStdString();
  test::WaitFor([&] { return service.waitForReadyRead(0), (calls += service.readAll()).contains("SetTime"); }, 2000);
  const QByteArray asked = QString::fromLatin1(said).section("asked for ", 1).section('\n', 0, 0).toLatin1();
  EXPECT_EQ(calls, "ready\nSetTime " + asked + " 0 1\n") << "one call, the time the program asked for, interactive";
  service.kill(), daemon.kill();
  service.waitForFinished(), daemon.waitForFinished();
}

}  // namespace
}  // namespace koralin
