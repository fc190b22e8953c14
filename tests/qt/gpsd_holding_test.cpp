// A real gpsd holding the receiver's device: the silent input names it.
#include <unistd.h>

#include <QProcess>
#include <QTcpServer>

#include "qt/device_holder.h"
#include "qt/rig.h"

namespace koralin {
namespace {

TEST(Ports, AGpsdHoldingTheDeviceIsNamedWhenTheInputIsSilent) {
  test::PtyRig rig;
  int port = 0;
  {
    QTcpServer s;  // a free port, free again once this server is gone
    ASSERT_TRUE(s.listen(QHostAddress::LocalHost, 0));
    port = s.serverPort();
  }
  QProcess daemon;
  daemon.start("gpsd", {"-N", "-n", "-S", QString::number(port), QString::fromStdString(rig.gps.Path())});
  ASSERT_TRUE(test::WaitFor([&] { const int fd = test::ConnectLocal(port); return fd >= 0 && ::close(fd) == 0; }));
  ASSERT_TRUE(test::WaitFor([&] { return qt::ProcessHolding(rig.gps.Path()) == "gpsd"; }));
  rig.fakes.system.deviceHolder = qt::ProcessHolding;
  rig.GpsOn();
  ASSERT_TRUE(rig.comm1.IsOpen()) << rig.Box();
  rig.clock.Advance(10000);
  EXPECT_EQ(rig.app.form1.Frame1.Caption(),
            "gpsd is reading " + rig.gps.Path() + ": choose 'gpsd on this PC' or stop gpsd");
  daemon.kill();
  daemon.waitForFinished(2000);
  EXPECT_EQ(qt::ProcessHolding(rig.gps.Path()), "") << "the test's own handle is no other process";
}

}  // namespace
}  // namespace koralin
