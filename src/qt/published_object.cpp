#include "qt/published_object.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QVariantMap>

namespace koralin::qt {

namespace {
constexpr const char* kProperties = "org.freedesktop.DBus.Properties";
constexpr const char* kUnknownProperty = "org.freedesktop.DBus.Error.UnknownProperty";
constexpr const char* kUnknownInterface = "org.freedesktop.DBus.Error.UnknownInterface";
}  // namespace

PublishedObject::PublishedObject(const QString& interface, const QStringList& items, const QString& initial)
    : interface_(interface) {
  for (const QString& item : items) values_[item] = initial;
}

QString PublishedObject::introspect(const QString&) const {
  QString xml = "<interface name=\"" + interface_ + "\">\n";
  for (auto it = values_.begin(); it != values_.end(); ++it)
    xml += "  <property name=\"" + it.key() + "\" type=\"s\" access=\"read\"/>\n";
  return xml + "</interface>\n";
}

bool PublishedObject::handleMessage(const QDBusMessage& message, const QDBusConnection& connection) {
  if (message.interface() != kProperties) return false;
  connection.send(Answer(message));
  return true;
}

// The reply to one Get, GetAll or Set.
QDBusMessage PublishedObject::Answer(const QDBusMessage& message) const {
  const QVariantList args = message.arguments();
  const QString interface = args.value(0).toString();
  if (!interface.isEmpty() && interface != interface_)
    return message.createErrorReply(kUnknownInterface, "No interface " + interface + " here.");
  if (message.member() == "GetAll") {
    QVariantMap all;
    for (auto it = values_.begin(); it != values_.end(); ++it) all[it.key()] = it.value();
    return message.createReply(QVariant::fromValue(all));
  }
  const QString item = args.value(1).toString();
  if (!values_.contains(item)) return message.createErrorReply(kUnknownProperty, "No item " + item + " here.");
  if (message.member() == "Get")
    return message.createReply(QVariant::fromValue(QDBusVariant(values_.value(item))));
  if (message.member() == "Set")
    return message.createErrorReply("org.freedesktop.DBus.Error.PropertyReadOnly", item + " is read-only.");
  return message.createErrorReply("org.freedesktop.DBus.Error.UnknownMethod", "No method " + message.member() + ".");
}

}  // namespace koralin::qt
