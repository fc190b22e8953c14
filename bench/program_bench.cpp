// The whole program beside gpsd, fed the same receiver log on two ptys at
// the same moments, so that its cost can be read against a daemon that does
// the same reading. The program is the real executable, started from a copy
// in a fresh folder (its settings folder): main window on the offscreen
// platform, its values published on a private session bus, fast (50 ms)
// polling, its input on a pty named in ComPorts.cfg. gpsd reads the other
// pty read-only with a raw-watching client beside it (this benchmark again,
// as a separate process, so that its CPU is its own).
//
// Phases, each measured from /proc/<pid>/stat (utime + stime) and
// /proc/<pid>/status (VmRSS):
//  1. 38400 baud: the log at the full line rate (3840 characters a second);
//  2. 4800 baud, 1 Hz: each second one fix of RMC, GGA, GSA and GSV, sent at
//     480 characters a second, as a receiver does;
//  3. idle: the input stops; measured after the no-input warning is up.
// Both processes are started afresh for phase 1 and for phases 2-3, with the
// baud rate set on each side.
//
// Usage: program-bench [38400 s (30)] [4800 s (30)] [idle s (30)] [--log FILE] [--program PATH]
// Without a private session bus it runs itself again under dbus-run-session.
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "app/app.h"
#include "app/settings_file.h"
#include "nmea/sentence.h"
#include "support/fakes.h"
#include "support/files.h"
#include "support/pty.h"

extern char** environ;

namespace {

using namespace koralin;
using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

constexpr const char* kPrivateBusMark = "KORALIN_BENCH_PRIVATE_BUS";
constexpr int kComPort = 3;
// The no-input warning comes after 10 s; idle is measured after it.
constexpr int kIdleLeadSeconds = 12;
constexpr int kSettleSeconds = 3;

// Thrown, so that the processes started so far are stopped on the way out.
[[noreturn]] void Fail(const std::string& what) { throw std::runtime_error(what); }

// ---- The gpsd client: a separate process that watches raw NMEA and counts
// the lines until it is told to stop.

volatile sig_atomic_t clientStop = 0;

int WatchClient(int port) {
  struct sigaction a {};
  a.sa_handler = [](int) { clientStop = 1; };
  ::sigaction(SIGTERM, &a, nullptr);  // no SA_RESTART: the blocking read ends
  int fd = -1;
  for (int i = 0; i < 100 && (fd = test::ConnectLocal(port)) < 0; ++i) ::usleep(50000);
  if (fd < 0) return 1;
  const char watch[] = "?WATCH={\"enable\":true,\"raw\":1}\n";
  if (::write(fd, watch, sizeof watch - 1) != static_cast<ssize_t>(sizeof watch - 1)) return 1;
  std::printf("watching\n");
  std::fflush(stdout);
  long lines = 0;
  char buf[8192];
  while (!clientStop) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n <= 0) break;
    for (ssize_t i = 0; i < n; ++i) lines += buf[i] == '$';
  }
  std::printf("%ld\n", lines);
  return 0;
}

// ---- Processes.

struct Usage {
  double cpuSeconds = 0;
  long rssKiB = 0;
  long wakeups = 0;  // voluntary context switches of the main thread
};

Usage Read(pid_t pid) {
  Usage u;
  const std::string stat = test::ReadFile("/proc/" + std::to_string(pid) + "/stat");
  // The name may hold spaces; fields are counted from its closing bracket.
  const std::size_t close = stat.rfind(')');
  if (close == std::string::npos) return u;
  std::vector<std::string> fields;
  for (std::size_t i = close + 2; i < stat.size();) {
    const std::size_t end = std::min(stat.find(' ', i), stat.size());
    fields.push_back(stat.substr(i, end - i));
    i = end + 1;
  }
  // Field 3 is the state; utime and stime are fields 14 and 15.
  if (fields.size() > 12)
    u.cpuSeconds = (std::atof(fields[11].c_str()) + std::atof(fields[12].c_str())) /
                   static_cast<double>(::sysconf(_SC_CLK_TCK));
  const std::string status = test::ReadFile("/proc/" + std::to_string(pid) + "/status");
  if (const std::size_t at = status.find("VmRSS:"); at != std::string::npos) u.rssKiB = std::atol(status.c_str() + at + 6);
  const char kWakes[] = "\nvoluntary_ctxt_switches:";
  if (const std::size_t at = status.find(kWakes); at != std::string::npos)
    u.wakeups = std::atol(status.c_str() + at + sizeof kWakes - 1);
  return u;
}

class Process {
 public:
  Process(const std::string& name, std::vector<std::string> argv, const std::vector<std::string>& extraEnv,
          const std::string& outFile)
      : name_(name), out_(outFile) {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) env.emplace_back(*e);
    env.insert(env.end(), extraEnv.begin(), extraEnv.end());
    std::vector<char*> a, e;
    for (auto& s : argv) a.push_back(s.data());
    a.push_back(nullptr);
    for (auto& s : env) e.push_back(s.data());
    e.push_back(nullptr);
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&files, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_adddup2(&files, 1, 2);
    if (::posix_spawnp(&pid_, a[0], &files, nullptr, a.data(), e.data()) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&files);
    if (pid_ <= 0) Fail("cannot start " + argv[0]);
  }
  ~Process() { Stop(); }
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  pid_t Pid() const { return pid_; }
  const std::string& Name() const { return name_; }
  bool Alive() const { return pid_ > 0 && ::waitpid(pid_, nullptr, WNOHANG) == 0; }
  Usage Now() const { return Read(pid_); }
  // What it wrote to its standard output and error.
  std::string Said() const { return test::ReadFile(out_); }
  bool Holds(const std::string& device) const {
    std::error_code ec;
    for (const auto& e : fs::directory_iterator("/proc/" + std::to_string(pid_) + "/fd", ec))
      if (fs::read_symlink(e.path(), ec) == device) return true;
    return false;
  }
  // Waits for its end (for a short job).
  void Wait() {
    if (pid_ > 0) ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }
  void Stop() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    for (int i = 0; i < 100 && ::waitpid(pid_, nullptr, WNOHANG) == 0; ++i) ::usleep(50000);
    if (::waitpid(pid_, nullptr, WNOHANG) == 0) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
    pid_ = -1;
  }

 private:
  std::string name_, out_;
  pid_t pid_ = -1;
};

int FreePort() {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof a;
  if (::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &size) != 0)
    Fail("no free TCP port");
  ::close(fd);
  return ntohs(a.sin_port);
}

std::string Gpsd() {
  for (const char* p : {"/usr/sbin/gpsd", "/usr/local/sbin/gpsd"})
    if (::access(p, X_OK) == 0) return p;
  return "gpsd";  // left to PATH
}

// ---- The receiver log, cut into one-second fixes (each from an RMC to the
// next), valid sentences only; times are renumbered so that they never run
// back when the log comes round again.

struct Fix {
  std::vector<std::string> all;   // as the receiver sent it
  std::vector<std::string> core;  // RMC, GGA, GSA and GSV only
};

std::string Type(const std::string& s) {
  const std::size_t comma = s.find(',');
  return comma == 6 ? s.substr(3, 3) : std::string();  // talker and type, not proprietary
}

std::vector<Fix> ReadLog(const std::string& path) {
  std::vector<Fix> fixes;
  const std::string text = test::ReadFile(path);
  for (std::size_t at = 0; at < text.size();) {
    std::size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(at, end - at);
    at = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] != '$' || !CrcOk(line)) continue;
    const std::string type = Type(line);
    if (type == "RMC") fixes.emplace_back();
    if (fixes.empty()) continue;  // start-up banners before the first fix
    fixes.back().all.push_back(line);
    if (type == "RMC" || type == "GGA" || type == "GSA" || type == "GSV") fixes.back().core.push_back(line);
  }
  return fixes;
}

// The sentence with its time field set to second n of the day, checksum anew.
std::string Timed(const std::string& s, long n) {
  const std::string type = Type(s);
  const int field = type == "RMC" || type == "GGA" ? 1 : type == "GLL" ? 5 : 0;
  if (field == 0) return s + "\r\n";
  std::size_t from = 0;
  for (int i = 0; i < field && from != std::string::npos; ++i) from = s.find(',', from + 1);
  if (from == std::string::npos || s.size() < from + 7) return s + "\r\n";
  for (std::size_t i = from + 1; i < from + 7; ++i)
    if (s[i] < '0' || s[i] > '9') return s + "\r\n";  // no time in this one
  char hms[16];
  const unsigned long t = static_cast<unsigned long>(n) % 86400;
  std::snprintf(hms, sizeof hms, "%02lu%02lu%02lu", t / 3600, t / 60 % 60, t % 60);
  std::string out = s;
  out.replace(from + 1, 6, hms);
  return AddCrc(out.substr(0, out.rfind('*') + 1));
}

// ---- Feeding both ptys.

class Feed {
 public:
  Feed(const test::Pty& a, const test::Pty& b) : fds_{a.Master(), b.Master()} {
    for (int fd : fds_) ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
  }
  // To both at the same moment; what a pty does not take is counted, never waited for.
  void Send(const std::string& s) {
    for (int i = 0; i < 2; ++i) {
      const ssize_t n = ::write(fds_[i], s.data(), s.size());
      dropped_[i] += static_cast<long>(s.size()) - std::max<ssize_t>(n, 0);
    }
    ++sentences_;
  }
  long Sentences() const { return sentences_; }
  long Dropped(int i) const { return dropped_[i]; }

 private:
  int fds_[2];
  long dropped_[2] = {0, 0};
  long sentences_ = 0;
};

// Paces sentences at cps characters a second from start.
void SendPaced(Feed& feed, const std::string& s, Clock::time_point start, long& sentBytes, double cps) {
  std::this_thread::sleep_until(start + std::chrono::duration_cast<Clock::duration>(
                                            std::chrono::duration<double>(static_cast<double>(sentBytes) / cps)));
  feed.Send(s);
  sentBytes += static_cast<long>(s.size());
}

// ---- One side by side run: the program and gpsd (with its client) at one baud rate.

struct Measured {
  std::string phase;
  double seconds = 0;
  long sentences = 0;
  Usage program, gpsd, client;  // CPU used within the phase, RSS at its end
  long dropped[2] = {0, 0};
  long unread[2] = {0, 0};  // characters left in each input at the end
};

class SideBySide {
 public:
  SideBySide(const std::string& programFile, int baud, const std::string& self)
      : feed_(programPty_, gpsdPty_) {
    if (!programPty_.Ok() || !gpsdPty_.Ok()) Fail("no pseudo-terminal");
    const std::string exe = folder_ / "koralin-gps";
    fs::copy_file(programFile, exe);
    test::WriteFile(folder_ / "ComPorts.cfg", std::to_string(kComPort) + "=" + programPty_.Path() + "\r\n");
    test::WriteFile(folder_ / "Gps.cfg", SettingsText(baud));
    const int port = FreePort();
    gpsd_.emplace("gpsd",
                  std::vector<std::string>{Gpsd(), "-N", "-n", "-b", "-s", std::to_string(baud), "-S",
                                           std::to_string(port), gpsdPty_.Path()},
                  std::vector<std::string>{}, folder_ / "gpsd.out");
    client_.emplace("client", std::vector<std::string>{self, "--watch-client", std::to_string(port)},
                    std::vector<std::string>{}, folder_ / "client.out");
    std::vector<std::string> env = {"QT_QPA_PLATFORM=offscreen"};
    if (!std::getenv("XDG_RUNTIME_DIR")) {  // Qt wants one, and says so on every start
      fs::create_directory(folder_ / "runtime");
      fs::permissions(folder_ / "runtime", fs::perms::owner_all);
      env.push_back("XDG_RUNTIME_DIR=" + (folder_ / "runtime"));
    }
    program_.emplace("koralin-gps", std::vector<std::string>{exe}, env, folder_ / "program.out");
    const auto until = Clock::now() + std::chrono::seconds(15);
    while (!(program_->Holds(programPty_.Path()) && gpsd_->Holds(gpsdPty_.Path()) && ClientWatching())) {
      CheckAlive();
      if (Clock::now() > until) Fail("the program, gpsd or its client did not open its input within 15 s");
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    std::this_thread::sleep_for(std::chrono::seconds(kSettleSeconds));
  }

  Feed& Input() { return feed_; }

  // Runs body and measures everyone over it.
  template <typename Body>
  Measured Phase(const std::string& name, Body body) {
    CheckAlive();
    Measured m;
    m.phase = name;
    const long sentences = feed_.Sentences();
    const long dropped[2] = {feed_.Dropped(0), feed_.Dropped(1)};
    const Usage p0 = program_->Now(), g0 = gpsd_->Now(), c0 = client_->Now();
    const auto t0 = Clock::now();
    body();
    const Usage p1 = program_->Now(), g1 = gpsd_->Now(), c1 = client_->Now();
    m.seconds = std::chrono::duration<double>(Clock::now() - t0).count();
    CheckAlive();
    m.sentences = feed_.Sentences() - sentences;
    m.dropped[0] = feed_.Dropped(0) - dropped[0];
    m.dropped[1] = feed_.Dropped(1) - dropped[1];
    m.unread[0] = Unread(programPty_);
    m.unread[1] = Unread(gpsdPty_);
    m.program = {p1.cpuSeconds - p0.cpuSeconds, p1.rssKiB, p1.wakeups - p0.wakeups};
    m.gpsd = {g1.cpuSeconds - g0.cpuSeconds, g1.rssKiB, g1.wakeups - g0.wakeups};
    m.client = {c1.cpuSeconds - c0.cpuSeconds, c1.rssKiB, c1.wakeups - c0.wakeups};
    return m;
  }

  // What the program wrote to its standard output and error.
  std::string ProgramSaid() const { return program_->Said(); }

  // Some of the values the program publishes, read over the bus as any client
  // would: proof that it decoded what it was fed.
  std::string Published() const {
    std::string values;
    for (const char* item : {"lblDDELat", "lblDDELong", "lblDDEVal", "lblDDESpeed"}) {
      const std::string out = folder_ / (std::string("bus-") + item);
      Process ask("dbus-send",
                  {"dbus-send", "--session", "--print-reply", "--reply-timeout=5000", "--dest=org.koralin.koralin_gps",
                   "/Form1", "org.freedesktop.DBus.Properties.Get", "string:org.koralin.Form1",
                   std::string("string:") + item},
                  {}, out);
      ask.Wait();
      const std::string reply = test::ReadFile(out);
      const std::size_t from = reply.find("string \""), to = reply.rfind('"');
      values += std::string(values.empty() ? "" : ", ") + item + " " +
                (from != std::string::npos && to > from + 7 ? reply.substr(from + 8, to - from - 8) : "(no answer)");
    }
    return values;
  }

  // Sentences gpsd handed to its client; the client stops for it.
  long Relayed() {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));  // the last sentence on its way
    client_->Stop();
    const std::string said = test::ReadFile(folder_ / "client.out");
    const std::size_t last = said.find_last_of('\n', said.size() > 1 ? said.size() - 2 : 0);
    return std::atol(said.c_str() + (last == std::string::npos ? 0 : last + 1));
  }

 private:
  std::string SettingsText(int baud) {
    test::TestRig rig;
    DefaultSettings(rig.app);
    Settings& s = rig.app.settings;
    s.LogFileName = folder_ / "GpsData.log";
    s.BaudIn = baud;
    s.ComPortIn = kComPort;
    s.PollingInterval = 50;
    std::error_code ec;
    fs::remove(test::ProcessFolder(), ec);  // the rig's own folder, left empty
    return SettingsFileText(rig.app);
  }
  // Characters waiting in the pty for its reader, looked at without reading.
  static long Unread(const test::Pty& pty) {
    const int fd = ::open(pty.Path().c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
    int n = 0;
    if (fd < 0 || ::ioctl(fd, FIONREAD, &n) != 0) n = -1;
    if (fd >= 0) ::close(fd);
    return n;
  }
  bool ClientWatching() const { return client_->Said().rfind("watching\n", 0) == 0; }
  void CheckAlive() const {
    for (const Process* p : {&*program_, &*gpsd_, &*client_})
      if (!p->Alive()) Fail(p->Name() + " ended:\n" + p->Said());
  }

  test::TempFolder folder_;
  test::Pty programPty_, gpsdPty_;
  Feed feed_;
  std::optional<Process> gpsd_, client_, program_;
};

// ---- The table.

double Percent(double cpu, double seconds) { return seconds > 0 ? 100.0 * cpu / seconds : 0; }

std::string Ratio(double a, double b) {
  char text[32];
  b > 0 ? std::snprintf(text, sizeof text, "%.1f", a / b) : std::snprintf(text, sizeof text, "-");
  return text;
}

void PrintTable(const std::vector<Measured>& rows) {
  const double tick = 1.0 / static_cast<double>(::sysconf(_SC_CLK_TCK));
  std::printf("\n%-18s %6s %6s  %-12s %7s %7s %8s %7s %7s\n", "phase", "time s", "sent.", "process", "CPU s",
              "% core", "s/1000", "RSS MB", "wakes/s");
  for (const Measured& m : rows) {
    bool first = true;
    for (const auto& [name, u] : {std::pair{"koralin-gps", m.program}, {"gpsd", m.gpsd}, {"client", m.client}}) {
      char perThousand[32] = "-";
      if (m.sentences > 0)
        std::snprintf(perThousand, sizeof perThousand, "%.4f", 1000.0 * u.cpuSeconds / static_cast<double>(m.sentences));
      if (first) std::printf("%-18s %6.1f %6ld", m.phase.c_str(), m.seconds, m.sentences);
      else std::printf("%-18s %6s %6s", "", "", "");
      std::printf("  %-12s %7.2f %7.2f %8s %7.1f %7.1f\n", name, u.cpuSeconds, Percent(u.cpuSeconds, m.seconds),
                  perThousand, static_cast<double>(u.rssKiB) / 1024.0, static_cast<double>(u.wakeups) / m.seconds);
      first = false;
    }
  }
  std::printf("\n%-18s %12s %16s %12s\n", "program / gpsd", "CPU", "CPU with client", "RSS");
  for (const Measured& m : rows)
    std::printf("%-18s %12s %16s %12s\n", m.phase.c_str(), Ratio(m.program.cpuSeconds, m.gpsd.cpuSeconds).c_str(),
                Ratio(m.program.cpuSeconds, m.gpsd.cpuSeconds + m.client.cpuSeconds).c_str(),
                Ratio(static_cast<double>(m.program.rssKiB), static_cast<double>(m.gpsd.rssKiB)).c_str());
  std::printf("\nCPU s is utime + stime from /proc/<pid>/stat, counted in ticks of %.0f ms: a figure of a few\n"
              "ticks is coarse, run longer phases for it. s/1000 is CPU seconds per 1000 sentences fed. RSS is\n"
              "VmRSS at the end of the phase. wakes/s counts the main thread's voluntary context switches\n"
              "(/proc/<pid>/status), i.e. how often it slept and was woken. \"CPU with client\" sets the program\n"
              "against gpsd plus its client.\n",
              tick * 1000.0);
  std::printf("\nCharacters a pty did not take, and left unread at the end (program, gpsd):\n");
  for (const Measured& m : rows)
    std::printf("  %-18s not taken %ld, %ld; unread %ld, %ld\n", m.phase.c_str(), m.dropped[0], m.dropped[1],
                m.unread[0], m.unread[1]);
}

int Seconds(const char* arg) {
  const int s = std::atoi(arg);
  if (s <= 0) Fail(std::string("a phase length in seconds, not \"") + arg + "\"");
  return s;
}

}  // namespace

int Run(int argc, char** argv);

int main(int argc, char** argv) {
  try {
    return Run(argc, argv);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "program-bench: %s\n", e.what());
    return 1;
  }
}

int Run(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--watch-client") == 0) return WatchClient(std::atoi(argv[2]));

  std::vector<int> lengths;
  std::string log = std::string(KORALIN_CORPUS_DIR) + "/nl402u.log", program = KORALIN_PROGRAM;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--log" && i + 1 < argc) log = argv[++i];
    else if (a == "--program" && i + 1 < argc) program = argv[++i];
    else if (!a.empty() && a[0] != '-' && lengths.size() < 3) lengths.push_back(Seconds(argv[i]));
    else Fail("usage: program-bench [38400 s (30)] [4800 s (30)] [idle s (30)] [--log FILE] [--program PATH]");
  }
  lengths.resize(3, 30);

  // A bus of its own, so that a desktop's bus and a running program are never met.
  if (!std::getenv(kPrivateBusMark)) {
    ::setenv(kPrivateBusMark, "1", 1);
    std::vector<char*> again = {const_cast<char*>("dbus-run-session"), const_cast<char*>("--")};
    const std::string self = fs::read_symlink("/proc/self/exe").string();
    again.push_back(const_cast<char*>(self.c_str()));
    for (int i = 1; i < argc; ++i) again.push_back(argv[i]);
    again.push_back(nullptr);
    ::execvp(again[0], again.data());
    Fail("cannot run dbus-run-session: " + std::string(std::strerror(errno)));
  }
  const std::string self = fs::read_symlink("/proc/self/exe").string();
  const std::vector<Fix> fixes = ReadLog(log);
  if (fixes.empty()) Fail("no fix (RMC) with a valid checksum in " + log);
  long all = 0, core = 0;
  for (const Fix& f : fixes) all += static_cast<long>(f.all.size()), core += static_cast<long>(f.core.size());
  std::printf("%s: %zu fixes, %ld sentences (%ld of RMC, GGA, GSA, GSV)\n", log.c_str(), fixes.size(), all, core);
  std::printf("program %s at 50 ms polling; phases %d s, %d s, %d s\n", program.c_str(), lengths[0], lengths[1],
              lengths[2]);
  std::fflush(stdout);

  std::vector<Measured> rows;
  long relayed = 0, fed = 0;
  std::string said, published;
  long second = 10 * 3600;  // the renumbered fixes' time of day
  {
    SideBySide run(program, 38400, self);
    rows.push_back(run.Phase("38400 baud flood", [&] {
      const auto start = Clock::now(), end = start + std::chrono::seconds(lengths[0]);
      long sent = 0;
      for (std::size_t i = 0; Clock::now() < end; ++i, ++second)
        for (const std::string& s : fixes[i % fixes.size()].all) SendPaced(run.Input(), Timed(s, second), start, sent, 3840);
    }));
    published += "  after the flood: " + run.Published() + "\n";
    fed += run.Input().Sentences();
    relayed += run.Relayed();
    said += run.ProgramSaid();
  }
  {
    SideBySide run(program, 4800, self);
    rows.push_back(run.Phase("4800 baud 1 Hz", [&] {
      const auto start = Clock::now();
      for (int i = 0; i < lengths[1]; ++i, ++second) {
        const auto tick = start + std::chrono::seconds(i);
        long sent = 0;
        for (const std::string& s : fixes[static_cast<std::size_t>(i) % fixes.size()].core)
          SendPaced(run.Input(), Timed(s, second), tick, sent, 480);
      }
      std::this_thread::sleep_until(start + std::chrono::seconds(lengths[1]));
    }));
    published += "  after 1 Hz: " + run.Published() + "\n";
    std::this_thread::sleep_for(std::chrono::seconds(kIdleLeadSeconds));
    rows.push_back(run.Phase("idle", [&] { std::this_thread::sleep_for(std::chrono::seconds(lengths[2])); }));
    fed += run.Input().Sentences();
    relayed += run.Relayed();
    said += run.ProgramSaid();
  }
  PrintTable(rows);
  std::printf("%ld sentences fed to each; gpsd relayed %ld to its client.\n", fed, relayed);
  std::printf("koralin-gps published on its bus:\n%s", published.c_str());
  if (!said.empty()) std::printf("koralin-gps said:\n%s", said.c_str());
  return 0;
}
