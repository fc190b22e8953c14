#include "qt/timer_driver.h"

#include <QPointer>
#include <memory>

namespace koralin::qt {

namespace {

// One model timer on one Qt timer, resting when the model allows it.
class Driven : public QObject {
 public:
  Driven(QObject* parent, Timer& model) : QObject(parent), model_(model), timer_(new QTimer(this)) {
    // Woken on a resting line, the poll comes one interval after the data; a
    // coarse timer could add 5 % of it to every relayed fix.
    timer_->setTimerType(Qt::PreciseTimer);
    connect(timer_, &QTimer::timeout, this, [this] { OnTimeout(); });
    model.changed.Subscribe([this] { Sync(); });
    Sync();
  }

 private:
  void OnTimeout() {
    // A tick still on the stack (a question box or playback lets events run
    // inside it) is not entered again; the next tick comes at its time.
    if (busy_) return;
    busy_ = true;
    model_.Tick();
    busy_ = false;
    if (timer_->isActive()) Rest();
  }
  void Rest() {
    QPointer<Driven> self(this);
    const bool rest = model_.mayRest && model_.mayRest([self] {
      if (self && self->resting_) self->Run();
    });
    if (rest && !resting_) {
      resting_ = true;
      timer_->start(Timer::kRestInterval);
    } else if (!rest && resting_) {
      Run();
    }
  }
  void Run() {
    resting_ = false;
    timer_->start(model_.Interval());  // (re)starts the countdown
  }
  void Sync() {
    if (!model_.Enabled() || model_.Interval() <= 0) {
      resting_ = false;
      timer_->stop();
    } else if (resting_ || !timer_->isActive() || timer_->interval() != model_.Interval()) {
      Run();
    }
  }

  Timer& model_;
  QTimer* timer_;
  bool busy_ = false, resting_ = false;
};

}  // namespace

void TimerDriver::Attach(Timer& timer) { new Driven(this, timer); }

}  // namespace koralin::qt
