// The main window: a mirror of the Form1 model, and the minimal display.
#pragma once

#include <QMainWindow>
#include <memory>

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

 private:
  void SyncWindow();
  App& app_;
  QWidget* inner_ = nullptr;
  std::unique_ptr<MinimalWindow> minimal_;
  bool visible_ = false;
};

}  // namespace koralin::qt
