// The terminals, the checksum tool, an information box and the port listing
// offscreen: what they show, where their input goes; a screenshot of each.
#include "qt/tool_windows.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>

#include "qt/qt_dialogs.h"
#include "qt/qt_serial_port.h"
#include "qt/rig.h"
#include "support/sentences.h"
#include "terminal/port_listing.h"
#include "terminal/terminal.h"

namespace koralin {
namespace {

using test::SaveShot;

// Pixels near the colour of the text, on the black surface.
int TextPixels(QWidget& w, QRgb colour) {
  const QImage image = w.grab().toImage();
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb p = image.pixel(x, y);
      n += qAbs(qRed(p) - qRed(colour)) + qAbs(qGreen(p) - qGreen(colour)) + qAbs(qBlue(p) - qBlue(colour)) < 120;
    }
  return n;
}

TEST(TerminalWindows, ShowTrafficNewestFirstAndTheirBoxesReachTheModel) {
  test::TestRig rig;
  App& app = rig.app;
  qt::ToolWindows tools{app, nullptr};
  app.settings.ComPortIn = 3;
  app.settings.ComPortOut = 2;
  rig.comm1.Open(3, "4800,N,8,1", 1024, 512);
  app.form1.mnuTerminalIn.Click();
  app.form1.mnuTerminalOut.Click();
  for (int pass = 0; pass < 40; ++pass) {
    AddTerminalIn(app, test::Nmea("GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1") + "\r\n", false);
    AddTerminalOut(app, test::Rmc() + "\r\n", false);
  }
  AddTerminalIn(app, "$GPRMC,123520,A,4807.0", false);
  QApplication::processEvents();
  qt::TerminalView& in = tools.terminalIn;
  qt::TerminalView& out = tools.terminalOut;
  ASSERT_TRUE(in.isVisible() && out.isVisible());
  EXPECT_EQ(in.Surface()->Lines().front(), "$GPRMC,123520,A,4807.0");  // the newest on top
  EXPECT_GT(TextPixels(in, qRgb(0, 255, 0)), 500);                    // in is green,
  EXPECT_EQ(TextPixels(in, qRgb(255, 0, 0)), 0);
  EXPECT_GT(TextPixels(out, qRgb(255, 0, 0)), 500);  // out red

  auto* box = in.findChild<QLineEdit*>("TxtSend");
  in.findChild<QCheckBox*>("ChkSend2ComIn")->click();
  EXPECT_TRUE(box->isVisible());
  box->setText("$PSRF100,1,4800,8,1,0*0E");
  Q_EMIT box->textEdited(box->text());
  SaveShot(in, "terminal.png");
  Q_EMIT box->returnPressed();
  EXPECT_EQ(rig.comm1.written, "$PSRF100,1,4800,8,1,0*0E\r\n");
  EXPECT_EQ(box->text(), "");
  in.findChild<QCheckBox*>("chkFreeze")->click();
  EXPECT_TRUE(app.terminal.FreezeIn && out.findChild<QCheckBox*>("chkFreeze")->isChecked());
  in.close();
  EXPECT_FALSE(app.form1.mnuTerminalIn.Checked());
}

TEST(ToolWindows, TheChecksumToolShowsTheModelsSelectionAndANoticeStaysOpen) {
  test::TestRig rig;
  qt::QtDialogs dialogs;
  App app(Platform{rig.system, dialogs, rig.comm1, rig.comm2, rig.clockSetter, rig.bus});
  qt::ToolWindows tools{app, nullptr};
  app.form1.mnuCreateGPstrings.Click();
  auto* text = tools.crcTool.findChild<QLineEdit*>("Text1");
  ASSERT_TRUE(tools.crcTool.isVisible());
  EXPECT_EQ(text->text(), "$PSRF100,1,4800,8,1,0*0E");
  EXPECT_EQ(text->selectedText(), text->text());
  SaveShot(tools.crcTool, "checksum-tool.png");
  tools.crcTool.close();
  EXPECT_FALSE(app.form1.mnuCreateGPstrings.Checked());

  app.form1.mnuAbout.Click();
  QWidget* box = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (qobject_cast<QMessageBox*>(w) && w->isVisible()) box = w;
  ASSERT_NE(box, nullptr);
  SaveShot(*box, "info-box.png");
  box->close();
  EXPECT_EQ(app.unexpectedCount, 0);
}

// A pty assigned a number in the listing opens under that number.
TEST(PortListingWindow, AnAssignedDeviceOpensUnderItsNumber) {
  test::Pty pty;
  test::PortMap folder;
  test::TestRig rig;
  rig.system.appPath = folder.Folder();
  qt::ToolWindows tools{rig.app, nullptr};
  std::vector<SerialDevice> devices = qt::SerialDevicesPresent();
  devices.push_back({pty.Path(), "Pseudo-terminal", "", -1, -1});
  FillPortListing(rig.app, devices);
  tools.listing.show();
  auto* list = tools.listing.findChild<QListWidget*>("lstDevices");
  const auto rows = list->findItems(QString::fromStdString(pty.Path()), Qt::MatchContains);
  ASSERT_EQ(rows.size(), 1);
  list->setCurrentItem(rows[0]);
  Q_EMIT tools.listing.findChild<QLineEdit*>("txtPortNumber")->textEdited("5");
  tools.listing.findChild<QPushButton*>("cmdAssign")->click();
  EXPECT_TRUE(list->currentItem()->text().startsWith("Com5 "));
  SaveShot(tools.listing, "serial-port-listing.png");

  qt::QtSerialPort port(folder.Folder());
  port.Open(5, "4800,N,8,1", 1024, 512);
  EXPECT_TRUE(port.IsOpen());
}

}  // namespace
}  // namespace koralin
