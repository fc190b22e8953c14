#include "qt/compass_widget.h"

#include <QPainter>

#include "qt/text.h"

namespace koralin::qt {

namespace {

QPointF At(float x, float y) { return {x / 15.0, y / 15.0}; }

void Paint(QPainter& p, const DrawItem& item) {
  QPen pen(ToQColor(item.colour), item.width);
  pen.setCapStyle(Qt::RoundCap);
  p.setPen(pen);
  switch (item.kind) {
    case DrawKind::kLine:
      p.drawLine(At(item.x1, item.y1), At(item.x2, item.y2));
      break;
    case DrawKind::kCircle:
      p.setBrush(item.filled ? QBrush(ToQColor(item.fill)) : Qt::NoBrush);
      p.drawEllipse(At(item.x1, item.y1), item.radius / 15.0, item.radius / 15.0);
      break;
    case DrawKind::kText:
      p.drawText(At(item.x1, item.y1) + QPointF(0, p.fontMetrics().ascent()), ToQ(item.text));
      break;
  }
}

}  // namespace

CompassWidget::CompassWidget(PictureBox& model, QWidget* parent) : QWidget(parent), model_(model) {
  setObjectName(QString::fromStdString(model.Name()));
  QFont f = font();
  f.setPixelSize(12);
  f.setBold(true);
  setFont(f);
  // Repainted only when the drawing itself changed, not for a new tooltip.
  model_.changed.Subscribe([this] {
    if (shownToolTip_ != model_.ToolTip()) setToolTip(ToQ(shownToolTip_ = model_.ToolTip()));
    if (shownBack_ == model_.BackColor() && shownItems_ == model_.Items()) return;
    shownBack_ = model_.BackColor();
    shownItems_ = model_.Items();
    update();
  });
  setToolTip(ToQ(shownToolTip_ = model_.ToolTip()));
  shownBack_ = model_.BackColor();
  shownItems_ = model_.Items();
}

void CompassWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.fillRect(rect(), ToQColor(shownBack_));
  for (const DrawItem& item : shownItems_) Paint(p, item);
}

}  // namespace koralin::qt
