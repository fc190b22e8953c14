#include "qt/exit_paths.h"

#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCloseEvent>
#include <QSocketNotifier>
#include <cerrno>
#include <memory>

#include "app/events.h"
#include "app/shutdown.h"
#include "qt/text.h"

namespace koralin::qt {

namespace {

int signalPipe[2] = {-1, -1};

// Only async-signal-safe work here: one byte into the pipe; the event loop
// picks it up and runs the exit.
void OnSignal(int) {
  const int saved = errno;
  const char byte = 1;
  [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &byte, 1);
  errno = saved;
}

class CloseToExit : public QObject {
 public:
  CloseToExit(QObject* parent, App& app) : QObject(parent), exit_(Guarded(app, ExitProgram)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Close) return QObject::eventFilter(watched, event);
    event->ignore();  // the exit ends the process itself
    exit_();
    return true;
  }

 private:
  std::function<void()> exit_;
};

void InstallSignals(App& app, QObject* parent) {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0) return;
  auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, parent);
  QObject::connect(notifier, &QSocketNotifier::activated, parent, [exit = Guarded(app, ExitProgram)] {
    char byte;
    [[maybe_unused]] const ssize_t n = ::read(signalPipe[0], &byte, 1);
    exit();
  });
  struct sigaction sa {};
  sa.sa_handler = OnSignal;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_RESTART;
  for (int sig : {SIGTERM, SIGINT, SIGHUP}) ::sigaction(sig, &sa, nullptr);
}

}  // namespace

void InstallCloseToExit(App& app, QWidget* mainWindow) {
  mainWindow->installEventFilter(new CloseToExit(mainWindow, app));
}

void InstallExitPaths(App& app, QWidget* mainWindow) {
  InstallCloseToExit(app, mainWindow);
  InstallSignals(app, mainWindow);
}

void BindWindowPlace(QWidget* window, Window& model) {
  // Only a new place from the model moves the window; the user's own moves
  // stay until then.
  auto sync = [window, &model, last = std::make_shared<Rect>(Rect{-1, -1, -1, -1})] {
    if (model.Bounds() == *last) return;
    *last = model.Bounds();
    window->move(Px(model.Left()), Px(model.Top()));
    if (model.Height() > 0)
      window->resize(model.Width() > 0 ? Px(model.Width()) : window->width(), Px(model.Height()));
  };
  model.changed.Subscribe(sync);
  sync();
}

}  // namespace koralin::qt
