// Every way out of the program ends in ExitProgram: closing the main window
// (also Alt+F4 through the window manager) and SIGTERM, SIGINT and SIGHUP.
// The Exit menu reaches it through the model.
#pragma once

#include <QWidget>

#include "app/app.h"

namespace koralin::qt {

// Routes the window's close and the three signals to ExitProgram.
void InstallExitPaths(App& app, QWidget* mainWindow);
// Closing the window (close box, Alt+F4) runs ExitProgram instead.
void InstallCloseToExit(App& app, QWidget* mainWindow);

// Keeps the window's place and height as the model says (twips to pixels).
void BindWindowPlace(QWidget* window, Window& model);

}  // namespace koralin::qt
