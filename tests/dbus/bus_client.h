// A separate client of the session bus, as another program would be: it
// reads one service's items and records their change signals.
#pragma once

#include <QDBusArgument>
#include <QDBusConnection>
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
  Client(const QString& name, const QString& service, const QString& path = "/Form1",
         const QString& interface = "org.koralin.Form1")
      : bus_(QDBusConnection::connectToBus(QDBusConnection::SessionBus, name)), service_(service), path_(path),
        interface_(interface) {
    bus_.connect(service, path, kProperties, "PropertiesChanged", this, SLOT(OnChanged(QString, QVariantMap, QStringList)));
  }
  ~Client() override { QDBusConnection::disconnectFromBus(bus_.name()); }

  // The value, "" for none, or "<error name>". The service may live in this
  // very thread: the call is asynchronous.
  QString Call(const char* method, const QVariantList& args) {
    const QDBusMessage reply = Answer(method, args);
    if (reply.type() != QDBusMessage::ReplyMessage) return "<error " + reply.errorName() + ">";
    return reply.arguments().isEmpty() ? "" : reply.arguments().first().value<QDBusVariant>().variant().toString();
  }
  // Every item as "name=value", in name order; empty on an error.
  QStringList GetAll() {
    const QDBusMessage reply = Answer("GetAll", {});
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return {};
    const QVariantMap all = qdbus_cast<QVariantMap>(reply.arguments().first());
    QStringList items;
    for (auto it = all.begin(); it != all.end(); ++it) items << it.key() + "=" + it.value().toString();
    return items;
  }
  QString Get(const QString& item) { return Call("Get", {item}); }
  QString Set(const QString& item) { return Call("Set", {item, QVariant::fromValue(QDBusVariant(QString(1 << 20, 'x')))}); }

  std::vector<std::pair<QString, QString>> changes;

 private:
  QDBusMessage Answer(const char* method, const QVariantList& args) {
    QDBusMessage m = QDBusMessage::createMethodCall(service_, path_, kProperties, method);
    m.setArguments(QVariantList{interface_} + args);
    QDBusPendingCall call = bus_.asyncCall(m);
    WaitFor([&] { return call.isFinished(); });
    return call.reply();
  }

 private slots:
  void OnChanged(const QString&, const QVariantMap& changed, const QStringList&) {
    for (auto it = changed.begin(); it != changed.end(); ++it) changes.emplace_back(it.key(), it.value().toString());
  }

 private:
  static constexpr const char* kProperties = "org.freedesktop.DBus.Properties";
  QDBusConnection bus_;
  QString service_, path_, interface_;
};

}  // namespace koralin::test
