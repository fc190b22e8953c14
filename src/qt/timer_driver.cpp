#include "qt/timer_driver.h"

namespace koralin::qt {

void TimerDriver::Attach(Timer& timer) {
  auto* q = new QTimer(this);
  Timer* model = &timer;
  connect(q, &QTimer::timeout, this, [model] { model->Tick(); });
  auto sync = [q, model] {
    const bool run = model->Enabled() && model->Interval() > 0;
    if (!run) {
      q->stop();
    } else if (!q->isActive() || q->interval() != model->Interval()) {
      q->start(model->Interval());  // (re)starts the countdown
    }
  };
  timer.changed.Subscribe(sync);
  sync();
}

}  // namespace koralin::qt
