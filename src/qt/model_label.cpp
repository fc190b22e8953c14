#include "qt/model_label.h"

#include <QPainter>
#include <QTimer>
#include <algorithm>

namespace koralin::qt {

namespace {
// Four spinner steps, a lock in two colours and two captions: a few more
// than that would only keep pixmaps nobody asks for again.
constexpr std::size_t kKept = 6;

// Puts item first, forgetting the oldest beyond kKept.
template <class T> void Remember(std::deque<T>& recent, T item) {
  recent.push_front(std::move(item));
  if (recent.size() > kKept) recent.pop_back();
}
}  // namespace

ModelLabel::Look ModelLabel::Now() const {
  return {text(), palette().color(backgroundRole()).rgba(), palette().color(foregroundRole()).rgba(), font(), size(),
          isEnabled()};
}

void ModelLabel::paintEvent(QPaintEvent* event) {
  if (rendering_) return QLabel::paintEvent(event);
  const Look look = Now();
  const auto kept = std::find_if(kept_.begin(), kept_.end(), [&](const Kept& k) { return k.look == look; });
  if (kept != kept_.end()) return void(QPainter(this).drawPixmap(0, 0, kept->pixmap));
  const auto seen = std::find(seen_.begin(), seen_.end(), look);
  if (seen == seen_.end()) {
    Remember(seen_, look);
    return QLabel::paintEvent(event);
  }
  seen_.erase(seen);
  QLabel::paintEvent(event);
  // Rendered once this paint is over: a rendering made inside a paint is a
  // repaint within a repaint.
  QTimer::singleShot(0, this, [this, look] {
    if (Now() == look) Keep(look);
  });
}

// Renders the label as it looks now into a pixmap kept for the next time.
void ModelLabel::Keep(const Look& look) {
  const qreal ratio = devicePixelRatioF();
  QPixmap pixmap(size() * ratio);
  pixmap.setDevicePixelRatio(ratio);
  pixmap.fill(palette().color(backgroundRole()));
  rendering_ = true;
  render(&pixmap, QPoint(), QRegion(), QWidget::DrawWindowBackground);
  rendering_ = false;
  Remember(kept_, Kept{look, std::move(pixmap)});
}

}  // namespace koralin::qt
