// What a first-time user sees of the windows: whole dates and raw lines, a
// window that fits the screen at 200 %, the Protocol table's columns and the
// program's own icon.
#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>

#include "display/fix_view.h"
#include "qt/rig.h"

namespace koralin {
namespace {

// The text as wide as it is drawn at `scale`, against the room inside the
// label's border at that scale.
bool Fits(const QLabel& label, int scale) {
  QFont font = label.font();
  font.setPixelSize(font.pixelSize() * scale);
  return QFontMetrics(font).horizontalAdvance(label.text()) <= label.contentsRect().width() * scale;
}

TEST(Newcomer, ADateOfEveryMonthFitsItsLabelAt100And200Percent) {
  test::WindowRig rig;
  const QLabel* date = rig.window.findChild<QLabel*>("lblDate");
  for (int month = 1; month <= 12; ++month) {
    ShowGPSDate(rig.app, "01" + std::string(month < 10 ? "0" : "") + std::to_string(month) + "05");
    QApplication::processEvents();
    for (int scale : {1, 2}) EXPECT_TRUE(Fits(*date, scale)) << date->text().toStdString() << " at " << scale * 100 << " %";
  }
}

// Everything in the frame lies clear of its border, the two raw-sentence lines
// included; at 200 % the window fits a 1280-pixel-wide screen (its width is
// the outer one, whatever borders the window manager adds).
TEST(Newcomer, TheFrameHoldsItsRowsAndTheWindowFitsTheScreenAt200Percent) {
  test::WindowRig rig;
  rig.f.lblAltitude.SetVisible(true);  // shown once an altitude sentence came
  QApplication::processEvents();
  const QGroupBox* frame = rig.window.findChild<QGroupBox*>("Frame1");
  const QRect inside = frame->rect().adjusted(2, 0, -2, -2);
  for (const QWidget* w : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    EXPECT_TRUE(w->isHidden() || inside.contains(w->geometry())) << w->objectName().toStdString();
  EXPECT_LE(2 * rig.window.frameGeometry().width(), 1280);
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

TEST(Newcomer, TheWindowShowsTheProgramsOwnIcon) {
  test::WindowRig rig;
  const QImage icon = rig.window.windowIcon().pixmap(64).toImage();
  ASSERT_FALSE(icon.isNull());
  EXPECT_EQ(icon.pixelColor(32, 32), QColor(Qt::white));  // the rose's centre
}

}  // namespace
}  // namespace koralin
