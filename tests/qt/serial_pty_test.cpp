// The serial adapter on real pseudo-terminals: bytes in on the input port,
// relayed bytes out, and each device error said in words.
#include <sys/wait.h>

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

TEST(SerialPty, BaudSearchFindsAReceiverThatIsNoGpsTalker) {
  std::string burst;
  while (burst.size() < 1100) burst += test::Nmea("GNRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,,") + "\r\n";
  for (const bool anyTalker : {true, false}) {
    PtyRig rig;
    ASSERT_TRUE(rig.gps.Ok());
    Form1& f = rig.app.form1;
    f.mnuAnyTalker.SetChecked(anyTalker);
    f.lblGPRMC.captionChanged.Subscribe([&] {
      if (f.lblGPRMC.Caption() == "Searching for '$GP' at 2400 baud now.") rig.gps.Send(burst);
    });
    rig.app.settings.BaudIn = 0;
    rig.GpsOn();
    EXPECT_EQ(rig.app.settings.BaudIn, anyTalker ? 2400 : 0) << anyTalker;
    EXPECT_EQ(rig.dialogs.boxes.size(), anyTalker ? 0u : 1u) << anyTalker;
  }
}

TEST(SerialPty, DeviceErrorsAreSaidInWordsOnce) {
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
      qt::TargetPort(folder).Open(3, "4800,N,8,1", 8192, 0);
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

}  // namespace
}  // namespace koralin
