// Relay latency and CPU cost on real pseudo-terminals, through the
// program's port adapters and the Qt event loop, at fast polling (50 ms) and
// 38400 baud:
//  1. latency from the last byte of a $GPRMC written to the GPS pty to the
//     last byte of the relayed sentence read by the output's reader, for an
//     output on a serial device (a pty), on pty:// and on listen://; then
//     for a 1 Hz receiver that sends its $GPRMC last in each burst;
//  2. CPU time the program's thread uses while the GPS floods the line;
//  3. a listen:// reader that connects and stops reading: fixes decoded,
//     the output still on, sentences dropped, resident memory.
// Usage: relay-latency-bench [latency s (30)] [flood s (60)] [stalled reader s (60)]
//                            [RMC-last receiver s (120)]
#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <map>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "nmea/sentence.h"
#include "qt/program.h"
#include "serial/output_port.h"
#include "support/fakes.h"
#include "support/pty.h"

namespace {

using namespace koralin;
using Clock = std::chrono::steady_clock;

std::string Rmc(int n) {
  char t[16];
  std::snprintf(t, sizeof t, "%06d", n % 1000000);
  return AddCrc(std::string("$GPRMC,") + t + ",A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*");
}

double ThreadCpuSeconds() {
  rusage u{};
  getrusage(RUSAGE_THREAD, &u);
  return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
         static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// Runs the Qt event loop for ms.
void RunFor(int ms) {
  QTimer::singleShot(ms, [] { QCoreApplication::exit(0); });
  QCoreApplication::exec();
}

double Percentile(std::vector<double> v, double p) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  const auto i = static_cast<std::size_t>(p * static_cast<double>(v.size() - 1) + 0.5);
  return v[std::min(i, v.size() - 1)];
}

// Reads the relayed $GPRMCs on out and times each against the moment its
// last byte was written to the GPS line (Sent).
class LatencyProbe {
 public:
  explicit LatencyProbe(int out) : out_(out), reader_([this] { Read(); }) {}
  ~LatencyProbe() { Stop(); }
  void Sent(int id) {
    std::lock_guard lock(m_);
    sent_[id] = Clock::now();
  }
  std::vector<double> Stop() {
    stop_ = true;
    if (reader_.joinable()) reader_.join();
    std::lock_guard lock(m_);
    return latencies_;
  }

 private:
  void Read() {
    std::string buf;
    while (!stop_) {
      pollfd p{out_, POLLIN, 0};
      if (poll(&p, 1, 20) <= 0) continue;
      char chunk[4096];
      const ssize_t n = read(out_, chunk, sizeof chunk);
      if (n <= 0) continue;
      const auto now = Clock::now();
      buf.append(chunk, static_cast<std::size_t>(n));
      for (std::size_t end; (end = buf.find("\r\n")) != std::string::npos; buf.erase(0, end + 2)) {
        if (buf.rfind("$GPRMC,", 0) != 0) continue;
        const int id = std::atoi(buf.c_str() + 7);
        std::lock_guard lock(m_);
        if (auto it = sent_.find(id); it != sent_.end())
          latencies_.push_back(std::chrono::duration<double, std::milli>(now - it->second).count());
      }
    }
  }
  int out_;
  std::mutex m_;
  std::map<int, Clock::time_point> sent_;
  std::vector<double> latencies_;
  std::atomic<bool> stop_{false};
  std::thread reader_;
};

void Report(const char* what, const std::vector<double>& latencies) {
  std::printf("relay latency %s over %zu sentences (poll 50 ms, 38400 baud):\n", what, latencies.size());
  std::printf("  median %.1f ms, 99th percentile %.1f ms, max %.1f ms\n", Percentile(latencies, 0.5),
              Percentile(latencies, 0.99), Percentile(latencies, 1.0));
}

}  // namespace

int main(int argc, char** argv) {
  const int latencySeconds = argc > 1 ? std::atoi(argv[1]) : 30;
  const int floodSeconds = argc > 2 ? std::atoi(argv[2]) : 60;
  const int stalledSeconds = argc > 3 ? std::atoi(argv[3]) : 60;
  const int rmcLastSeconds = argc > 4 ? std::atoi(argv[4]) : 120;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);

  test::Pty gps, plotter;
  test::PortMap folder;
  folder.Map(3, gps.Path());
  folder.Map(1, plotter.Path());
  test::FakeClockSetter clockSetter;  // the clock is never set here
  // Publishes when a session bus is there; no widgets.
  qt::Program program({.settingsFolder = folder.Folder(), .busName = "koralin-relay-bench", .clock = &clockSetter,
                       .windows = false});
  App& app = program.app;
  SerialPort &comm1 = app.platform.comm1, &comm2 = app.platform.comm2;
  Form1& f = app.form1;
  f.tmrPolling.SetInterval(1500);
  f.tmrComInTimeOut.SetInterval(10000);
  f.Option1[7].SetCaption("Comport off");
  f.mnuPollingSpeed.Click();  // 50 ms
  app.settings.BaudIn = 38400;
  f.Option1[2].Click();  // Com3
  f.mnuRMCPlainOut.SetChecked(true);

  // 1. Latency, for each kind of output.
  const std::string link = folder.Folder() + "/gps-out";
  const struct {
    const char* name;
    std::string target;
  } kinds[] = {{"serial device", plotter.Path()}, {"pty://", "pty://" + link}, {"listen://", "listen://127.0.0.1:47110"}};
  for (const auto& kind : kinds) {
  ComOutSelect(app, 0, 38400);
  folder.Map(1, kind.target);
  ComOutSelect(app, 1, 38400);
  if (!comm1.IsOpen() || app.settings.ComPortOut != 1) {
    std::fprintf(stderr, "ports did not open for %s\n", kind.name);
    return 1;
  }
  int out = plotter.Master();
  if (kind.target.rfind("pty://", 0) == 0) out = open(link.c_str(), O_RDWR | O_NOCTTY);
  if (kind.target.rfind("listen://", 0) == 0) out = test::ConnectLocal(47110);
  LatencyProbe probe(out);
  std::atomic<bool> stop{false};
  std::thread writer([&] {
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> gap(80, 180);
    // Each fix is followed by another sentence; the receiver that ends its
    // burst with the fix is 1b.
    const std::string vtg = AddCrc("$GPVTG,084.4,T,087.5,M,022.4,N,041.5,K,A*");
    for (int i = 1; !stop; ++i) {
      gps.Send(Rmc(i));
      probe.Sent(i);
      gps.Send(vtg);
      std::this_thread::sleep_for(std::chrono::milliseconds(gap(rng)));
    }
  });
  RunFor(latencySeconds * 1000);
  stop = true;
  writer.join();
  const double sentenceMs = 10.0 * 1000.0 * static_cast<double>(Rmc(1).size()) / 38400.0;
  Report(("to a " + std::string(kind.name)).c_str(), probe.Stop());
  std::printf("  target for the 99th percentile: 50 + %.1f (transmit time) + 5 = %.1f ms\n", sentenceMs,
              55 + sentenceMs);
  if (out != plotter.Master()) close(out);
  }
  ComOutSelect(app, 0, 38400);
  folder.Map(1, plotter.Path());
  ComOutSelect(app, 1, 38400);

  // 1b. A 1 Hz receiver whose burst ends with its $GPRMC, the whole burst
  // arriving at once as from a USB receiver; the burst's phase against the
  // polling ticks wanders.
  {
    LatencyProbe probe(plotter.Master());
    std::atomic<bool> stop{false};
    std::thread receiver([&] {
      const std::string before = AddCrc("$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*") +
                                 AddCrc("$GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1*") +
                                 AddCrc("$GPGSV,1,1,03,03,03,111,00,04,15,270,00,06,01,010,00*");
      std::mt19937 rng(7);
      std::uniform_int_distribution<int> jitter(0, 49);
      auto next = Clock::now();
      for (int i = 1; !stop; ++i) {
        gps.Send(before + Rmc(i));
        probe.Sent(i);
        next += std::chrono::milliseconds(1000);
        std::this_thread::sleep_until(next + std::chrono::milliseconds(jitter(rng)));
      }
    });
    RunFor(rmcLastSeconds * 1000);
    stop = true;
    receiver.join();
    Report("of a 1 Hz receiver sending its RMC last", probe.Stop());
    std::printf("  target for the 99th percentile: 50 (polling) + 5 = 55 ms\n");
  }

  // 2. Flood: a full 38400-baud line of NMEA for floodSeconds.
  std::string burst;
  for (const char* b : {"$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*",
                        "$GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1*",
                        "$GPGSV,3,1,11,03,03,111,00,04,15,270,00,06,01,010,00,13,06,292,00*",
                        "$GPVTG,084.4,T,087.5,M,022.4,N,041.5,K,A*"})
    burst += AddCrc(b);
  std::atomic<bool> stop{false};
  std::atomic<long> floodBytes{0};
  std::thread flooder([&] {
    // 3840 characters a second, in 10 ms slices.
    auto next = Clock::now();
    std::string line;
    for (int i = 0; !stop; ++i) {
      while (line.size() < 38) line += Rmc(i) + burst;  // one fix a burst
      gps.Send(line.substr(0, 38));
      line.erase(0, 38);
      floodBytes += 38;
      next += std::chrono::milliseconds(10);
      std::this_thread::sleep_until(next);
    }
  });
  std::thread drain([&] {
    char chunk[4096];
    while (!stop) {
      pollfd p{plotter.Master(), POLLIN, 0};
      if (poll(&p, 1, 20) > 0 && read(plotter.Master(), chunk, sizeof chunk) <= 0) break;
    }
  });
  const double cpu0 = ThreadCpuSeconds();
  rusage r0{};
  getrusage(RUSAGE_SELF, &r0);
  RunFor(floodSeconds * 1000);
  const double cpu = ThreadCpuSeconds() - cpu0;
  rusage r1{};
  getrusage(RUSAGE_SELF, &r1);
  stop = true;
  flooder.join();
  drain.join();
  std::printf("flood of %d s at 38400 baud (%ld characters): program thread used %.2f s CPU (%.1f %%), "
              "max resident %ld -> %ld KiB\n",
              floodSeconds, floodBytes.load(), cpu, 100.0 * cpu / floodSeconds, r0.ru_maxrss, r1.ru_maxrss);
  std::printf("errors reported: input %d, output %d\n", app.lastInputError.count, app.lastOutputError.count);

  // 3. A reader that connects and never reads, while the GPS sends 10 fixes a second.
  ComOutSelect(app, 0, 38400);
  folder.Map(1, "listen://127.0.0.1:47111");
  ComOutSelect(app, 1, 38400);
  const int asleep = test::ConnectLocal(47111);
  stop = false;
  std::atomic<int> fixes{0};
  std::thread gpsFeed([&] {
    for (int i = 1; !stop; ++i, ++fixes) {
      gps.Send(Rmc(i) + AddCrc("$GPVTG,084.4,T,087.5,M,022.4,N,041.5,K,A*"));
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
  });
  long decoded = 0;
  std::string last;
  f.lblGPRMC.captionChanged.Subscribe([&] { decoded += f.lblGPRMC.Caption() != last; last = f.lblGPRMC.Caption(); });
  rusage s0{};
  getrusage(RUSAGE_SELF, &s0);
  RunFor(stalledSeconds * 1000);
  stop = true;
  gpsFeed.join();
  rusage s1{};
  getrusage(RUSAGE_SELF, &s1);
  std::printf("reader asleep for %d s: %ld of %d fixes decoded, output %s, %ld sentences dropped, "
              "max resident %ld -> %ld KiB\n",
              stalledSeconds, decoded, fixes.load(), app.settings.ComPortOut == 1 ? "on" : "OFF", comm2.Dropped(),
              s0.ru_maxrss, s1.ru_maxrss);
  if (asleep >= 0) close(asleep);
  return 0;
}
