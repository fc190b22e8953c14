#include <gtest/gtest.h>

#include <QLabel>
#include <QApplication>
#include <QScreen>

#include "qt/model_label.h"

namespace koralin {
namespace {

// A label coming back to a look it had shows exactly what a fresh label with
// that look paints, whichever property made the difference.
TEST(ModelLabel, ALookComeBackToIsPaintedAsAFreshLabelPaintsIt) {
  struct Look {
    const char* text;
    QColor back;
    bool underline;
    int width;
  };
  const Look red{"Rx ok", Qt::red, false, 90}, white{"Rx ok", Qt::white, false, 90};
  const Look looks[] = {red, white, red, white, red, {"Rx ok", Qt::red, true, 90}, {"No Rx", Qt::red, false, 90},
                        {"Rx ok", Qt::red, false, 120}, white, red};
  qt::ModelLabel kept;
  kept.show();  // painted as the window system paints it, not as grab() does
  for (std::size_t i = 0; i < std::size(looks); ++i) {
    const Look& l = looks[i];
    QLabel fresh;
    for (QLabel* w : {static_cast<QLabel*>(&kept), &fresh}) {
      w->setAutoFillBackground(true);
      w->setFrameShape(QFrame::Panel);
      w->setFrameShadow(QFrame::Sunken);
      QPalette p = w->palette();
      p.setColor(QPalette::Window, l.back);
      w->setPalette(p);
      QFont f = w->font();
      f.setUnderline(l.underline);
      w->setFont(f);
      w->setText(l.text);
      w->resize(l.width, 24);
    }
    kept.update();
    for (int pass = 0; pass < 2; ++pass) QApplication::processEvents();  // the paint, then the keeping
    const QImage shown = kept.screen()->grabWindow(kept.winId()).toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown, fresh.grab().toImage().convertToFormat(QImage::Format_RGB32)) << "look " << i;
  }
}

}  // namespace
}  // namespace koralin
