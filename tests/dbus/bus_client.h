// A separate client of the session bus, as another program would be.
#pragma once

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <utility>
#include <vector>

#include "support/wait.h"

namespace koralin::test {

// A separate client connection that reads items and records change signals.
class Client : public QObject {
  Q_OBJECT

 public:
  explicit Client(const QString& name) : bus_(QDBusConnection::connectToBus(QDBusConnection::SessionBus, name)) {}
  ~Client() override { QDBusConnection::disconnectFromBus(bus_.name()); }

  QString Get(const QString& service, const QString& item) {
    QDBusMessage m = QDBusMessage::createMethodCall(service, "/Form1", "org.freedesktop.DBus.Properties", "Get");
    m << QString("org.koralin.Form1") << item;
    // Asynchronous: the service may live in this very thread.
    QDBusPendingCall call = bus_.asyncCall(m);
    WaitFor([&] { return call.isFinished(); });
    const QDBusMessage reply = call.reply();
    if (reply.type() != QDBusMessage::ReplyMessage) return "<error " + reply.errorName() + ">";
    return reply.arguments().first().value<QDBusVariant>().variant().toString();
  }
  // The error a Set gets ("" when it is accepted).
  QString Set(const QString& service, const QString& item) {
    QDBusMessage m = QDBusMessage::createMethodCall(service, "/Form1", "org.freedesktop.DBus.Properties", "Set");
    m << QString("org.koralin.Form1") << item << QVariant::fromValue(QDBusVariant(QString(1 << 20, 'x')));
    QDBusPendingCall call = bus_.asyncCall(m);
    WaitFor([&] { return call.isFinished(); });
    return call.reply().type() == QDBusMessage::ErrorMessage ? call.reply().errorName() : QString();
  }
  void Follow(const QString& service) {
    bus_.connect(service, "/Form1", "org.freedesktop.DBus.Properties", "PropertiesChanged", this,
                 SLOT(OnChanged(QString, QVariantMap, QStringList)));
  }
  bool HasService(const QString& service) { return bus_.interface()->isServiceRegistered(service); }

  std::vector<std::pair<QString, QString>> changes;

 private slots:
  void OnChanged(const QString&, const QVariantMap& changed, const QStringList&) {
    for (auto it = changed.begin(); it != changed.end(); ++it) changes.emplace_back(it.key(), it.value().toString());
  }

 private:
  QDBusConnection bus_;
};

}  // namespace koralin::test
