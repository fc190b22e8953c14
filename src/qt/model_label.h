#pragma once

#include <QLabel>
#include <QPixmap>
#include <deque>

namespace koralin::qt {

// A label that keeps its last few renderings. The model flips some labels
// between a handful of looks many times a second (the lock's colour at every
// poll, the spinner's four steps); painting a kept rendering costs a copy,
// where QLabel lays out and shapes its text again every time.
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

  std::deque<Kept> kept_;  // most recent first
  bool rendering_ = false;
};

}  // namespace koralin::qt
