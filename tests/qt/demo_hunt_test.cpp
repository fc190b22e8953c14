// The shipped demo hunt through the real program: its lines on the receiver
// pty, the estimate read from the bus, the waypoint on the output pty.
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>

#include "qt/dbus_names.h"
#include "qt/rig.h"
#include "support/df_hunt.h"
#include "nmea/position.h"
#include "nmea/sentence.h"

namespace koralin {
namespace {

// The transmitter and how near the estimate comes, as the user guide states them.
constexpr test::Place kTx{52.0635, 5.5125};
constexpr double kWithinMetres = 25;

std::size_t Count(const std::string& text, const std::string& what) {
  std::size_t n = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

// Each second goes in once the fix before it came back out (relayed), so
// each is a poll of its own as in the playback, however busy the machine.
TEST(DemoHunt, PlayedOnTheReceiverPortItsEstimateNearsTheTransmitterAndGoesOut) {
  test::PrivateBus daemon;  // the program on a bus of its own
  if (daemon.address.isEmpty()) GTEST_SKIP() << "no dbus-daemon";
  test::Pty gps, plotter;
  test::TempFolder dir;
  std::filesystem::copy_file(KORALIN_PROGRAM, dir / "koralin-gps");
  test::WriteFile(dir / "ComPorts.cfg", "3=" + gps.Path() + "\r\n1=" + plotter.Path() + "\r\n");
  test::WriteFile(dir / "Options.cfg", "DfWaypointOut=1\r\n");
  test::TestRig cfg;  // receiver on 3, output on 1 relaying $GPRMC, fast polling
  Settings& s = cfg.app.settings;
  s.CfgFileName = dir / "Gps.cfg", DefaultSettings(cfg.app);
  s.BaudIn = 4800, s.ComPortIn = 3, s.PollingInterval = 50, s.ComPortOut = 1;
  cfg.app.form1.mnuRMCPlainOut.SetChecked(true), SaveSettings(cfg.app);
  QProcess program;
  test::StartWith(program, dir / "koralin-gps", {"DBUS_SESSION_BUS_ADDRESS=" + daemon.address});
  QDBusConnection bus = QDBusConnection::connectToBus(daemon.address, "demo-hunt");
  const QString service = qt::BusServiceName("koralin-gps");
  ASSERT_TRUE(test::WaitFor([&] { return bus.interface()->isServiceRegistered(service).value(); }, 10000));

  const std::string hunt = test::ReadFile(KORALIN_SOURCE_DIR "/data/demo-hunt.log");
  std::string out;
  for (std::size_t at = 0, end, sent = 0; (end = hunt.find('\n', at)) != std::string::npos; at = end + 1) {
    gps.Send(hunt.substr(at, end + 1 - at));
    ++sent;
    while (Count(out, "$GPRMC") < sent) {
      const std::string got = plotter.Receive(3000, 0);
      ASSERT_FALSE(got.empty()) << "no fix relayed for line " << sent;
      out += got;
    }
  }
  QDBusMessage get =
      QDBusMessage::createMethodCall(service, qt::kEstimatePath, "org.freedesktop.DBus.Properties", "GetAll");
  get << QString(qt::kEstimateInterface);
  const QVariantMap e = qdbus_cast<QVariantMap>(bus.call(get).arguments().value(0));
  const double lat = e["Latitude"].toDouble(), lon = e["Longitude"].toDouble();
  EXPECT_EQ(e["State"].toString().toStdString(), "estimate");
  EXPECT_LT(test::Metres({lat, lon}, kTx), kWithinMetres) << lat << " " << lon;

  const std::size_t w = out.rfind("$GPWPL");
  ASSERT_NE(w, std::string::npos) << out;
  const std::string wpl = out.substr(w, out.find('\n', w) - w);
  EXPECT_TRUE(CrcOk(wpl)) << wpl;
  const auto wLat = CoordinateDegrees(GetNmeaField(1, 20, wpl), GetNmeaField(2, 1, wpl));
  const auto wLon = CoordinateDegrees(GetNmeaField(3, 20, wpl), GetNmeaField(4, 1, wpl));
  ASSERT_TRUE(wLat && wLon) << wpl;
  EXPECT_LE(test::Metres({*wLat, *wLon}, {lat, lon}), 11) << "sent when it moves 10 m: " << wpl;
  QDBusConnection::disconnectFromBus("demo-hunt");
  program.kill(), program.waitForFinished(5000);
}

}  // namespace
}  // namespace koralin
