#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include "nmea/sentence.h"
#include "qt/qt_dialogs.h"
#include "qt/tool_windows.h"
#include "shots.h"
#include "support/fakes.h"
#include "terminal/terminal.h"

namespace koralin {
namespace {

using test::SaveShot;

// Pixels in the colour of the text, on the black surface.
int TextPixels(QWidget& w, QRgb colour) {
  const QImage image = w.grab().toImage();
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb p = image.pixel(x, y);
      n += qAbs(qRed(p) - qRed(colour)) < 60 && qAbs(qGreen(p) - qGreen(colour)) < 60 &&
           qAbs(qBlue(p) - qBlue(colour)) < 60;
    }
  return n;
}

const char* kTraffic[] = {
    "$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*",
    "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*",
    "$GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1*",
    "$PGRMZ,1790,f,3*",
};

// Both terminals under traffic: what they show, and where their boxes go.
TEST(TerminalWindows, ShowTrafficNewestFirstAndTheirBoxesReachTheModel) {
  test::TestRig rig;
  App& app = rig.app;
  qt::ToolWindows tools{app, nullptr};
  app.form1.form.SetBounds({0, 0, 10500, 3460});
  app.settings.ComPortIn = 3;
  app.settings.BaudIn = 4800;
  app.settings.ComPortOut = 2;
  app.settings.BaudOut = 9600;
  rig.comm1.Open(3, "4800,N,8,1", 1024, 512);
  app.form1.mnuTerminalIn.Click();
  app.form1.mnuTerminalOut.Click();
  for (int pass = 0; pass < 40; ++pass)
    for (const char* body : kTraffic) {
      AddTerminalIn(app, AddCrc(body), false);
      if (pass % 2 == 0) AddTerminalOut(app, AddCrc(body), false);
    }
  AddTerminalIn(app, "$GPRMC,123520,A,4807.0", false);
  QApplication::processEvents();

  qt::TerminalView& in = tools.terminalIn;
  qt::TerminalView& out = tools.terminalOut;
  ASSERT_TRUE(in.isVisible() && out.isVisible());
  EXPECT_EQ(in.windowTitle(), "Koralin Terminal GPS In Com3 Baud 4800,N,8,1");
  EXPECT_EQ(out.windowTitle(), "Koralin Terminal GPS Out Com2 Baud 9600,N,8,1");
  // The unfinished sentence arrived last, so it is on top.
  EXPECT_EQ(in.Surface()->Lines().front(), "$GPRMC,123520,A,4807.0");
  EXPECT_TRUE(out.Surface()->Lines().front().startsWith("$PGRMZ,1790,f,3*"));
  EXPECT_LE(app.terminal.TerminalText[1].size(), 4500u);
  // Below the main window, then below each other.
  EXPECT_EQ(in.y(), 3460 / 15);
  EXPECT_EQ(out.y(), 2 * 3460 / 15);
  EXPECT_GT(TextPixels(in, qRgb(0, 255, 0)), 500);
  EXPECT_EQ(TextPixels(in, qRgb(255, 0, 0)), 0);
  EXPECT_GT(TextPixels(out, qRgb(255, 0, 0)), 500);
  SaveShot(in, "terminal-in.png");
  SaveShot(out, "terminal-out.png");

  auto* send = tools.terminalIn.findChild<QCheckBox*>("ChkSend2ComIn");
  auto* box = tools.terminalIn.findChild<QLineEdit*>("TxtSend");
  auto* freeze = tools.terminalIn.findChild<QCheckBox*>("chkFreeze");
  ASSERT_TRUE(send && box && freeze);
  EXPECT_FALSE(box->isVisible());
  send->click();
  EXPECT_TRUE(box->isVisible());
  EXPECT_EQ(box->toolTip(), "This send text to comport when enter is pressed and always add a crlf.");
  box->setText("$PSRF100,1,4800,8,1,0*0E");
  Q_EMIT box->textEdited(box->text());
  SaveShot(tools.terminalIn, "terminal-in-send.png");
  Q_EMIT box->returnPressed();
  EXPECT_EQ(rig.comm1.written, "$PSRF100,1,4800,8,1,0*0E\r\n");
  EXPECT_EQ(box->text(), "");

  EXPECT_EQ(freeze->text(), "Freeze Screen");
  freeze->click();
  EXPECT_TRUE(app.terminal.FreezeIn && app.terminal.FreezeOut);
  EXPECT_TRUE(freeze->isChecked());
  EXPECT_TRUE(tools.terminalOut.findChild<QCheckBox*>("chkFreeze")->isChecked());
  SaveShot(tools.terminalOut, "terminal-out-frozen.png");
  tools.terminalIn.close();
  EXPECT_FALSE(app.form1.mnuTerminalIn.Checked() || tools.terminalIn.isVisible());
}

TEST(CrcToolWindow, OpensWithTheSummedSirfCommandSelected) {
  test::TestRig rig;
  qt::ToolWindows tools{rig.app, nullptr};
  rig.app.form1.mnuCreateGPstrings.Click();
  qt::CrcToolWindow& w = tools.crcTool;
  ASSERT_TRUE(w.isVisible());
  EXPECT_EQ(w.windowTitle(), "Koralin GPS Readout. Version 1.21");
  auto* text = w.findChild<QLineEdit*>("Text1");
  auto* button = w.findChild<QPushButton*>("Command1");
  ASSERT_TRUE(text && button);
  EXPECT_EQ(text->text(), "$PSRF100,1,4800,8,1,0*0E");
  EXPECT_EQ(text->selectedText(), text->text());
  EXPECT_EQ(button->text(), "&Add Crc");
  SaveShot(w, "checksum-tool.png");
  w.close();
  EXPECT_FALSE(rig.app.form1.mnuCreateGPstrings.Checked() || w.isVisible());
}

// The information boxes, shown by the program's own dialogs and captured
// while they are open.
TEST(InformationBoxes, ScreenshotsOfEachBox) {
  struct Case {
    MenuItem Form1::*menu;
    const char* file;
    const char* title;
  };
  const Case cases[] = {
      {&Form1::mnuProtocol, "info-protocol.png", "Protocol NMEA-0183 Koralin GPS Readout. Version 1.21"},
      {&Form1::mnuRs232Info, "info-rs232.png", "Koralin GPS Readout. Version 1.21"},
      {&Form1::mnuShortCuts, "info-shortcuts.png", "Koralin GPS Readout. "},
      {&Form1::mnuAbout, "info-about.png", "Koralin GPS Readout. Version 1.21 Rev 9"},
  };
  test::TestRig rig;
  qt::QtDialogs dialogs;
  App app(Platform{rig.system, dialogs, rig.comm1, rig.comm2, rig.clockSetter, rig.bus});
  for (const Case& c : cases) {
    QString title;
    QTimer::singleShot(0, [&] {
      QWidget* box = QApplication::activeModalWidget();
      ASSERT_NE(box, nullptr);
      title = box->windowTitle();
      SaveShot(*box, c.file);
      box->close();
    });
    (app.form1.*c.menu).Click();
    EXPECT_EQ(title, c.title);
  }
  EXPECT_EQ(app.unexpectedCount, 0);
}

}  // namespace
}  // namespace koralin
