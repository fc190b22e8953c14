#include "qt/frame_view.h"

#include <QPainter>

#include "qt/model_label.h"
#include "qt/text.h"

namespace koralin::qt {

namespace {
constexpr int kCaptionLeft = 8;
}  // namespace

FrameView::FrameView(Frame& model, QWidget* parent) : QGroupBox(parent), model_(model), caption_(new ModelLabel(this)) {
  setObjectName(QString::fromStdString(model.Name()));
  caption_->setObjectName(objectName());
  // The caption hides the frame's line behind it and lets clicks through to
  // the frame, as a frame's own title does.
  caption_->setAutoFillBackground(true);
  caption_->setAttribute(Qt::WA_TransparentForMouseEvents);
  caption_->setContentsMargins(2, 0, 2, 0);
  caption_->move(kCaptionLeft, 0);
  model.changed.Subscribe([this] { Sync(); });
  Sync();
}

// Only what changed is applied, and only the caption is repainted: the
// caption changes with nearly every poll, the labels below it do not.
void FrameView::Sync() {
  if (first_ || shownToolTip_ != model_.ToolTip()) setToolTip(ToQ(shownToolTip_ = model_.ToolTip()));
  if (first_ || shownFore_ != model_.ForeColor()) {
    QPalette p = caption_->palette();
    p.setColor(QPalette::WindowText, ToQColor(shownFore_ = model_.ForeColor()));
    caption_->setPalette(p);
  }
  bool relayout = false;
  if (first_ || shownUnderline_ != model_.FontUnderline()) {
    QFont f = caption_->font();
    f.setBold(true);
    f.setUnderline(shownUnderline_ = model_.FontUnderline());
    caption_->setFont(f);
    relayout = true;
  }
  if (first_ || shownCaption_ != model_.Caption()) {
    shownCaption_ = model_.Caption();
    relayout = true;
  }
  if (first_ || shownVisible_ != model_.Visible()) setVisible(shownVisible_ = model_.Visible());
  first_ = false;
  if (relayout) ShowCaption();
}

// A caption wider than the frame keeps its beginning and its end, where the
// long ones say what to do.
void FrameView::ShowCaption() {
  const QString full = ToQ(shownCaption_);
  const QMargins m = caption_->contentsMargins();
  const int room = std::max(0, width() - 2 * kCaptionLeft - m.left() - m.right());
  const QString shown = caption_->fontMetrics().elidedText(full, Qt::ElideMiddle, room);
  caption_->setText(shown);
  caption_->resize(caption_->fontMetrics().horizontalAdvance(shown) + m.left() + m.right(),
                   caption_->fontMetrics().height());
}

void FrameView::resizeEvent(QResizeEvent* event) {
  QGroupBox::resizeEvent(event);
  ShowCaption();
}

// The frame's line runs through the middle of its caption.
void FrameView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setPen(palette().color(QPalette::Mid));
  p.drawRect(rect().adjusted(0, caption_->height() / 2, -1, -1));
}

}  // namespace koralin::qt
