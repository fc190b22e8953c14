#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>

#include <filesystem>

#include "pty.h"
#include "qt/qt_serial_port.h"
#include "qt/qt_system.h"
#include "qt/tool_windows.h"
#include "serial/com_ports.h"
#include "shots.h"
#include "support/fakes.h"
#include "terminal/port_listing.h"

namespace koralin {
namespace {

TEST(PortListingWindow, AssignedPtyOpensUnderItsNumber) {
  test::Pty pty;
  ASSERT_TRUE(pty.Ok());
  test::PortMap folder;
  test::TestRig rig;
  rig.system.appPath = folder.Folder();
  qt::ToolWindows tools{rig.app, nullptr};
  std::vector<SerialDevice> devices = qt::SerialDevicesPresent();
  devices.push_back({pty.Path(), "Pseudo-terminal", "", -1, -1});
  FillPortListing(rig.app, devices);
  tools.listing.show();

  auto* list = tools.listing.findChild<QListWidget*>("lstDevices");
  auto* number = tools.listing.findChild<QLineEdit*>("txtPortNumber");
  auto* assign = tools.listing.findChild<QPushButton*>("cmdAssign");
  ASSERT_TRUE(list && number && assign);
  const auto rows = list->findItems(QString::fromStdString(pty.Path()), Qt::MatchContains);
  ASSERT_EQ(rows.size(), 1);
  list->setCurrentItem(rows[0]);
  number->setText("5");
  Q_EMIT number->textEdited("5");
  assign->click();
  EXPECT_EQ(DevicePath(rig.system.appPath, 5), pty.Path());
  EXPECT_TRUE(list->currentItem()->text().startsWith("Com5 "));
  test::SaveShot(tools.listing, "serial-port-listing.png");

  // The next open of port 5 uses the device just assigned.
  qt::QtSerialPort port(rig.system.appPath);
  port.Open(5, "4800,N,8,1", 1024, 512);
  ASSERT_TRUE(port.IsOpen());
  const std::string sentence = "$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A\r\n";
  pty.Send(sentence);
  std::string got;
  QElapsedTimer timer;
  timer.start();
  while (got.size() < sentence.size() && timer.elapsed() < 3000) {
    if (port.InBufferCount() > 0) got += port.ReadAll();
    QApplication::processEvents();
  }
  EXPECT_EQ(got, sentence);
  port.Write("$PSRF100,1,4800,8,1,0*0E\r\n");
  while (port.OutBufferCount() > 0 && timer.elapsed() < 3000) QApplication::processEvents();
  EXPECT_EQ(pty.Receive(1000), "$PSRF100,1,4800,8,1,0*0E\r\n");
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
