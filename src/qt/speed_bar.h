// The speed bar: a smooth fill or a row of blocks, as the model says.
#pragma once

#include <QWidget>

#include "display/controls.h"

namespace koralin::qt {

class SpeedBar : public QWidget {
 public:
  SpeedBar(ProgressBar& model, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  ProgressBar& model_;
};

}  // namespace koralin::qt
