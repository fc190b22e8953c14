// Paints a picture box's display list: the compass rose.
#pragma once

#include <QWidget>

#include "display/picture.h"

namespace koralin::qt {

class CompassWidget : public QWidget {
 public:
  CompassWidget(PictureBox& model, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  PictureBox& model_;
  std::string shownToolTip_;
  Colour shownBack_ = 0;
  std::vector<DrawItem> shownItems_;
};

}  // namespace koralin::qt
