// "Team options..." from the DF window: the team hunt's options, applied
// (and kept in Options.cfg) with OK. Not modal: the data never waits on it.
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <array>

#include "app/app.h"

namespace koralin::qt {

class TeamDialog : public QDialog {
 public:
  TeamDialog(App& app, QWidget* parent);
  // Shows the options as they stand.
  void Open();

 private:
  App& app_;
  std::array<QLineEdit*, 6> fields_{};
};

}  // namespace koralin::qt
