// koralin-gps: the Qt program around the headless core.
#include <QApplication>
#include <cstdio>

#include "app/app.h"
#include "app/events.h"
#include "app/startup.h"
#include "qt/command_line.h"
#include "qt/dbus_bus.h"
#include "qt/exit_paths.h"
#include "qt/linux_clock_setter.h"
#include "qt/main_window.h"
#include "qt/qt_dialogs.h"
#include "qt/target_port.h"
#include "qt/qt_system.h"
#include "qt/text.h"
#include "qt/timer_driver.h"
#include "qt/tool_windows.h"

int main(int argc, char* argv[]) {
  using namespace koralin;
  if (const int status = qt::EarlyCommandLine(argc, argv); status >= 0) return status;
  qt::CatchDisplayFailure();
  QApplication application(argc, argv);
  qt::ReleaseDisplayFailure();
  QApplication::setApplicationName("koralin-gps");
  qt::CheckOptions(application);

  qt::QtSystem system;
  qt::QtDialogs dialogs;
  qt::TargetPort comm1(system.AppPath()), comm2(system.AppPath());
  qt::LinuxClockSetter clock;
  qt::DbusBus bus(QString::fromStdString(system.ExeName()));
  App app(Platform{system, dialogs, comm1, comm2, clock, bus});

  qt::TimerDriver timers;
  timers.Attach(app.form1.tmrPolling);
  timers.Attach(app.form1.tmrComInTimeOut);
  timers.Attach(app.form1.tmrResume);

  qt::MainWindow window(app);
  dialogs.SetParent(&window);
  qt::InstallExitPaths(app, dialogs, &window);
  qt::ToolWindows tools(app, &window);
  system.SetListingOpener([&tools] { tools.listing.Open(); });
  // The notices of the way out (a second copy's refusal among them) stay
  // until they are read.
  system.SetBeforeEnd([&dialogs] { dialogs.WaitForNotices(); });
  // The window places and shows itself as the model says, once the load
  // has built it; a second copy ends inside the load with only its box.
  Guarded(app, Form1_Load)();
  // Said once, without a box: the program works on without publishing its
  // values, and Info > DDE Info tells the same.
  if (!bus.Problem().isEmpty()) std::fprintf(stderr, "koralin-gps: %s\n", qPrintable(bus.Problem()));
  return QApplication::exec();
}
