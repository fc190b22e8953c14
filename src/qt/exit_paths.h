// SIGTERM, SIGINT and SIGHUP end in ExitProgram, as closing the main window
// (close box, Alt+F4) and the Exit menu do through the window and the model.
#pragma once

#include <QObject>

#include "app/app.h"

namespace koralin::qt {

// Routes the three signals to ExitProgram, run from parent's event loop.
void InstallExitPaths(App& app, QObject* parent);

}  // namespace koralin::qt
