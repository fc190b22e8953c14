#include "qt/compass_widget.h"

#include <QPainter>
#include <QPolygonF>
#include <algorithm>

#include "qt/text.h"

namespace koralin::qt {

namespace {

QPointF At(float x, float y) { return {x / 15.0, y / 15.0}; }

void Paint(QPainter& p, const DrawItem& item) {
  QPen pen(ToQColor(item.colour), item.width);
  pen.setCapStyle(Qt::RoundCap);
  if (item.dashed) pen.setStyle(Qt::DashLine);
  p.setPen(pen);
  switch (item.kind) {
    case DrawKind::kLine:
      p.drawLine(At(item.x1, item.y1), At(item.x2, item.y2));
      break;
    case DrawKind::kCircle:
      p.setBrush(item.filled ? QBrush(ToQColor(item.fill)) : Qt::NoBrush);
      p.drawEllipse(At(item.x1, item.y1), item.radius / 15.0, item.radius / 15.0);
      break;
    case DrawKind::kPolyline: {
      QPolygonF line;
      for (const DrawPoint& d : item.points) line << At(d.x, d.y);
      p.drawPolyline(line);
      break;
    }
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
  setAttribute(Qt::WA_OpaquePaintEvent);  // the layer covers it all: nothing beneath is painted first
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

void CompassWidget::PaintItems(QPainter& p, std::size_t from, std::size_t to) const {
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.setFont(font());
  for (std::size_t i = from; i < to; ++i) Paint(p, shownItems_[i]);
}

// The leading items that stayed the same over the last drawings (the ring
// and its ticks) are kept painted in a layer: its thick antialiased circle
// costs more than the needle and the texts together.
void CompassWidget::paintEvent(QPaintEvent*) {
  const auto samePrefix = [](const std::vector<DrawItem>& a, const std::vector<DrawItem>& b) {
    return static_cast<std::size_t>(std::mismatch(a.begin(), a.end(), b.begin(), b.end()).first - a.begin());
  };
  const std::size_t stable = samePrefix(lastItems_, shownItems_), steady = std::min(stable, lastStable_);
  const qreal ratio = devicePixelRatioF();
  const bool fits = layer_.size() == size() * ratio && layerBack_ == shownBack_ &&
                    samePrefix(layerItems_, shownItems_) == layerItems_.size();
  if (!fits || steady > layerItems_.size()) {
    layerItems_.assign(shownItems_.begin(), shownItems_.begin() + static_cast<std::ptrdiff_t>(fits ? steady : stable));
    layerBack_ = shownBack_;
    layer_ = QImage(size() * ratio, QImage::Format_ARGB32_Premultiplied);
    layer_.setDevicePixelRatio(ratio);
    QPainter lp(&layer_);
    lp.fillRect(rect(), ToQColor(shownBack_));
    PaintItems(lp, 0, layerItems_.size());
  }
  QPainter p(this);
  p.drawImage(0, 0, layer_);
  PaintItems(p, layerItems_.size(), shownItems_.size());
  lastItems_ = shownItems_;
  lastStable_ = stable;
}

}  // namespace koralin::qt
