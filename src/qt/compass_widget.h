// Paints a picture box's display list: the compass rose, the DF window's hunt.
#pragma once

#include <QImage>
#include <QWidget>

#include "display/picture.h"

namespace koralin::qt {

class CompassWidget : public QWidget {
 public:
  CompassWidget(PictureBox& model, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void PaintItems(QPainter& p, std::size_t from, std::size_t to) const;
  PictureBox& model_;
  std::string shownToolTip_;
  Colour shownBack_ = 0, layerBack_ = 0;
  std::vector<DrawItem> shownItems_;
  std::vector<DrawItem> lastItems_;  // as painted last time
  std::size_t lastStable_ = 0;       // items it shared with the one before
  QImage layer_;                     // the background and layerItems_
  std::vector<DrawItem> layerItems_;  // a leading part of shownItems_
};

}  // namespace koralin::qt
