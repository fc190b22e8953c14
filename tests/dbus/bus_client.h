// A separate client of the session bus, as another program would be: it
// reads items and records change signals.
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

class Client : public QObject {
  Q_OBJECT

 public:
  explicit Client(const QString& name) : bus_(QDBusConnection::connectToBus(QDBusConnection::SessionBus, name)) {}
  ~Client() override { QDBusConnection::disconnectFromBus(bus_.name()); }

  // The service may live in this very thread: the call is asynchronous.
  QDBusMessage Call(const QString& service, const char* method, const QVariantList& args) {
    QDBusMessage m = QDBusMessage::createMethodCall(service, "/Form1", "org.freedesktop.DBus.Properties", method);
    m.setArguments(QVariantList{QString("org.koralin.Form1")} + args);
    QDBusPendingCall call = bus_.asyncCall(m);
    WaitFor([&] { return call.isFinished(); });
    return call.reply();
  }
  QString Get(const QString& service, const QString& item) {
    const QDBusMessage reply = Call(service, "Get", {item});
    if (reply.type() != QDBusMessage::ReplyMessage) return "<error " + reply.errorName() + ">";
    return reply.arguments().first().value<QDBusVariant>().variant().toString();
  }
  // The error a Set gets ("" when it is accepted).
  QString Set(const QString& service, const QString& item) {
    const QDBusMessage reply = Call(service, "Set", {item, QVariant::fromValue(QDBusVariant(QString(1 << 20, 'x')))});
    return reply.type() == QDBusMessage::ErrorMessage ? reply.errorName() : QString();
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
