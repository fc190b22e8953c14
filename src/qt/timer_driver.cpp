#include "qt/timer_driver.h"

#include <memory>

namespace koralin::qt {

void TimerDriver::Attach(Timer& timer) {
  auto* q = new QTimer(this);
  Timer* model = &timer;
  // A tick still on the stack (a question box or playback lets events run
  // inside it) is not entered again; the next tick comes at its time.
  connect(q, &QTimer::timeout, this, [model, busy = std::make_shared<bool>(false)] {
    if (*busy) return;
    *busy = true;
    model->Tick();
    *busy = false;
  });
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
