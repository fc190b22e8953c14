// The services the program takes from its platform, in one place.
#pragma once

#include "app/clock_setter.h"
#include "common/system.h"
#include "dde/links.h"
#include "display/dialogs.h"
#include "serial/serial_port.h"
#include "team/team_link.h"

namespace koralin {

struct Platform {
  System& system;
  Dialogs& dialogs;
  SerialPort& comm1;  // MSComm1: GPS input (and output when shared)
  SerialPort& comm2;  // MSComm2: separate output port, also the compass input
  ClockSetter& clock;
  ValuesBus& bus;
  TeamLink& team;  // the team hunt's broker
};

}  // namespace koralin
