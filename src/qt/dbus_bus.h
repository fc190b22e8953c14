// The published values and the companion link on the D-Bus session bus.
#pragma once

#include <QDBusConnection>
#include <QDBusPendingCallWatcher>
#include <QDBusServiceWatcher>
#include <QObject>
#include <QVariantMap>

#include "dde/links.h"
#include "qt/published_object.h"

namespace koralin::qt {

class DbusBus : public QObject, public ValuesBus {
  Q_OBJECT

 public:
  enum class When { kNow, kOnOpen };
  // Publishes as org.koralin.<application> on the session bus, from now on
  // or from Open() on: the program takes the name only once its start was
  // not refused. Values published before are kept and served from then on.
  explicit DbusBus(const QString& application, QDBusConnection connection = QDBusConnection::sessionBus(),
                   When when = When::kNow);
  ~DbusBus() override;
  void Open();

  // Empty while publishing; otherwise why the values are not published.
  QString Problem() const { return problem_; }
  QString ServiceName() const { return service_; }

  void Publish(const std::string& item, const std::string& value) override;
  void PublishEstimate(const DfEstimate& estimate) override;
  void PublishTeam(const Team& team) override;
  void Link(const std::string& application, const std::string& topic, const std::string& item, int timeoutTenths,
            OnValue onValue, OnLost onLost) override;
  void Unlink() override;
  bool Linked() const override { return linked_; }
  Address Where() const override;

 private slots:
  void OnCompanionChanged(const QString& interface, const QVariantMap& changed, const QStringList& invalidated);
  void OnCompanionGone();
  void OnCompanionRead(QDBusPendingCallWatcher* call);

 private:
  // Sets the estimate object's items that changed and signals them.
  void PublishOnEstimate(const std::vector<std::pair<std::string, std::string>>& items);
  QDBusConnection connection_;
  QString service_;
  QString problem_;
  PublishedObject object_;
  PublishedObject estimate_;
  bool publishing_ = false;
  // Changes not signalled yet: one signal per object and pass of the event
  // loop carries every item a poll changed.
  QVariantMap pending_;
  QVariantMap pendingEstimate_;
  void Unregister();
  void Pend(QVariantMap& pending, const QString& item, const QString& value);
  void Flush();

  bool linked_ = false;
  QString linkService_, linkPath_, linkItem_;
  OnValue onValue_;
  OnLost onLost_;
  QDBusServiceWatcher* watcher_ = nullptr;
  QDBusPendingCallWatcher* reading_ = nullptr;  // the companion's value, asked and not answered yet
};

}  // namespace koralin::qt
