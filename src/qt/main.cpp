// koralin-gps: the Qt program around the headless core.
#include <QApplication>

#include "app/app.h"
#include "app/startup.h"
#include "qt/dbus_bus.h"
#include "qt/main_window.h"
#include "qt/pending_services.h"
#include "qt/qt_dialogs.h"
#include "qt/qt_serial_port.h"
#include "qt/qt_system.h"
#include "qt/text.h"
#include "qt/timer_driver.h"

int main(int argc, char* argv[]) {
  using namespace koralin;
  QApplication application(argc, argv);
  QApplication::setApplicationName("koralin-gps");

  qt::QtSystem system;
  qt::QtDialogs dialogs;
  qt::QtSerialPort comm1(system.AppPath()), comm2(system.AppPath());
  qt::NoClockSetter clock;
  qt::DbusBus bus(QString::fromStdString(system.ExeName()));
  App app(Platform{system, dialogs, comm1, comm2, clock, bus});

  qt::TimerDriver timers;
  timers.Attach(app.form1.tmrPolling);
  timers.Attach(app.form1.tmrComInTimeOut);

  qt::MainWindow window(app);
  dialogs.SetParent(&window);
  Form_Load(app);
  window.show();
  if (!bus.Problem().isEmpty())
    dialogs.MsgBox({qt::FromQ(bus.Problem()), kTitle, MsgButtons::kOk, MsgIcon::kInformation});
  return QApplication::exec();
}
