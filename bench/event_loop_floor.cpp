// What a Qt program pays only to wake: a bare window whose one timer ticks at
// the program's fast polling interval, first doing nothing, then stepping one
// label as the turn prompt steps while sentences come in. It is the floor
// under the whole program's figures in program-bench, on this machine.
//
// Usage: event-loop-floor [seconds per case (20)]
#include <sys/resource.h>

#include <QApplication>
#include <QMainWindow>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "qt/model_label.h"

namespace {

struct Cost {
  double cpuSeconds;
  long wakeups;
};

Cost Now() {
  rusage u{};
  ::getrusage(RUSAGE_THREAD, &u);
  const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
  return {seconds(u.ru_utime) + seconds(u.ru_stime), u.ru_nvcsw};
}

// Runs the event loop for the given time with a 50 ms timer doing `tick`.
template <class F> void Case(const char* what, int seconds, F tick) {
  QTimer timer;
  timer.setInterval(50);
  QObject::connect(&timer, &QTimer::timeout, tick);
  const Cost before = Now();
  timer.start();
  QTimer::singleShot(seconds * 1000, qApp, &QApplication::quit);
  QApplication::exec();
  const Cost after = Now();
  std::printf("%-44s %6.2f %% of a core, %5.1f wakes/s\n", what, 100.0 * (after.cpuSeconds - before.cpuSeconds) / seconds,
              static_cast<double>(after.wakeups - before.wakeups) / seconds);
}

}  // namespace

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
  QMainWindow window;
  auto* label = new koralin::qt::ModelLabel("\\", &window);
  label->setGeometry(10, 10, 20, 20);
  label->setAutoFillBackground(true);
  window.resize(400, 300);
  window.show();
  QTimer::singleShot(500, &app, &QApplication::quit);  // settle after showing
  QApplication::exec();

  std::printf("A bare window with one 50 ms timer, %d s per case:\n", seconds);
  Case("the timer alone", seconds, [] {});
  int step = 0;
  Case("a one-character label stepped at each tick", seconds, [&] {
    static const char* kSteps[] = {"\\", "0", "/", "-"};
    label->setText(kSteps[step++ % 4]);
  });
  return 0;
}
