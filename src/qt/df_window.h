// The DF window: paints the picture the core draws of the hunt.
#pragma once

#include <QWidget>
#include <functional>

#include "display/df_window.h"

namespace koralin::qt {

class CompassWidget;

class DfWindow : public QWidget {
 public:
  explicit DfWindow(DfForm& model);
  CompassWidget* Picture() const { return picture_; }
  // "Team options..." in the window's context menu runs `open`.
  void OnTeamOptions(std::function<void()> open);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  DfForm& model_;
  CompassWidget* picture_;
};

}  // namespace koralin::qt
