// Waiting in the Qt tests: Qt's events run meanwhile, so timers, sockets and
// bus replies of this very process go on. And a bus of the tests' own.
#pragma once

#include <QApplication>
#include <QDeadlineTimer>
#include <QProcess>
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

// A private bus daemon, for the programs a test starts; address empty without one.
struct PrivateBus {
  QProcess daemon;
  QString address;
  PrivateBus() {
    daemon.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
    if (daemon.waitForStarted(5000) && daemon.waitForReadyRead(5000))
      address = QString::fromUtf8(daemon.readLine()).trimmed();
  }
  ~PrivateBus() { daemon.kill(), daemon.waitForFinished(5000); }
};

}  // namespace koralin::test
