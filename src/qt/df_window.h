// The DF window: paints the picture the core draws of the hunt.
#pragma once

#include <QWidget>

#include "display/df_window.h"

namespace koralin::qt {

class CompassWidget;

class DfWindow : public QWidget {
 public:
  explicit DfWindow(DfForm& model);
  CompassWidget* Picture() const { return picture_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  DfForm& model_;
  CompassWidget* picture_;
};

}  // namespace koralin::qt
