// Plays systemd-timedated on the bus DBUS_SYSTEM_BUS_ADDRESS names, as a time
// service that takes its time: SetTime is answered after 10 s, and each
// call is printed ("SetTime usec relative interactive").
// No clock is touched.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QTimer>
#include <cstdio>

class TimeService : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.timedate1")

 public slots:
  void SetTime(qlonglong usec, bool relative, bool interactive, const QDBusMessage& call) {
    std::printf("SetTime %lld %d %d\n", usec, relative, interactive);
    std::fflush(stdout);
    call.setDelayedReply(true);
    QTimer::singleShot(10000, this, [call] { QDBusConnection::systemBus().send(call.createReply()); });
  }
};

int main(int argc, char* argv[]) {
  QCoreApplication application(argc, argv);
  TimeService service;
  QDBusConnection bus = QDBusConnection::systemBus();
  if (!bus.registerObject("/org/freedesktop/timedate1", &service, QDBusConnection::ExportAllSlots) ||
      !bus.registerService("org.freedesktop.timedate1"))
    return 1;
  std::puts("ready");
  std::fflush(stdout);
  return application.exec();
}

#include "fake_timedated.moc"
