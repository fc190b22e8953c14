// The main window: a mirror of the Form1 model.
#pragma once

#include <QMainWindow>

#include "app/app.h"

namespace koralin::qt {

class MainWindow : public QMainWindow {
 public:
  explicit MainWindow(App& app);

 private:
  App& app_;
};

}  // namespace koralin::qt
