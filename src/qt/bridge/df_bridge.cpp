// koralin-df-bridge: serves bearing lines read from standard input (such as
// "%123/4") as the companion direction finder's item on the session bus, so
// that any direction-finder software that prints its bearings can feed the
// readout's modified $GPRMC.
//
//   my-df-decoder | koralin-df-bridge [--name Quillwave]
//
// With --estimate it prints the readout's DF estimate instead (see
// estimate_printer.h):
//
//   koralin-df-bridge --estimate [--follow] [--name koralin-gps]
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QSocketNotifier>
#include <QVariantMap>
#include <cstdio>
#include <unistd.h>

#include "qt/bridge/estimate_printer.h"
#include "qt/dbus_names.h"
#include "qt/published_object.h"

namespace {

using namespace koralin::qt;

constexpr const char* kItem = "lblDDESound1";
// A bearing line is a few characters; a longer one is noise and is dropped
// whole, up to its line end, so memory stays bounded whatever comes in.
constexpr qsizetype kMaxLine = 4096;

// Splits standard input into lines and publishes each non-empty one.
class Bridge : public QObject {
 public:
  Bridge(QDBusConnection connection, PublishedObject* object) : connection_(connection), object_(object) {
    auto* notifier = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this, notifier] {
      char buf[4096];
      const ssize_t n = ::read(STDIN_FILENO, buf, sizeof buf);
      if (n <= 0) {
        notifier->setEnabled(false);
        QCoreApplication::quit();
        return;
      }
      Split(QByteArrayView(buf, n));
    });
  }

 private:
  void Split(QByteArrayView chunk) {
    while (!chunk.isEmpty()) {
      const qsizetype end = chunk.indexOf('\n');
      if (!dropping_) pending_.append(end < 0 ? chunk : chunk.first(end));
      if (pending_.size() > kMaxLine) Drop();
      if (end < 0) return;
      if (!dropping_) Serve(QString::fromLatin1(pending_).trimmed());
      pending_.clear();
      dropping_ = false;
      chunk = chunk.sliced(end + 1);
    }
  }

  void Drop() {
    pending_.clear();
    dropping_ = true;
    std::fprintf(stderr, "koralin-df-bridge: a line over %lld characters dropped (%ld so far)\n",
                 static_cast<long long>(kMaxLine), ++dropped_);
  }

  void Serve(const QString& bearing) {
    if (bearing.isEmpty()) return;
    object_->SetValue(kItem, bearing);
    QDBusMessage signal =
        QDBusMessage::createSignal(BusObjectPath("Form1"), "org.freedesktop.DBus.Properties", "PropertiesChanged");
    signal << QString(kBusInterface) << QVariantMap{{kItem, bearing}} << QStringList();
    connection_.send(signal);
  }

  QDBusConnection connection_;
  PublishedObject* object_;
  QByteArray pending_;
  bool dropping_ = false;  // inside a line too long to keep, until its end
  long dropped_ = 0;
};

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  QString name;
  bool estimate = false, follow = false, unknown = false;
  const QStringList args = app.arguments();
  for (qsizetype i = 1; i < args.size(); ++i) {
    if (args[i] == "--name" && i + 1 < args.size())
      name = args[++i];
    else if (args[i] == "--estimate")
      estimate = true;
    else if (args[i] == "--follow")
      follow = true;
    else
      unknown = true;
  }
  if (unknown || (follow && !estimate)) {
    std::fprintf(stderr,
                 "usage: koralin-df-bridge [--name NAME] < bearing-lines\n"
                 "       koralin-df-bridge --estimate [--follow] [--name NAME]\n");
    return 2;
  }
  if (estimate) return PrintEstimate(name.isEmpty() ? "koralin-gps" : name, follow);
  if (name.isEmpty()) name = "Quillwave";
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) {
    std::fprintf(stderr, "koralin-df-bridge: no D-Bus session bus\n");
    return 1;
  }
  PublishedObject object(kBusInterface, {kItem}, "%---");
  const QString service = BusServiceName(name);
  if (!bus.registerVirtualObject(BusObjectPath("Form1"), &object) || !bus.registerService(service)) {
    std::fprintf(stderr, "koralin-df-bridge: %s is already taken on the session bus\n", qPrintable(service));
    return 1;
  }
  std::fprintf(stderr, "koralin-df-bridge: serving lblDDESound1 as %s /Form1\n", qPrintable(service));
  Bridge bridge(bus, &object);
  return QCoreApplication::exec();
}
