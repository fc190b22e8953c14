// The windows offscreen, read back from the rendered widgets, and input
// reaching the model once; what a first-time user sees of them.
#include <QCheckBox>
#include <QDir>
#include <QFontInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include "display/compass.h"
#include "display/df_picture.h"
#include "display/fix_view.h"
#include "display/frame_caption.h"
#include "qt/compass_widget.h"
#include "qt/model_label.h"
#include "qt/rig.h"
#include "qt/text.h"
#include "support/df_hunt.h"
#include "support/sentences.h"
#include "terminal/terminal.h"

namespace koralin {
namespace {

// The window rig, its input a GPS at 4800 baud on port `input` or none; checksums checked.
struct Face : test::WindowRig {
  explicit Face(int input = 0)
      : WindowRig(input ? [input](Settings& s) { s.ComPortIn = static_cast<std::int16_t>(input), s.BaudIn = 4800; }
                        : std::function<void(Settings&)>()) {
    f.mnuCrcCheck.SetChecked(true), QApplication::processEvents();
  }
  // Each label shows its model's text, background (a pixel clear of border and text), text colour and underline.
  void ExpectLooks(const std::string& when) {
    QApplication::processEvents();
    for (const Label* l : f.labels) {
      QLabel* w = Find(l->Name());
      ASSERT_NE(w, nullptr) << l->Name();
      const std::string what = when + ": " + l->Name() + " \"" + l->Caption() + "\"";
      EXPECT_EQ(!w->isHidden(), l->Visible()) << what;
      if (!l->Visible() || !w->isVisible()) continue;
      if (l != &f.Frame1) {  // the frame's caption may be shortened and lies on the frame's own background
        EXPECT_EQ(qt::FromQ(w->text()), Replace(l->Caption(), "\r\n", "\n")) << what;
        const QColor painted = w->grab().toImage().pixelColor(w->width() - 2, 2);
        EXPECT_EQ(painted.name().toStdString(), qt::ToQColor(l->BackColor()).name().toStdString()) << what;
      }
      EXPECT_EQ(w->palette().color(QPalette::WindowText), qt::ToQColor(l->ForeColor())) << what;
      EXPECT_EQ(w->font().underline(), l->FontUnderline()) << what;
    }
  }
  template <class W = QLabel> W* Find(const std::string& name) { return window.findChild<W*>(QString::fromStdString(name)); }
  void Poll(const std::string& text) { fakes.comm1.Feed(text), fakes.clock.Advance(f.tmrPolling.Interval()); }
  void Send(QWidget* to, QEvent&& e) { QApplication::sendEvent(to, &e); }
  void Key(QWidget* to) { Send(to, QKeyEvent(QEvent::KeyPress, Qt::Key_M, {})); }
  void Mouse(QWidget* to, QEvent::Type type = QEvent::MouseButtonPress) {
    Send(to, QMouseEvent(type, QPointF(5, 5), to->mapToGlobal(QPointF(5, 5)), Qt::LeftButton, Qt::LeftButton, {}));
  }
};

// Which widgets of the window were painted, by name.
struct PaintCounter : QObject {
  explicit PaintCounter(QWidget* window) {
    for (QWidget* w : window->findChildren<QWidget*>()) w->installEventFilter(this);
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted << watched->objectName();
    return false;
  }
  QStringList painted;
};

// Playback's look is read inside the click; its long caption keeps its ends. A new caption repaints only
// itself; the same text again, or a new tooltip, repaints nothing.
TEST(FaceLook, EachChangeKeepsEveryLabelsColoursAndRepaintsOnlyWhatItChanged) {
  Face face;
  Form1& f = face.f;
  const std::string rmc = test::Rmc() + "\r\n", log = face.folder / (std::string(150, 'd') + ".log");
  test::WriteFile(log, rmc + test::Rmc("123520", "000.0") + "\r\n");
  face.fakes.dialogs.inputAnswers.push_back(log);
  face.fakes.dialogs.msgAnswers.push_back(MsgResult::kNo);  // once, not endless
  const QLabel* caption = face.Find(f.Frame1.Name());
  bool playing = false;
  face.fakes.system.onDoEvents = [&] {
    if (playing || !f.mnuPlayLog.Checked()) return;
    playing = true, face.ExpectLooks("playing");
    EXPECT_TRUE(caption->text().startsWith("Playing log file /") && caption->text().endsWith("to stop Playing"))
        << caption->text().toStdString();
    EXPECT_LE(caption->geometry().right(), caption->parentWidget()->width());
  };
  PaintCounter counter(&face.window);
  const struct { const char* what; std::function<void()> change; const char *screenshot, *repainted; } changes[] = {
      {"start", [] {}, "look-start-input-off.png", nullptr},
      {"a fix", [&] { face.app.settings.BaudIn = 4800, f.Option1[2].Click(), face.Poll(rmc + "$GPGSV,1\r\n"); },
       "look-fix-moving.png", nullptr},
      {"the no-input warning", [&] { face.fakes.clock.Advance(f.tmrComInTimeOut.Interval()); }, "look-no-input-warning.png", nullptr},
      {"a checksum error", [&] { face.Poll(rmc.substr(0, rmc.size() - 3) + "0\r\n"); }, "look-checksum-caption.png", nullptr},
      {"the caption put back", [&] { RestoreFrameCaption(face.app); }, nullptr, nullptr},
      {"a new caption", [&] { f.Frame1.SetCaption("GPS-NMEA-0183 (Locked 2D)"); }, nullptr, "Frame1"},
      {"a new tooltip", [&] { f.Frame1.SetToolTip("Double-Click for DDE Labels. Left-Click SmoothSpeedBar."); }, nullptr, ""},
      {"the same caption", [&] { f.lblLock.SetCaption(f.lblLock.Caption()); }, nullptr, ""},
      {"a rose tooltip", [&] { f.Picture1.SetToolTip("North=Up"); }, nullptr, ""},
      {"a new drawing", [&] { f.Picture1.SetDrawing(colour::kWhite, {}); }, nullptr, "Picture1"},
      {"a label's colour", [&] { f.lblLock.SetBackColor(colour::kRed); }, nullptr, "lblLock"},
      {"playback", [&] { f.mnuPlayLog.Click(); EXPECT_TRUE(playing); }, nullptr, nullptr},
  };
  for (const auto& c : changes) {
    counter.painted.clear();
    c.change();
    QApplication::processEvents();
    if (c.repainted) { EXPECT_EQ(counter.painted.join(" ").toStdString(), c.repainted) << c.what; }  // nullptr: not counted
    face.ExpectLooks(c.what);
    if (c.screenshot) {
      EXPECT_TRUE(QDir().mkpath(KORALIN_SCREENSHOT_DIR) && face.window.grab().save(KORALIN_SCREENSHOT_DIR "/" + QString(c.screenshot)));
    }
  }
}

// The rose keeps the part of its drawing that stays the same, yet shows just
// what a rose painting the whole drawing afresh shows; the first one by pixels too.
TEST(FaceLook, TheRoseShowsEveryNewDrawingWhole) {
  std::vector<std::unique_ptr<qt::CompassWidget>> afresh;  // they follow the model while it lives
  Face face(3);
  QWidget* rose = face.Find<QWidget>("Picture1");
  const auto shown = [](QWidget& w) { return w.grab().toImage().convertToFormat(QImage::Format_RGB32); };
  const int c = 735 / 15;
  const struct { int x, y; QColor colour; } pixels[] = {  // dot, centre, disc, needle east, picture
      {c, c, Qt::white}, {c + 4, c, QColor(0, 255, 0)}, {c, c + 25, Qt::black}, {c + 20, c, Qt::white},
      {2 * c - 2, 2 * c - 2, QColor(140, 140, 140)}};
  const char* courses[] = {"090.0", "180.0", "180.0", "270.0"};
  for (int i = 0; i < 6; ++i) {  // four fixes, then a cyan ring on and off
    if (i < 4) face.Poll(test::Rmc("12352" + std::to_string(i), "022.4", courses[i]) + "\r\n");
    if (i >= 4) face.app.heading.FluxHeadingText = i == 4 ? "123" : "", DrawCompass(face.app);
    QApplication::processEvents();
    afresh.push_back(std::make_unique<qt::CompassWidget>(face.f.Picture1, nullptr));
    afresh.back()->resize(rose->size());
    EXPECT_EQ(shown(*rose), shown(*afresh.back())) << "drawing " << i;
    for (const auto& p : pixels) EXPECT_TRUE(i > 0 || shown(*rose).pixelColor(p.x, p.y) == p.colour) << p.x << "," << p.y;
  }
}

// A label coming back to a look it had shows exactly what a fresh label with
// that look paints, whichever property made the difference.
TEST(ModelLabel, ALookComeBackToIsPaintedAsAFreshLabelPaintsIt) {
  struct Look { const char* text; QColor back; bool underline; int width; };
  const Look red{"Rx ok", Qt::red, false, 90}, white{"Rx ok", Qt::white, false, 90};
  const Look looks[] = {red, white, red, white, red, {"Rx ok", Qt::red, true, 90}, {"No Rx", Qt::red, false, 90},
                        {"Rx ok", Qt::red, false, 120}, white, red};
  qt::ModelLabel kept;
  kept.show();  // painted as the window system paints it, not as grab() does
  for (std::size_t i = 0; i < std::size(looks); ++i) {
    const Look& l = looks[i];
    QLabel fresh;
    for (QLabel* w : {static_cast<QLabel*>(&kept), &fresh}) {
      QPalette p = w->palette();
      p.setColor(QPalette::Window, l.back);
      QFont f = w->font();
      f.setUnderline(l.underline);
      w->setAutoFillBackground(true), w->setFrameStyle(QFrame::Panel | QFrame::Sunken);
      w->setPalette(p), w->setFont(f), w->setText(l.text), w->resize(l.width, 24);
    }
    kept.update();
    for (int pass = 0; pass < 2; ++pass) QApplication::processEvents();  // the paint, then the keeping
    const QImage shown = kept.screen()->grabWindow(kept.winId()).toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown, fresh.grab().toImage().convertToFormat(QImage::Format_RGB32)) << "look " << i;
  }
}

int TextPixels(QWidget& w, QRgb colour) {  // pixels of exactly this colour
  const QImage image = w.grab().toImage().convertToFormat(QImage::Format_RGB32);
  const auto* p = reinterpret_cast<const QRgb*>(image.constBits());
  return static_cast<int>(std::count(p, p + image.width() * image.height(), colour));
}

TEST(MainWindow, KeysClicksAndMenusReachTheModelOnceAndTheToolWindowsShowIt) {
  Face face(3);
  // M travels up from a label and switches once.
  qt::MinimalWindow& minimal = face.window.Minimal();
  face.Key(face.Find("lblGPRMC"));
  EXPECT_TRUE(face.app.settings.MinimalDisplay && minimal.isVisible() && !face.window.isVisible());
  face.Key(&minimal);
  EXPECT_FALSE(face.app.settings.MinimalDisplay || minimal.isVisible());
  face.f.mnuMinimalDisplay.Click();
  minimal.findChild<QPushButton*>("Command1")->click();
  EXPECT_TRUE(face.window.isVisible() && !minimal.isVisible());

  // A press on a label inside the frame is not the frame's; the bar's click counts once.
  face.Mouse(face.Find("lblLatitude"));
  EXPECT_FALSE(face.f.ProgressBar1.Smooth());
  for (auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) face.Mouse(face.Find<QWidget>("ProgressBar1"), type);
  EXPECT_TRUE(face.f.ProgressBar1.Smooth());
  face.Mouse(face.Find<QWidget>("Frame1"), QEvent::MouseButtonDblClick);
  EXPECT_TRUE(face.f.mnuShowDDE.Checked());
  for (QAction* a : face.window.findChildren<QAction*>())
    if (a->text() == "&CRCcheck") a->trigger();
  EXPECT_FALSE(face.f.mnuCrcCheck.Checked());  // it was on

  // The terminals show the traffic newest first, in green and red.
  face.app.settings.ComPortOut = 2;
  face.f.mnuTerminalIn.Click(), face.f.mnuTerminalOut.Click();
  for (int pass = 0; pass < 40; ++pass)
    AddTerminalIn(face.app, test::Rmc() + "\r\n", false), AddTerminalOut(face.app, test::Rmc() + "\r\n", false);
  AddTerminalIn(face.app, "$GPRMC,123520,A,4807.0", false);
  QApplication::processEvents();
  qt::TerminalView &in = face.tools.terminalIn, &out = face.tools.terminalOut;
  ASSERT_TRUE(in.isVisible() && out.isVisible());
  EXPECT_EQ(in.Surface()->Lines().front(), "$GPRMC,123520,A,4807.0");  // the newest on top
  EXPECT_TRUE(TextPixels(in, qRgb(0, 255, 0)) > 500 && TextPixels(in, qRgb(255, 0, 0)) == 0);
  EXPECT_GT(TextPixels(out, qRgb(255, 0, 0)), 500);
  auto* box = in.findChild<QLineEdit*>("TxtSend");
  in.findChild<QCheckBox*>("ChkSend2ComIn")->click();
  box->setText("$PSRF100,1,4800,8,1,0*0E");
  Q_EMIT box->textEdited(box->text());
  Q_EMIT box->returnPressed();
  EXPECT_EQ(face.fakes.comm1.written + qt::FromQ(box->text()), "$PSRF100,1,4800,8,1,0*0E\r\n") << "sent, the box emptied";
  in.findChild<QCheckBox*>("chkFreeze")->click();
  EXPECT_TRUE(face.app.terminal.FreezeIn && out.findChild<QCheckBox*>("chkFreeze")->isChecked());
  in.close();
  EXPECT_FALSE(face.f.mnuTerminalIn.Checked());
  face.f.mnuCreateGPstrings.Click();  // shown whole and selected
  EXPECT_EQ(face.tools.crcTool.findChild<QLineEdit*>("Text1")->selectedText(), "$PSRF100,1,4800,8,1,0*0E");
  face.window.close();  // either close box ends the program
  EXPECT_TRUE(face.fakes.system.ended);
  face.fakes.system.ended = false, face.f.mnuMinimalDisplay.Click(), minimal.close();
  EXPECT_TRUE(face.fakes.system.ended);
  for (int n = 7; n <= 31; ++n) face.f.lstCustumComIn.AddItem(std::to_string(n));
  face.Find<QRadioButton>("Option1(7)")->click();
  auto* list = face.Find<QListWidget>("lstCustumComIn");
  emit list->itemClicked(list->item(5));
  EXPECT_TRUE(face.app.settings.ComPortIn == 0 && face.app.settings.CustomComIn == 12);
  EXPECT_EQ(face.app.unexpectedCount, 0);
}

// The text as wide as it is drawn at `scale`, against the room inside the
// label's border at that scale.
bool Fits(const QLabel& label, int scale) {
  QFont font = label.font();
  font.setPixelSize(font.pixelSize() * scale);
  return QFontMetrics(font).horizontalAdvance(label.text()) <= label.contentsRect().width() * scale;
}

// A date of every month fits its label at 100 and 200 %; everything in the
// frame lies clear of its border, the two raw-sentence lines included; at
// 200 % the window (its outer width, whatever borders the window manager
// adds) fits a 1280-pixel-wide screen; it shows the program's own icon.
TEST(Newcomer, DatesAndRowsFitAt200PercentAndTheIconIsTheProgramsOwn) {
  test::WindowRig rig;
  const QLabel* date = rig.window.findChild<QLabel*>("lblDate");
  for (int month = 1; month <= 12; ++month) {
    ShowGPSDate(rig.app, "01" + std::string(month < 10 ? "0" : "") + std::to_string(month) + "05");
    QApplication::processEvents();
    for (int scale : {1, 2}) EXPECT_TRUE(Fits(*date, scale)) << date->text().toStdString() << " at " << scale * 100 << " %";
  }
  rig.f.lblAltitude.SetVisible(true);  // shown once an altitude sentence came
  QApplication::processEvents();
  const QGroupBox* frame = rig.window.findChild<QGroupBox*>("Frame1");
  const QRect inside = frame->rect().adjusted(2, 0, -2, -2);
  for (const QWidget* w : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    EXPECT_TRUE(w->isHidden() || inside.contains(w->geometry())) << w->objectName().toStdString();
  EXPECT_LE(2 * rig.window.frameGeometry().width(), 1280);
  const QImage icon = rig.window.windowIcon().pixmap(64).toImage();
  ASSERT_FALSE(icon.isNull());
  EXPECT_EQ(icon.pixelColor(32, 32), QColor(Qt::white));  // the rose's centre
}

// The table's columns line up only in a fixed-pitch font.
TEST(Newcomer, TheProtocolTableIsInAFixedPitchFont) {
  test::WindowRig rig(nullptr, true);
  rig.f.mnuProtocol.Click();
  QMessageBox* box = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* b = qobject_cast<QMessageBox*>(w); b && b->isVisible()) box = b;
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(QFontInfo(box->findChild<QLabel*>("qt_msgbox_label")->font()).fixedPitch());
  box->close();
}

// The DF window, opened from its menu item, paints the core's picture of a
// small hunt at its own size: the estimate's mark inside its ellipse, the lines.
TEST(DfWindow, ShowsTheEstimateInsideItsEllipseAndTheLines) {
  test::WindowRig rig;
  rig.app.hunt.rules = test::kSmallHuntRules;
  test::FillSmallHunt(rig.app.hunt.hunt);
  rig.f.mnuDfWindow.Click();
  QApplication::processEvents();
  qt::DfWindow& w = rig.tools.df;
  ASSERT_TRUE(w.isVisible());
  const QImage image = w.Picture()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_TRUE(QDir().mkpath(KORALIN_SCREENSHOT_DIR) && image.save(KORALIN_SCREENSHOT_DIR "/df_window.png"));
  const auto rgb = [](Colour c) { return qt::ToQColor(c).rgb(); };
  EXPECT_GT(TextPixels(*w.Picture(), rgb(df_colour::kLine)), 100) << "the newest line at full strength";
  EXPECT_GT(TextPixels(*w.Picture(), rgb(df_colour::kEllipse)), 30);
  const std::vector<DrawItem>& items = rig.app.display.dfForm.picture.Items();
  const auto mark = std::find_if(items.begin(), items.end(), [](const DrawItem& d) { return d.colour == df_colour::kMark; });
  ASSERT_NE(mark, items.end());
  const int mx = static_cast<int>(mark->x1 / 15), my = static_cast<int>(mark->y1 / 15);
  EXPECT_EQ(image.pixel(mx, my), rgb(df_colour::kMark));
  for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {  // every way out crosses the ellipse
    int x = mx, y = my;
    while (image.valid(x, y) && image.pixel(x, y) != rgb(df_colour::kEllipse)) x += dx, y += dy;
    EXPECT_TRUE(image.valid(x, y)) << "no ellipse towards " << dx << "," << dy;
  }
  w.resize(600, 300);
  QApplication::processEvents();
  EXPECT_EQ(rig.app.display.dfForm.picture.Bounds().width, w.Picture()->width() * 15);
  w.close();
  EXPECT_FALSE(rig.app.display.dfForm.form.Visible());
  EXPECT_EQ(rig.app.unexpectedCount, 0);
}

}  // namespace
}  // namespace koralin
