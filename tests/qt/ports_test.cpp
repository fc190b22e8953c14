// The port adapters on real ptys, sockets and gpsd, with what they add to the
// core's rules; listen:// with its table of clients; which way the clock is set.
#include <fcntl.h>

#include <QTcpServer>
#include <QTcpSocket>
#include <cerrno>

#include "common/error.h"
#include "qt/device_holder.h"
#include "qt/linux_clock_setter.h"
#include "qt/listen_port.h"
#include "qt/rig.h"
#include "qt/target_port.h"
#include "qt/timer_driver.h"
#include "serial/output_port.h"
#include "serial/send.h"
#include "support/sentences.h"

namespace koralin {
namespace {

using namespace std::chrono_literals;
using test::PtyRig;
using test::Rmc;

std::string Listen(int tcp, const std::string& host = "127.0.0.1") { return "listen://" + host + ":" + std::to_string(tcp); }

// gpsd reading `device`; its port once it serves, else 0.
int StartGpsd(QProcess& daemon, const std::string& device) {
  const int port = test::FreeLocalPort();
  daemon.start("gpsd", {"-N", "-n", "-S", QString::number(port), QString::fromStdString(device)});
  return test::WaitFor([&] { const int fd = test::ConnectLocal(port); return fd >= 0 && ::close(fd) == 0; }) ? port : 0;
}

// After a fix, so that it is not the carried tail met again first in the next poll.
constexpr const char* kNext = "\r\n$GPGSV,1\r\n";

// Polls as the program does until the speed shown is `speed`.
bool DecodedWithin(PtyRig& rig, const std::string& speed, int ms, const std::function<void()>& send) {
  for (int waited = 0; waited < ms; waited += 50) {
    send(), test::RunFor(50), rig.Poll();
    if (rig.app.fix.SpeedKnotsText == speed) return true;
  }
  return false;
}

TEST(Ports, ListenAndPtyCarryTheRelayByteExactReadTheReaderAndOutliveASlowOne) {
  for (const bool listen : {true, false}) {
    SCOPED_TRACE(listen ? "listen" : "pty");
    PtyRig rig;
    const std::string link = rig.map.Folder() + "/gps-out";
    const int tcp = test::FreeLocalPort();
    rig.map.Map(1, listen ? Listen(tcp) + "?input=1" : "pty://" + link);
    rig.GpsOn();
    ComOutSelect(rig.app, 1, 4800);
    ASSERT_EQ(rig.app.settings.ComPortOut, 1) << rig.Box();
    const int fd = listen ? test::ConnectLocal(tcp) : ::open(link.c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);
    SendToComout(rig.app, Rmc());
    EXPECT_EQ(test::Receive(fd, 2000, 200), Rmc() + "\r\n");
    const std::string back = "$HCHDT,123.4,T*2B\r\n";  // a compass on the same port
    ASSERT_EQ(::write(fd, back.data(), back.size()), static_cast<ssize_t>(back.size()));
    std::string got;
    for (int i = 0; i < 50 && got.size() < back.size(); ++i) test::RunFor(20), got += rig.comm2.ReadAll();
    EXPECT_EQ(got, back);

    // From here on the reader reads nothing; bench/ has the long version.
    for (int i = 0; i < 100 && rig.comm2.Dropped() == 0; ++i, test::RunFor(5))
      for (int k = 0; k < 150; ++k) SendToComout(rig.app, Rmc());
    EXPECT_GT(rig.comm2.Dropped(), 0);
    EXPECT_TRUE(DecodedWithin(rig, "033.3", 1000, [&] { rig.gps.Send(Rmc("120000", "033.3") + kNext); }));
    EXPECT_EQ(rig.app.settings.ComPortOut, 1);
    EXPECT_EQ(rig.Box(), "");
    ::close(fd);
    ComOutSelect(rig.app, 0, 4800);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
  }
}

// A source that goes away, mid-sentence, is waited for without a box; a device behind a link is taken back.
TEST(Ports, ALostSourceIsNoticedAndADeviceBehindALinkTakenBack) {
  for (const std::string kind : {"tcp", "gpsd", "link in", "link out"}) {
    SCOPED_TRACE(kind);
    PtyRig rig;
    const bool link = kind.starts_with("link"), output = kind == "link out";
    test::Pty& device = output ? rig.plotter : rig.gps;
    std::string target = rig.map.Folder() + "/usb-receiver";
    if (link) { ASSERT_EQ(::symlink(device.Path().c_str(), target.c_str()), 0); }
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
    if (kind == "tcp") target = "tcp://127.0.0.1:" + std::to_string(server.serverPort());
    QProcess daemon;
    if (kind == "gpsd") {
      const int port = StartGpsd(daemon, rig.gps.Path());
      ASSERT_NE(port, 0);
      target = "gpsd://127.0.0.1:" + std::to_string(port);
    }
    rig.map.Map(output ? 1 : 3, target);
    rig.GpsOn();
    ComOutSelect(rig.app, 1, 4800);
    rig.app.form1.mnuRMCPlainOut.SetChecked(true);
    ASSERT_TRUE(rig.comm1.IsOpen()) << rig.Box();
    QTcpSocket* peer = kind == "tcp" && server.waitForNewConnection(1000) ? server.nextPendingConnection() : nullptr;
    const std::string rmc = Rmc("120000", "011.1") + kNext + Rmc("120001", "011.2").substr(0, 30);
    EXPECT_TRUE(DecodedWithin(rig, "011.1", 5000, [&] { peer ? (void)peer->write(rmc.c_str()) : rig.gps.Send(rmc); }));
    link ? device.CloseMaster() : (server.close(), daemon.kill());
    daemon.waitForFinished(2000);
    delete peer;
    for (int i = 0; i < 3; ++i) test::RunFor(50), output ? rig.gps.Send(Rmc("120002", "011.3") + kNext) : void(), rig.Poll();
    EXPECT_EQ(rig.app.form1.Frame1.Caption(),
              "Com" + std::string(output ? "1" : "3") + " lost - waiting for " + target + " to return");
    EXPECT_EQ(rig.Box(), "");
    if (!link) continue;
    test::Pty fresh;
    ::unlink(target.c_str());
    ASSERT_EQ(::symlink(fresh.Path().c_str(), target.c_str()), 0);
    rig.clock.Advance(2000);
    const std::string back = Rmc("120003", "033.3") + "\r\n";
    EXPECT_TRUE(DecodedWithin(rig, "033.3", 2500, [&] { (output ? rig.gps : fresh).Send(back + "$GPGSV,1\r\n"); }));
    if (output) { EXPECT_EQ(fresh.Receive().substr(0, back.size()), back); }
    EXPECT_EQ(rig.Box(), "");
  }
}

// Why port 1 does not open. For a stranger the device's rights are taken
// away, and root is nobody for the moment (the real user too: it is asked).
std::string WhyNot(PtyRig& rig, const std::string& target, bool stranger) {
  rig.map.Map(1, target);
  if (stranger) ::chmod(target.c_str(), 0), ::chmod(rig.map.Folder().c_str(), 0755);
  const bool root = stranger && ::geteuid() == 0;
  EXPECT_EQ(root ? ::setresuid(65534, 65534, 0) : 0, 0);
  std::string why = "<opened>";
  try {
    qt::TargetPort(rig.map.Folder()).Open(1, "4800,N,8,1", 8192, 0);
  } catch (const std::exception& e) {
    why = e.what();
  }
  EXPECT_EQ(root ? ::setresuid(0, 0, 0) : 0, 0);
  return why;
}

TEST(Ports, WhatCannotOpenIsSaidInWords) {
  PtyRig rig;
  rig.GpsOn();
  QTcpServer taken;
  ASSERT_TRUE(taken.listen(QHostAddress::LocalHost, 0));
  const std::string file = rig.map.Folder() + "/notes.txt";
  test::WriteFile(file, "mine");
  const std::string inUse = Listen(taken.serverPort());
  const std::string idle = "gpsd://127.0.0.1:" + std::to_string(test::FreeLocalPort());
  const struct { std::string target; bool stranger; std::string why; } cases[] = {  // why: after the target
      {"/nonexistent/ttyUSB9", false,
       ": No such device - is it plugged in? (ComPorts.cfg maps port numbers to devices)"},
      {rig.gps.Path(), false, ": Device busy - another program is using it"},
      {rig.plotter.Path(), true, ": Permission denied - add your user to the dialout group"},
      {inUse, false, ": Port " + std::to_string(taken.serverPort()) + " in use - another program serves it"},
      {"pty://" + file, false, ": " + file + " exists and is not a pty link - choose another path"},
      {idle, false, ": Connection refused - is gpsd running?"},
  };
  for (const auto& c : cases) EXPECT_EQ(WhyNot(rig, c.target, c.stranger), c.target + c.why);
  EXPECT_EQ(test::ReadFile(file), "mine");
}

// A real gpsd holding the receiver's device is named (the warning that
// names it is the core's).
TEST(Ports, TheProcessHoldingADeviceIsNamed) {
  test::Pty gps;
  QProcess daemon;
  ASSERT_NE(StartGpsd(daemon, gps.Path()), 0);
  EXPECT_TRUE(test::WaitFor([&] { return qt::ProcessHolding(gps.Path()) == "gpsd"; }));
  daemon.kill(), daemon.waitForFinished(2000);
  EXPECT_EQ(qt::ProcessHolding(gps.Path()), "") << "the test's own handle is no other process";
}

// 16 clients connect and say and read nothing; the 17th gets a place only
// once they have been idle for 30 s, and then gets sentences at once.
TEST(Listen, AFullTableGivesTheLongestIdlePlaceToANewClient) {
  const struct { std::chrono::seconds idle; bool served; } cases[] = {{31s, true}, {10s, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.idle.count());
    const int tcp = test::FreeLocalPort();
    qt::SteadyTime now{};
    qt::ListenPort port(ParseTarget(Listen(tcp)), {.isInput = false, .maxClients = 16, .now = [&] { return now; }});
    port.Open(1, "4800,N,8,1", 0, 0);
    std::vector<int> idle;
    for (int i = 0; i < 16; ++i) idle.push_back(test::ConnectLocal(tcp));
    ASSERT_TRUE(test::WaitFor([&] { return port.InBufferCount() == 0 && port.Clients() == 16; }));
    now += c.idle;
    const int late = test::ConnectLocal(tcp);
    std::string got;
    const auto until = std::chrono::steady_clock::now() + 1s;
    while (got.empty() && std::chrono::steady_clock::now() < until)
      port.Write(test::Rmc() + "\r\n"), got = test::Receive(late, 50);
    EXPECT_EQ(got.starts_with(test::Rmc()), c.served) << got;
    EXPECT_EQ(port.Clients(), 16);
    for (const int fd : idle) ::close(fd);
    ::close(late);
  }
}

// A client's sentence is data on the input port; on the output port only
// when the line asks for it.
TEST(Listen, ClientsAreReadOnTheInputOrWhenTheLineAsks) {
  const struct { bool isInput; const char* flag; bool read; } cases[] = {
      {true, "", true}, {false, "", false}, {false, "?input=1", true}};
  const std::string hdt = "$HCHDT,123.4,T*2B\r\n";
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.isInput ? "input" : "output") + c.flag);
    test::PortMap map;
    const int tcp = test::FreeLocalPort();
    map.Map(2, Listen(tcp) + c.flag);
    qt::TargetPort port(map.Folder(), c.isInput);
    port.Open(2, "4800,N,8,1", 0, 0);
    const int fd = test::ConnectLocal(tcp);
    ASSERT_EQ(::write(fd, hdt.data(), hdt.size()), static_cast<ssize_t>(hdt.size()));
    std::string got;
    test::WaitFor([&] { return (got += port.ReadAll()).size() >= hdt.size(); }, 500);
    EXPECT_EQ(got, c.read ? hdt : "");
    ::close(fd);
  }
}

// Chosen as the output: a bind beyond loopback is said once in Terminal Out
// when it opens; "[::]" takes IPv4 clients too.
TEST(Listen, ABindBeyondLoopbackIsWarnedAndAnyBindsBothFamilies) {
  const struct { const char* host; bool warned; } cases[] = {{"127.0.0.1", false}, {"0.0.0.0", true}, {"[::]", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.host);
    test::PtyRig rig;
    const int tcp = test::FreeLocalPort();
    const std::string target = Listen(tcp, c.host);
    rig.map.Map(1, target);
    ComOutSelect(rig.app, 1, 4800);
    ASSERT_EQ(rig.app.settings.ComPortOut, 1) << rig.Box();
    const MenuItem& terminalOut = rig.app.form1.mnuTerminalOut;
    terminalOut.Click();  // opens it
    EXPECT_EQ(rig.app.terminal.TerminalText[0],
              c.warned ? "Warning: " + target + " is open to the network: any host on it can read the position\r\n"
                       : "");
    terminalOut.Click(), terminalOut.Click();
    EXPECT_EQ(rig.app.terminal.TerminalText[0], "") << "said once";
    const int fd = test::ConnectLocal(tcp);
    EXPECT_GE(fd, 0) << "127.0.0.1 refused";
    if (fd >= 0) ::close(fd);
  }
}

TEST(QuietLine, FastPollingRestsOnAQuietLineAndWakesAtItsFirstCharacter) {
  PtyRig rig;
  rig.GpsOn();
  rig.app.form1.tmrPolling.SetInterval(50);
  qt::TimerDriver driver;
  driver.Attach(rig.app.form1.tmrPolling);
  int ticks = 0;
  rig.app.form1.tmrPolling.onTick.Subscribe([&ticks] { ++ticks; });
  test::RunFor(1500);
  EXPECT_LE(ticks, 3) << "a tick a second, not twenty";
  const auto sent = std::chrono::steady_clock::now();
  rig.gps.Send(Rmc() + "\r\n");
  ASSERT_TRUE(test::WaitFor([&] { return rig.app.fix.SpeedKnotsText == "022.4"; }, 5000));
  EXPECT_LT(std::chrono::steady_clock::now() - sent, std::chrono::milliseconds(700)) << "woken by the line";
}

// Nothing here touches the machine's clock: both ways are stand-ins.
TEST(LinuxClockSetter, ChoosesTheWayAndSaysWhyItWasRefused) {
  setenv("TZ", "UTC", 1), tzset();  // the time below is UTC whatever the machine's zone
  const std::vector<long long> when{1767227415LL * 1000000};  // 2026-01-01 00:30:15
  // Directly when allowed, through the time service only without the right; says nothing: set.
  const struct { int direct; const char* busError; const char* says; } cases[] = {
      {0, "", nullptr}, {EPERM, "", nullptr}, {EINVAL, "", "The PC clock was not set"},
      {EPERM, "org.freedesktop.DBus.Error.AccessDenied", "lacks the right to set the clock"},
      {EPERM, "org.freedesktop.timedate1.AutomaticTimeSyncEnabled", "timedatectl set-ntp false"},
      {EPERM, "org.freedesktop.DBus.Error.ServiceUnknown", "systemd-timedated"},
      {EPERM, "org.freedesktop.DBus.Error.NoServer", "CAP_SYS_TIME"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.direct << " " << c.busError);
    std::vector<long long> direct, bus;
    qt::LinuxClockSetter setter([&](long long usec) { return direct.push_back(usec), c.direct; },
                                [&](long long usec, const qt::BusAnswer& answer) { bus.push_back(usec), answer({c.busError, "no"}); });
    std::string said;
    try {
      setter.Start({2026, 1, 1, 0, 30, 15}, [](const auto&) {});
    } catch (const RunTimeError& e) {
      said = std::to_string(e.Number()) + " " + e.Description();
    }
    EXPECT_EQ(direct, when);
    EXPECT_EQ(bus, c.direct == EPERM ? when : std::vector<long long>{});
    EXPECT_TRUE(c.says ? said.starts_with("70 The PC clock was not set") && said.find(c.says) != std::string::npos
                       : said.empty()) << said;
  }
  unsetenv("TZ"), tzset();
}

}  // namespace
}  // namespace koralin
