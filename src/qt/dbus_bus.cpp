#include "qt/dbus_bus.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QTimer>
#include <utility>

#include "common/error.h"
#include "dde/estimate_items.h"
#include "qt/dbus_names.h"
#include "qt/text.h"

namespace koralin::qt {

namespace {
constexpr const char* kPropertiesInterface = "org.freedesktop.DBus.Properties";
constexpr long kNoCompanion = 282;  // the companion did not answer

QStringList EstimateItemNames() {
  QStringList names;
  for (const char* item : kEstimateItemNames) names << item;
  for (const char* item : kTeamItemNames) names << item;
  return names;
}

void SendChanges(QDBusConnection& connection, const QString& path, const char* interface, QVariantMap& pending) {
  if (pending.isEmpty()) return;
  QDBusMessage signal = QDBusMessage::createSignal(path, kPropertiesInterface, "PropertiesChanged");
  signal << QString(interface) << std::exchange(pending, {}) << QStringList();
  connection.send(signal);
}
}  // namespace

DbusBus::DbusBus(const QString& application, QDBusConnection connection, When when)
    : connection_(connection),
      service_(BusServiceName(application)),
      object_(kBusInterface, {"lblDDELat", "lblDDELong", "lblDDEVal", "lblDDECompas", "lblDDESpeed", "lblDDEHeight",
                              "lblDoppler1"}),
      estimate_(kEstimateInterface, EstimateItemNames()) {
  for (const auto& [item, value] : EstimateItems({})) estimate_.SetValue(ToQ(item), ToQ(value));
  for (const char* item : kTeamItemNames) estimate_.SetValue(item, "");
  if (when == When::kNow) Open();
}

void DbusBus::Open() {
  if (publishing_ || !problem_.isEmpty()) return;
  if (!connection_.isConnected()) {
    problem_ = "There is no D-Bus session bus, so the live values are not published.";
    return;
  }
  if (!connection_.registerVirtualObject(BusObjectPath("Form1"), &object_)) {
    problem_ = "The object /Form1 is already registered on the session bus.";
    return;
  }
  if (!connection_.registerVirtualObject(kEstimatePath, &estimate_)) {
    problem_ = QString("The object ") + kEstimatePath + " is already registered on the session bus.";
    connection_.unregisterObject(BusObjectPath("Form1"));
    return;
  }
  if (!connection_.registerService(service_)) {
    problem_ = "Another copy of the program already publishes its values as " + service_ +
               " on the session bus; this copy works without publishing.";
    Unregister();
    return;
  }
  publishing_ = true;
}

void DbusBus::Unregister() {
  connection_.unregisterObject(BusObjectPath("Form1"));
  connection_.unregisterObject(kEstimatePath);
}

ValuesBus::Address DbusBus::Where() const {
  return {FromQ(service_), FromQ(BusObjectPath("Form1")), kBusInterface, FromQ(problem_)};
}

DbusBus::~DbusBus() {
  Flush();
  Unlink();
  if (publishing_) {
    connection_.unregisterService(service_);
    Unregister();
  }
}

void DbusBus::Publish(const std::string& item, const std::string& value) {
  const QString name = QString::fromStdString(item);
  const QString text = ToQ(value);
  if (!object_.Has(name)) return;
  object_.SetValue(name, text);
  Pend(pending_, name, text);
}

// Only the values that changed are signalled, as for the window's items.
void DbusBus::PublishEstimate(const DfEstimate& estimate) { PublishOnEstimate(EstimateItems(estimate)); }

void DbusBus::PublishTeam(const Team& team) { PublishOnEstimate(TeamItems(team)); }

void DbusBus::PublishOnEstimate(const std::vector<std::pair<std::string, std::string>>& items) {
  for (const auto& [item, value] : items) {
    const QString name = ToQ(item), text = ToQ(value);
    if (estimate_.Value(name) == text) continue;
    estimate_.SetValue(name, text);
    Pend(pendingEstimate_, name, text);
  }
}

void DbusBus::Pend(QVariantMap& pending, const QString& item, const QString& value) {
  if (!publishing_) return;
  if (pending_.isEmpty() && pendingEstimate_.isEmpty()) QTimer::singleShot(0, this, &DbusBus::Flush);
  pending.insert(item, value);
}

void DbusBus::Flush() {
  SendChanges(connection_, BusObjectPath("Form1"), kBusInterface, pending_);
  SendChanges(connection_, kEstimatePath, kEstimateInterface, pendingEstimate_);
}

// The companion's current value is asked without waiting for it: a companion
// that hangs must not hold up the program for the whole time-out. Its answer,
// or the failure, arrives as a change or a loss would.
void DbusBus::Link(const std::string& application, const std::string& topic, const std::string& item,
                   int timeoutTenths, OnValue onValue, OnLost onLost) {
  Unlink();
  const QString service = BusServiceName(ToQ(application));
  const QString path = BusObjectPath(ToQ(topic));
  const QString itemName = ToQ(item);
  if (!connection_.isConnected()) throw RunTimeError(kNoCompanion, "There is no D-Bus session bus");

  // Changes are followed before the value is read, so none falls between.
  connection_.connect(service, path, kPropertiesInterface, "PropertiesChanged", this,
                      SLOT(OnCompanionChanged(QString, QVariantMap, QStringList)));
  watcher_ = new QDBusServiceWatcher(service, connection_, QDBusServiceWatcher::WatchForUnregistration, this);
  connect(watcher_, &QDBusServiceWatcher::serviceUnregistered, this, &DbusBus::OnCompanionGone);
  linked_ = true;
  linkService_ = service;
  linkPath_ = path;
  linkItem_ = itemName;
  onValue_ = std::move(onValue);
  onLost_ = std::move(onLost);

  QDBusMessage get = QDBusMessage::createMethodCall(service, path, kPropertiesInterface, "Get");
  get << QString(kBusInterface) << itemName;
  reading_ = new QDBusPendingCallWatcher(connection_.asyncCall(get, timeoutTenths * 100), this);
  connect(reading_, &QDBusPendingCallWatcher::finished, this, &DbusBus::OnCompanionRead);
}

void DbusBus::OnCompanionRead(QDBusPendingCallWatcher* call) {
  call->deleteLater();
  if (call != reading_) return;
  reading_ = nullptr;
  const QDBusMessage reply = call->reply();
  if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
    const QString why = reply.errorName() == "org.freedesktop.DBus.Error.ServiceUnknown" ||
                                reply.errorName() == "org.freedesktop.DBus.Error.NameHasNoOwner"
                            ? linkService_ + " is not running on the session bus"
                            : linkService_ + ": " + reply.errorMessage();
    const OnLost onLost = onLost_;
    Unlink();
    if (onLost) onLost(FromQ(why));
    return;
  }
  const OnValue onValue = onValue_;  // the handler may unlink
  onValue(FromQ(reply.arguments().first().value<QDBusVariant>().variant().toString()));
}

void DbusBus::Unlink() {
  if (!linked_) return;
  connection_.disconnect(linkService_, linkPath_, kPropertiesInterface, "PropertiesChanged", this,
                         SLOT(OnCompanionChanged(QString, QVariantMap, QStringList)));
  delete watcher_;
  watcher_ = nullptr;
  delete reading_;  // its answer is no longer wanted
  reading_ = nullptr;
  linked_ = false;
  onValue_ = nullptr;
  onLost_ = nullptr;
}

void DbusBus::OnCompanionChanged(const QString& interface, const QVariantMap& changed, const QStringList&) {
  if (!linked_ || interface != kBusInterface || !changed.contains(linkItem_)) return;
  const OnValue onValue = onValue_;  // the handler may unlink
  onValue(FromQ(changed.value(linkItem_).toString()));
}

void DbusBus::OnCompanionGone() {
  if (!linked_) return;
  const OnLost onLost = onLost_;
  const QString service = linkService_;
  Unlink();
  if (onLost) onLost(FromQ(service + " left the session bus"));
}

}  // namespace koralin::qt
