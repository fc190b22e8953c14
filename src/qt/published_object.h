// A bus object that answers for exactly the items it is given: Get and GetAll
// read them, Set is always refused, and nothing else (no inherited Qt
// property) can be read or written.
#pragma once

#include <QDBusVirtualObject>
#include <QMap>
#include <QString>
#include <QStringList>

namespace koralin::qt {

class PublishedObject : public QDBusVirtualObject {
 public:
  // Every item starts with initial.
  PublishedObject(const QString& interface, const QStringList& items, const QString& initial = {});

  bool Has(const QString& item) const { return values_.contains(item); }
  void SetValue(const QString& item, const QString& value) { values_[item] = value; }
  QString Value(const QString& item) const { return values_.value(item); }

  QString introspect(const QString& path) const override;
  bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

 private:
  QDBusMessage Answer(const QDBusMessage& message) const;

  QString interface_;
  QMap<QString, QString> values_;
};

}  // namespace koralin::qt
