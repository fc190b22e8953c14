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
  // Asks for the current values without waiting; the answer prints them and,
  // unless following, ends the event loop (status 1, having said why on
  // standard error, when the service publishes none).
  void RequestCurrent(bool follow);

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
