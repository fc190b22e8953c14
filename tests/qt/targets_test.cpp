// The network and pty kinds of ComPorts.cfg on real sockets, real ptys and
// a real gpsd; and a device that is unplugged and plugged in again.
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <chrono>
#include <filesystem>
#include <fstream>

#include "qt/rig.h"
#include "serial/modified_rmc.h"
#include "serial/output_port.h"
#include "serial/send.h"
#include "support/sentences.h"
#include "terminal/terminal_windows.h"

namespace koralin {
namespace {

using test::PtyRig;
using test::Rmc;

int FreePort() {
  QTcpServer s;
  s.listen(QHostAddress::LocalHost, 0);
  return s.serverPort();
}

// After a fix, so that it is not the carried tail met again first in the next poll.
constexpr const char* kNext = "\r\n$GPGSV,1\r\n";

// Polls as the program does until the speed shown is `speed`.
bool DecodedWithin(PtyRig& rig, const std::string& speed, int ms, const std::function<void()>& send) {
  for (int waited = 0; waited < ms; waited += 50) {
    send();
    test::RunLoop(50);
    rig.Poll();
    if (rig.app.fix.SpeedKnotsText == speed) return true;
  }
  return false;
}

// What a reader gets on fd within ms.
std::string ReadFd(int fd, std::size_t want, int ms = 2000) {
  std::string got;
  char buf[4096];
  for (int waited = 0; got.size() < want && waited < ms; waited += 20) {
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, 20) > 0 && (p.revents & POLLIN)) {
      const ssize_t n = ::read(fd, buf, sizeof buf);
      if (n > 0) got.append(buf, static_cast<std::size_t>(n));
    }
  }
  return got;
}

TEST(Targets, TcpAndGpsdBringSentencesInAndALostServerIsWaitedFor) {
  for (const bool gpsd : {false, true}) {
    SCOPED_TRACE(gpsd ? "gpsd" : "tcp");
    PtyRig rig;
    rig.app.settings.BaudIn = 0;  // nothing to search on a network: the saved rate stays
    QTcpServer server;
    QProcess daemon;
    std::string target;
    if (gpsd) {
      const int port = FreePort();
      daemon.start("gpsd", {"-N", "-n", "-S", QString::number(port), QString::fromStdString(rig.gps.Path())});
      ASSERT_TRUE(daemon.waitForStarted(3000));
      QTcpSocket probe;
      for (int i = 0; i < 60 && probe.state() != QAbstractSocket::ConnectedState; ++i) {
        probe.connectToHost("127.0.0.1", static_cast<quint16>(port));
        if (!probe.waitForConnected(100)) test::RunLoop(50);
      }
      target = "gpsd://127.0.0.1:" + std::to_string(port);
    } else {
      ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
      target = "tcp://127.0.0.1:" + std::to_string(server.serverPort());
    }
    rig.map.Map(3, target);
    rig.GpsOn();
    ASSERT_TRUE(rig.comm1.IsOpen()) << (rig.dialogs.boxes.empty() ? "" : rig.dialogs.boxes[0].prompt);
    EXPECT_EQ(rig.app.settings.BaudIn, 0);
    QTcpSocket* peer = nullptr;
    if (!gpsd && server.waitForNewConnection(1000)) peer = server.nextPendingConnection();
    const std::string rmc = Rmc("120000", "011.1") + "\r\n";
    EXPECT_TRUE(DecodedWithin(rig, "011.1", 5000, [&] {
      if (gpsd) return rig.gps.Send(rmc);
      peer->write(rmc.substr(0, 20).c_str());  // a sentence in two pieces
      peer->flush();
      test::RunLoop(10);
      peer->write(rmc.substr(20).c_str());
      peer->flush();
    }));

    const quint16 serverPort = server.serverPort();
    if (gpsd) {
      daemon.kill();
      daemon.waitForFinished(2000);
    } else {
      delete peer;
      server.close();
    }
    for (int i = 0; i < 3; ++i) {
      test::RunLoop(50);
      rig.Poll();
    }
    EXPECT_EQ(rig.app.form1.Frame1.Caption(), "Com3 lost - waiting for " + target + " to return");
    EXPECT_EQ(rig.app.settings.ComPortIn, 3);
    EXPECT_TRUE(rig.dialogs.boxes.empty());
    if (gpsd) continue;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost, serverPort));
    rig.clock.Advance(2000);  // back at the next try
    ASSERT_TRUE(server.waitForNewConnection(1000));
    peer = server.nextPendingConnection();
    const std::string next = Rmc("120001", "022.2") + "\r\n";
    EXPECT_TRUE(DecodedWithin(rig, "022.2", 2000, [&] {
      peer->write(next.c_str());
      peer->flush();
    }));
  }
}

TEST(Targets, ListenAndPtyCarryTheModifiedRmcByteExactAndReadTheReader) {
  for (const bool listen : {true, false}) {
    SCOPED_TRACE(listen ? "listen" : "pty");
    PtyRig rig;
    const std::string link = rig.map.Folder() + "/gps-out";
    const int tcp = FreePort();
    const std::string target = listen ? "listen://127.0.0.1:" + std::to_string(tcp) : "pty://" + link;
    rig.map.Map(1, target);
    ComOutSelect(rig.app, 1, 4800);
    ASSERT_EQ(rig.app.settings.ComPortOut, 1) << (rig.dialogs.boxes.empty() ? "" : rig.dialogs.boxes[0].prompt);
    const int fd = listen ? test::ConnectLocal(tcp) : ::open(link.c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);
    SendGPRMCModified(rig.app, "%090/7", Rmc());
    const std::string expected = Rmc("123519", "022.4", "174.4") + "\r\n";
    EXPECT_EQ(ReadFd(fd, expected.size()), expected);

    const std::string back = "$HCHDT,123.4,T*2B\r\n";  // a compass on the same port
    ASSERT_EQ(::write(fd, back.data(), back.size()), static_cast<ssize_t>(back.size()));
    std::string got;
    for (int i = 0; i < 50 && got.size() < back.size(); ++i) {
      test::RunLoop(20);
      got += rig.comm2.ReadAll();
    }
    EXPECT_EQ(got, back);
    ::close(fd);
    ComOutSelect(rig.app, 0, 4800);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
  }
}

TEST(Targets, TargetsThatCannotOpenAreSaidInWords) {
  PtyRig rig;
  QTcpServer taken;
  ASSERT_TRUE(taken.listen(QHostAddress::LocalHost, 0));
  const std::string file = rig.map.Folder() + "/notes.txt";
  std::ofstream(file) << "mine";
  const int idle = FreePort();
  const std::pair<std::string, std::string> cases[] = {
      {"listen://127.0.0.1:" + std::to_string(taken.serverPort()),
       ": Port " + std::to_string(taken.serverPort()) + " in use - another program serves it"},
      {"pty://" + file, ": " + file + " exists and is not a pty link - choose another path"},
      {"gpsd://127.0.0.1:" + std::to_string(idle), ": Connection refused - is gpsd running?"},
  };
  for (const auto& [target, why] : cases) {
    rig.dialogs.boxes.clear();
    rig.map.Map(1, target);
    ComOutSelect(rig.app, 1, 4800);
    ASSERT_EQ(rig.dialogs.boxes.size(), 1u) << target;
    EXPECT_EQ(rig.dialogs.boxes[0].prompt, "OpenComOut\r\nCom1  " + target + why);
  }
  EXPECT_EQ(test::ReadFile(file), "mine");
}

TEST(Targets, AnUnpluggedDeviceBehindALinkIsTakenBackWithoutABox) {
  for (const bool output : {false, true}) {
    SCOPED_TRACE(output ? "output" : "input");
    PtyRig rig;
    const std::string link = rig.map.Folder() + "/usb-receiver";
    test::Pty& device = output ? rig.plotter : rig.gps;
    ASSERT_EQ(::symlink(device.Path().c_str(), link.c_str()), 0);
    rig.map.Map(output ? 1 : 3, link);
    rig.GpsOn();
    ComOutSelect(rig.app, 1, 4800);
    rig.app.form1.mnuRMCPlainOut.SetChecked(true);
    rig.gps.Send(Rmc("120000", "011.1") + kNext + Rmc("120001", "011.2").substr(0, 30));  // pulled mid-sentence
    rig.Poll();
    EXPECT_EQ(rig.app.fix.SpeedKnotsText, "011.1");
    if (output) {
      EXPECT_EQ(rig.plotter.Receive(), Rmc("120000", "011.1") + "\r\n");
    }

    device.CloseMaster();
    const double cpu = test::CpuSeconds();
    test::RunLoop(300);  // Qt notices on its own; the port must not keep the loop spinning
    EXPECT_LT(test::CpuSeconds() - cpu, 0.1);
    if (output) rig.gps.Send(Rmc("120002", "011.3") + kNext);
    rig.Poll();
    const int port = output ? 1 : 3;
    EXPECT_EQ(rig.app.form1.Frame1.Caption(), "Com" + std::to_string(port) + " lost - waiting for " + link + " to return");

    const auto start = std::chrono::steady_clock::now();
    test::Pty fresh;
    ::unlink(link.c_str());
    ASSERT_EQ(::symlink(fresh.Path().c_str(), link.c_str()), 0);
    rig.clock.Advance(2000);
    test::Pty& gps = output ? rig.gps : fresh;
    const std::string rmc = Rmc("120003", "033.3") + "\r\n";
    EXPECT_TRUE(DecodedWithin(rig, "033.3", 2500, [&] { gps.Send(rmc + "$GPGSV,1\r\n"); }));
    if (output) {
      EXPECT_EQ(fresh.Receive().substr(0, rmc.size()), rmc);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
    EXPECT_EQ(rig.app.settings.ComPortIn, 3);
    EXPECT_EQ(rig.app.settings.ComPortOut, 1);
    EXPECT_TRUE(rig.dialogs.boxes.empty()) << rig.dialogs.boxes[0].prompt;
  }
}

// A reader that stops reading; bench/ has the long version.
TEST(Targets, AReaderThatStopsReadingNeitherStallsInputNorSwitchesTheOutputOff) {
  for (const bool listen : {true, false}) {
    SCOPED_TRACE(listen ? "listen" : "pty");
    PtyRig rig;
    const std::string link = rig.map.Folder() + "/gps-out";
    const int tcp = FreePort();
    rig.map.Map(1, listen ? "listen://127.0.0.1:" + std::to_string(tcp) : "pty://" + link);
    rig.GpsOn();
    ComOutSelect(rig.app, 1, 4800);
    mnuTerminalOut_Click(rig.app);
    const int fd = listen ? test::ConnectLocal(tcp) : ::open(link.c_str(), O_RDWR | O_NOCTTY);  // never reads
    ASSERT_GE(fd, 0);
    int decoded = 0;
    for (int i = 0; i < 60; ++i) {
      const std::string speed = "0" + std::to_string(10 + i % 80) + ".0";
      rig.gps.Send(Rmc("120000", speed) + kNext);
      rig.Poll();
      decoded += rig.app.fix.SpeedKnotsText == speed;
      for (int k = 0; k < 150; ++k) SendToComout(rig.app, Rmc("120000", speed));
      test::RunLoop(5);
    }
    EXPECT_EQ(decoded, 60);
    EXPECT_EQ(rig.app.settings.ComPortOut, 1);
    EXPECT_GT(rig.comm2.Dropped(), 0);
    EXPECT_NE(rig.app.terminal.form3.form.Caption().find(" sentences dropped, the reader is too slow"), std::string::npos);
    EXPECT_TRUE(rig.dialogs.boxes.empty());
    ::close(fd);
  }
}

}  // namespace
}  // namespace koralin
