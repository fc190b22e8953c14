// The main window: a mirror of the Form1 model, and the minimal display.
#pragma once

#include <QMainWindow>
#include <memory>
#include <optional>

#include "app/app.h"
#include "qt/minimal_window.h"

namespace koralin::qt {

class MainWindow : public QMainWindow {
 public:
  explicit MainWindow(App& app);
  ~MainWindow() override;
  MinimalWindow& Minimal() { return *minimal_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void SyncWindow();
  void FitToModel(bool resized);
  App& app_;
  QWidget* inner_ = nullptr;
  std::unique_ptr<MinimalWindow> minimal_;
  bool visible_ = false;
  std::optional<QPoint> placed_;  // the model's place last applied
};

}  // namespace koralin::qt
