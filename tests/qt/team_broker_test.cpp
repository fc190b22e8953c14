// The team hunt through a real Mosquitto broker with a password file: the
// real program's lines go out, another car's lines come in and count in the
// estimate, and its presence ends "offline" when it leaves.
#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QDBusVariant>
#include <QElapsedTimer>
#include <QProcess>
#include <cmath>
#include <memory>
#include <vector>

#include "qt/dbus_names.h"
#include "qt/rig.h"
#include "support/df_hunt.h"
#include "support/pty.h"
#include "support/sentences.h"
#include "df/hunt_file.h"
#include "df/solver.h"
#include "nmea/waypoint.h"
#include "team/team_message.h"

namespace koralin {
namespace {

namespace fs = std::filesystem;
using test::WaitFor;

// Runs a tool, its output kept from the test's.
void RunTool(const QString& program, const QStringList& args) {
  QProcess p;
  p.start(program, args);
  p.waitForFinished(20000);
}

// Makes a CA (name.pem, name.key) with openssl; with `server`, also a
// certificate for localhost signed by it (server.pem, server.key).
void MakeCa(const std::string& dir, const std::string& name, bool server) {
  const auto at = [&dir](const std::string& f) { return QString::fromStdString(dir + "/" + f); };
  const QStringList made{"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj"};
  RunTool("openssl", made + QStringList{"/CN=" + QString::fromStdString(name), "-keyout", at(name + ".key"), "-out",
                                        at(name + ".pem")});
  if (!server) return;
  RunTool("openssl", made + QStringList{"/CN=localhost", "-addext", "subjectAltName=DNS:localhost", "-CA",
                                        at(name + ".pem"), "-CAkey", at(name + ".key"), "-keyout", at("server.key"),
                                        "-out", at("server.pem")});
}

// A broker that lets in "blue" and "red" with their passwords, nobody else;
// with `tls`, only through TLS with a certificate for localhost.
struct Broker {
  test::TempFolder dir;
  int port = test::FreeLocalPort();
  QProcess daemon;
  explicit Broker(bool tls = false) {
    // Started as root, the broker reads its files as the user "mosquitto".
    fs::permissions(dir.path(), fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
    const QString file = QString::fromStdString(dir / "passwords");
    RunTool("mosquitto_passwd", {"-c", "-b", file, "blue", "blue-secret"});
    for (const char* car : {"red", "green"}) RunTool("mosquitto_passwd", {"-b", file, car, QString(car) + "-secret"});
    std::string conf = "listener " + std::to_string(port) + (tls ? "\n" : " 127.0.0.1\n");
    if (tls) {
      MakeCa(dir.path(), "ca", true), MakeCa(dir.path(), "other", false);
      conf += "cafile " + (dir / "ca.pem") + "\ncertfile " + (dir / "server.pem") + "\nkeyfile " + (dir / "server.key") + "\n";
      fs::permissions(dir / "server.key", fs::perms::others_read, fs::perm_options::add);
    }
    // Sessions are kept over a restart, so a watcher misses nothing.
    fs::create_directory(dir / "db"), fs::permissions(dir / "db", fs::perms::all);
    test::WriteFile(dir / "broker.conf", conf + "allow_anonymous false\npassword_file " + (dir / "passwords") +
                                             "\npersistence true\npersistence_location " + (dir / "db/") + "\n");
    fs::permissions(file.toStdString(), fs::perms::others_read, fs::perm_options::add);
    daemon.setProcessChannelMode(QProcess::MergedChannels);
    Start();
  }
  ~Broker() { daemon.kill(), daemon.waitForFinished(5000); }
  void Start() {
    daemon.start("mosquitto", {"-c", QString::fromStdString(dir / "broker.conf")});
    WaitFor([&] {
      const int fd = test::ConnectLocal(port);
      return fd >= 0 && ::close(fd) == 0;
    }, 5000);
  }
  void Stop() { daemon.terminate(), daemon.waitForFinished(5000); }
  // A client of the broker as car "red".
  QStringList Red(std::initializer_list<QString> args) const {
    return QStringList{"-p", QString::number(port), "-u", "red", "-P", "red-secret"} + QStringList(args);
  }
};

constexpr test::Place kTx{48.02, 11.02};  // the transmitter

// A fix without a bearing: keeps the polls going and forms no line.
std::string Fix() { return test::Nmea("GPRMC,120000.00,A,4800.0000,N,01100.0000,E,000.0,,061226,,") + "\r\n"; }

// One poll of the receiver driving at 10 knots on `course`: its fix and its
// Doppler bearing, a degree off either way.
std::string Poll(int second, test::Place at, double course) {
  const double relative = std::fmod(test::Sighting(at, kTx).bearing - course + (second % 2 ? 1 : -1) + 720, 360);
  return test::Nmea("GPRMC,1200" + Format(static_cast<double>(second), "00.00") + ",A," +
                    SentencePlace(at.lat, at.lon) + ",010.0," + Format(course, "000.0") + ",061226,,") +
         "\r\n%" + Format(std::fmod(std::round(relative), 360), "000") + "/8\r\n";
}

// The real program as car `name` on its own private bus, reading a pty
// receiver, with `options` in its Options.cfg.
struct Car {
  explicit Car(const std::string& options, const std::string& name = "blue") : name(name) {
    fs::copy_file(KORALIN_PROGRAM, dir / "koralin-gps");
    test::WriteSettings(dir.path(), [](Settings& s) { s.ComPortIn = 3, s.PollingInterval = 50; });
    test::WriteFile(dir / "ComPorts.cfg", "3=" + gps.Path() + "\n");
    test::WriteFile(dir / (name + ".pw"), name + "-secret\n");
    test::WriteFile(dir / "Options.cfg", options + "TeamHunt=fox\nTeamCar=" + name + "\n");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DBUS_SESSION_BUS_ADDRESS", bus.address);
    koralin.setProcessEnvironment(env), koralin.setProcessChannelMode(QProcess::MergedChannels);
    koralin.start(QString::fromStdString(dir / "koralin-gps"));
    watch = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(bus.address, "watch-" + QString::fromStdString(name)));
  }
  ~Car() {
    koralin.kill(), koralin.waitForFinished(5000);
    QDBusConnection::disconnectFromBus("watch-" + QString::fromStdString(name));
  }
  // One of /DfEstimate's items; "?" while it cannot be read.
  std::string Item(const char* name) {
    QDBusInterface estimate(qt::BusServiceName("koralin-gps"), "/DfEstimate", "org.freedesktop.DBus.Properties", *watch);
    const QDBusReply<QDBusVariant> r = estimate.call("Get", "org.koralin.DfEstimate", name);
    return r.isValid() ? r.value().variant().toString().toStdString() : std::string("?");
  }
  test::Place Estimate() { return {std::stod(Item("Latitude")), std::stod(Item("Longitude"))}; }
  // Waits for the item to read `value`, the receiver keeping the polls going.
  bool Reads(const char* name, const std::string& value, int ms = 15000) {
    return WaitFor([&] {
      gps.Send(Fix()), test::RunFor(100);
      return Item(name) == value;
    }, ms);
  }
  std::string name;
  test::PrivateBus bus;
  test::Pty gps;
  test::TempFolder dir;
  QProcess koralin;
  std::unique_ptr<QDBusConnection> watch;
};

// Three cars 4 km from the transmitter on three sides, each driving across
// its line of sight: together they fix it long before any one car alone.
// Then a hostile client floods the hunt with garbage, and the broker goes
// away for 10 s while the cars go on forming lines. At the end every car
// holds every car's every line once, the three estimates agree, and a car
// that leaves is "offline" without ever having shown its password.
TEST(TeamBroker, ThreeCarsHuntThroughGarbageAndABrokerRestart) {
  constexpr double kStated = 50;  // metres from the transmitter
  Broker broker;
  const std::string url = "TeamBroker=mqtt://127.0.0.1:" + std::to_string(broker.port) + "\n";
  std::vector<std::unique_ptr<Car>> cars;
  for (const std::string name : {"blue", "red", "green"})
    cars.push_back(std::make_unique<Car>(url + "TeamUser=" + name + "\nTeamPasswordFile=" + name + ".pw\n", name));
  if (cars[0]->bus.address.isEmpty()) GTEST_SKIP() << "no dbus-daemon";
  const auto all = [&](const char* item, const std::string& value, int ms = 15000) {
    for (auto& car : cars) EXPECT_TRUE(car->Reads(item, value, ms)) << car->name << ": " << car->Item(item);
  };
  all("Team", "team: connected");
  const auto drive = [&](int from, int to) {
    for (int i = from; i <= to; ++i) {
      for (std::size_t c = 0; c < cars.size(); ++c) {
        const double side = 120.0 * static_cast<double>(c), course = std::fmod(side + 90, 360);
        cars[c]->gps.Send(Poll(i, test::Offset(test::Offset(kTx, side, 4000), course, 150.0 * i), course));
      }
      test::RunFor(300);
    }
  };
  const auto own = [](Car& car) { return ParseHuntFile(test::ReadFile(car.dir / "Hunt.csv")).lines; };
  const auto formed = [&] {
    std::size_t n = 0;
    for (auto& car : cars) n += own(*car).size();
    return std::to_string(n);
  };
  const auto crossed = [&](Car& car) {
    const std::string used = car.Item("LinesUsed"), rejected = car.Item("LinesRejected");
    return used == "?" || rejected == "?" ? "?" : std::to_string(std::stoi(used) + std::stoi(rejected));
  };
  const auto holdsAll = [&] {
    for (auto& car : cars)
      EXPECT_TRUE(WaitFor([&] { return car->Reads("State", "estimate", 300) && crossed(*car) == formed(); }, 15000))
          << car->name << " crossed " << crossed(*car) << " of " << formed();
  };

  QProcess reader;  // another program reads the lines as the guide shows them
  reader.start("mosquitto_sub", broker.Red({"-t", "koralin/fox/lines/blue", "-C", "1", "-W", "30"}));
  ASSERT_TRUE(reader.waitForStarted(5000));
  test::RunFor(500);
  drive(1, 6);
  holdsAll();
  ASSERT_TRUE(WaitFor([&] { return reader.state() == QProcess::NotRunning; }, 5000));
  const auto line = DecodeTeamLine(reader.readAllStandardOutput().trimmed().toStdString());
  EXPECT_TRUE(std::holds_alternative<TeamLine>(line) && std::get<TeamLine>(line).car == "blue");
  for (auto& car : cars) {
    EXPECT_LT(test::Metres(car->Estimate(), kTx), kStated) << car->name;
    const std::vector<LineOfBearing> lines = own(*car);
    const DfEstimate alone = CrossLines(lines, std::vector<double>(lines.size(), 1.0));
    const double aloneMiss = test::Metres({alone.latitude, alone.longitude}, kTx);
    EXPECT_TRUE(alone.state != DfState::kEstimate || aloneMiss > kStated) << car->name << " alone: " << aloneMiss;
  }

  test::WriteFile(broker.dir / "huge", std::string(10 * 1024 * 1024, '{'));
  RunTool("mosquitto_pub", broker.Red({"-t", "koralin/fox/lines/red", "-f", QString::fromStdString(broker.dir / "huge")}));
  std::string garbage;
  for (int i = 0; i < 10000; ++i) garbage += "{\"v\":1,\"lat\":" + std::to_string(i) + "}\n";
  QProcess flood;
  flood.start("mosquitto_pub", broker.Red({"-t", "koralin/fox/lines/red", "-l"}));
  flood.write(garbage.data(), static_cast<qint64>(garbage.size())), flood.closeWriteChannel();
  for (auto& car : cars)
    EXPECT_TRUE(WaitFor([&] {
      car->gps.Send(Fix());
      QElapsedTimer answer;
      answer.start();
      const std::string dropped = car->Item("TeamDropped");
      EXPECT_LT(answer.elapsed(), 1000) << "the window's thread answers the bus";
      return dropped != "?" && std::stol(dropped) >= 5000;
    }, 30000)) << car->name << ": " << car->Item("TeamDropped");
  flood.waitForFinished(10000);

  broker.Stop();
  QElapsedTimer away;
  away.start();
  drive(7, 12);
  all("Team", "team: reconnecting");
  test::RunFor(std::max(0, 10000 - static_cast<int>(away.elapsed())));
  broker.Start();
  all("Team", "team: connected", 70000);
  drive(13, 16);
  holdsAll();
  EXPECT_EQ(cars[0]->Item("TeamCars"), "green online " + std::to_string(own(*cars[2]).size()) + ", red online " +
                                           std::to_string(own(*cars[1]).size()));
  for (auto& car : cars) {
    EXPECT_LT(test::Metres(car->Estimate(), cars[0]->Estimate()), 1.0) << car->name;
    EXPECT_LT(test::Metres(car->Estimate(), kTx), kStated) << car->name;
  }
  QProcess presence;
  QProcess& blue = cars[0]->koralin;
  blue.terminate();
  ASSERT_TRUE(blue.waitForFinished(10000));
  EXPECT_EQ(blue.readAll().toStdString().find("secret"), std::string::npos) << "the password is never printed";
  presence.start("mosquitto_sub", broker.Red({"-t", "koralin/fox/cars/blue", "-C", "1", "-W", "5"}));
  ASSERT_TRUE(presence.waitForFinished(8000));
  EXPECT_EQ(presence.readAllStandardOutput().trimmed().toStdString(), "offline");
}

// mqtts:// verifies the broker's certificate: the CA that signed it lets the
// car in, another CA is refused in words, without a box.
TEST(TeamBroker, TlsTrustsOnlyTheCaGiven) {
  Broker broker(true);
  const std::string url = "TeamBroker=mqtts://localhost:" + std::to_string(broker.port) + "\n";
  {
    Car car(url + "TeamUser=blue\nTeamPasswordFile=blue.pw\nTeamCaFile=" + (broker.dir / "ca.pem") + "\n");
    if (car.bus.address.isEmpty()) GTEST_SKIP() << "no dbus-daemon";
    EXPECT_TRUE(car.Reads("Team", "team: connected")) << car.Item("Team") << broker.daemon.readAll().toStdString();
  }
  Car car(url + "TeamUser=blue\nTeamPasswordFile=blue.pw\nTeamCaFile=" + (broker.dir / "other.pem") + "\n");
  EXPECT_TRUE(car.Reads("Team", "team: refused: the broker's certificate is not trusted by the CA file " +
                                    (broker.dir / "other.pem"))) << car.Item("Team");
}

}  // namespace
}  // namespace koralin
