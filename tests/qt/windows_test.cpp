// The windows offscreen: input reaching the model once, and the DF window's
// picture. Texts, colours and sizes are the core's.
#include <QCheckBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>

#include "display/df_picture.h"
#include "qt/compass_widget.h"
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
  template <class W = QLabel> W* Find(const std::string& name) { return window.findChild<W*>(QString::fromStdString(name)); }
  void Send(QWidget* to, QEvent&& e) { QApplication::sendEvent(to, &e); }
  void Key(QWidget* to) { Send(to, QKeyEvent(QEvent::KeyPress, Qt::Key_M, {})); }
  void Mouse(QWidget* to, QEvent::Type type = QEvent::MouseButtonPress) {
    Send(to, QMouseEvent(type, QPointF(5, 5), to->mapToGlobal(QPointF(5, 5)), Qt::LeftButton, Qt::LeftButton, {}));
  }
};

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

  // The terminals show their text a line a row (newest first is the core's).
  face.app.settings.ComPortOut = 2;
  face.f.mnuTerminalIn.Click(), face.f.mnuTerminalOut.Click();
  AddTerminalIn(face.app, test::Rmc() + "\r\n", false), AddTerminalIn(face.app, "$GPRMC,123520,A,4807.0", false);
  QApplication::processEvents();
  qt::TerminalView &in = face.tools.terminalIn, &out = face.tools.terminalOut;
  ASSERT_TRUE(in.isVisible() && out.isVisible());
  EXPECT_EQ(in.Surface()->Lines(), QStringList({"$GPRMC,123520,A,4807.0", qt::ToQ(test::Rmc())}));
  auto* box = in.findChild<QLineEdit*>("TxtSend");
  in.findChild<QCheckBox*>("ChkSend2ComIn")->click();
  box->setText("$PSRF100,1,4800,8,1,0*0E");
  Q_EMIT box->textEdited(box->text());
  Q_EMIT box->returnPressed();
  EXPECT_EQ(face.fakes.comm1.written + qt::FromQ(box->text()), "$PSRF100,1,4800,8,1,0*0E\r\n") << "sent, the box emptied";
  in.close();
  EXPECT_FALSE(face.f.mnuTerminalIn.Checked());
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

// The DF window, opened from its menu item, paints the core's picture of a
// small hunt at its own size: the estimate's mark inside its ellipse, the lines.
TEST(DfWindow, ShowsTheEstimateInsideItsEllipseAndTheLines) {
  test::WindowRig rig;
  rig.app.hunt.rules = test::kSmallHuntRules;
  test::FillSmallHunt(rig.app.hunt.hunt);
  rig.f.mnuDfWindow.Click(), QApplication::processEvents();
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
  w.resize(600, 300), QApplication::processEvents();
  EXPECT_EQ(rig.app.display.dfForm.picture.Bounds().width, w.Picture()->width() * 15);
  w.close();
  EXPECT_FALSE(rig.app.display.dfForm.form.Visible());
  EXPECT_EQ(rig.app.unexpectedCount, 0);
}

}  // namespace
}  // namespace koralin
