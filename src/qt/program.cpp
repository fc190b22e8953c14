#include "qt/program.h"

#include <QApplication>
#include <QIcon>
#include <cstdio>

#include "app/events.h"
#include "app/startup.h"
#include "qt/dbus_bus.h"
#include "qt/exit_paths.h"
#include "qt/linux_clock_setter.h"
#include "qt/main_window.h"
#include "qt/mqtt_link.h"
#include "qt/qt_dialogs.h"
#include "qt/qt_system.h"
#include "qt/target_port.h"
#include "qt/tool_windows.h"

// The icon lives in this static library: nothing would pull it in otherwise.
static void LoadIcon() { Q_INIT_RESOURCE(icon); }

namespace koralin::qt {

namespace {

template <class Part, class Real> Part& Either(Part* standIn, const std::unique_ptr<Real>& real) {
  return standIn ? *standIn : *real;
}

}  // namespace

Program::Program() : Program(Options{}) {}

Program::Program(Options o)
    : system_(o.system ? nullptr
                       : std::make_unique<QtSystem>(o.settingsFolder.empty() ? SettingsFolder()
                                                                             : ReadyFolder{o.settingsFolder})),
      dialogs_(o.dialogs ? nullptr : std::make_unique<QtDialogs>()),
      comm1_(o.comm1 ? nullptr : std::make_unique<TargetPort>(Either(o.system, system_).AppPath())),
      comm2_(o.comm2 ? nullptr : std::make_unique<TargetPort>(Either(o.system, system_).AppPath(), false)),
      clock_(o.clock ? nullptr : std::make_unique<LinuxClockSetter>()),
      bus_(o.bus ? nullptr
                 : std::make_unique<DbusBus>(o.busName.isEmpty() ? QString::fromStdString(Either(o.system, system_).ExeName())
                                                                 : o.busName,
                                             QDBusConnection::sessionBus(), DbusBus::When::kOnOpen)),
      team_(o.team ? nullptr : std::make_unique<MqttLink>()),
      app(Platform{Either(o.system, system_), Either(o.dialogs, dialogs_), Either(o.comm1, comm1_),
                   Either(o.comm2, comm2_), Either(o.clock, clock_), Either(o.bus, bus_), Either(o.team, team_)}) {
  for (TargetPort* port : {comm1_.get(), comm2_.get()})
    if (port) port->SetClientLimit([this] { return app.serial.ListenClients; });
  for (Timer* t : app.form1.Timers()) {
    if (o.runTimer) o.runTimer(*t);
    else timers_.Attach(*t);
  }
  if (o.windows) {
    LoadIcon();
    QApplication::setWindowIcon(QIcon(":/koralin-gps.png"));  // every window's, not the window manager's generic one
    window_ = std::make_unique<MainWindow>(app);
    if (dialogs_) dialogs_->SetParent(window_.get());
    // Only the real system ends the process, which is what the ways out are for.
    if (system_ && dialogs_) InstallExitPaths(app, *dialogs_, window_.get());
    tools_ = std::make_unique<ToolWindows>(app, window_.get());
    if (system_) system_->SetListingOpener([tools = tools_.get()] { tools->listing.Open(); });
  }
  // The notices of the way out (a second copy's refusal among them) stay
  // until they are read.
  if (system_ && dialogs_) system_->SetBeforeEnd([dialogs = dialogs_.get()] { dialogs->WaitForNotices(); });
}

Program::~Program() = default;

void Program::Start() {
  // The window places and shows itself as the model says, once the load
  // has built it; a second copy ends inside the load with only its box.
  Guarded(app, Form1_Load)();
  // A refused start (a second copy, a lock that cannot be used) never takes
  // the name, so it can neither hide the running copy nor publish.
  if (!app.shell.SettingsLoaded) return;
  if (bus_) bus_->Open();
  // Said once, without a box: the program works on without publishing its
  // values, and Info > DDE Info tells the same.
  if (bus_ && !bus_->Problem().isEmpty()) std::fprintf(stderr, "koralin-gps: %s\n", qPrintable(bus_->Problem()));
}

}  // namespace koralin::qt
