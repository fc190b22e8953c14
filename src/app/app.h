// The whole program as one object: the platform it runs on, the settings,
// the window models and the state of each subsystem. Routines are plain
// functions that take it.
#pragma once

#include <array>
#include <string>

#include "app/platform.h"
#include "app/settings.h"
#include "app/shell_state.h"
#include "dde/links.h"
#include "df/hunt.h"
#include "display/display_state.h"
#include "display/form1.h"
#include "log/log_state.h"
#include "nmea/fix_state.h"
#include "serial/serial_state.h"
#include "team/team.h"
#include "terminal/terminal_state.h"

namespace koralin {

// The last error an error report received, for the face and the tests.
struct ErrorRecord {
  std::string procName;
  long number = 0;
  std::string description;
  int port = 0;
  int count = 0;
};

struct App {
  explicit App(Platform p);
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  Platform platform;
  Settings settings;
  Form1 form1;
  FixState fix;
  PollTexts poll;
  HeadingState heading;
  SerialState serial;
  DisplayState display;
  DdeState dde;
  LogState log;
  TerminalState terminal;
  ShellState shell;
  HuntState hunt;
  TeamOptions teamOptions;
  Team team{platform.team};

  bool StopPlay = false;
  ErrorRecord lastInputError;
  ErrorRecord lastOutputError;
  std::string lastUnexpected;
  int unexpectedCount = 0;
  std::array<std::string, 18> CompassTexts;

  // Runs the intake over the poll texts as they stand: a new input source
  // resets every display this way.
  void DispatchPoll();
};

}  // namespace koralin
