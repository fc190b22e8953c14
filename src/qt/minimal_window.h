// The minimal display window: a mirror of the Form5 model.
#pragma once

#include <QWidget>
#include <optional>

#include "app/app.h"

namespace koralin::qt {

class MinimalWindow : public QWidget {
 public:
  explicit MinimalWindow(App& app);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;

 private:
  void SyncWindow();
  App& app_;
  std::optional<QPoint> placed_;  // the model's place last applied
  std::optional<Colour> back_;
};

}  // namespace koralin::qt
