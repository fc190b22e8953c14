#pragma once

#include <QLabel>
#include <QPixmap>
#include <deque>

namespace koralin::qt {

// A label that keeps the renderings of the looks it comes back to. The model
// flips some labels between a handful of looks many times a second (the
// lock's colour at every poll, the spinner's four steps); painting a kept
// rendering costs a copy, where QLabel lays out and shapes its text again
// every time. A look seen for the first time (a new position, say) is
// painted directly: keeping it would cost more than it could save.
class ModelLabel : public QLabel {
 public:
  using QLabel::QLabel;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  struct Look {
    QString text;
    QRgb back = 0, fore = 0;
    QFont font;
    QSize size;
    bool enabled = true;
    bool operator==(const Look&) const = default;
  };
  struct Kept {
    Look look;
    QPixmap pixmap;
  };
  Look Now() const;
  void Keep(const Look& look);

  std::deque<Kept> kept_;  // most recent first
  std::deque<Look> seen_;  // looks painted directly, most recent first
  bool rendering_ = false;
};

}  // namespace koralin::qt
