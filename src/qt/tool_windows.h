// The windows beside the main window: both terminals, the checksum tool,
// the serial-port listing and the DF window.
#pragma once

#include <QWidget>

#include "app/app.h"
#include "qt/crc_tool_window.h"
#include "qt/df_window.h"
#include "qt/port_listing_window.h"
#include "qt/team_dialog.h"
#include "qt/terminal_window.h"

namespace koralin::qt {

class ToolWindows {
 public:
  // F1 and Esc in a terminal bring mainWindow back to the front.
  ToolWindows(App& app, QWidget* mainWindow);
  TerminalView terminalIn;
  TerminalView terminalOut;
  CrcToolWindow crcTool;
  PortListingWindow listing;
  DfWindow df;
  TeamDialog team;
};

}  // namespace koralin::qt
