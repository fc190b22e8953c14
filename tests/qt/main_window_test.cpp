// The main window and the minimal display offscreen: the face mirrors the
// model on every change, input reaches the model once, and screenshots.
#include "qt/main_window.h"

#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>

#include "app/startup.h"
#include "display/speed.h"
#include "nmea/sentence.h"
#include "nmea/gprmc.h"
#include "qt/rig.h"
#include "qt/text.h"

namespace koralin {
namespace {

using test::SaveShot;

// The program on fakes with its face, started as the program starts.
struct Face {
  explicit Face(int input) {
    rig.system.appPath = folder.path();
    f.form.SetVisible(true);
    Form1_Load(app);
    app.settings.ComPortIn = static_cast<std::int16_t>(input);
    SpeedSelect(app, 3);
  }
  void Receive(const std::string& body) { ExtractingGPRMC(app, AddCrc(body + "*") + "\r\n"); }
  template <class W = QLabel> W* Find(const char* name) { return window.findChild<W*>(name); }
  void Send(QWidget* to, QEvent&& e) { QApplication::sendEvent(to, &e); }
  void Mouse(QWidget* to, QEvent::Type type = QEvent::MouseButtonPress) {
    Send(to, QMouseEvent(type, QPointF(5, 5), to->mapToGlobal(QPointF(5, 5)), Qt::LeftButton, Qt::LeftButton, {}));
  }
  // Every label says what its model says and shows when it does; so does the frame.
  void ExpectMirrors() {
    for (Label* l : {&f.lblLatitude, &f.lblLongitude, &f.lblTime, &f.lblDate, &f.lblLock, &f.lblSpeed, &f.lblUnity,
                     &f.lblCompass, &f.lblCompassText, &f.lblGPRMC, &f.lblAltitude, &f.lblHeight, &f.lblDoppler,
                     &f.lblAmplitude, &f.lblFluxGateCompass, &f.lblLat1, &f.lblDoppler1}) {
      const QLabel* w = Find(l->Name().c_str());
      ASSERT_NE(w, nullptr) << l->Name();
      EXPECT_EQ(w->text(), qt::ToQ(l->Caption())) << l->Name();
      EXPECT_EQ(!w->isHidden(), l->Visible()) << l->Name();
    }
    EXPECT_EQ(Find("Frame1")->text(), qt::ToQ(f.Frame1.Caption()));  // the frame's caption
  }

  test::TempFolder folder;
  test::TestRig rig;
  App& app = rig.app;
  Form1& f = app.form1;
  qt::MainWindow window{app};
};

TEST(MainWindow, MirrorsTheModelOnEveryDemoTick) {
  Face face(-1);
  face.f.mnuCrcCheck.SetChecked(true);
  face.f.mnuLockCheck.SetChecked(true);
  face.f.tmrPolling.SetEnabled(true);
  face.ExpectMirrors();
  SaveShot(face.window, "main-window-start.png");
  for (int step = 1; step <= 20; ++step) {
    SCOPED_TRACE(step);
    face.rig.clock.Advance(face.f.tmrPolling.Interval());
    QApplication::processEvents();
    face.ExpectMirrors();
  }
  SaveShot(face.window, "main-window-demo.png");
  EXPECT_EQ(face.app.unexpectedCount, 0) << face.app.lastUnexpected;
}

TEST(MainWindow, TheWindowFollowsThePublishedRowAndThePlace) {
  Face face(-1);
  face.Receive("$GPRMC,123519,A,5212.3456,N,00454.3210,E,022.4,084.4,041226,003.1,W");
  EXPECT_EQ(QSize(face.window.frameGeometry().width(), face.window.centralWidget()->height()), QSize(666, 178));
  SaveShot(face.window, "main-window-fix.png");
  face.f.mnuShowDDE.Click();
  face.ExpectMirrors();
  EXPECT_EQ(QSize(face.window.frameGeometry().width(), face.window.centralWidget()->height()), QSize(666, 205));
  SaveShot(face.window, "main-window-published.png");
  face.f.form.Move(1500, 750);
  EXPECT_EQ(face.window.pos(), QPoint(100, 50));
}

TEST(MainWindow, TheRoseIsPaintedFromItsDisplayList) {
  Face face(3);
  face.Receive("$GPRMC,123519,A,5212.3456,N,00454.3210,E,022.4,090.0,041226,003.1,W");
  QWidget* rose = face.Find<QWidget>("Picture1");
  ASSERT_EQ(rose->size(), QSize(129, 129));
  const QImage image = rose->grab().toImage();
  const int c = 967 / 15;
  const struct {
    int x, y;
    QColor colour;
  } cases[] = {{c, c, Qt::white},        {c + 4, c, QColor(0, 255, 0)},        {c, c + 30, Qt::black},
               {c + 30, c, Qt::white},   {126, 126, QColor(140, 140, 140)}};  // dot, centre, disc, needle east, picture
  for (const auto& p : cases) EXPECT_EQ(image.pixelColor(p.x, p.y), p.colour) << p.x << "," << p.y;
  SaveShot(*rose, "compass-rose-east.png");
}

TEST(MainWindow, KeysAndClicksReachTheModelOnce) {
  Face face(3);
  // M travels up from the focus widget and switches once.
  QLabel* raw = face.Find("lblGPRMC");
  raw->setFocusPolicy(Qt::StrongFocus);
  QApplication::setActiveWindow(&face.window);
  raw->setFocus();
  face.Send(raw, QKeyEvent(QEvent::KeyPress, Qt::Key_M, {}));
  EXPECT_TRUE(face.app.settings.MinimalDisplay && face.window.Minimal().isVisible());
  face.Send(&face.window.Minimal(), QKeyEvent(QEvent::KeyPress, Qt::Key_M, {}));
  EXPECT_FALSE(face.app.settings.MinimalDisplay || face.window.Minimal().isVisible());

  // A press on a label inside the frame is not the frame's; the bar's click counts once.
  auto* frame = face.Find<QGroupBox>("Frame1");
  face.Mouse(face.Find("lblLatitude"));
  EXPECT_FALSE(face.f.ProgressBar1.Smooth());
  QWidget* bar = face.Find<QWidget>("ProgressBar1");
  face.Mouse(bar);
  face.Mouse(bar, QEvent::MouseButtonRelease);
  EXPECT_TRUE(face.f.ProgressBar1.Smooth());
  face.Mouse(frame, QEvent::MouseButtonDblClick);
  EXPECT_TRUE(face.f.mnuShowDDE.Checked());

  for (int n = 7; n <= 31; ++n) face.f.lstCustumComIn.AddItem(std::to_string(n));
  face.Find<QRadioButton>("Option1(7)")->click();
  EXPECT_EQ(face.app.settings.ComPortIn, 0);
  auto* list = face.Find<QListWidget>("lstCustumComIn");
  emit list->itemClicked(list->item(5));
  EXPECT_EQ(face.app.settings.CustomComIn, 12);
  QAction* crc = test::FindAction(face.window.menuBar(), "&CRCcheck");
  ASSERT_NE(crc, nullptr);
  crc->trigger();
  EXPECT_EQ(face.f.mnuCrcCheck.Checked(), crc->isChecked());
  face.ExpectMirrors();
}

TEST(MinimalDisplay, PlacedByTheModelItsButtonReturnsItsCloseExits) {
  for (int input : {-1, 3}) {
    Face face(input);
    face.app.settings.MinimalLeft = 1500;
    face.app.settings.MinimalTop = 900;
    face.app.heading.FluxHeadingText = "123F";
    face.Receive("$GPRMC,123519,A,5212.3456,N,00454.3210,E,022.4,084.4,041226,003.1,W");
    face.f.mnuMinimalDisplay.Click();
    qt::MinimalWindow& w = face.window.Minimal();
    ASSERT_TRUE(w.isVisible());
    EXPECT_EQ(w.pos(), QPoint(100, 60));
    EXPECT_EQ(w.findChild<QLabel*>("Label2")->text(), qt::ToQ(face.app.display.form5.Label2.Caption()));
    SaveShot(w, input == -1 ? "minimal-display-demo.png" : "minimal-display-port.png");
    w.findChild<QPushButton*>("Command1")->click();
    EXPECT_TRUE(face.window.isVisible() && !w.isVisible());
    face.f.mnuMinimalDisplay.Click();
    w.close();
    EXPECT_TRUE(face.rig.system.ended);
  }
}

}  // namespace
}  // namespace koralin
