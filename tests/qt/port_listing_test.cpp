#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <filesystem>

#include "qt/qt_serial_port.h"
#include "qt/qt_system.h"
#include "qt/tool_windows.h"
#include "serial/com_ports.h"
#include "support/fakes.h"
#include "terminal/port_listing.h"

namespace koralin {
namespace {

// A pseudo-terminal standing in for a receiver on a serial cable.
struct Pty {
  int master = -1, slave = -1;
  std::string path;
  Pty() {
    char name[256] = {};
    if (openpty(&master, &slave, name, nullptr, nullptr) != 0) return;
    termios t{};
    tcgetattr(slave, &t);
    cfmakeraw(&t);
    tcsetattr(slave, TCSANOW, &t);
    path = name;
  }
  ~Pty() {
    if (master >= 0) close(master);
    if (slave >= 0) close(slave);
  }
  std::string ReadMaster() {
    std::string got;
    char buffer[256];
    fcntl(master, F_SETFL, O_NONBLOCK);
    for (int tries = 0; tries < 100 && got.find('\n') == std::string::npos; ++tries) {
      const ssize_t n = read(master, buffer, sizeof buffer);
      if (n > 0) got.append(buffer, static_cast<std::size_t>(n));
      else usleep(10000);
    }
    return got;
  }
};

struct PortListingWindow : ::testing::Test {
  test::TestRig rig;
  App& app = rig.app;
  PortListing& l = app.terminal.listing;
  void SetUp() override {
    char pattern[] = "/tmp/koralin-qtlisting-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    rig.system.appPath = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(rig.system.appPath); }
};

TEST_F(PortListingWindow, AssignedPtyOpensUnderItsNumber) {
  Pty pty;
  ASSERT_FALSE(pty.path.empty());
  qt::ToolWindows tools{app, nullptr};
  std::vector<SerialDevice> devices = qt::SerialDevicesPresent();
  devices.push_back({pty.path, "Pseudo-terminal", "", -1, -1});
  FillPortListing(app, devices);
  tools.listing.show();

  auto* list = tools.listing.findChild<QListWidget*>("lstDevices");
  auto* number = tools.listing.findChild<QLineEdit*>("txtPortNumber");
  auto* assign = tools.listing.findChild<QPushButton*>("cmdAssign");
  ASSERT_TRUE(list && number && assign);
  const auto rows = list->findItems(QString::fromStdString(pty.path), Qt::MatchContains);
  ASSERT_EQ(rows.size(), 1);
  list->setCurrentItem(rows[0]);
  number->setText("5");
  Q_EMIT number->textEdited("5");
  assign->click();
  EXPECT_EQ(DevicePath(rig.system.appPath, 5), pty.path);
  EXPECT_TRUE(list->currentItem()->text().startsWith("Com5 "));
  QDir().mkpath(KORALIN_SCREENSHOT_DIR);
  tools.listing.grab().save(QString(KORALIN_SCREENSHOT_DIR) + "/serial-port-listing.png");

  // The next open of port 5 uses the device just assigned.
  qt::QtSerialPort port(rig.system.appPath);
  port.Open(5, "4800,N,8,1", 1024, 512);
  ASSERT_TRUE(port.IsOpen());
  const std::string sentence = "$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A\r\n";
  ASSERT_EQ(write(pty.master, sentence.data(), sentence.size()), static_cast<ssize_t>(sentence.size()));
  std::string got;
  QElapsedTimer timer;
  timer.start();
  while (got.size() < sentence.size() && timer.elapsed() < 3000) {
    if (port.InBufferCount() > 0) got += port.ReadAll();
    QApplication::processEvents();
  }
  EXPECT_EQ(got, sentence);
  port.Write("$PSRF100,1,4800,8,1,0*0E\r\n");
  for (int i = 0; i < 20 && port.OutBufferCount() > 0; ++i) QApplication::processEvents();
  while (port.OutBufferCount() > 0 && timer.elapsed() < 3000) QApplication::processEvents();
  EXPECT_EQ(pty.ReadMaster(), "$PSRF100,1,4800,8,1,0*0E\r\n");
  port.Close();
}

TEST(SerialPortListing, BothMenuEntriesOpenIt) {
  test::TestRig rig;
  qt::QtSystem system;
  App app(Platform{system, rig.dialogs, rig.comm1, rig.comm2, rig.clockSetter, rig.bus});
  qt::ToolWindows tools{app, nullptr};
  system.SetListingOpener([&tools] { tools.listing.Open(); });
  for (MenuItem* entry : {&app.form1.mnuDevice, &app.form1.mnuDeviceManager}) {
    tools.listing.hide();
    entry->Click();
    EXPECT_TRUE(tools.listing.isVisible()) << entry->Name();
  }
  EXPECT_TRUE(rig.dialogs.boxes.empty());
}

}  // namespace
}  // namespace koralin
