#include "qt/model_label.h"

#include <QPainter>
#include <algorithm>

namespace koralin::qt {

namespace {
// Four spinner steps, a lock in two colours and two captions: a few more
// than that would only keep pixmaps nobody asks for again.
constexpr std::size_t kKept = 6;
}  // namespace

ModelLabel::Look ModelLabel::Now() const {
  return {text(), palette().color(backgroundRole()).rgba(), palette().color(foregroundRole()).rgba(), font(), size(),
          isEnabled()};
}

void ModelLabel::paintEvent(QPaintEvent* event) {
  if (rendering_) return QLabel::paintEvent(event);
  const Look look = Now();
  auto it = std::find_if(kept_.begin(), kept_.end(), [&](const Kept& k) { return k.look == look; });
  if (it == kept_.end()) {
    const qreal ratio = devicePixelRatioF();
    QPixmap pixmap(size() * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(palette().color(backgroundRole()));
    rendering_ = true;
    render(&pixmap, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    rendering_ = false;
    kept_.push_front({look, pixmap});
    if (kept_.size() > kKept) kept_.pop_back();
    it = kept_.begin();
  }
  QPainter(this).drawPixmap(0, 0, it->pixmap);
}

}  // namespace koralin::qt
