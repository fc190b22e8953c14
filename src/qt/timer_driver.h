// Runs the model's timers on Qt timers.
#pragma once

#include <QObject>
#include <QTimer>
#include <vector>

#include "display/controls.h"

namespace koralin::qt {

class TimerDriver : public QObject {
 public:
  explicit TimerDriver(QObject* parent = nullptr) : QObject(parent) {}
  void Attach(Timer& timer);
};

}  // namespace koralin::qt
