// The serial ports on real pseudo-terminals through QSerialPort: bytes in on
// the input, decoded in the model, relayed bytes out on the output.
#include <sys/resource.h>
#include <sys/wait.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <cstdio>
#include <gtest/gtest.h>

#include "pty_rig.h"
#include "qt/qt_serial_port.h"
#include "serial/input_choice.h"
#include "serial/input_port.h"
#include "serial/output_port.h"
#include "serial/relay.h"
#include "support/fakes.h"

namespace koralin {
namespace {

using test::Pty;
using test::PtyRig;
using test::Rmc;
using test::Sentence;

TEST(SerialPty, ReceivedSentencesAreDecodedAndRelayedByteExact) {
  for (bool crcCheck : {false, true}) {
    PtyRig rig;
    ASSERT_TRUE(rig.gps.Ok() && rig.plotter.Ok());
    App& app = rig.app;
    app.form1.mnuCrcCheck.SetChecked(crcCheck);
    rig.GpsOn();
    ASSERT_TRUE(rig.comm1.IsOpen());
    ComOutSelect(app, 1, 38400);
    ASSERT_EQ(app.settings.ComPortOut, 1);
    app.form1.mnuRMCPlainOut.SetChecked(true);
    const std::string rmc = Rmc("123519", "022.4", "084.4");
    rig.gps.Send("$GPGSV,noise\r\n" + rmc);
    rig.Poll();
    EXPECT_EQ(app.form1.lblGPRMC.Caption().substr(0, 13), "$GPRMC,123519");
    EXPECT_EQ(app.fix.SpeedKnotsText, "022.4");
    EXPECT_EQ(rig.plotter.Receive(), rmc) << crcCheck;
    EXPECT_TRUE(rig.dialogs.boxes.empty());
  }
}

TEST(SerialPty, TheModifiedSentenceCarriesTheBearingAndANewChecksum) {
  const struct {
    std::string speed;
    std::string sent;
  } cases[] = {
      {"005.0", Rmc("123519", "005.0", "30.0")},
      {"002.0", ""},
  };
  for (const auto& c : cases) {
    PtyRig rig;
    App& app = rig.app;
    app.settings.MinGpsSpeedOut = 3;
    rig.GpsOn();
    ComOutSelect(app, 1, 4800);
    app.form1.mnuRMCModifiedOut1.SetChecked(true);
    rig.gps.Send(Rmc("123519", c.speed, "300.0"));
    rig.Poll();
    app.form1.lblDoppler1.SetCaption("%090/7");
    EXPECT_EQ(rig.plotter.Receive(c.sent.empty() ? 200 : 500), c.sent) << c.speed;
  }
}

TEST(SerialPty, AnAltitudeSentenceRepeatedIsSentOnce) {
  PtyRig rig;
  App& app = rig.app;
  rig.GpsOn();
  ComOutSelect(app, 1, 4800);
  app.form1.mnuGPGGAOut.SetChecked(true);
  const std::string gga = Sentence("GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,");
  const std::string rmz = Sentence("PGRMZ,1789,f,3");
  for (const std::string& s : {gga, rmz, gga}) RelayAltitude(app, s.substr(0, s.size() - 2));
  EXPECT_EQ(rig.plotter.Receive(), gga);
}

TEST(SerialPty, TheSamePortOutputWritesBackToTheGps) {
  PtyRig rig;
  App& app = rig.app;
  rig.GpsOn();
  ComOutSelect(app, -1, 4800);
  ASSERT_EQ(app.settings.ComPortOut, -1);
  app.form1.mnuRMCPlainOut.SetChecked(true);
  const std::string rmc = Rmc("101010", "001.0", "010.0");
  rig.gps.Send(rmc);
  rig.Poll();
  EXPECT_EQ(rig.gps.Receive(), rmc);
}

TEST(SerialPty, TheSearchFindsTheRateOnAPty) {
  PtyRig rig;
  App& app = rig.app;
  std::string burst;
  for (int i = 0; burst.size() < 1200; ++i) burst += Rmc("1200" + std::to_string(10 + i), "001.0", "010.0");
  app.form1.lblGPRMC.captionChanged.Subscribe([&] {
    if (app.form1.lblGPRMC.Caption() == "Searching for '$GP' at 4800 baud now.") rig.gps.Send(burst);
  });
  app.settings.BaudIn = 0;
  BaudSelect(app, 0);
  rig.GpsOn();
  EXPECT_EQ(app.settings.BaudIn, 4800);
  EXPECT_TRUE(app.form1.mnuBaud4k8.Checked());
  EXPECT_TRUE(rig.comm1.IsOpen());
  EXPECT_EQ(rig.comm1.Settings(), "4800,N,8,1");
  EXPECT_TRUE(rig.dialogs.boxes.empty());
}

TEST(SerialPty, AMissingDeviceIsNamedInTheReport) {
  const struct {
    int port;
    std::string device;
  } cases[] = {{5, "/nonexistent/ttyUSB9"}, {31, "/dev/ttyS30"}};
  for (const auto& c : cases) {
    PtyRig rig;
    if (c.port == 5) rig.map.Map(5, c.device);
    rig.app.settings.CustomComIn = static_cast<std::int16_t>(c.port);
    rig.app.form1.Option1[c.port == 5 ? 4 : 6].Click();
    ASSERT_EQ(rig.dialogs.boxes.size(), 1u) << c.device;
    EXPECT_EQ(rig.dialogs.boxes[0].prompt, "ComPortInOpen:\r\nCom" + std::to_string(c.port) + "  " + c.device +
                                         ": No such device - is it plugged in? (ComPorts.cfg maps port numbers to "
                                         "devices)\r\n\r\nHint: See Menu Info>Device manager");
    EXPECT_EQ(rig.app.settings.ComPortIn, 0);
    EXPECT_FALSE(rig.comm1.IsOpen());
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
    ::close(fds[0]);
    std::string what = "<opened>";
    if ((::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))) what = "<setuid failed>";
    try {
      qt::QtSerialPort port(folder);
      port.Open(3, "4800,N,8,1", 8192, 0);
    } catch (const std::exception& e) {
      what = e.what();
    }
    if (::write(fds[1], what.data(), what.size()) < 0) _exit(2);
    _exit(0);
  }
  ::close(fds[1]);
  std::string got;
  char buf[512];
  for (ssize_t n; (n = ::read(fds[0], buf, sizeof buf)) > 0;) got.append(buf, static_cast<std::size_t>(n));
  ::close(fds[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  return got;
}

TEST(SerialPty, PermissionDeniedNamesTheDialoutGroup) {
  PtyRig rig;
  EXPECT_EQ(OpenAsStranger(rig.map.Folder(), rig.gps.Path()),
            rig.gps.Path() + ": Permission denied - add your user to the dialout group");
}

TEST(SerialPty, ABusyDeviceIsReportedAsBusy) {
  PtyRig rig;
  App& app = rig.app;
  rig.GpsOn();
  ComOutSelect(app, 3, 4800);  // the GPS port holds it
  ASSERT_EQ(rig.dialogs.boxes.size(), 1u);
  EXPECT_EQ(rig.dialogs.boxes[0].prompt, "OpenComOut\r\nCom3  " + rig.gps.Path() +
                                             ": Device busy - another program is using it");
  EXPECT_EQ(app.settings.ComPortOut, 0);
  EXPECT_TRUE(rig.comm1.IsOpen());
}

double CpuSeconds() {
  rusage u{};
  ::getrusage(RUSAGE_SELF, &u);
  return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
         static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

TEST(SerialPty, AVanishedDeviceIsReportedOnceAndCanBeChosenAgain) {
  for (bool eventLoopFirst : {false, true}) {
    PtyRig rig;
    App& app = rig.app;
    rig.GpsOn();
    ASSERT_TRUE(rig.comm1.IsOpen());
    rig.gps.CloseMaster();
    if (eventLoopFirst) {
      // Qt notices on its own; the port must not keep the loop spinning.
      const double cpu = CpuSeconds();
      QEventLoop loop;
      QTimer::singleShot(300, &loop, &QEventLoop::quit);
      loop.exec();
      EXPECT_LT(CpuSeconds() - cpu, 0.1);
    }
    for (int i = 0; i < 5; ++i) rig.Poll();
    ASSERT_EQ(rig.dialogs.boxes.size(), 1u) << eventLoopFirst;
    EXPECT_EQ(rig.dialogs.boxes[0].prompt, "getGPSinput:\r\nCom3  " + rig.gps.Path() +
                                               ": Device disappeared - was it unplugged?\r\n\r\n"
                                               "Hint: See Menu Info>Device manager");
    EXPECT_EQ(app.settings.ComPortIn, 0);
    EXPECT_FALSE(rig.comm1.IsOpen());
    EXPECT_FALSE(app.form1.tmrPolling.Enabled());

    Pty again;
    rig.map.Map(3, again.Path());
    rig.GpsOn();
    EXPECT_TRUE(rig.comm1.IsOpen());
    again.Send(Rmc("111111", "001.0", "010.0"));
    rig.Poll();
    EXPECT_EQ(app.form1.lblGPRMC.Caption().substr(0, 13), "$GPRMC,111111");
  }
}

TEST(SerialPty, AFloodIsRelayedInOrderWithBoundedBuffers) {
  PtyRig rig;
  App& app = rig.app;
  app.form1.mnuPollingSpeed.Click();  // 50 ms
  rig.GpsOn();
  ComOutSelect(app, 1, 38400);
  app.form1.mnuRMCPlainOut.SetChecked(true);
  std::string received;
  // 38400 baud is 192 characters each 50 ms poll: ten minutes of traffic.
  const std::string gsv = Sentence("GPGSV,3,1,11,03,03,111,00,04,15,270,00,06,01,010,00,13,06,292,00");
  for (int i = 0; i < 12000; ++i) {
    char t[16];
    std::snprintf(t, sizeof t, "%06d", i);
    // Sentences broken across polls, as a real line delivers them.
    if (i % 2 == 0)
      rig.gps.Send(Rmc(t, "001.0", "010.0") + gsv.substr(0, 40));
    else
      rig.gps.Send(gsv.substr(40) + "$GPVTG,1\r\n");
    rig.Poll();
    ASSERT_LE(app.poll.RxText.size(), 2048u);
    ASSERT_LE(app.poll.RxHistory.size(), 2048u);
    received += rig.plotter.Receive(0, 0);
  }
  received += rig.plotter.Receive(100, 30);
  int last = -1, count = 0;
  for (std::size_t at = received.find("$GPRMC,"); at != std::string::npos; at = received.find("$GPRMC,", at + 1)) {
    const int t = std::stoi(received.substr(at + 7, 6));
    ASSERT_GT(t, last);
    last = t;
    ++count;
  }
  EXPECT_EQ(count, 6000);
  EXPECT_TRUE(rig.dialogs.boxes.empty());
}

}  // namespace
}  // namespace koralin
