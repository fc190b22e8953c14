#include "qt/speed_bar.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <memory>
#include <tuple>

#include "qt/text.h"

namespace koralin::qt {

namespace {
const QColor kFill(6, 176, 37);
constexpr int kBlock = 8, kGap = 2;
}  // namespace

SpeedBar::SpeedBar(ProgressBar& model, QWidget* parent) : QWidget(parent), model_(model) {
  setObjectName(QString::fromStdString(model.Name()));
  setAttribute(Qt::WA_OpaquePaintEvent);  // it fills its whole rectangle
  // Repainted only when what it draws changed.
  auto sync = [this, shown = std::make_shared<std::tuple<std::string, bool, double, double, double, bool>>()] {
    const auto now = std::make_tuple(model_.ToolTip(), model_.Visible(), model_.Min(), model_.Max(), model_.Value(),
                                     model_.Smooth());
    if (now == *shown) return;
    if (std::get<0>(now) != std::get<0>(*shown)) setToolTip(ToQ(model_.ToolTip()));
    if (isHidden() == model_.Visible()) setVisible(model_.Visible());
    if (std::get<2>(now) != std::get<2>(*shown) || std::get<3>(now) != std::get<3>(*shown) ||
        std::get<4>(now) != std::get<4>(*shown) || std::get<5>(now) != std::get<5>(*shown))
      update();
    *shown = now;
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
