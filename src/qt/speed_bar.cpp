#include "qt/speed_bar.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "qt/text.h"

namespace koralin::qt {

namespace {
const QColor kFill(6, 176, 37);
constexpr int kBlock = 8, kGap = 2;
}  // namespace

SpeedBar::SpeedBar(ProgressBar& model, QWidget* parent) : QWidget(parent), model_(model) {
  setObjectName(QString::fromStdString(model.Name()));
  auto sync = [this] {
    setToolTip(ToQ(model_.ToolTip()));
    setVisible(model_.Visible());
    update();
  };
  model_.changed.Subscribe(sync);
  sync();
}

void SpeedBar::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QRect frame = rect().adjusted(0, 0, -1, -1);
  p.fillRect(rect(), QColor(232, 232, 232));
  p.setPen(QColor(160, 160, 160));
  p.drawRect(frame);
  const double span = model_.Max() - model_.Min();
  if (span <= 0) return;
  const double part = std::clamp((model_.Value() - model_.Min()) / span, 0.0, 1.0);
  const QRect inner = frame.adjusted(2, 2, -1, -1);
  const int filled = static_cast<int>(inner.width() * part + 0.5);
  if (model_.Smooth()) {
    p.fillRect(QRect(inner.left(), inner.top(), filled, inner.height()), kFill);
    return;
  }
  // Whole blocks only, as a classic bar draws them.
  for (int x = 0; x + kBlock <= filled + kGap; x += kBlock + kGap)
    p.fillRect(QRect(inner.left() + x, inner.top(), std::min(kBlock, inner.width() - x), inner.height()), kFill);
}

// The press is the bar's own, so the frame behind it does not see it.
void SpeedBar::mousePressEvent(QMouseEvent* event) { event->accept(); }

void SpeedBar::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  if (rect().contains(event->position().toPoint())) model_.Click();
}

}  // namespace koralin::qt
