// Plays systemd-timedated on the bus DBUS_SYSTEM_BUS_ADDRESS names, as a time
// service that takes its time: SetTime is answered after the milliseconds
// given, and each call is printed ("SetTime usec relative interactive").
// No clock is touched.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

class TimeService : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.timedate1")

 public:
  explicit TimeService(int answerMs) : answerMs_(answerMs) {}

 public slots:
  void SetTime(qlonglong usec, bool relative, bool interactive, const QDBusMessage& call) {
    std::printf("SetTime %lld %d %d\n", usec, relative, interactive);
    std::fflush(stdout);
    call.setDelayedReply(true);
    QTimer::singleShot(answerMs_, this, [call] { QDBusConnection::systemBus().send(call.createReply()); });
  }

 private:
  int answerMs_;
};

int main(int argc, char* argv[]) {
  QCoreApplication application(argc, argv);
  TimeService service(argc > 1 ? std::atoi(argv[1]) : 0);
  QDBusConnection bus = QDBusConnection::systemBus();
  if (!bus.registerObject("/org/freedesktop/timedate1", &service, QDBusConnection::ExportAllSlots) ||
      !bus.registerService("org.freedesktop.timedate1"))
    return 1;
  std::puts("ready");
  std::fflush(stdout);
  return application.exec();
}

#include "fake_timedated.moc"
