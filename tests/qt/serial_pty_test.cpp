// The serial adapter on real pseudo-terminals: bytes in on the input port,
// relayed bytes out, and each device error said in words.
#include <sys/resource.h>
#include <sys/wait.h>

#include <QEventLoop>
#include <QTimer>
#include <cstdio>
#include <functional>

#include "qt/rig.h"
#include "serial/output_port.h"
#include "support/sentences.h"

namespace koralin {
namespace {

using test::PtyRig;
using test::Rmc;

TEST(SerialPty, ReceivedSentencesAreDecodedAndRelayedByteExact) {
  // Out on the plotter's port, or back to the GPS on its own port (-1).
  const struct {
    int outPort;
    bool crcCheck;
  } cases[] = {{1, false}, {1, true}, {-1, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "out " << c.outPort << " crc " << c.crcCheck);
    PtyRig rig;
    ASSERT_TRUE(rig.gps.Ok() && rig.plotter.Ok());
    rig.app.form1.mnuCrcCheck.SetChecked(c.crcCheck);
    rig.GpsOn();
    ComOutSelect(rig.app, c.outPort, 38400);
    ASSERT_EQ(rig.app.settings.ComPortOut, c.outPort);
    rig.app.form1.mnuRMCPlainOut.SetChecked(true);
    const std::string rmc = Rmc() + "\r\n";
    rig.gps.Send("$GPGSV,noise\r\n" + rmc);
    rig.Poll();
    EXPECT_EQ(rig.app.fix.SpeedKnotsText, "022.4");
    EXPECT_EQ((c.outPort == 1 ? rig.plotter : rig.gps).Receive(), rmc);
    EXPECT_TRUE(rig.dialogs.boxes.empty());
  }
}

TEST(SerialPty, DeviceErrorsAreSaidInWords) {
  const std::string hint = "\r\n\r\nHint: See Menu Info>Device manager";
  const struct {
    const char* what;
    std::function<void(PtyRig&)> act;
    std::string prompt;  // "@" stands for the GPS's device
  } cases[] = {
      {"missing",
       [](PtyRig& r) {
         r.map.Map(5, "/nonexistent/ttyUSB9");
         r.app.form1.Option1[4].Click();
       },
       "ComPortInOpen:\r\nCom5  /nonexistent/ttyUSB9: No such device - is it plugged in? (ComPorts.cfg maps "
       "port numbers to devices)" + hint},
      {"busy",
       [](PtyRig& r) {
         r.GpsOn();
         ComOutSelect(r.app, 3, 4800);  // the GPS port holds it
       },
       "OpenComOut\r\nCom3  @: Device busy - another program is using it"},
      {"vanished",
       [](PtyRig& r) {
         r.GpsOn();
         r.gps.CloseMaster();
         for (int i = 0; i < 5; ++i) r.Poll();
       },
       "getGPSinput:\r\nCom3  @: Device disappeared - was it unplugged?" + hint},
  };
  for (const auto& c : cases) {
    PtyRig rig;
    c.act(rig);
    std::string prompt = c.prompt;
    if (const auto at = prompt.find('@'); at != std::string::npos) prompt.replace(at, 1, rig.gps.Path());
    ASSERT_EQ(rig.dialogs.boxes.size(), 1u) << c.what;
    EXPECT_EQ(rig.dialogs.boxes[0].prompt, prompt) << c.what;
  }
}

// Opening as a user who may not use the device: a child process gives up
// root first; without root the device's rights are taken away instead.
std::string OpenAsStranger(const std::string& folder, const std::string& device) {
  int fds[2];
  if (::pipe(fds) != 0) return "<no pipe>";
  if (::geteuid() != 0) ::chmod(device.c_str(), 0);
  ::chmod(folder.c_str(), 0755);  // the stranger reads ComPorts.cfg
  const pid_t pid = ::fork();
  if (pid == 0) {
    std::string what = "<opened>";
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) what = "<setuid failed>";
    try {
      qt::QtSerialPort(folder).Open(3, "4800,N,8,1", 8192, 0);
    } catch (const std::exception& e) {
      what = e.what();
    }
    _exit(::write(fds[1], what.data(), what.size()) < 0 ? 2 : 0);
  }
  ::close(fds[1]);
  std::string got;
  char buf[512];
  for (ssize_t n; (n = ::read(fds[0], buf, sizeof buf)) > 0;) got.append(buf, static_cast<std::size_t>(n));
  ::close(fds[0]);
  ::waitpid(pid, nullptr, 0);
  return got;
}

TEST(SerialPty, PermissionDeniedNamesTheDialoutGroup) {
  PtyRig rig;
  EXPECT_EQ(OpenAsStranger(rig.map.Folder(), rig.gps.Path()),
            rig.gps.Path() + ": Permission denied - add your user to the dialout group");
}

double CpuSeconds() {
  rusage u{};
  ::getrusage(RUSAGE_SELF, &u);
  return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
         static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

TEST(SerialPty, AVanishedDeviceDoesNotSpinTheLoopAndCanBeChosenAgain) {
  PtyRig rig;
  rig.GpsOn();
  rig.gps.CloseMaster();
  const double cpu = CpuSeconds();  // Qt notices on its own first
  QEventLoop loop;
  QTimer::singleShot(300, &loop, &QEventLoop::quit);
  loop.exec();
  EXPECT_LT(CpuSeconds() - cpu, 0.1);
  for (int i = 0; i < 3; ++i) rig.Poll();
  EXPECT_EQ(rig.dialogs.boxes.size(), 1u);  // said once
  EXPECT_FALSE(rig.comm1.IsOpen());

  test::Pty again;
  rig.map.Map(3, again.Path());
  rig.GpsOn();
  again.Send(Rmc("111111") + "\r\n");
  rig.Poll();
  EXPECT_EQ(rig.app.form1.lblGPRMC.Caption().substr(0, 13), "$GPRMC,111111");
}

TEST(SerialPty, AFloodIsRelayedInOrder) {
  PtyRig rig;
  rig.app.form1.mnuPollingSpeed.Click();  // 50 ms
  rig.GpsOn();
  ComOutSelect(rig.app, 1, 38400);
  rig.app.form1.mnuRMCPlainOut.SetChecked(true);
  // 38400 baud is 192 characters each 50 ms poll; sentences break across
  // polls, as a real line delivers them.
  const std::string gsv = test::Nmea("GPGSV,3,1,11,03,03,111,00,04,15,270,00,06,01,010,00,13,06,292,00") + "\r\n";
  std::string received;
  for (int i = 0; i < 3000; ++i) {
    char t[16];
    std::snprintf(t, sizeof t, "%06d", i);
    rig.gps.Send(i % 2 ? gsv.substr(40) + "$GPVTG,1\r\n" : Rmc(t) + "\r\n" + gsv.substr(0, 40));
    rig.Poll();
    received += rig.plotter.Receive(0, 0);
  }
  received += rig.plotter.Receive(100, 30);
  int last = -1, count = 0;
  for (auto at = received.find("$GPRMC,"); at != std::string::npos; at = received.find("$GPRMC,", at + 1), ++count) {
    const int t = std::stoi(received.substr(at + 7, 6));
    ASSERT_GT(t, last);
    last = t;
  }
  EXPECT_EQ(count, 1500);
  EXPECT_TRUE(rig.dialogs.boxes.empty());
}

}  // namespace
}  // namespace koralin
