// The main window and the minimal display on screen: what they show, where
// keys and clicks go, and screenshots for a person to look at.
#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <gtest/gtest.h>

#include "app/startup.h"
#include "support/files.h"
#include "dde/links.h"
#include "display/compass.h"
#include "display/speed.h"
#include "nmea/checksum.h"
#include "nmea/gprmc.h"
#include "qt/main_window.h"
#include "qt/text.h"
#include "shots.h"
#include "support/fakes.h"

namespace koralin {
namespace {

using test::SaveShot;

// The window as a screen at 200 % scaling shows it.
void SaveDoubleScale(QWidget& w, const QString& file) {
  QImage image(w.size() * 2, QImage::Format_ARGB32);
  image.setDevicePixelRatio(2);
  image.fill(Qt::white);
  w.render(&image);
  QDir().mkpath(KORALIN_SCREENSHOT_DIR);
  ASSERT_TRUE(image.save(QString(KORALIN_SCREENSHOT_DIR) + "/" + file));
}

// The program on fakes with its face, started as the program starts.
struct Face {
  explicit Face(int input = -1) {
    rig.system.appPath = folder.path();  // settings are read here, and saved on exit
    app.form1.form.SetVisible(true);
    Form1_Load(app);
    app.settings.ComPortIn = static_cast<std::int16_t>(input);
    SpeedSelect(app, 3);
    // Nothing has arrived for these yet.
    for (Label* l : {&f.lblAltitude, &f.lblDDESound, &f.lblFluxGateCompass, &f.lblDoppler, &f.lblAmplitude})
      l->SetVisible(false);
    f.lblHeight.SetCaption("545.3 m");
    f.lblHeight.SetBackColor(colour::kYellow);
  }
  void Receive(const std::string& body) { ExtractingGPRMC(app, AddCrc(body + "*") + "\r\n"); }
  QLabel* Find(const char* name) { return window.findChild<QLabel*>(name); }
  void Key(QWidget* to, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, mods);
    press.setTimestamp(++keyTime);  // as the window system stamps each press
    QApplication::sendEvent(to, &press);
  }
  void Mouse(QWidget* to, QPoint at, QEvent::Type type = QEvent::MouseButtonPress,
             Qt::MouseButton button = Qt::LeftButton) {
    QMouseEvent e(type, QPointF(at), to->mapToGlobal(QPointF(at)), button, button, Qt::NoModifier);
    QApplication::sendEvent(to, &e);
  }

  quint64 keyTime = 0;
  test::TempFolder folder;
  test::TestRig rig;
  App& app = rig.app;
  Form1& f = app.form1;
  qt::MainWindow window{app};
};

TEST(MainWindowFace, DemoFeedInKilometresPerHour) {
  Face face(-1);
  face.Receive("$GPRMC,123519,A,5212.3456,N,00454.3210,E,022.4,084.4,041226,003.1,W");
  EXPECT_TRUE(face.window.isVisible());
  EXPECT_EQ(face.window.centralWidget()->size(), QSize(658, 178));
  EXPECT_EQ(face.Find("lblSpeed")->text(), "041.5");
  EXPECT_EQ(face.Find("lblUnity")->text(), " kmh");
  EXPECT_EQ(face.Find("lblCompass")->text(), QString::fromUtf8("084.4°"));
  EXPECT_EQ(face.Find("lblLatitude")->text(), QString::fromUtf8("52°12.35'N"));
  EXPECT_FALSE(face.Find("lblLat1")->isVisible());
  SaveShot(face.window, "main-window-demo-kmh.png");
  SaveDoubleScale(face.window, "main-window-demo-kmh-200.png");

  face.f.mnuShowDDE.Click();
  EXPECT_EQ(face.window.centralWidget()->size(), QSize(658, 205));
  EXPECT_TRUE(face.Find("lblLat1")->isVisible());
  EXPECT_EQ(face.Find("lblSpeed1")->text(), "022.4 knots");
  EXPECT_EQ(face.Find("lblVal1")->text(), "A");
  SaveShot(face.window, "main-window-demo-kmh-published.png");
}

TEST(MainWindowFace, RoseWithTenDegreeTicksStandingStillInKnots) {
  Face face(3);
  face.f.mnuReflines.Click();
  face.f.mnuKnots.Click();
  face.app.heading.FluxHeadingText = "123";
  face.app.settings.MinGpsSpeedOut = 2;  // too slow for a GPS course: the flux-gate heading shows
  face.Receive("$GPRMC,081500,A,5212.3456,N,00454.3210,E,001.5,000.0,041226,003.1,W");
  EXPECT_EQ(face.Find("lblSpeed")->text(), "001.5");
  EXPECT_EQ(face.Find("lblCompass")->text(), QString::fromUtf8("123°"));
  face.f.ProgressBar1.Click();  // smooth
  SaveShot(face.window, "main-window-flux-knots.png");
}

TEST(MainWindowFace, TheRoseIsPaintedFromItsDisplayList) {
  Face face(3);
  face.Receive("$GPRMC,123519,A,5212.3456,N,00454.3210,E,022.4,090.0,041226,003.1,W");
  QWidget* rose = face.window.findChild<QWidget*>("Picture1");
  ASSERT_NE(rose, nullptr);
  EXPECT_EQ(rose->size(), QSize(129, 129));
  const QImage image = rose->grab().toImage();
  const int c = 967 / 15;
  EXPECT_EQ(image.pixelColor(c, c), QColor(Qt::white));                 // inner dot
  EXPECT_EQ(image.pixelColor(c + 4, c), QColor(0, 255, 0));             // the green centre
  EXPECT_EQ(image.pixelColor(c, c + 30), QColor(Qt::black));            // the disc
  EXPECT_EQ(image.pixelColor(126, 126), QColor(140, 140, 140));         // the picture
  EXPECT_EQ(image.pixelColor(c + 30, c), QColor(Qt::white));            // the needle, east
  SaveShot(*rose, "compass-rose-east.png");
}

TEST(MainWindowFace, KeysReachTheWindowOnce) {
  Face face(3);
  // M is handed on once as it travels up from the focus widget, so it
  // switches once.
  QLabel* raw = face.Find("lblGPRMC");
  raw->setFocusPolicy(Qt::StrongFocus);
  QApplication::setActiveWindow(&face.window);
  raw->setFocus();
  ASSERT_EQ(QApplication::focusWidget(), raw);
  face.Key(raw, Qt::Key_M);
  EXPECT_TRUE(face.app.settings.MinimalDisplay);
  EXPECT_FALSE(face.window.isVisible());
  EXPECT_TRUE(face.window.Minimal().isVisible());
  face.Key(&face.window.Minimal(), Qt::Key_M);
  EXPECT_FALSE(face.app.settings.MinimalDisplay);
  EXPECT_TRUE(face.window.isVisible());
  EXPECT_FALSE(face.window.Minimal().isVisible());

  face.Key(&face.window, Qt::Key_Escape);
  EXPECT_TRUE(face.app.StopPlay);
  EXPECT_FALSE(face.rig.system.ended);
  face.Key(&face.window, Qt::Key_F4, Qt::AltModifier);
  EXPECT_TRUE(face.rig.system.ended);
}

TEST(MainWindowFace, FrameClicksOnlyOnTheFrameItself) {
  Face face(3);
  QGroupBox* frame = face.window.findChild<QGroupBox*>("Frame1");
  face.Mouse(face.Find("lblLatitude"), QPoint(5, 5));  // a label, not the frame
  EXPECT_FALSE(face.f.ProgressBar1.Smooth());
  face.Mouse(frame, QPoint(30, 165));  // below the rose
  EXPECT_TRUE(face.f.ProgressBar1.Smooth());
  QWidget* bar = face.window.findChild<QWidget*>("ProgressBar1");
  face.Mouse(bar, QPoint(5, 5));
  face.Mouse(bar, QPoint(5, 5), QEvent::MouseButtonRelease);
  EXPECT_FALSE(face.f.ProgressBar1.Smooth());  // the bar's own click, once
  face.Mouse(frame, QPoint(30, 165), QEvent::MouseButtonDblClick);
  EXPECT_TRUE(face.f.mnuShowDDE.Checked());
}

TEST(MinimalDisplayFace, DemoAndPortScreenshots) {
  for (int input : {-1, 3}) {
    Face face(input);
    face.app.settings.MinimalLeft = 1500;
    face.app.settings.MinimalTop = 900;
    face.f.mnuMinimalDisplay.Click();
    qt::MinimalWindow& w = face.window.Minimal();
    ASSERT_TRUE(w.isVisible());
    EXPECT_EQ(w.pos(), QPoint(100, 60));
    if (input == 3) {
      face.app.heading.FluxHeadingText = "123F";
      face.Receive("$GPRMC,123519,A,5212.3456,N,00454.3210,E,022.4,084.4,041226,003.1,W");
      ShowTurnPrompt(face.app);
      EXPECT_EQ(w.windowTitle(), "Koralin GPS Readout. ");
      EXPECT_TRUE(w.findChild<QLabel*>("Label2")->text().startsWith(QString::fromUtf8("Rx ok\n52°12.35'N")));
    } else {
      EXPECT_EQ(w.windowTitle(), "Demo");
    }
    SaveShot(w, input == -1 ? "minimal-display-demo.png" : "minimal-display-port.png");
  }
}

TEST(MinimalDisplayFace, ButtonReturnsCloseBoxExits) {
  Face face(3);
  face.f.mnuMinimalDisplay.Click();
  qt::MinimalWindow& w = face.window.Minimal();
  w.findChild<QPushButton*>("Command1")->click();
  EXPECT_FALSE(w.isVisible());
  EXPECT_TRUE(face.window.isVisible());
  EXPECT_FALSE(face.rig.system.ended);
  face.f.mnuMinimalDisplay.Click();
  w.close();
  EXPECT_TRUE(face.rig.system.ended);
}

}  // namespace
}  // namespace koralin
