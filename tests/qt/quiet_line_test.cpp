// The serial adapter is read at the polling ticks only: a busy line does not
// wake the program between them, and a quiet one lets fast polling rest.
#include <QCoreApplication>
#include <QEvent>
#include <atomic>
#include <chrono>
#include <thread>

#include "qt/rig.h"
#include "qt/timer_driver.h"
#include "support/sentences.h"

namespace koralin {
namespace {

class WakeCounter : public QObject {
 public:
  WakeCounter() { QCoreApplication::instance()->installEventFilter(this); }
  ~WakeCounter() override { QCoreApplication::instance()->removeEventFilter(this); }
  int lineWakes = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::SockAct) ++lineWakes;
    return false;
  }
};

TEST(QuietLine, ABusyLineWakesNothingBetweenPolls) {
  test::PtyRig rig;
  rig.GpsOn();
  std::atomic<bool> done{false};
  std::thread receiver([&] {  // a sentence every 5 ms, as a fast receiver sends
    while (!done) {
      rig.gps.Send(test::Rmc() + "\r\n");
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  });
  WakeCounter counter;
  test::RunLoop(300);
  rig.Poll();
  done = true;
  receiver.join();
  EXPECT_EQ(counter.lineWakes, 0);
  EXPECT_EQ(rig.app.fix.SpeedKnotsText, "022.4") << "and the poll still reads the line";
}

TEST(QuietLine, FastPollingRestsOnAQuietLineAndWakesAtItsFirstCharacter) {
  test::PtyRig rig;
  rig.GpsOn();
  rig.app.form1.tmrPolling.SetInterval(50);
  qt::TimerDriver driver;
  driver.Attach(rig.app.form1.tmrPolling);
  int ticks = 0;
  rig.app.form1.tmrPolling.onTick.Subscribe([&ticks] { ++ticks; });
  test::RunLoop(1500);
  EXPECT_LE(ticks, 3) << "a tick a second, not twenty";
  const auto sent = std::chrono::steady_clock::now();
  rig.gps.Send(test::Rmc() + "\r\n");
  ASSERT_TRUE(test::WaitFor([&] { return rig.app.fix.SpeedKnotsText == "022.4"; }, 5000));
  EXPECT_LT(std::chrono::steady_clock::now() - sent, std::chrono::milliseconds(700)) << "woken by the line";
}

}  // namespace
}  // namespace koralin
