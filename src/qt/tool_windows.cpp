#include "qt/tool_windows.h"

namespace koralin::qt {

ToolWindows::ToolWindows(App& app, QWidget* mainWindow)
    : terminalIn(app, app.terminal.form2, &app.terminal.form2),
      terminalOut(app, app.terminal.form3, nullptr),
      crcTool(app.terminal.form4),
      listing(app),
      df(app.display.dfForm),
      team(app, &df) {
  df.OnTeamOptions([this] { team.Open(); });
  app.terminal.focusMainWindow.Subscribe([mainWindow] {
    if (!mainWindow) return;
    mainWindow->raise();
    mainWindow->activateWindow();
  });
}

}  // namespace koralin::qt
