// The published values and the companion link on the D-Bus session bus.
#pragma once

#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QMap>
#include <QObject>
#include <QVariantMap>

#include "dde/links.h"

namespace koralin::qt {

class DbusBus;

// Exposes the program's items as read-only properties of /Form1.
class Form1Adaptor : public QDBusAbstractAdaptor {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.koralin.Form1")
  Q_PROPERTY(QString lblDDELat READ lblDDELat)
  Q_PROPERTY(QString lblDDELong READ lblDDELong)
  Q_PROPERTY(QString lblDDEVal READ lblDDEVal)
  Q_PROPERTY(QString lblDDECompas READ lblDDECompas)
  Q_PROPERTY(QString lblDDESpeed READ lblDDESpeed)
  Q_PROPERTY(QString lblDDEHeight READ lblDDEHeight)
  Q_PROPERTY(QString lblDoppler1 READ lblDoppler1)
  // The bus finds properties by name through the adaptor's whole class, so
  // the writable objectName every QObject has is covered by a read-only one.
  Q_PROPERTY(QString objectName READ NoName CONSTANT)

 public:
  Form1Adaptor(QObject* object, const QMap<QString, QString>& values)
      : QDBusAbstractAdaptor(object), values_(values) {}
  QString lblDDELat() const { return values_.value("lblDDELat"); }
  QString lblDDELong() const { return values_.value("lblDDELong"); }
  QString lblDDEVal() const { return values_.value("lblDDEVal"); }
  QString lblDDECompas() const { return values_.value("lblDDECompas"); }
  QString lblDDESpeed() const { return values_.value("lblDDESpeed"); }
  QString lblDDEHeight() const { return values_.value("lblDDEHeight"); }
  QString lblDoppler1() const { return values_.value("lblDoppler1"); }
  QString NoName() const { return {}; }

 private:
  const QMap<QString, QString>& values_;
};

class DbusBus : public QObject, public ValuesBus {
  Q_OBJECT

 public:
  // Publishes as org.koralin.<application> on the session bus.
  explicit DbusBus(const QString& application, QDBusConnection connection = QDBusConnection::sessionBus());
  ~DbusBus() override;

  // Empty while publishing; otherwise why the values are not published.
  QString Problem() const { return problem_; }
  QString ServiceName() const { return service_; }

  void Publish(const std::string& item, const std::string& value) override;
  void Link(const std::string& application, const std::string& topic, const std::string& item, int timeoutTenths,
            OnValue onValue, OnLost onLost) override;
  void Unlink() override;
  bool Linked() const override { return linked_; }
  Address Where() const override;

 private slots:
  void OnCompanionChanged(const QString& interface, const QVariantMap& changed, const QStringList& invalidated);
  void OnCompanionGone();

 private:
  QDBusConnection connection_;
  QString service_;
  QString problem_;
  QObject object_;
  QMap<QString, QString> values_;
  bool publishing_ = false;

  bool linked_ = false;
  QString linkService_, linkPath_, linkItem_;
  OnValue onValue_;
  OnLost onLost_;
  QDBusServiceWatcher* watcher_ = nullptr;
};

}  // namespace koralin::qt
