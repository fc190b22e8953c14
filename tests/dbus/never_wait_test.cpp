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
#include <algorithm>
#include <cstring>
#include <functional>
#include <thread>
#include <gtest/gtest.h>

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

// Sentence number n: its time and latitude count up, so the published
// latitude moves with every one.
std::string Numbered(int n) {
  char body[96];
  std::snprintf(body, sizeof body, "GPRMC,%02d%02d%02d.%02d,A,48%05.2f,N,01131.000,E,022.4,084.4,230394,003.1,W",
                12 + n / 180000, n / 3000 % 60, n / 50 % 60, n % 50 * 2, n % 6000 * 0.01);
  return test::Nmea(body) + "\r\n";
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

// Sentences into the GPS line every 20 ms, from a thread of its own, until it is stopped.
std::jthread Receiver(const test::Pty& gps) {
  return std::jthread([&gps](const std::stop_token& stop) {
    auto next = std::chrono::steady_clock::now();
    for (int n = 0; !stop.stop_requested(); ++n, next += std::chrono::milliseconds(20))
      gps.Send(Numbered(n)), std::this_thread::sleep_until(next);
  });
}

// The longest time in ms, within the next ms, that no new published value
// reached `watcher`; `check` runs between.
int LongestStill(const test::Client& watcher, int ms, const std::function<void()>& check = [] {}) {
  using namespace std::chrono;
  const auto end = steady_clock::now() + milliseconds(ms);
  auto last = steady_clock::now();
  milliseconds longest{};
  for (std::size_t seen = watcher.changes.size(); steady_clock::now() < end; seen = watcher.changes.size()) {
    test::RunFor(50), check();
    longest = std::max(longest, duration_cast<milliseconds>(steady_clock::now() - last));
    if (watcher.changes.size() != seen) last = steady_clock::now();
  }
  return static_cast<int>(longest.count());
}

TEST(NeverWait, ALogOnAFullDiskShowsOneBoxWhileTheDataGoesOn) {
  test::FakeClockSetter clockSetter;
  Program program(clockSetter, "koralin-never-wait");
  App& app = program.app;
  Form1& f = app.form1;
  const std::string log = program.map.Folder() + "/GpsData.log";
  std::filesystem::create_symlink("/dev/full", log);
  ComOutSelect(app, 1, 4800), f.mnuRMCPlainOut.Click();
  ASSERT_TRUE(app.platform.comm2.IsOpen());

  test::Client watcher("watcher", program.bus.ServiceName());
  std::jthread receiver = Receiver(program.gps);
  QTimer answerer;  // turning the log on asks: the name as offered, append to what is there
  QObject::connect(&answerer, &QTimer::timeout, [] {
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* input = qobject_cast<QInputDialog*>(modal)) input->accept();
    if (auto* box = qobject_cast<QMessageBox*>(modal)) box->button(QMessageBox::Ok)->click();
  });
  answerer.start(50);
  test::RunFor(500);
  f.mnuLoggen.Click(), answerer.stop();
  ASSERT_TRUE(f.mnuLoggen.Checked());

  // Each second the published latitude has moved, the plotter got more and the one box is open.
  std::string lastLatitude;
  int stillSeconds = 0, silentSeconds = 0, otherBoxes = 0;
  for (int second = 0; second < 60; ++second) {
    if (second == 40) test::WriteFile(log + ".new", ""), std::filesystem::rename(log + ".new", log);  // room again
    test::RunFor(1000);
    otherBoxes += second > 0 && (Program::Boxes("") != 1 || Program::Boxes("Write error") != 1);  // from the first failed write on
    const std::string latitude = watcher.changes.empty() ? "" : watcher.changes.back().second.toStdString();
    stillSeconds += std::exchange(lastLatitude, latitude) == latitude;
    silentSeconds += program.plotter.Receive(0, 0).find("$GPRMC,") == std::string::npos;
  }
  receiver.request_stop(), receiver.join();
  EXPECT_EQ(std::tuple(stillSeconds, silentSeconds, otherBoxes), std::tuple(0, 0, 0))
      << "seconds without a new latitude, without output, without just the one box";
  EXPECT_EQ(f.Frame1.Caption().find("log not written"), std::string::npos) << "the write succeeded again";

  // Logging off writes the rest (what is kept, in which order, is the core's).
  f.mnuLoggen.Click();
  const std::string logged = test::ReadFile(log);
  EXPECT_GT(std::count(logged.begin(), logged.end(), '\n'), 600) << "what the minute brought";
  EXPECT_EQ(app.unexpectedCount, 0);
}

// This thread, which opens the program's sockets, in a network namespace of
// its own, where 10.9.9.0/24 leads nowhere: a connection there is never
// answered. Back in the old namespace at the end.
struct SilentNetwork {
  SilentNetwork() {
    if (::unshare(CLONE_NEWNET) != 0)
      why = std::string("no network namespace of its own (") + std::strerror(errno) + "; the test needs root)";
    else if (!Ip("link set lo up") || !Ip("route add 10.9.9.0/24 dev lo"))
      why = "ip cannot set up the namespace";
  }
  ~SilentNetwork() { if (old >= 0) ::setns(old, CLONE_NEWNET), ::close(old); }
  static bool Ip(const QString& args) {
    QProcess ip;
    ip.start("ip", args.split(' '));
    return ip.waitForFinished(5000) && ip.exitStatus() == QProcess::NormalExit && ip.exitCode() == 0;
  }
  const int old = ::open("/proc/thread-self/ns/net", O_RDONLY | O_CLOEXEC);
  std::string why;  // why not, or ""
};

// Choosing the output, then losing it, on a host that does not answer: the
// choice is back at once and the one failure said once; the lost output is
// retried every 2 s without a word until the host is back.
TEST(NeverWait, AnOutputHostThatNeverAnswersHoldsNothingUp) {
  SilentNetwork network;
  if (!network.why.empty()) GTEST_SKIP() << network.why;
  test::FakeClockSetter clockSetter;
  Program program(clockSetter, "koralin-silent-host");
  App& app = program.app;
  const std::string target = "tcp://10.9.9.2:5000";
  program.map.Map(1, target);
  test::Client watcher("watcher", program.bus.ServiceName());
  std::jthread receiver = Receiver(program.gps);
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
  ComOutSelect(app, 1, 4800), app.form1.mnuHCHDTinp.SetChecked(true);
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
    std::jthread receiver = Receiver(program.gps);
    program.app.form1.mnuUTC.Click();
    EXPECT_LT(LongestStill(watcher, 12000), 600);
    ASSERT_EQ(direct.size(), 1u) << "one setting, not one per fix";
    std::printf("asked for %lld\n", direct[0]);
    EXPECT_FALSE(clock.Busy() || program.app.shell.ClockOffsetPending) << "answered: the request is done";
    EXPECT_EQ(Program::Boxes("clock was not set"), 0);
    EXPECT_EQ(program.app.unexpectedCount, 0);
    return;
  }
  test::PrivateBus system;
  ASSERT_FALSE(system.address.isEmpty()) << "no dbus-daemon";
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("DBUS_SYSTEM_BUS_ADDRESS", system.address);
  QProcess service, program;
  service.setProcessEnvironment(env), service.start(KORALIN_FAKE_TIMEDATED, {});
  QByteArray calls;
  ASSERT_TRUE(test::WaitFor([&] { return service.waitForReadyRead(0), (calls += service.readAll()).contains("ready\n"); }));

  env.insert("KORALIN_SLOW_TIME_SERVICE", "1");
  program.setProcessEnvironment(env), program.setProcessChannelMode(QProcess::MergedChannels);
  program.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=NeverWait.TheClockIsSet*"});
  ASSERT_TRUE(program.waitForFinished(60000));
  const QByteArray said = program.readAll();
  EXPECT_EQ(program.exitCode(), 0) << said.toStdString();
  test::WaitFor([&] { return service.waitForReadyRead(0), (calls += service.readAll()).contains("SetTime"); }, 2000);
  const QByteArray asked = QString::fromLatin1(said).section("asked for ", 1).section('\n', 0, 0).toLatin1();
  EXPECT_EQ(calls, "ready\nSetTime " + asked + " 0 1\n") << "one call, the time the program asked for, interactive";
  service.kill(), service.waitForFinished();
}

}  // namespace
}  // namespace koralin
