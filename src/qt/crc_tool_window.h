// The checksum tool window (Form4).
#pragma once

#include <QWidget>

#include "terminal/terminal_state.h"

namespace koralin::qt {

class CrcToolWindow : public QWidget {
 public:
  explicit CrcToolWindow(Form4& model);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  Form4& model_;
};

}  // namespace koralin::qt
