// The companion direction finder's item, as a read-only property of /Form1.
#pragma once

#include <QDBusAbstractAdaptor>

namespace koralin::qt {

class CompanionAdaptor : public QDBusAbstractAdaptor {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.koralin.Form1")
  Q_PROPERTY(QString lblDDESound1 READ lblDDESound1)

 public:
  explicit CompanionAdaptor(QObject* object) : QDBusAbstractAdaptor(object) {}
  QString lblDDESound1() const { return value; }
  QString value = "%---";
};

}  // namespace koralin::qt
