// SIGTERM, SIGINT and SIGHUP end in ExitProgram, as closing the main window
// (close box, Alt+F4) and the Exit menu do through the window and the model.
#pragma once

#include <QObject>

#include "app/app.h"
#include "qt/qt_dialogs.h"

namespace koralin::qt {

// Routes the three signals to ExitProgram, run from parent's event loop with
// the boxes silenced; the process ends within seconds of the signal even if
// the exit cannot run.
void InstallExitPaths(App& app, QtDialogs& dialogs, QObject* parent);

}  // namespace koralin::qt
