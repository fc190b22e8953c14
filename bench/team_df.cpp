// A team hunt through one local Mosquitto broker: simulated cars publish a
// line of bearing a second each, and one whole program (the real assembly
// with its broker adapter, on fake ports) is the car that listens. Reports:
//  1. the delay from a line's publishing to the listening car's estimate
//     holding it (median, 99th percentile), at one line a second per car;
//  2. the CPU the listening car's thread uses meanwhile;
//  3. its resident memory as 30 minutes of the team's lines go through
//     (sent faster than real time), every 5 minutes of lines.
// Usage: team-df-bench [cars (50)] [seconds at 1 Hz (60)] [minutes of lines (30)]
#include <mosquitto.h>
#include <sys/resource.h>
#include <unistd.h>

#include <GeographicLib/Geodesic.hpp>
#include <QApplication>
#include <QProcess>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "qt/program.h"
#include "support/fakes.h"
#include "support/files.h"
#include "support/pty.h"
#include "support/wait.h"
#include "team/team_message.h"

namespace {

using namespace koralin;
using Clock = std::chrono::steady_clock;
using GeographicLib::Geodesic;

constexpr double kTxLat = 52.0, kTxLon = 5.0;
constexpr double kStartTime = 1796000000;  // UTC seconds of the first line

double Ms(Clock::time_point t) {
  return std::chrono::duration<double, std::milli>(t.time_since_epoch()).count();
}

double ThreadCpuSeconds() {
  rusage u{};
  getrusage(RUSAGE_THREAD, &u);
  return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
         static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

long RssKb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
  return 0;
}

void RunLoop(int ms) {
  QTimer::singleShot(ms, [] { QCoreApplication::exit(0); });
  QCoreApplication::exec();
}

// One simulated car: its own connection, a circle around the transmitter,
// a line with a few degrees of noise; when each line went, by its number.
class Car {
 public:
  Car(int index, int port, std::size_t lines) : name_("car" + std::to_string(index)), sent_(lines) {
    std::mt19937 rng(static_cast<unsigned>(index));
    radius_ = std::uniform_real_distribution<double>(2000, 8000)(rng);
    phase_ = std::uniform_real_distribution<double>(0, 360)(rng);
    mosq_ = mosquitto_new(name_.c_str(), true, nullptr);
    mosquitto_connect(mosq_, "127.0.0.1", port, 30);
    mosquitto_loop_start(mosq_);
  }
  ~Car() {
    mosquitto_disconnect(mosq_);
    mosquitto_loop_stop(mosq_, false);
    mosquitto_destroy(mosq_);
  }
  // Publishes line n (0, 1, ...): the n-th second of the hunt.
  void Send(std::size_t n) {
    TeamLine t;
    t.car = name_;
    t.seq = n + 1;
    t.line.time = kStartTime + static_cast<double>(n);
    const double azimuth = phase_ + static_cast<double>(n) * 0.2;  // a slow circle
    Geodesic::WGS84().Direct(kTxLat, kTxLon, azimuth, radius_, t.line.latitude, t.line.longitude);
    double s12 = 0, azi1 = 0, azi2 = 0;
    Geodesic::WGS84().Inverse(t.line.latitude, t.line.longitude, kTxLat, kTxLon, s12, azi1, azi2);
    t.line.bearing = std::fmod(azi1 + 3.0 * std::sin(static_cast<double>(n) * 1.7) + 720, 360);
    t.line.quality = 7;
    t.line.source = "serial";
    const std::string payload = EncodeTeamLine(t);
    const std::string topic = "koralin/bench/lines/" + name_;
    if (n < sent_.size()) sent_[n] = Ms(Clock::now());
    mosquitto_publish(mosq_, nullptr, topic.c_str(), static_cast<int>(payload.size()), payload.data(), 1, false);
  }
  // When line n went, in ms; 0 if not.
  double SentAt(std::size_t n) const { return n < sent_.size() ? sent_[n].load() : 0; }
  const std::string& Name() const { return name_; }

 private:
  std::string name_;
  double radius_ = 0, phase_ = 0;
  mosquitto* mosq_ = nullptr;
  std::vector<std::atomic<double>> sent_;
};

// The listening car's bus: each estimate it publishes is the moment the
// lines it holds count.
class Watch : public test::FakeBus {
 public:
  std::function<void()> onEstimate;
  void PublishEstimate(const DfEstimate& e) override {
    if (onEstimate) onEstimate();
    (void)e;
  }
};

double Quantile(std::vector<double> v, double q) {
  if (v.empty()) return NAN;
  std::sort(v.begin(), v.end());
  return v[std::min(v.size() - 1, static_cast<std::size_t>(q * static_cast<double>(v.size())))];
}

}  // namespace

int main(int argc, char** argv) {
  const int cars = argc > 1 ? std::max(2, std::atoi(argv[1])) : 50;
  const int seconds = argc > 2 ? std::max(5, std::atoi(argv[2])) : 60;
  const int minutes = argc > 3 ? std::max(1, std::atoi(argv[3])) : 30;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication qapp(argc, argv);
  mosquitto_lib_init();

  test::TempFolder folder;
  const int port = test::FreeLocalPort();
  test::WriteFile(folder / "broker.conf", "listener " + std::to_string(port) + " 127.0.0.1\nallow_anonymous true\n"
                                          "max_queued_messages 100000\n");
  QProcess broker;
  broker.start("mosquitto", {"-c", QString::fromStdString(folder / "broker.conf")});
  if (!test::WaitFor([&] { const int fd = test::ConnectLocal(port); return fd >= 0 && ::close(fd) == 0; }, 5000)) {
    std::fprintf(stderr, "team-df-bench: mosquitto did not start\n");
    return 1;
  }

  // The listening car: the whole program on fake ports.
  test::WriteFile(folder / "Options.cfg", "TeamBroker=mqtt://127.0.0.1:" + std::to_string(port) +
                                              "\nTeamHunt=bench\nTeamCar=listener\nDfMaxAgeMinutes=0\n");
  test::Fakes fakes;
  fakes.system.appPath = folder.path();
  Watch watch;
  qt::Program program({.system = &fakes.system, .dialogs = &fakes.dialogs, .comm1 = &fakes.comm1,
                       .comm2 = &fakes.comm2, .clock = &fakes.clockSetter, .bus = &watch, .windows = false});
  program.Start();
  App& app = program.app;

  const std::size_t total = static_cast<std::size_t>(minutes) * 60;
  std::vector<std::unique_ptr<Car>> fleet;
  for (int i = 1; i < cars; ++i) fleet.push_back(std::make_unique<Car>(i, port, total));
  RunLoop(2000);  // every car connected, the listener subscribed

  // Which line of which car the estimate last held, per car.
  std::vector<std::size_t> held(fleet.size(), 0);
  std::vector<double> delays;
  bool measuring = true;
  watch.onEstimate = [&] {
    if (!measuring) return;
    const double now = Ms(Clock::now());
    const auto& lines = app.hunt.hunt.Lines();
    // The newest lines only: what this update brought.
    const std::size_t look = std::min<std::size_t>(lines.size(), 4 * fleet.size());
    for (auto l = lines.end() - static_cast<std::ptrdiff_t>(look); l != lines.end(); ++l) {
      if (l->source.rfind("car", 0) != 0) continue;
      const std::size_t car = static_cast<std::size_t>(std::atoi(l->source.c_str() + 3)) - 1;
      const std::size_t n = static_cast<std::size_t>(l->time - kStartTime);
      if (car >= fleet.size() || n + 1 <= held[car]) continue;
      held[car] = n + 1;
      if (const double sent = fleet[car]->SentAt(n); sent > 0) delays.push_back(now - sent);
    }
  };

  // 1-2: a line a second from each car, spread over the second.
  const double cpu0 = ThreadCpuSeconds();
  const auto wall0 = Clock::now();
  std::size_t next = 0;
  QTimer pace;
  pace.setTimerType(Qt::PreciseTimer);
  int slot = 0;
  QObject::connect(&pace, &QTimer::timeout, [&] {
    fleet[static_cast<std::size_t>(slot)]->Send(next);
    if (++slot == static_cast<int>(fleet.size())) slot = 0, ++next;
  });
  pace.start(1000 / static_cast<int>(fleet.size()));
  RunLoop(seconds * 1000);
  pace.stop();
  const double wall = std::chrono::duration<double>(Clock::now() - wall0).count();
  const double cpu = ThreadCpuSeconds() - cpu0;
  RunLoop(1000);
  measuring = false;
  std::printf("| cars | lines a second | delay median (ms) | delay p99 (ms) | delays measured | listener CPU |\n"
              "|---|---|---|---|---|---|\n| %d | %zu | %.1f | %.1f | %zu | %.1f %% |\n\n",
              cars, fleet.size(), Quantile(delays, 0.5), Quantile(delays, 0.99), delays.size(), 100 * cpu / wall);

  // 3: the rest of the minutes, as fast as the listener takes them.
  std::printf("| minutes of lines | lines in the hunt | lines dropped | resident memory (MB) |\n|---|---|---|---|\n");
  const std::size_t perMark = 5 * 60;
  std::size_t mark = (next / perMark + 1) * perMark;
  while (next < total) {
    for (auto& car : fleet) car->Send(next);
    ++next;
    // Let the listener keep up: the broker holds what it has not read.
    RunLoop(40);
    if (next == mark || next == total) {
      RunLoop(1500);
      std::printf("| %zu | %zu | %ld | %.1f |\n", next / 60, app.hunt.hunt.Lines().size(),
                  app.team.DroppedTotal(), static_cast<double>(RssKb()) / 1024);
      std::fflush(stdout);
      mark += perMark;
    }
  }
  fleet.clear();
  broker.kill();
  broker.waitForFinished(5000);
  mosquitto_lib_cleanup();
}
