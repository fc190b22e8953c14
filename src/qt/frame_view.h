// A frame with its caption drawn as the model holds it: its own colour and
// underline, which a group box's own title cannot show.
#pragma once

#include <QGroupBox>
#include <QLabel>

#include "display/controls.h"

namespace koralin::qt {

class FrameView : public QGroupBox {
 public:
  FrameView(Frame& model, QWidget* parent);
  // The caption as shown (elided in the middle when it is wider than the frame).
  const QLabel* Caption() const { return caption_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Sync();
  void ShowCaption();
  Frame& model_;
  QLabel* caption_;
  std::string shownCaption_, shownToolTip_;
  Colour shownFore_ = 0;
  bool shownUnderline_ = false, shownVisible_ = false, first_ = true;
};

}  // namespace koralin::qt
