#include "qt/exit_paths.h"

#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>

#include "app/events.h"
#include "app/shutdown.h"

namespace koralin::qt {

namespace {

int signalPipe[2] = {-1, -1};
constexpr unsigned kExitSeconds = 4;

// Only async-signal-safe work here: one byte into the pipe; the event loop
// picks it up and runs the exit.
void OnSignal(int) {
  const int saved = errno;
  const char byte = 1;
  [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &byte, 1);
  // The orderly exit gets its time; should anything hold it up (or the event
  // loop not run yet), the alarm's default action ends the process.
  ::alarm(kExitSeconds);
  errno = saved;
}

}  // namespace

void InstallExitPaths(App& app, QtDialogs& dialogs, QObject* parent) {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0) return;
  auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, parent);
  QObject::connect(notifier, &QSocketNotifier::activated, parent, [&dialogs, exit = Guarded(app, ExitProgram)] {
    char byte;
    [[maybe_unused]] const ssize_t n = ::read(signalPipe[0], &byte, 1);
    dialogs.SetQuiet();  // what goes wrong on the way out goes to standard error
    exit();
  });
  struct sigaction sa {};
  sa.sa_handler = OnSignal;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_RESTART;
  for (int sig : {SIGTERM, SIGINT, SIGHUP}) ::sigaction(sig, &sa, nullptr);
}

}  // namespace koralin::qt
