// Waiting in the Qt tests: Qt's events run meanwhile, so timers, sockets and
// bus replies of this very process go on.
#pragma once

#include <QApplication>
#include <QDeadlineTimer>
#include <QThread>

namespace koralin::test {

// Runs events until done() or ms passed (a hang guard); done() at the end.
template <class F> bool WaitFor(F done, int ms = 15000) {
  QDeadlineTimer deadline(ms);
  while (!done() && !deadline.hasExpired()) {
    if (QCoreApplication::instance()) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(2);
  }
  return done();
}

// Runs events for ms.
inline void RunFor(int ms) { WaitFor([] { return false; }, ms); }

}  // namespace koralin::test
