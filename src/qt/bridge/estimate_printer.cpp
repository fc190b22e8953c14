#include "qt/bridge/estimate_printer.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusServiceWatcher>
#include <cstdio>

#include "dde/estimate_items.h"
#include "qt/dbus_names.h"

namespace koralin::qt {

namespace {
constexpr const char* kProperties = "org.freedesktop.DBus.Properties";
constexpr int kAnswerMs = 5000;
}  // namespace

EstimatePrinter::EstimatePrinter(QDBusConnection connection, const QString& service)
    : connection_(connection), service_(service) {
  connection_.connect(service_, kEstimatePath, kProperties, "PropertiesChanged", this,
                      SLOT(OnChanged(QString, QVariantMap, QStringList)));
}

void EstimatePrinter::RequestCurrent(bool follow) {
  QDBusMessage getAll = QDBusMessage::createMethodCall(service_, kEstimatePath, kProperties, "GetAll");
  getAll << QString(kEstimateInterface);
  auto* watcher = new QDBusPendingCallWatcher(connection_.asyncCall(getAll, kAnswerMs), this);
  connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, follow](QDBusPendingCallWatcher* w) {
    w->deleteLater();
    const QDBusMessage reply = w->reply();
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
      std::fprintf(stderr, "koralin-df-bridge: no estimate from %s: %s\n", qPrintable(service_),
                   qPrintable(reply.errorMessage()));
      return QCoreApplication::exit(1);
    }
    values_ = qdbus_cast<QVariantMap>(reply.arguments().first());
    Print();
    if (!follow) QCoreApplication::exit(0);
  });
}

void EstimatePrinter::OnChanged(const QString& interface, const QVariantMap& changed, const QStringList&) {
  if (interface != kEstimateInterface) return;
  for (auto it = changed.begin(); it != changed.end(); ++it) values_[it.key()] = it.value();
  Print();
}

// The values in their fixed order, "-" for an empty one, so that a shell's
// `read` takes them as words and the state, which has blanks, comes last.
void EstimatePrinter::Print() const {
  QStringList words;
  for (const char* item : kEstimateItemNames) {
    const QString value = values_.value(item).toString();
    words << (value.isEmpty() ? "-" : value);
  }
  std::printf("%s\n", qPrintable(words.join(' ')));
  std::fflush(stdout);
}

int PrintEstimate(const QString& application, bool follow) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) {
    std::fprintf(stderr, "koralin-df-bridge: no D-Bus session bus\n");
    return 1;
  }
  const QString service = BusServiceName(application);
  // Changes are followed before the values are read, so none falls between.
  EstimatePrinter printer(bus, service);
  QDBusServiceWatcher gone(service, bus, QDBusServiceWatcher::WatchForUnregistration);
  QObject::connect(&gone, &QDBusServiceWatcher::serviceUnregistered, QCoreApplication::instance(),
                   &QCoreApplication::quit);
  printer.RequestCurrent(follow);
  return QCoreApplication::exec();
}

}  // namespace koralin::qt
