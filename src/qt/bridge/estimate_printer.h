// koralin-df-bridge --estimate: the readout's DF estimate as lines of text for
// scripts, one line for the current values and, when following, one more for
// each change.
#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QVariantMap>

namespace koralin::qt {

class EstimatePrinter : public QObject {
  Q_OBJECT

 public:
  // Follows the estimate that `service` publishes from now on.
  EstimatePrinter(QDBusConnection connection, const QString& service);
  // Reads and prints the current values; false, having said why on standard
  // error, when the service publishes none.
  bool PrintCurrent();

 private slots:
  void OnChanged(const QString& interface, const QVariantMap& changed, const QStringList& invalidated);

 private:
  void Print() const;

  QDBusConnection connection_;
  QString service_;
  QVariantMap values_;
};

// The bridge's --estimate mode; the program's exit status.
int PrintEstimate(const QString& application, bool follow);

}  // namespace koralin::qt
